// The on-screen menu over a fake of the program, shown, with three TV
// channels, the second current; the resource library in use for its texts
// and pictures. Header only; test thread.
#pragma once
#include "graph/WindowMessages.h"
#include "app/Panel2.h"
#include "tests/app/FakeOsdEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Log = std::vector<std::string>;

class OsdMenuFixture : public ::testing::Test
{
protected:
    OsdMenuFixture() : m_saved(AfxGetResourceHandle()), m_library(::LoadLibraryA("Mavrel.dll"))
    {
        AfxSetResourceHandle(m_library);
    }
    ~OsdMenuFixture() override
    {
        menu.DestroyWindow();
        AfxSetResourceHandle(m_saved);
        ::FreeLibrary(m_library);
    }
    void SetUp() override
    {
        ASSERT_NE(nullptr, m_library);
        parent.CreateEx(0, NULL, "menu parent", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0);
        engine.host = &menu;
        engine.tv.AddChannel(CChannel(1, 175250, "E5", CHANNEL_VALID));
        engine.tv.AddChannel(CChannel(2, 471250, "E21", CHANNEL_VALID | CHANNEL_FAVOR));
        engine.tv.AddChannel(CChannel(3, 503250, "E25", CHANNEL_VALID));
        engine.tv.SetCurrentIndex(1);
        ASSERT_TRUE(menu.Create(&parent));
        menu.ShowPanel(TRUE);
        engine.Take();
    }
    // The root's row opened, then `row` of that panel focused.
    MFrame* Open(int rootRow, int row = 0)
    {
        menu.ShowPanel(TRUE);
        menu.GetFrame(CPanel2::kRootFrame)->SetFocusRow(rootRow);
        Key(kOsdKeyEnter);
        menu.GetCurrentFrame()->SetFocusRow(row);
        return menu.GetCurrentFrame();
    }
    int Key(UINT vk) { return (int)menu.SendMessage(WM_OSD_KEY, vk, 0); }
    template <class W>
    W* Widget(MFrame* frame, int row, int index = 1)
    {
        return dynamic_cast<W*>(frame->GetRow(row)->GetWidget(index));
    }

    CWnd parent;
    FakeOsdEngine engine;
    CPanel2 menu{engine};

private:
    HINSTANCE m_saved;
    HMODULE m_library;
};
