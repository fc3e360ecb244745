// GDI wrappers: every object owns its handle and deletes it when it goes;
// a device context object releases (or deletes) its DC. UI thread.
//
// Selecting: CDCSelect puts an object into a DC for one scope and the old
// one back when the scope ends; declare it after the object it selects, so
// the object outlives its selection. A region handed to a window
// (CWnd::SetWindowRgn with a CRgn) is given up by its object.
#pragma once
#include "platform/mfc/Geometry.h"
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"

#include <windows.h>

class CWnd;

class CGdiObject : public CObject
{
public:
    CGdiObject() : m_hObject(NULL) {}
    ~CGdiObject() override { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ h);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int size, void* buffer) const;

    HGDIOBJ m_hObject;
};

class CBitmap : public CGdiObject
{
public:
    operator HBITMAP() const { return (HBITMAP)m_hObject; }
    // Bitmaps load as device-independent sections, so their pixels keep the
    // colours of the resource whatever the screen's depth.
    BOOL LoadBitmap(UINT id);
    BOOL LoadBitmap(LPCSTR name);
    // A ".bmp" file, loaded the same way.
    BOOL LoadFromFile(LPCSTR path);
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    int GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }
    // Width and height; 0, 0 without a bitmap.
    CSize GetSize() const;
};

class CBrush : public CGdiObject
{
public:
    CBrush() {}
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    operator HBRUSH() const { return (HBRUSH)m_hObject; }
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    BOOL CreateHatchBrush(int index, COLORREF color) { return Attach(::CreateHatchBrush(index, color)); }
    BOOL CreatePatternBrush(CBitmap* bitmap) { return Attach(::CreatePatternBrush(*bitmap)); }
};

class CPen : public CGdiObject
{
public:
    CPen() {}
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    operator HPEN() const { return (HPEN)m_hObject; }
    BOOL CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
};

class CFont : public CGdiObject
{
public:
    operator HFONT() const { return (HFONT)m_hObject; }
    BOOL CreateFontIndirect(const LOGFONTA* font) { return Attach(::CreateFontIndirectA(font)); }
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCSTR faceName);
    int GetLogFont(LOGFONTA* font) const { return GetObject(sizeof(LOGFONTA), font); }
};

class CRgn : public CGdiObject
{
public:
    operator HRGN() const { return (HRGN)m_hObject; }
    BOOL CreateRectRgn(int l, int t, int r, int b) { return Attach(::CreateRectRgn(l, t, r, b)); }
    BOOL CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }
    BOOL CreateEllipticRgn(int l, int t, int r, int b) { return Attach(::CreateEllipticRgn(l, t, r, b)); }
    BOOL CreatePolygonRgn(const POINT* points, int count, int mode)
    {
        return Attach(::CreatePolygonRgn(points, count, mode));
    }
    BOOL CreateFromData(const XFORM* xform, int count, const RGNDATA* data)
    {
        return Attach(::ExtCreateRegion(xform, count, data));
    }
    BOOL CreateFromPath(class CDC* dc);
    // This region := a `mode` b (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY).
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    int CopyRgn(const CRgn* source) { return CombineRgn(source, NULL, RGN_COPY); }
    void SetRectRgn(int l, int t, int r, int b) { ::SetRectRgn(*this, l, t, r, b); }
    int OffsetRgn(int dx, int dy) { return ::OffsetRgn(*this, dx, dy); }
    int OffsetRgn(POINT p) { return OffsetRgn(p.x, p.y); }
    int GetRgnBox(LPRECT rect) const { return ::GetRgnBox(*this, rect); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    BOOL EqualRgn(const CRgn* other) const { return ::EqualRgn(*this, *other); }
};

class CPalette : public CGdiObject
{
public:
    operator HPALETTE() const { return (HPALETTE)m_hObject; }
};

// A device context. This base owns a DC it made with CreateCompatibleDC;
// the window variants below get and release theirs.
class CDC : public CObject
{
public:
    CDC() : m_hDC(NULL) {}
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();

    HGDIOBJ SelectObject(CGdiObject* object) { return ::SelectObject(m_hDC, object->m_hObject); }
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    HGDIOBJ SelectStockObject(int index) { return ::SelectObject(m_hDC, ::GetStockObject(index)); }
    int SelectClipRgn(CRgn* region) { return ::SelectClipRgn(m_hDC, region ? (HRGN)*region : NULL); }
    HPALETTE SelectPalette(CPalette* palette, BOOL background)
    {
        return ::SelectPalette(m_hDC, *palette, background);
    }
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }

    BOOL BitBlt(int x, int y, int w, int h, CDC* source, int sx, int sy, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, w, h, source ? source->m_hDC : NULL, sx, sy, rop);
    }
    BOOL StretchBlt(int x, int y, int w, int h, CDC* source, int sx, int sy, int sw, int sh, DWORD rop)
    {
        return ::StretchBlt(m_hDC, x, y, w, h, source->m_hDC, sx, sy, sw, sh, rop);
    }
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
    void FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, *brush); }
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int w, int h, COLORREF color);
    void FrameRect(LPCRECT rect, CBrush* brush) { ::FrameRect(m_hDC, rect, *brush); }
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void InvertRect(LPCRECT rect) { ::InvertRect(m_hDC, rect); }
    void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state) { return ::DrawFrameControl(m_hDC, rect, type, state); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    BOOL FillRgn(CRgn* region, CBrush* brush) { return ::FillRgn(m_hDC, *region, *brush); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }

    int DrawText(LPCSTR text, int count, LPRECT rect, UINT format)
    {
        return ::DrawTextA(m_hDC, text, count, rect, format);
    }
    int DrawText(const CString& text, LPRECT rect, UINT format)
    {
        return DrawText(text, text.GetLength(), rect, format);
    }
    BOOL TextOut(int x, int y, LPCSTR text, int count) { return ::TextOutA(m_hDC, x, y, text, count); }
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
    CSize GetTextExtent(LPCSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    BOOL GetTextMetrics(TEXTMETRICA* metrics) const { return ::GetTextMetricsA(m_hDC, metrics); }
    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }

    BOOL BeginPath() { return ::BeginPath(m_hDC); }
    BOOL EndPath() { return ::EndPath(m_hDC); }
    int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }

    HDC m_hDC;
};

// Wraps a DC that belongs to someone else (a message's DC) for one call.
class CTempDC : public CDC
{
public:
    explicit CTempDC(HDC dc) { m_hDC = dc; }
    ~CTempDC() override { m_hDC = NULL; }
};

// Puts an object into a DC for one scope and restores the old one after.
class CDCSelect
{
public:
    CDCSelect(CDC& dc, CGdiObject& object) : m_dc(dc), m_old(dc.SelectObject(&object)) {}
    CDCSelect(CDC& dc, HGDIOBJ object) : m_dc(dc), m_old(dc.SelectObject(object)) {}
    ~CDCSelect()
    {
        if (m_old)
            m_dc.SelectObject(m_old);
    }
    CDCSelect(const CDCSelect&) = delete;
    CDCSelect& operator=(const CDCSelect&) = delete;

private:
    CDC& m_dc;
    HGDIOBJ m_old;
};

// The DC of a WM_PAINT: BeginPaint / EndPaint.
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};

// A window's client-area DC (GetDC) or whole-window DC (GetWindowDC).
class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    CClientDC() : m_hWnd(NULL) {}
    HWND m_hWnd;
};

class CWindowDC : public CClientDC
{
public:
    explicit CWindowDC(CWnd* wnd);
};
