// The windows as the engine's tests see them: every call up from the engine
// recorded, and a hook for the scan display's start. Test thread.
#pragma once
#include "engine/EngineUi.h"

#include <functional>
#include <map>

class RecordingUi : public IEngineUi
{
public:
    void EnableCommand(UINT id, BOOL enable) override { commands[id] = enable; }
    void UpdateChannelButtons() override { ++channelButtonUpdates; }
    void ShowVideoWindow(BOOL show) override { videoShown = show; }
    void MuteForTuning() override {}
    void BeginScanDisplay() override
    {
        ++scanDisplays;
        if (onScanDisplay)
            onScanDisplay();
    }
    void HideOsdPanel() override { ++panelHides; }
    int ShowMessage(UINT, UINT) override { return IDOK; }
    void SetTrayAtExit(BOOL start) override { trayAtExit = start; }
    int ShowTimedMessage(LPCSTR, UINT) override { return IDOK; }

    std::map<UINT, BOOL> commands;
    int channelButtonUpdates = 0;
    int scanDisplays = 0;
    int panelHides = 0;
    BOOL videoShown = TRUE;
    BOOL trayAtExit = -1;
    std::function<void()> onScanDisplay;
};
