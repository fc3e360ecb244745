#include "skin/SkinDlg.h"

#include "skin/SkinShare.h"

#include <map>

namespace {

// A skinned window: its skin (NULL once detached while another procedure
// was put on top of ours, so ours must stay and pass messages on) and the
// procedure it had before.
struct SkinnedWindow
{
    CSkinDlg* skin;
    WNDPROC previous;
};

// Never destroyed: a dialog destroyed at exit still passes through here.
std::map<HWND, SkinnedWindow>& SkinnedWindows()
{
    static auto* windows = new std::map<HWND, SkinnedWindow>;
    return *windows;
}

bool OurProcedureIsOn(HWND hWnd)
{
    return (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == &CSkinDlg::SkinDlgWndProc;
}

} // namespace

CSkinDlg::CSkinDlg()
    : m_hWnd(NULL), m_backColour(0), m_style(kNone), m_transparent(FALSE), m_width(0), m_height(0),
      m_transColour(RGB(0, 255, 0))
{
}

CSkinDlg::~CSkinDlg()
{
    Detach();
}

void CSkinDlg::SetSize(int width, int height)
{
    m_region.DeleteObject();
    if (width <= 0 || height <= 0) {
        m_width = m_height = 0;
        return;
    }
    m_width = width;
    m_height = height;
    m_region.CreateRectRgn(0, 0, width, height);
}

BOOL CSkinDlg::LoadBackground(LPCSTR path, COLORREF transparent, BOOL transparentFlag)
{
    return LoadBackground(CSkinPicture(path), transparent, transparentFlag);
}

BOOL CSkinDlg::LoadBackground(UINT id, COLORREF transparent, BOOL transparentFlag)
{
    return LoadBackground(CSkinPicture(id), transparent, transparentFlag);
}

BOOL CSkinDlg::LoadBackground(const CSkinPicture& picture, COLORREF transparent, BOOL transparentFlag)
{
    if (!picture.LoadInto(m_background))
        return FALSE;
    m_style = kBitmap;
    m_transColour = transparent;
    m_transparent = transparentFlag;
    return BuildRegion();
}

BOOL CSkinDlg::BuildRegion()
{
    CSize size = m_background.GetSize();
    m_width = size.cx;
    m_height = size.cy;
    m_region.DeleteObject();
    if (m_transparent)
        return CSkinShare::BitmapToRegion(m_region, &m_background, m_transColour);
    return m_region.CreateRectRgn(0, 0, m_width, m_height);
}

BOOL CSkinDlg::PaintBackground(CDC* dc)
{
    CRect client;
    if (dc == NULL || m_hWnd == NULL || !::GetClientRect(m_hWnd, &client))
        return FALSE;
    switch (m_style) {
    case kColour:
        dc->FillSolidRect(&client, m_backColour);
        return TRUE;
    case kBitmap:
        m_background.Draw(dc, client);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CSkinDlg::Attach(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return FALSE;
    Detach();
    if (CSkinDlg* other = FromHandle(hWnd))
        other->Detach();
    m_saved.Capture(hWnd, CSkinWindowState::kDialog);
    m_hWnd = hWnd;
    auto& windows = SkinnedWindows();
    auto found = windows.find(hWnd);
    if (found != windows.end()) {
        found->second.skin = this; // our procedure is still on, passing messages on
    } else {
        WNDPROC previous = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&SkinDlgWndProc);
        windows[hWnd] = SkinnedWindow{this, previous};
    }
    if (m_width > 0 && m_height > 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, m_width, m_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CSkinShare::GiveWindowRegion(hWnd, m_region, TRUE);
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

void CSkinDlg::Detach()
{
    if (m_hWnd == NULL)
        return;
    HWND hWnd = m_hWnd;
    auto& windows = SkinnedWindows();
    auto found = windows.find(hWnd);
    if (found != windows.end()) {
        if (!::IsWindow(hWnd)) {
            windows.erase(found);
        } else if (OurProcedureIsOn(hWnd)) {
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)found->second.previous);
            windows.erase(found);
        } else {
            found->second.skin = NULL; // someone subclassed on top of us: keep passing on
        }
    }
    m_saved.Restore();
    m_hWnd = NULL;
    if (::IsWindow(hWnd))
        ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

CSkinDlg* CSkinDlg::FromHandle(HWND hWnd)
{
    auto& windows = SkinnedWindows();
    auto found = windows.find(hWnd);
    return found == windows.end() ? NULL : found->second.skin;
}

LRESULT CALLBACK CSkinDlg::SkinDlgWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& windows = SkinnedWindows();
    auto found = windows.find(hWnd);
    if (found == windows.end())
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    // Copied: a handler below may detach the skin and erase the entry.
    const SkinnedWindow window = found->second;
    if (message == WM_ERASEBKGND && window.skin != NULL) {
        CTempDC dc((HDC)wParam);
        window.skin->PaintBackground(&dc);
        return 1;
    }
    LRESULT result = ::CallWindowProcA(window.previous, hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        found = windows.find(hWnd);
        if (found != windows.end()) {
            if (found->second.skin != NULL)
                found->second.skin->ForgetWindow();
            windows.erase(found);
        }
    }
    return result;
}
