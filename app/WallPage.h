// CWallPage: what the channel wall shows and where it goes next, apart
// from its window - the sixteen channels of a page taken from the TV table,
// the current cell, the keys' moves on the 4 x 4 grid, the period and the
// stills' names. The channels belong to the table. UI thread.
#pragma once
#include "engine/ChannelTable.h"

#include <windows.h>

class CWallPage
{
public:
    static const int kRows = 4;
    static const int kColumns = 4;
    static const int kCells = kRows * kColumns;
    static const UINT kDefaultPeriod = 2000;
    // Periods of this or less are refused.
    static const UINT kShortestRefused = 1000;

    enum KeyAction { kKeyIgnored, kKeyMoved, kKeyClose };

    CWallPage();

    // The next sixteen channels: from the table's current channel when the
    // cursor is reset, else from the channel after the last page's last
    // one. Channels are those the table steps to (visible; favourites
    // only in favourites mode), in table order, wrapping, repeated when
    // fewer than sixteen. FALSE, and an empty page, when the table has
    // none: the wall then has nothing to show.
    BOOL LoadPage(const CChannelTable& table);
    // The next page starts at the table's current channel again.
    void ResetCursor() { m_cursorKHz = -1; }
    long GetCursor() const { return m_cursorKHz; }
    BOOL IsEmpty() const { return m_count == 0; }
    // NULL out of range or on an empty page.
    CChannel* GetChannel(int cell) const;

    int GetCurrent() const { return m_current; }
    BOOL SetCurrent(int cell);
    // The cell after the current one for the timer; `newPage` TRUE when it
    // wrapped to the first cell (the caller loads the next page when it
    // takes pages at the wrap).
    int NextByTimer(BOOL& newPage) const;
    // What a key does: the cell it moves to in `cell` for kKeyMoved.
    KeyAction OnKey(UINT vk, int& cell) const;

    // The period in ms; values of kShortestRefused or less are refused
    // (FALSE, nothing changes).
    BOOL SetPeriod(UINT ms);
    UINT GetPeriod() const { return m_period; }

    // The still of a cell: "<cell>.bmp" in the stills folder.
    static CString StillName(int cell);
    static CString StillPath(LPCSTR folder, int cell);
    // The stills folder: "WALL" under the work folder.
    static CString StillsFolder(LPCSTR workFolder);

private:
    CChannel* m_channels[kCells];
    int m_count;       // entries filled: 0 or kCells
    int m_current;
    long m_cursorKHz;  // the last page's last channel; -1: start at the current
    UINT m_period;
};
