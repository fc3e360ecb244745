// CTVControl: the control panel, a modeless skinned dialog owned by the
// video window while that window shows and standing alone on the task bar
// while it hides. It is the program's main window object: every command,
// hot key and remote key reaches the manager through it (its command
// router, CommandRouter.h, decides which run), and it keeps the channel
// number typed with digits, the short mute around tuning, the picture-
// property bar, the clock, the daily power-off time and the schedule store.
// Sources: TVControl.cpp (window, skin, input source, exit),
// TVControlCommands.cpp (command handlers, menus), TVControlKeys.cpp (keys,
// digits, timers), TVControlSettings.cpp (the settings sheet, the picture
// dialog and their door to the panel). UI thread.
#pragma once
#include "app/ChannelEntry.h"
#include "app/CommandRouter.h"
#include "app/PowerOffTime.h"
#include "platform/mfc/AfxWin.h"
#include "settings/Accel.h"
#include "settings/SettingsPanel.h"
#include "skin/NewMenu.h"
#include "skin/SkinnedDialog.h"
#include "skin/WzdToolTipCtrl.h"

#include <functional>
#include <memory>
#include <vector>

class CChannel;
class CManagerOsdEngine;
class CPanel2;
class CChannelTable;
class CRecordControl;
class CShutDownDlg;
class CScreenTool;
class CSkinMultiSlider;
class CTimeShiftControl;
class CSkinManager;
class CTVManager;
class CTVVideoWnd;
class CTVWallWnd;
class CColorDlg;

// The sound's volume as the panel reaches it: the manager's mixer, or a
// test's fake. Volumes are 0-100; FALSE when the mixer refuses.
class IPanelVolume
{
public:
    virtual BOOL GetVolume(int* volume) = 0;
    virtual BOOL SetVolume(int volume) = 0;
    // Why the mixer refuses, for the trace.
    virtual CString Refusal() = 0;

protected:
    ~IPanelVolume() {}
};

class CTVControl : public CSkinnedDialog, public IPanelCommands, public ISettingsPanel
{
public:
    // The panel's timers.
    enum Timer : UINT_PTR
    {
        kTuningMuteTimer = 1,
        kClockTimer = 2,
        kPowerOffTimer = 3,
        kBlinkTimer = 4,
        kEntryTimer = 5,
        kRecordButtonTimer = 6,
        kPropertyTimer = 7,
        kRotationTimer = 8,
        kStartupTimer = 9,
        kTimeShiftTimer = 555,
    };
    // A recording's message, shown once the handler that posted it returned.
    static const UINT WM_RECORD_MESSAGE = WM_APP + 0x105;
    static const UINT kTuningMuteMs = 600;
    static const DWORD kTuningMuteSettleMs = 100;
    static const UINT kClockMs = 1000;
    // From the panel's making to the making of the windows that wait until
    // the picture shows.
    static const UINT kStartupDelayMs = 1000;
    static const UINT kPropertyBarMs = 5000;
    static const int kVolumeStep = 5;
    static const int kVolumeMax = 100;
    // The volume shown while the mixer has not answered yet: the middle,
    // so that both volume keys move it.
    static const int kUnknownVolume = 50;
    // The tune-channel menu: items per submenu and submenus at most (the
    // items are bounded by their ids, TuneChannelCount).
    static const int kChannelsPerMenu = 30;
    static const int kMaxChannelSubmenus = 10;

    // `appFolder` is read when the skin is put on (the skin files live there).
    CTVControl(CTVManager& manager, const CString& appFolder);
    ~CTVControl() override;

    // The modeless window from its template, owned by `videoWnd`.
    BOOL CreatePanel(CWnd* videoWnd);
    // Dresses the panel in the named skin (the default skin when the name
    // has no files); FALSE when no skin could be put on.
    BOOL SetSkin(LPCSTR skinName);
    // The picture dialog's skin ("ColorSkin.ini" with "Orbane.dll" in the
    // application folder): FALSE when a file is missing, the library does
    // not load or the skin cannot be read.
    BOOL LoadColorSkin();
    BOOL LoadColorSkin(LPCSTR iniPath, LPCSTR library);
    // The picture dialog, when it exists: it wears the colour skin and is
    // hidden and closed with the panel's commands.
    void SetPictureDialog(CSkinnedDialog* dialog);

