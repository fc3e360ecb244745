// CTVControl: the control panel, a modeless skinned dialog owned by the
// video window while that window shows and standing alone on the task bar
// while it hides. It is the program's main window object. This holds what
// start-up, the video window and exit need of it: its window and skin, the
// start of the input source, the volume and mute controls, showing it as
// its visibility flag says, and its part of the exit. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"
#include "platform/mfc/Time.h"
#include "skin/NewMenu.h"

#include <memory>

class CManagerOsdEngine;
class CPanel2;
class CSkinManager;
class CTVManager;

class CTVControl : public CDialog
{
public:
    // `appFolder` is read when the skin is put on (the skin files live there).
    CTVControl(CTVManager& manager, const CString& appFolder);
    ~CTVControl() override;

    // The modeless window from its template, owned by `videoWnd`.
    BOOL CreatePanel(CWnd* videoWnd);
    // Dresses the panel in the named skin (the default skin when the name
    // has no files); FALSE when no skin could be put on.
    BOOL SetSkin(LPCSTR skinName);
    BOOL HasSkin() const { return m_pSkin != NULL; }

    // The saved input source selected and, for the tuner, its current
    // channel tuned again.
    void ApplyInputSource();
    // The volume and mute controls from the manager.
    void ShowVolumeAndMute();
    // The controls' states brought up to date (idle time, after placement).
    void RefreshState();

    // The panel-visibility flag: whether the panel shows beside the picture.
    BOOL IsPanelWanted() const { return m_bPanelWanted; }
    // The panel's mute state, applied to the sound when the picture starts.
    BOOL IsMuted() const { return m_bMuted; }
    void ShowAsWanted();

    // Keys typed in the other windows, posted here as WM_KEYDOWN.
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    // The context menu at a screen point.
    void ShowContextMenu(CPoint point);

    // The on-screen menu: shown (with the TV source, while neither a
    // recording nor time shift runs) or hidden.
    void ShowOsdMenu(BOOL show);
    BOOL IsOsdMenuShown() const;
    BOOL CanShowOsdMenu();
    // A key for the on-screen menu: while it shows, its keys (menu, arrows,
    // Enter, the close code) go to it. TRUE when taken.
    BOOL OnOsdKey(UINT vk, LPARAM lParam = 0);
    // The menu itself (NULL before the panel is made).
    CPanel2* GetOsdMenu() const { return m_pOsdMenu.get(); }
    // The daily power-off time and its switch.
    void SetPowerOffTime(const CTime& time, BOOL enable);

    // The panel's part of the exit: scan stopped, panel hidden, the graph
    // stopped.
    void StopForExit();

protected:
    void OnOK() override {}
    void OnCancel() override {}
    void OnExitCommand();
    void OnOsdMenuCommand();
    LRESULT OnRemoteKey(WPARAM key, LPARAM extra);
    // FM: the panel alone, the video window hidden.
    LRESULT OnShowRadioPanel(WPARAM, LPARAM);
    void OnDestroy();
    void OnRButtonDown(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CTVManager& m_manager;
    const CString& m_appFolder;
    CSkinManager* m_pSkin;
    BOOL m_bPanelWanted;
    BOOL m_bMuted;
    CWnd* m_pVideoWnd;
    // The context menu (its first submenu is the popup), with the images of
    // the menu tool bar; loaded when first shown.
    CNewMenu m_contextMenu;
    std::unique_ptr<CManagerOsdEngine> m_pOsdEngine;
    std::unique_ptr<CPanel2> m_pOsdMenu;
    BOOL m_bPowerOffOn;
    CTime m_powerOffTime;
};
