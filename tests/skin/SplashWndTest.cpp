// The splash window: one window however often it is shown, its bitmap's
// size centred on the screen, closed by its timer, by Close and by its end.
#include "skin/SplashWnd.h"
#include "tests/skin/SkinTestIds.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

namespace {

CRect Placement(HWND hWnd)
{
    CRect r;
    ::GetWindowRect(hWnd, &r);
    return r;
}

void ExpectCentred(HWND hWnd, int width, int height)
{
    CRect r = Placement(hWnd);
    EXPECT_EQ(width, r.Width());
    EXPECT_EQ(height, r.Height());
    int screenWidth = ::GetSystemMetrics(SM_CXSCREEN), screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(abs(r.left - (screenWidth - width) / 2), 1);
    EXPECT_LE(abs(r.top - (screenHeight - height) / 2), 1);
}

int VisibleWindowsOfClass(HWND like)
{
    char name[64] = {0};
    ::GetClassNameA(like, name, sizeof(name));
    struct Count
    {
        const char* name;
        int n;
    } count = {name, 0};
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND h, LPARAM p) -> BOOL {
        Count* c = (Count*)p;
        char other[64] = {0};
        ::GetClassNameA(h, other, sizeof(other));
        c->n += lstrcmpA(other, c->name) == 0 && ::IsWindowVisible(h);
        return TRUE;
    }, (LPARAM)&count);
    return count.n;
}

} // namespace

TEST(SplashWnd, ShowsItsBitmapCentredOnceHoweverOftenShown)
{
    MSplashWnd splash;
    ASSERT_TRUE(splash.SetBitmap(IDB_SPLASH));
    splash.Show(NULL, FALSE, 0);
    ASSERT_NE(nullptr, splash.m_hWnd);
    HWND first = splash.m_hWnd;
    splash.Show(NULL, FALSE, 0);
    EXPECT_EQ(first, splash.m_hWnd);
    EXPECT_EQ(1, VisibleWindowsOfClass(first));
    EXPECT_EQ(0u, splash.GetStyle() & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
    ExpectCentred(first, 160, 90);
    PumpFor(0);
    SaveWindowShot(first, "splash");
    EXPECT_EQ(RGB(255, 255, 255), ClientPixel(first, 0, 0));
    EXPECT_EQ(RGB(20, 40, 120), ClientPixel(first, 80, 45));
    splash.Close();
    EXPECT_FALSE(::IsWindow(first));
    splash.Show(NULL, FALSE, 0);
    EXPECT_TRUE(::IsWindow(splash.m_hWnd)) << "shown again after closing";
}

TEST(SplashWnd, ANewBitmapResizesAndRecentresTheShownWindow)
{
    TempFolder dir;
    ASSERT_TRUE(dir.Write("Splash.bmp", SolidBitmapFile(300, 120, RGB(90, 10, 10))));
    MSplashWnd splash;
    splash.Show(NULL, FALSE, 0);
    ExpectCentred(splash.m_hWnd, 100, 100); // no bitmap
    ASSERT_TRUE(splash.SetBitmapFile(dir.File("Splash.bmp").c_str()));
    ExpectCentred(splash.m_hWnd, 300, 120);
    PumpFor(0);
    EXPECT_EQ(RGB(90, 10, 10), ClientPixel(splash.m_hWnd, 150, 60));
    EXPECT_FALSE(splash.SetBitmapFile(dir.File("missing.bmp").c_str()));
    ExpectCentred(splash.m_hWnd, 100, 100);
}

TEST(SplashWnd, ClosedByItsTimerAndByItsEnd)
{
    MSplashWnd timed;
    timed.Show(NULL, TRUE, 50);
    HWND hWnd = timed.m_hWnd;
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hWnd); }, 5000));
    EXPECT_EQ(nullptr, timed.m_hWnd);

    {
        MSplashWnd shortLived;
        shortLived.Show(NULL, FALSE, 0);
        hWnd = shortLived.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
}