    // The saved input source selected, the enables and texts for it, and
    // for the tuner its current channel tuned again.
    void ApplyInputSource();
    // The volume and mute controls from the manager.
    void ShowVolumeAndMute();
    // The volume slider's scroll: the volume asked for, or -1 for none.
    // `thumb` is the position a thumb code carries; `slider` the slider's
    // own position, range and page size.
    struct SliderReading
    {
        int position;
        int minimum;
        int maximum;
        int page;
    };
    static int VolumeForHScroll(UINT code, int thumb, int current, const SliderReading& slider);
    static int VolumeForVScroll(UINT code, const SliderReading& slider);
    // Tests: the volume reached through `volume` (NULL: the manager's mixer).
    void SetVolumeDoor(IPanelVolume* volume);
    // The volume the panel shows: the mixer's, or the last asked for when
    // the mixer cannot be read.
    int GetShownVolume() const { return m_nVolume; }
    // Whether the panel is the active window (WM_ACTIVATE).
    BOOL IsActive() const { return m_bActive; }
    // The controls' states brought up to date (idle time, after placement).
    void RefreshState();

    // The panel-visibility flag: whether the panel shows beside the picture.
    BOOL IsPanelWanted() const { return m_bPanelWanted; }
    // The panel's mute state, applied to the sound when the picture starts.
    BOOL IsMuted() const { return m_bMuted; }
    void ShowAsWanted();

    // Keys typed in the other windows, posted here as WM_KEYDOWN.
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    BOOL PreTranslateMessage(MSG* msg) override;
    // The context menu at a screen point.
    void ShowContextMenu(CPoint point);
    // The tune-channel items of the current table into `menu`, titled by
    // string 45303 (only with the TV or FM source); the channels listed are
    // kept for the tune-channel commands. The number of items.
    int BuildChannelMenu(HMENU menu);

    // The panel's part of the exit: the schedule's running item cancelled,
    // time shift, recording and scan stopped, the windows hidden, the graph
    // stopped; the windows' places kept for the next run.
    void StopForExit();
    // The video window's place, aspect and top-most state and the panel's
    // place into the settings (saved with them at exit).
    void SavePlaces();
    // Whether the schedule store "Rec.rec" is open.
    BOOL IsScheduleOpen() const { return m_bScheduleOpen; }
    static const UINT kScheduleItems = 128;
    static const DWORD kCancelWaitMs = 100;

    // The command router: windows that show commands add themselves as
    // views and hand their WM_COMMAND to it.
    CCommandRouter& GetRouter() { return m_router; }
    // The program's state as the commands see it, read now.
    CommandState ComputeState();
    // The engine's up-calls and the panel's own, thin calls into the router.
    void EnableCommand(UINT id, BOOL enable);
    void UpdateChannelButtons();
    void EnableScanCommands(BOOL scanning);

    // The channel on the video window's channel text and the panel's.
    void ShowChannelText(CChannel* channel);
    // The panel's text of an FM channel: "FM" for none, "FM 98.5" for a
    // bare frequency (no number, no name).
    static CString FMChannelText(const CChannel* channel);
    void SetMute(BOOL mute);
    // Volume up or down by `step`, kept within 0-100, shown on the screen.
    void StepVolume(int step);
    // The one road of every volume change (keys, remote, sliders, the tool
    // bar): the mixer set, both sliders and the on-screen text moved. When
    // the mixer refuses, the value asked for is shown and the trace says why.
    void SetVolume(int volume);
    // The short mute while a channel is tuned.
    void MuteForTuning();

    // Channel digits (remote 103-112, digit keys) and the entry mode.
    void EnterChannelDigit(int digit);
    void TuneEnteredChannel();
    void CycleEntryMode();
    CChannelEntry& GetChannelEntry() { return m_entry; }

    // The daily power-off time; its check runs at once.
    void SetPowerOffTime(const CTime& time, BOOL enable);
    void CheckPowerOffTime();
    // Tests: the clock the power-off time and the clock text read.
    void SetClock(CTime (*now)()) { m_pfnNow = now; }
    // The power-off countdown (the daily time, remote codes 133 and 134,
    // the end of a scheduled recording that asked for it): OK powers the
    // machine off after the exit road, Cancel keeps the program running.
    void StartPowerOffCountdown();
    static constexpr int kShutDownSeconds = 10;
    // Tests: how the countdown runs (modally unless set); the answer.
    void SetCountdownRunner(std::function<INT_PTR(CShutDownDlg&)> run) { m_runCountdown = std::move(run); }

    // The channel wall over the whole screen with the picture in its
    // current cell; with no TV channel to show, a message and nothing else
    // (TVControlWall.cpp). The command table gates who may start it.
    void ShowTVWall();
    // Closes a running wall (the picture comes back to the video window).
    void CloseTVWall();
    // The wall, made when first asked for (NULL when it could not be made).
    CTVWallWnd* GetWall()
    {
        FinishStartup();
        return m_pWall.get();
    }

