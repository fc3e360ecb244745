// ISettingsPanel: what the settings pages and the picture dialog need of the
// control panel, as one narrow door (the panel implements it; tests and a
// program without a panel use the do-nothing form). UI thread.
#pragma once
#include "platform/mfc/Time.h"

#include <windows.h>

class CAccel;
class CPropertySheet;

class ISettingsPanel
{
public:
    virtual ~ISettingsPanel() = default;

    // The panel's part of an input change: its commands and texts for the
    // manager's current source (the manager has already switched).
    virtual void ReconfigureForSource() = 0;
    // The short sound mute around a re-tune or a picture-size change.
    virtual void MuteForTuning() = 0;
    // Dresses the panel in a skin; FALSE when it could not be loaded.
    virtual BOOL LoadSkin(LPCSTR name) = 0;
    virtual void ShowPanel(BOOL show) = 0;
    virtual void HidePictureDialog() = 0;

    // The hot-key table the panel owns (NULL: none); the interface page
    // edits it through the panel so the accelerators follow.
    virtual CAccel* GetAccel() = 0;
    // Rebuilds the default commands and keys.
    virtual void RestoreDefaultKeys() = 0;
    // Saves the "Accel" archive and rebuilds the accelerator table.
    virtual void SaveKeys() = 0;
    // Hot keys on or off (off while a sheet runs).
    virtual void EnableAccelerators(BOOL enable) = 0;

    // The sheet open now (NULL once it closed): a scheduled recording
    // that starts closes it.
    virtual void SetOpenSheet(CPropertySheet* sheet) = 0;

    // What the channel, record and schedule pages ask of the panel; a
    // panel without these parts answers with nothing done.
    // The daily power-off time and its switch.
    virtual void SetPowerOffTime(const CTime& time, BOOL enable) { (void)time; (void)enable; }
    // The record-format checks of its menu follow the manager's format.
    virtual void UpdateMenuChecks() {}
    // Starts or stops the scan of the current source; FALSE when refused.
    virtual BOOL StartScan() { return FALSE; }
    virtual void StopScan() {}
    // Shows the current channel on the screen.
    virtual void ShowChannel() {}
    // A channel table's channels were deleted or replaced: nothing may keep
    // pointing at the old ones (the tune-channel menu's list).
    virtual void ChannelListChanged() {}
};

class CNullSettingsPanel : public ISettingsPanel
{
public:
    void ReconfigureForSource() override {}
    void MuteForTuning() override {}
    BOOL LoadSkin(LPCSTR) override { return FALSE; }
    void ShowPanel(BOOL) override {}
    void HidePictureDialog() override {}
    CAccel* GetAccel() override { return nullptr; }
    void RestoreDefaultKeys() override {}
    void SaveKeys() override {}
    void EnableAccelerators(BOOL) override {}
    void SetOpenSheet(CPropertySheet*) override {}
};
