// The video window's places from sizes: the window around a picture area,
// and a first start's window and panel on screens of several sizes.
#include "app/VideoPlacement.h"

#include <gtest/gtest.h>

namespace {

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(VideoPlacement, WindowAroundThePictureArea)
{
    const CVideoPlacement::Frame frame = {10, 46, 10};
    EXPECT_EQ(CSize(660, 536), CVideoPlacement::WindowSize(CSize(640, 480), frame));
    EXPECT_EQ(CSize(340, 296), CVideoPlacement::WindowSize(CSize(320, 240), frame));
    const CVideoPlacement::Frame none = {0, 0, 0};
    EXPECT_EQ(CSize(640, 480), CVideoPlacement::WindowSize(CSize(640, 480), none));
}

TEST(VideoPlacement, FirstStartCentresTheWindowWithThePanelUnderIt)
{
    const struct
    {
        const char* what;
        CRect screen;
        CSize window, panel;
        BOOL withPanel;
        CRect video, panelPlace;
    } cases[] = {
        {"1280 x 1024 with a panel", CRect(0, 0, 1280, 1024), CSize(660, 536), CSize(400, 120), TRUE,
         CRect(310, 184, 970, 720), CRect(440, 720, 840, 840)},
        {"without a panel (FM)", CRect(0, 0, 1280, 1024), CSize(660, 536), CSize(400, 120), FALSE,
         CRect(310, 244, 970, 780), CRect()},
        {"a work area off the origin", CRect(100, 50, 1380, 1074), CSize(660, 536), CSize(400, 121), TRUE,
         CRect(410, 234, 1070, 770), CRect(540, 770, 940, 891)},
        {"a panel wider than the window", CRect(0, 0, 800, 600), CSize(340, 296), CSize(500, 100), TRUE,
         CRect(230, 102, 570, 398), CRect(150, 398, 650, 498)},
        {"a screen smaller than the window", CRect(0, 0, 640, 480), CSize(660, 536), CSize(400, 120), TRUE,
         CRect(-10, -88, 650, 448), CRect(120, 448, 520, 568)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CVideoPlacement::Places places = CVideoPlacement::FirstStart(c.screen, c.window, c.panel, c.withPanel);
        EXPECT_TRUE(Same(c.video, places.video)) << places.video.left << "," << places.video.top;
        EXPECT_TRUE(Same(c.panelPlace, places.panel)) << places.panel.left << "," << places.panel.top;
    }
}

} // namespace