    // The on-screen menu shown (at its first panel) or hidden; the command
    // table gates who may show it.
    void ShowOsdMenu(BOOL show);
    BOOL IsOsdMenuShown() const;
    // The menu itself, made when first asked for (NULL when it could not
    // be made).
    CPanel2* GetOsdMenu()
    {
        FinishStartup();
        return m_pOsdMenu.get();
    }
    // The parts of the panel that wait until the picture shows (the
    // on-screen menu, the channel wall, the floating tool bar, the tool
    // tips): made now, once; a timer makes them soon after start-up, and
    // their first use before it.
    void FinishStartup();
    // The picture-property bar: percent of a value in its range, -1 when
    // the range or the value cannot be shown.
    static int PropertyPercent(int value, int minimum, int maximum);
    BOOL IsPropertyBarUp() const { return m_bPropertyBar; }
    int GetPropertyIndex() const { return m_nProperty; }

    // Recording (TVControlRecord.cpp): the record toggle of the tool bar,
    // whether a recording of either kind runs, the panel's record state
    // shown, and the recording decisions themselves.
    void ToggleRecord();
    BOOL IsRecordRunning();
    void SetRecordUiState(BOOL recording);
    CRecordControl& Record();
    // The floating tool bar of full screen (TVControlScreenTool.cpp): shown
    // or hidden, and its buttons brought up to date with the panel's.
    void ShowScreenTool(BOOL show);
    BOOL IsScreenToolShown() const;
    // Made when first asked for (NULL when it could not be made).
    CScreenTool* GetScreenTool()
    {
        FinishStartup();
        return m_pScreenTool;
    }
    void UpdateScreenTool();
    // Time shift (TVControlTimeShift.cpp): its decisions, and the bar's
    // state shown (ITimeShiftView::BarState).
    CTimeShiftControl& TimeShift();
    void ShowTimeShiftState(int state);

    // The command handlers (the command table names them).
#define PANEL_OVERRIDE_HANDLER(name) void name(UINT id) override;
    PANEL_COMMAND_HANDLERS(PANEL_OVERRIDE_HANDLER)
#undef PANEL_OVERRIDE_HANDLER

