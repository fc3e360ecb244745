// CTVWallWnd: the channel wall, a full-screen pop-up of the control panel
// that shows sixteen TV channels in a 4 x 4 grid. The current cell's
// channel plays live there: the renderer draws into a pane of the cell's
// size that the wall owns and moves from cell to cell (Wine's enhanced
// renderer fills its whole window with the picture whatever rectangle it
// is given, and draws nothing into a child window). The other cells show
// the still taken when the wall last left them, or the default picture. The current cell moves on each period, by
// the arrow keys or a click; Enter, Esc, F5 or a double click close the
// wall and tell the panel with WM_RELAYOUT. Made hidden with the panel,
// started again at each wall command. UI thread.
#pragma once
#include "app/WallPage.h"
#include "platform/mfc/AfxWin.h"
#include "skin/RectSplitter.h"
#include "skin/SkinBitmap.h"

#include <functional>

class CTVManager;

// The pop-up the live picture plays in, over the current cell. It never
// takes the focus and hands the mouse and the keys on to the wall.
class CWallPane : public CWnd
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CTVWallWnd : public CWnd
{
public:
    static const UINT_PTR kCycleTimer = 3814;
    static const COLORREF kFrameColor = RGB(255, 255, 255);
    // 0xFF0000 as a colour value: blue.
    static const COLORREF kCurrentFrameColor = RGB(0, 0, 255);
    static const COLORREF kLabelColor = RGB(255, 255, 255);

    explicit CTVWallWnd(CTVManager& manager);
    ~CTVWallWnd() override;

    // The hidden window over `rect` (the screen), owned by `parent`; the
    // default picture and the stills folder come from the manager's work
    // folder. FALSE when the window cannot be made.
    BOOL Create(const CRect& rect, CWnd* parent);
    // Over the whole screen with the first page of channels, cell 0 live
    // and the cycle running. FALSE, and nothing changes, when the TV table
    // has no channel the page could show.
    BOOL Start();
    // Hidden, the cycle stopped, the parent told (sent WM_RELAYOUT); the
    // next start begins at the table's current channel.
    void Close();
    // The cell becomes current: the still of the cell left is kept, the
    // cell's channel is tuned and plays in it.
    void ShowCell(int index);
    // Periods of a second or less are ignored (FALSE); a running cycle
    // takes the new period at once.
    BOOL SetPeriod(UINT ms);
    // Where the stills go; made when missing.
    void SetFolder(LPCSTR path);
    BOOL LoadDefaultPicture(LPCSTR file);
    BOOL LoadDefaultPicture(UINT bitmapId);
    void SetFrameColor(COLORREF color) { m_frameColor = color; }
    void SetCurrentFrameColor(COLORREF color) { m_currentFrameColor = color; }
    // Called before each tuning (the panel's short mute).
    void SetTuningMute(std::function<void()> mute) { m_tuningMute = std::move(mute); }

    // The window the renderer draws into while the wall runs.
    HWND GetVideoPane() const { return m_pane.m_hWnd; }
    BOOL IsRunning() const { return m_bRunning; }
    int GetCurrentCell() const { return m_page.GetCurrent(); }
    const CWallPage& GetPage() const { return m_page; }
    const CString& GetFolder() const { return m_folder; }
    const CRectSplitter& GetSplitter() const { return m_splitter; }
    // The channel last shown in a cell, NULL when none since the start.
    CChannel* GetShownChannel(int cell) const;
    BOOL HasStill(int cell) const;
    // Where the picture plays for a cell: the cell inside its frame
    // (client coordinates); empty out of range.
    CRect VideoRect(int cell) const;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnTimer(UINT_PTR id);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
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
    void PlacePane(int cell);
    void DrawCell(CDC* dc, int cell);
    void RedrawCell(int cell);

    CTVManager& m_manager;
    CRectSplitter m_splitter;
    CSkinBitmap m_defaultPicture;
    CWallPage m_page;
    CChannel* m_shown[CWallPage::kCells];
    CSkinBitmap m_stills[CWallPage::kCells];
    CWallPane m_pane;
    BOOL m_bRunning;
    BOOL m_bTimer;
    BOOL m_bNextPageAtWrap;
    COLORREF m_frameColor;
    COLORREF m_currentFrameColor;
    COLORREF m_labelColor;
    CString m_folder;
    std::function<void()> m_tuningMute;
};
