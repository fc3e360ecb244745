// CDevicePage: the video input and standard, the sound capture device, its
// input and record level, the playback device and line, the TV sound mode
// and the outside teletext program. Each change is applied at once through
// the manager; Cancel puts back what was in force when the page loaded. The
// sheet owns the page; UI thread.
#pragma once
#include "settings/BasePage.h"

class CScrollBar;

class CDevicePage : public CBasePage
{
public:
    explicit CDevicePage(const SettingsContext& context);

    // What Cancel puts back.
    struct Saved
    {
        int input = 0;
        CString audioDevice;
        CString audioInput;
        CString playDevice;
        CString playLine;
        int soundMode = 0;
        int level = 50;
    };
    const Saved& GetSaved() const { return m_saved; }

    // The teletext window is looked for this often while the option is on.
    static const UINT kTeletextPollMs = 2000;

    void LoadSettings() override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void OnReset() override;

protected:
    // Whether the card has a TV sound decoder the sound mode can steer.
    virtual BOOL HasTVAudioControl();
    // The capture chip's type (0x7133 has a main and a second programme in
    // place of languages); 0 when the card does not tell.
    virtual DWORD GetChipType();

    void OnVideoInput();
    void OnStandard();
    void OnAudioDevice();
    void OnAudioInput();
    void OnPlayDevice();
    void OnPlayLine();
    void OnSoundMode(UINT id);
    void OnTeletext();
    void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void FillInputs();
    void FillStandards();
    void FillAudioDevices();
    void FillAudioInputs();
    void FillPlayDevices();
    void FillPlayLines();
    void ShowLevel();
    void ShowSoundModes();
    void PlaceSoundModesForChip();
    void SelectInput(int input);
    void SetLevel(int level);

    Saved m_saved;
    BOOL m_bLevelUsable;
    BOOL m_bPolling;
};