    // The settings sheet's and the picture dialog's door to the panel
    // (TVControlSettings.cpp).
    void ReconfigureForSource() override;
    BOOL LoadSkin(LPCSTR name) override;
    void ShowPanel(BOOL show) override;
    void HidePictureDialog() override;
    CAccel* GetAccel() override { return &m_accel; }
    void RestoreDefaultKeys() override;
    void SaveKeys() override;
    void EnableAccelerators(BOOL enable) override;
    void SetOpenSheet(CPropertySheet* sheet) override { m_pOpenSheet = sheet; }
    // The scan of the current band (TV, or FM with the FM source) started
    // or stopped through the manager; the commands follow at once.
    BOOL StartScan() override;
    void StopScan() override;
    void ShowChannel() override;
    void ChannelListChanged() override;
    CPropertySheet* GetOpenSheet() const { return m_pOpenSheet; }
    CColorDlg* GetColorDlg() const { return m_pColorDlg.get(); }

protected:
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnInitMenuPopup(CMenu* menu, UINT index, BOOL sysMenu);
    LRESULT OnRemoteKey(WPARAM key, LPARAM extra);
    LRESULT OnOsdKey(WPARAM key, LPARAM extra);
    void OnTimer(UINT_PTR id);
    // FM: the panel alone, the video window hidden.
    LRESULT OnShowRadioPanel(WPARAM, LPARAM);
    void OnDestroy();
    void OnRButtonDown(UINT flags, CPoint point);
    LRESULT OnTimingEvent(WPARAM item, LPARAM event);
    LRESULT OnLowDisk(WPARAM drive, LPARAM freeMiB);
    LRESULT OnRecordMessage(WPARAM textId, LPARAM captionId);
    LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMove(int x, int y);
    void OnShowWindow(BOOL show, UINT status);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnClose();
    HCURSOR OnQueryDragIcon();
    LRESULT OnPowerBroadcast(WPARAM event, LPARAM);
    // The wall has closed: the picture back in the video window.
    LRESULT OnRelayout(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    class RecordHost;
    class TimeShiftView;
    class ScreenToolHost;
    void CreateScreenTool();
    void DeleteScreenTool();
    void OnRecordTimer(UINT_PTR id);
    void ShowRecordIndicator(BOOL show);
    void RestartBlink();
    void DeleteRecord();
    void DeleteTimeShift();
    // Before a scheduled recording starts: the channel wall, the settings
    // sheet (with what closing it does), the picture dialog and the
    // on-screen menu closed (TVControlSettings.cpp).
    void CloseForSchedule();
    // Whether the sheet that just ended was closed by a scheduled start
    // (then its closing was done already); clears the mark.
    BOOL SheetClosedForSchedule();
    CSkinMultiSlider* TimeShiftBar() const;
    CTVVideoWnd* VideoWnd() const;
    void RunDecision(const RemoteDecision& decision, BYTE code, LPARAM lParam);
    BOOL HandleKey(MSG* msg);
    void SendOsdKey(UINT key, LPARAM lParam);
    void ShowChannelDigits(BOOL emptyPlaces = FALSE);
    void EndTuningMute();
    void ShowPropertyBar();
    void StepProperty(int direction);
    void EndPropertyBar();
    // The bar ended and its text taken off the picture.
    void HidePropertyBar();
    void ClosePictureDialog();
    void StartClock();
    void ShowClock();
    void LoadAccel();
    // The bindable commands with their default keys into the hot-key table.
    void RegisterCommands();
    CString AccelPath() const;
    void ShowPictureDialog(BOOL show);
    // The picture dialog beside the panel, on its right.
    void PlacePictureDialog();
    // The mixer's volume when it answers, else the one shown.
    int ReadVolume();
    void ShowVolumeSliders(int volume);
    void ShowVolumeOsd(int volume);
    SliderReading ReadVolumeSlider() const;
    // The on-screen texts placed below the tool bar while it shows.
    void PlaceOsdTexts();
    void ShowMessageOsd(UINT textId);
    // captionId 0: the program's title.
    void ShowPanelMessage(UINT textId, UINT captionId = 0);
    void ShowFormatName();
    CString NextSkinName() const;
    CString CompanionPath(const char* program) const;
    void OpenSchedule();
    void CloseSchedule();
    void CreateWall();
    void CreateOsdMenu();
    static void CALLBACK OnStartupTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
    void HandVideoTo(HWND window);
    static CRect PlaceOf(CWnd& window);
    void PushToMenu(HMENU menu);
    void AddFormatMenu(HMENU popup);
    void AddToolTips();
    void ShowTexts();
    CTime Now() const;

    CTVManager& m_manager;
    CCommandRouter m_router;
    const CString& m_appFolder;
    BOOL m_bPanelWanted;
    BOOL m_bMuted;
    BOOL m_bActive = FALSE;
    int m_nVolume = kUnknownVolume;
    class ManagerVolume;
    std::unique_ptr<ManagerVolume> m_pManagerVolume;
    IPanelVolume* m_pVolume = NULL;
    CWnd* m_pVideoWnd;
    // The picture dialog (borrowed): it keeps the skin it wears.
    CSkinnedDialog* m_pPictureDialog = NULL;
    BOOL m_bScheduleOpen = FALSE;

    // Remote and digit keys are taken while this is on (off while the
    // settings sheet runs); the hot keys while that is on.
    BOOL m_bKeySwitch = TRUE;
    BOOL m_bHotKeys = TRUE;
    HACCEL m_hAccel = NULL; // m_accel's table, borrowed
    CAccel m_accel;
    CWzdToolTipCtrl m_tips;
    std::unique_ptr<CColorDlg> m_pColorDlg;
    CPropertySheet* m_pOpenSheet = NULL; // the settings sheet while it runs
    BOOL m_bSheetClosedForSchedule = FALSE;
    int m_nSettingsPage = 0;             // the page the sheet was last left on
    CChannelEntry m_entry;
    BOOL m_bTuningMute = FALSE;
    BOOL m_bMuteBeforeTuning = FALSE;
    BOOL m_bPropertyBar = FALSE;
    int m_nProperty = 0;
    CPowerOffTime m_powerOff;
    CTime (*m_pfnNow)() = NULL;
    BOOL m_bCountdown = FALSE; // the power-off countdown runs
    std::function<INT_PTR(CShutDownDlg&)> m_runCountdown;

    // The tune-channel menu's channels, in its order: their place in the
    // table and their frequency (a channel moved since is not tuned).
    struct MenuChannel
    {
        int index;
        long kHz;
    };
    std::vector<MenuChannel> m_menuChannels;
    RecordHost* m_pRecordHost = NULL;
    CRecordControl* m_pRecord = NULL;
    TimeShiftView* m_pTimeShiftView = NULL;
    CTimeShiftControl* m_pTimeShift = NULL;
    ScreenToolHost* m_pScreenToolHost = NULL;
    CScreenTool* m_pScreenTool = NULL;
    BOOL m_bBlink = FALSE;
    // Seconds recorded, shown by the clock while a recording runs.
    int m_nRecordSeconds = 0;

    // The context menu (its first submenu is the popup), with the images of
    // the menu tool bar; loaded when first shown.
    CNewMenu m_contextMenu;
    // The on-screen menu and its door to the program, made with the panel.
    std::unique_ptr<CManagerOsdEngine> m_pOsdEngine;
    std::unique_ptr<CPanel2> m_pOsdMenu;
    // The channel wall, made hidden after start-up.
    std::unique_ptr<CTVWallWnd> m_pWall;
    BOOL m_bStartupFinished = FALSE;
};
