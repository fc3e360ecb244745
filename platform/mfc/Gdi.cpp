#include "platform/mfc/Gdi.h"

#include "platform/mfc/Resource.h"
#include "platform/mfc/Wnd.h"

BOOL CGdiObject::Attach(HGDIOBJ h)
{
    if (h == NULL)
        return FALSE;
    DeleteObject();
    m_hObject = h;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = NULL;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    BOOL ok = ::DeleteObject(Detach());
    return ok;
}

int CGdiObject::GetObject(int size, void* buffer) const
{
    return m_hObject ? ::GetObjectA(m_hObject, size, buffer) : 0;
}

BOOL CBitmap::LoadBitmap(UINT id)
{
    return LoadBitmap(MAKEINTRESOURCEA(id));
}

BOOL CBitmap::LoadBitmap(LPCSTR name)
{
    return Attach(::LoadImageA(AfxGetResourceHandle(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

BOOL CBitmap::LoadFromFile(LPCSTR path)
{
    return Attach(::LoadImageA(NULL, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

CSize CBitmap::GetSize() const
{
    BITMAP info;
    if (!GetBitmap(&info))
        return CSize();
    return CSize(info.bmWidth, info.bmHeight);
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCSTR faceName)
{
    return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                                strikeOut, charSet, outPrecision, clipPrecision, quality,
                                pitchAndFamily, faceName));
}

BOOL CRgn::CreateFromPath(CDC* dc)
{
    return Attach(::PathToRegion(dc->m_hDC));
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode)
{
    return ::CombineRgn(*this, *a, b ? (HRGN)*b : NULL, mode);
}

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::Attach(HDC dc)
{
    if (dc == NULL)
        return FALSE;
    m_hDC = dc;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC dc = m_hDC;
    m_hDC = NULL;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    DeleteDC();
    return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : NULL));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, NULL, 0, NULL);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int w, int h, COLORREF color)
{
    CRect r(x, y, x + w, y + h);
    FillSolidRect(&r, color);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    int w = rect->right - rect->left, h = rect->bottom - rect->top;
    FillSolidRect(rect->left, rect->top, w - 1, 1, topLeft);
    FillSolidRect(rect->left, rect->top, 1, h - 1, topLeft);
    FillSolidRect(rect->right - 1, rect->top, 1, h, bottomRight);
    FillSolidRect(rect->left, rect->bottom - 1, w, 1, bottomRight);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old = {0, 0};
    ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CSize CDC::GetTextExtent(LPCSTR text, int count) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, text, count, &size);
    return CSize(size);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->GetSafeHwnd())
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hDC != NULL) {
        ::EndPaint(m_hWnd, &m_ps);
        m_hDC = NULL;
    }
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : NULL)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC != NULL)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd)
{
    m_hWnd = wnd ? wnd->GetSafeHwnd() : NULL;
    Attach(::GetWindowDC(m_hWnd));
}
