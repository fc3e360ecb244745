#include "DialogHost.h"

#include <commctrl.h>

namespace {

// Answers only what creation needs: owner-drawn lists get the height of one
// line of the dialog's font, as the program's own lists answer.
INT_PTR CALLBACK TemplateProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_MEASUREITEM: {
        MEASUREITEMSTRUCT* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        HDC dc = ::GetDC(dialog);
        HGDIOBJ old = ::SelectObject(dc, (HFONT)::SendMessageA(dialog, WM_GETFONT, 0, 0));
        TEXTMETRICA metrics = {};
        ::GetTextMetricsA(dc, &metrics);
        ::SelectObject(dc, old);
        ::ReleaseDC(dialog, dc);
        measure->itemHeight = metrics.tmHeight + metrics.tmExternalLeading + 2;
        ::SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    }
    return FALSE;
}

const char kFrameClass[] = "PellamarTemplateFrame";

void RegisterFrameClass()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.hCursor = ::LoadCursorA(NULL, MAKEINTRESOURCEA(32512));
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFrameClass;
    ::RegisterClassA(&wc);
}

} // namespace

void InitTemplateControls()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls,
                                     ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_HOTKEY_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    RegisterFrameClass();
}

bool IsPageTemplate(const DialogTemplate& t)
{
    return (t.style & WS_CHILD) != 0;
}

TemplateWindow::TemplateWindow(const ResourceLibrary& library, unsigned id)
{
    std::string bytes = library.Bytes(RT_DIALOG, id);
    DialogTemplate t = ParseDialogTemplate(bytes);
    if (!t.valid)
        return;
    HWND parent = NULL;
    if (IsPageTemplate(t)) {
        m_frame = ::CreateWindowExA(0, kFrameClass, t.title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                    20, 20, 100, 100, NULL, NULL, ::GetModuleHandleA(NULL), NULL);
        parent = m_frame;
    }
    m_dialog = ::CreateDialogIndirectParamA(library.Module(), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                            parent, &TemplateProc, 0);
    if (m_frame && m_dialog) {
        // The frame takes the page's size, as a sheet would show it.
        RECT page;
        ::GetWindowRect(m_dialog, &page);
        RECT frame = {0, 0, page.right - page.left + 16, page.bottom - page.top + 16};
        ::AdjustWindowRectEx(&frame, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE, 0);
        ::SetWindowPos(m_frame, NULL, 20, 20, frame.right - frame.left, frame.bottom - frame.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::SetWindowPos(m_dialog, NULL, 8, 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::EnableWindow(m_dialog, TRUE);
        ::ShowWindow(m_dialog, SW_SHOWNA);
    }
}

TemplateWindow::~TemplateWindow()
{
    if (m_dialog)
        ::DestroyWindow(m_dialog);
    if (m_frame)
        ::DestroyWindow(m_frame);
}

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        DWORD passed = ::GetTickCount() - start;
        if (passed >= milliseconds)
            return;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, milliseconds - passed, QS_ALLINPUT);
    }
}
