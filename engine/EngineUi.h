// IEngineUi: the engine's few calls up into the windows (control panel,
// video window, on-screen menu, application object, self-closing message
// box). The windows implement it; until they exist, and in tests, the
// do-nothing CNullEngineUi stands in. UI thread.
#pragma once
#include <windows.h>

class IEngineUi
{
public:
    // Control panel: a command's enabled state, the channel buttons after a
    // table change, showing or hiding the video window, the short mute
    // while a channel is tuned.
    virtual void EnableCommand(UINT commandId, BOOL enable) = 0;
    virtual void UpdateChannelButtons() = 0;
    virtual void ShowVideoWindow(BOOL show) = 0;
    virtual void MuteForTuning() = 0;
    // Video window: a scan starts showing its progress.
    virtual void BeginScanDisplay() = 0;
    // On-screen menu: hide its panel.
    virtual void HideOsdPanel() = 0;
    // Application object: a resource-string message (caption: the title),
    // the answer; and whether the tray companion starts at exit.
    virtual int ShowMessage(UINT textId, UINT flags) = 0;
    virtual void SetTrayAtExit(BOOL start) = 0;
    // The self-closing message box; the answer.
    virtual int ShowTimedMessage(LPCSTR text, UINT seconds) = 0;

protected:
    ~IEngineUi() {}
};

class CNullEngineUi : public IEngineUi
{
public:
    void EnableCommand(UINT, BOOL) override {}
    void UpdateChannelButtons() override {}
    void ShowVideoWindow(BOOL) override {}
    void MuteForTuning() override {}
    void BeginScanDisplay() override {}
    void HideOsdPanel() override {}
    int ShowMessage(UINT, UINT) override { return IDOK; }
    void SetTrayAtExit(BOOL) override {}
    int ShowTimedMessage(LPCSTR, UINT) override { return IDOK; }
};
