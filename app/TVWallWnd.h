// CTVWallWnd: the channel wall, a full-screen pop-up of the control panel
// that shows sixteen TV channels in a 4 x 4 grid. The current cell's
// channel plays live there (the renderer draws into this window, its
// rectangle moved to the cell); the others show the still taken when the
// wall last left them, or the default picture. The current cell moves on
// each period, by the arrow keys or a click; Enter, Esc, F5 or a double
// click close the wall and tell the panel with WM_RELAYOUT. Made hidden with
// the panel and started again at each wall command. UI thread.
#pragma once
#include "app/AppMessages.h"
#include "app/WallPage.h"
#include "platform/mfc/AfxWin.h"
#include "skin/RectSplitter.h"
#include "skin/SkinBitmap.h"

#include <functional>

class CTVManager;

class CTVWallWnd : public CWnd
{
public:
    static const UINT_PTR kCycleTimer = 3814;
    static const COLORREF kFrameColor = RGB(255, 255, 255);
    static const COLORREF kCurrentFrameColor = RGB(0, 0, 255);

    explicit CTVWallWnd(CTVManager& manager);
    ~CTVWallWnd() override;

    // The hidden window over `rect` (the screen), owned by `parent`; the
    // default picture and the stills folder are taken from the manager's
    // work folder. FALSE when the window cannot be made.
    BOOL Create(const CRect& rect, CWnd* parent);
    // Over the whole screen with the first page of channels, cell 0 live and
    // the cycle running. FALSE, and nothing changes, when the TV table has
    // no channel to show.
    BOOL Start();
    // Hidden, the cycle stopped, the parent told; the next start begins at
    // the table's current channel.
    void Close();
    // The cell becomes current: the still of the cell left is kept, the
    // cell's channel is tuned and plays in it.
    void ShowCell(int index);
    // Periods of a second or less are ignored; a running cycle takes the
    // new period at once.
    BOOL SetPeriod(UINT ms);
    void SetFolder(LPCSTR path);
    BOOL LoadDefaultPicture(LPCSTR file);
    BOOL LoadDefaultPicture(UINT bitmapId);
    void SetFrameColor(COLORREF color) { m_frameColor = color; }
    void SetCurrentFrameColor(COLORREF color) { m_currentFrameColor = color; }
    // Called before each tuning (the panel's short mute).
    void SetTuningMute(std::function<void()> mute) { m_tuningMute = std::move(mute); }

    BOOL IsRunning() const { return m_bRunning; }
    int GetCurrentCell() const { return m_page.GetCurrent(); }
    const CWallPage& GetPage() const { return m_page; }
    const CString& GetFolder() const { return m_folder; }
    const CRectSplitter& GetSplitter() const { return m_splitter; }
    // The channel last shown in a cell, NULL when none since the start.
    CChannel* GetShownChannel(int cell) const;
    BOOL HasStill(int cell) const;
    // The rectangle the picture plays in for a cell: the cell inside its frame.
    CRect VideoRect(int cell) const;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnTimer(UINT_PTR id);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void SplitScreen();
    void StartTimer();
    void StopTimer();
    void OnKey(UINT vk);
    void ClickCell(CPoint point);
    void KeepStill(int cell);
    void DrawCell(CDC* dc, int cell);
    void RedrawCell(int cell);

    CTVManager& m_manager;
    CRectSplitter m_splitter;
    CSkinBitmap m_defaultPicture;
    CWallPage m_page;
    CChannel* m_shown[CWallPage::kCells];
    CSkinBitmap m_stills[CWallPage::kCells];
    BOOL m_bRunning;
    BOOL m_bTimer;
    BOOL m_bNextPageAtWrap;
    COLORREF m_frameColor;
    COLORREF m_currentFrameColor;
    COLORREF m_labelColor;
    CString m_folder;
    std::function<void()> m_tuningMute;
};
