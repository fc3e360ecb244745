// CPanel2: the on-screen menu's host, a borderless pop-up over the picture
// that holds the menu's nine panels and shows one at a time. It owns the
// panels and the bitmaps they share, routes the menu's keys (WM_OSD_KEY)
// down to the current panel and walks the panel tree on what the panel
// passes back. The control panel owns it and creates it at its own start;
// it reaches the program only through the IOsdEngine door. UI thread.
#pragma once
#include "app/MFrame.h"
#include "engine/ScanListener.h"
#include "platform/mfc/AfxWin.h"
#include "platform/timing/Timing.h"

#include <memory>
#include <vector>

class IOsdEngine;

class CPanel2 : public CDialog, public IScanListener
{
public:
    // The panels by their place in the host.
    enum FrameIndex
    {
        kRootFrame, kChannelFrame, kSearchFrame, kColorFrame, kRecordTimeFrame, kRecordPropertyFrame,
        kOffFrame, kListFrame, kVideoFrame, kFrameCount
    };

    explicit CPanel2(IOsdEngine& engine);
    ~CPanel2() override;

    // The modeless window from its template, owned by `parent`.
    BOOL Create(CWnd* parent);
    // Shown: every panel refreshed, at the root; hidden: every panel told.
    void ShowPanel(BOOL show);
    BOOL IsPanelShown() const { return m_hWnd != NULL && IsWindowVisible(); }
    // The WM_OSD_KEY handler's work; always handled.
    LRESULT OnOsdKey(WPARAM vk, LPARAM lParam);
    // Each TRUE when the current panel changed.
    BOOL EnterSubFrame();
    BOOL Back();
    BOOL ShowRootFrame();
    // None past the panels.
    MFrame* GetFrame(int index) const;
    MFrame* GetCurrentFrame() const { return m_pCurrent; }
    // The scan's progress on the scan panel.
    void UpdateScanProgress(long rangeStart, long rangeEnd, long position);
    // A scan has ended: the scan panel, when it shows, goes back.
    void OnScanEnd();
    // The manager's scan, heard while the menu exists (the control panel
    // adds it as a listener): the progress on the scan panel while the
    // menu shows, and one panel back at the end.
    void OnScanChannelFound(const CChannel&) override {}
    void OnScanProgress(int percent) override;
    void OnScanFinished() override { OnScanEnd(); }

    // The schedule item the editor edits (none: a new one).
    void SetEditedItem(HTIMINGITEM item) { m_editedItem = item; }
    HTIMINGITEM GetEditedItem() const { return m_editedItem; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnOK() override {}
    void OnCancel() override {}
    void PostNcDestroy() override;
    LRESULT OnOsdKeyMessage(WPARAM vk, LPARAM lParam) { return OnOsdKey(vk, lParam); }
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()

private:
    void BuildFrames();
    // The current panel hidden, `frame` made current and shown.
    void SwitchTo(MFrame* frame);
    // The dialog the size of the current panel, centred on the desktop.
    void FitToFrame();

    IOsdEngine& m_engine;
    std::vector<std::unique_ptr<MFrame>> m_frames;
    MFrame* m_pCurrent;
    CBitmap m_bmpRowNormal;
    CBitmap m_bmpRowFocused;
    CBitmap m_bmpTop;
    CBitmap m_bmpBottom;
    HTIMINGITEM m_editedItem;
};
