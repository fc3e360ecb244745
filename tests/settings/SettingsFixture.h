// Support of the settings window tests: the program's resource library as
// the resource handle, a manager over a scratch folder (no card), a control
// panel that records what the pages ask of it, and a script of steps run one
// per posted message inside a modal loop (a sheet's or a dialog's), so keys
// and clicks take the road a user's do. Test thread.
#pragma once
// The window layer first: the engine's headers bring in macros that
// would rename its members.
#include "settings/BasePage.h"
#include "engine/TVManager.h"
#include "settings/Accel.h"
#include "settings/SettingsPanel.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CFakeSettingsPanel : public ISettingsPanel
{
public:
    int reconfigured = 0;
    int mutes = 0;
    std::vector<std::string> skinsLoaded;
    BOOL loadSkinAnswer = TRUE;
    int defaultKeys = 0;
    int saves = 0;
    std::vector<BOOL> accelerators;
    CPropertySheet* openSheet = nullptr;
    CAccel accel;

    void ReconfigureForSource() override { ++reconfigured; }
    void MuteForTuning() override { ++mutes; }
    BOOL LoadSkin(LPCSTR name) override
    {
        skinsLoaded.push_back(name);
        return loadSkinAnswer;
    }
    void ShowPanel(BOOL) override {}
    void HidePictureDialog() override {}
    CAccel* GetAccel() override { return &accel; }
    void RestoreDefaultKeys() override { ++defaultKeys; }
    void SaveKeys() override { ++saves; }
    void EnableAccelerators(BOOL enable) override { accelerators.push_back(enable); }
    void SetOpenSheet(CPropertySheet* sheet) override { openSheet = sheet; }

    int powerOffCalls = 0;
    CTime powerOffTime;
    BOOL powerOffEnabled = FALSE;
    int channelListChanges = 0;
    void SetPowerOffTime(const CTime& time, BOOL enable) override
    {
        ++powerOffCalls;
        powerOffTime = time;
        powerOffEnabled = enable;
    }
    void ChannelListChanged() override { ++channelListChanges; }
    int scanStarts = 0;
    BOOL StartScan() override
    {
        ++scanStarts;
        return TRUE;
    }
};

// Runs steps one per posted message while a modal loop runs; `isOpen` says
// whether the window the steps act on is up yet (steps wait for it), `end`
// closes it when the script runs out and it is still open.
class CScript : public CWnd
{
public:
    std::vector<std::function<void()>> steps;
    std::function<bool()> isOpen;
    std::function<void()> end;

    void Start()
    {
        m_next = 0;
        if (m_hWnd == NULL)
            CreateEx(0, NULL, "Script", WS_POPUP, 0, 0, 1, 1, NULL, NULL);
        PostMessage(kStep);
    }
    ~CScript() override { DestroyWindow(); }

protected:
    static const UINT kStep = WM_APP + 31;
    LRESULT OnStep(WPARAM, LPARAM)
    {
        if (!isOpen || !isOpen()) {
            if (m_waits++ < 1000)
                PostMessage(kStep);
            return 0;
        }
        if (m_next < steps.size()) {
            steps[m_next++]();
            PostMessage(kStep);
        } else if (end) {
            end();
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    size_t m_next = 0;
    int m_waits = 0;
};

// The program's resources and a manager over a scratch folder.
class SettingsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    SettingsContext Context() { return SettingsContext{*manager, panel}; }

    TempFolder dir;
    std::unique_ptr<MessageBoxCapture> quiet; // the manager's start-up boxes
    std::unique_ptr<CTVManager> manager;
    CFakeSettingsPanel panel;
};

// Posts a key's press and release to a control, as typed there.
void PostKey(HWND target, UINT key);
// Clicks a button by its notification, as a click does.
void Click(CWnd* dialog, UINT id);
// A trackbar moved to `position` and let go.
void MoveSlider(CWnd* dialog, UINT id, int position);
