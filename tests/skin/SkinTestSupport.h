// Colours of the skin tests' pictures (see data/make_fixtures.py) and a
// small host window for controls taken over by subclassing. Test thread.
#pragma once
#include "platform/mfc/AfxWin.h"
#include "tests/support/GeometryPrint.h"

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

const COLORREF kHoverColour = RGB(250, 200, 0);
const COLORREF kNormalColour = RGB(30, 60, 200);
const COLORREF kPressedColour = RGB(200, 30, 30);
const COLORREF kDisabledColour = RGB(128, 128, 128);
const COLORREF kTransparentGreen = RGB(0, 255, 0);
const COLORREF kThumbColour = RGB(220, 0, 0);

// The colour of the slider background picture at x (20-pixel bands).
inline COLORREF BandColour(int x)
{
    int i = x / 20;
    return RGB(40 * i % 256, 90, 255 - 40 * i % 256);
}

// A 24-bit ".bmp" file of one colour.
std::string SolidBitmapFile(int width, int height, COLORREF colour);

// A library as the resource handle for as long as the object lives: the
// program's main resource library unless another is named.
class CResourceModuleInUse
{
public:
    explicit CResourceModuleInUse(LPCSTR library = "Mavrel.dll");
    ~CResourceModuleInUse();
    CResourceModuleInUse(const CResourceModuleInUse&) = delete;
    CResourceModuleInUse& operator=(const CResourceModuleInUse&) = delete;
    HMODULE Module() const { return m_library; }

private:
    HMODULE m_library;
    HINSTANCE m_saved;
};

// Expects each point to lie in the window's shape, or outside it.
struct ShapePoint
{
    int x, y;
    bool inside;
};
void ExpectShape(HWND window, std::initializer_list<ShapePoint> points);

// The test program's own file: read as a skin library, it lends the skin
// tests its bitmaps.
std::string TestModulePath();

// Pictures drawn as rows of letters, one letter a pixel: 'G' pure green (the
// skins' see-through colour), 'R' red, 'B' blue, anything else dark grey.
COLORREF PatternColour(char letter);
// As a 24-bit ".bmp" file, and as a bitmap the caller owns.
std::string PatternBitmapFile(const std::vector<std::string>& rows);
HBITMAP PatternBitmap(const std::vector<std::string>& rows);

// A visible pop-up at (100, 100) that records the notifications of its
// children and paints the slider background picture.
class CHostWnd : public CWnd
{
public:
    BOOL CreateHost(int width, int height);
    // A child control of the system class, made the way a template makes it.
    HWND AddControl(LPCSTR windowClass, DWORD style, int x, int y, int w, int h, int id);

    int clicks = 0;
    int lastClickedId = 0;
    int scrolls = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};

