// CSkinDlg: the background and shape a skin gives a dialog. Attached to a
// dialog window, it sizes and shapes it and paints its background from a
// replaced window procedure; detached, it gives the window its procedure,
// size and shape back. Every skinned dialog has its own saved procedure,
// kept in one program-wide table by window handle, so the control panel and
// the picture dialog can be skinned and unskinned in any order. Owned by its
// skin manager; UI thread.
#pragma once
#include "skin/SkinBitmap.h"
#include "skin/SkinWindowState.h"

class CSkinDlg
{
public:
    enum Style { kNone = 0, kColour = 1, kBitmap = 2 };

    CSkinDlg();
    // Detaches from a window still attached.
    virtual ~CSkinDlg();
    CSkinDlg(const CSkinDlg&) = delete;
    CSkinDlg& operator=(const CSkinDlg&) = delete;

    // The skin's size and a rectangular shape of it. A size that is not
    // positive both ways is no size: the dialog keeps its own.
    void SetSize(int width, int height);
    void SetSize(SIZE size) { SetSize(size.cx, size.cy); }
    void SetStyle(int style) { m_style = style; }
    int GetStyle() const { return m_style; }
    void SetBackColor(COLORREF colour) { m_backColour = colour; }
    // The background picture (the old one is freed first); the skin takes
    // its size and, when transparent, its shape less `transparent` pixels.
    BOOL LoadBackground(LPCSTR path, COLORREF transparent, BOOL transparentFlag);
    BOOL LoadBackground(UINT id, COLORREF transparent, BOOL transparentFlag);
    BOOL LoadBackground(const CSkinPicture& picture, COLORREF transparent, BOOL transparentFlag);
    BOOL BuildRegion();
    BOOL PaintBackground(CDC* dc);

    // FALSE, with nothing changed, without a window. Another skin dialog
    // attached to the same window is detached first.
    BOOL Attach(HWND hWnd);
    void Detach();
    HWND GetSafeHwnd() const { return m_hWnd; }
    CSize GetSize() const { return CSize(m_width, m_height); }
    // The shape the skin gives the window; NULL when it keeps its own.
    const CRgn& GetRegion() const { return m_region; }

    static LRESULT CALLBACK SkinDlgWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The skin dialog attached to the window, or NULL.
    static CSkinDlg* FromHandle(HWND hWnd);

private:
    void ForgetWindow() { m_hWnd = NULL; m_saved.Forget(); }

    HWND m_hWnd;
    COLORREF m_backColour;
    CSkinBitmap m_background;
    int m_style;
    BOOL m_transparent;
    CRgn m_region;
    int m_width;
    int m_height;
    COLORREF m_transColour;
    CSkinWindowState m_saved; // the dialog's size and shape before the skin
};
