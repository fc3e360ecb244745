#include "app/WallPage.h"

#include "engine/PathHelpers.h"

#include <cstdio>

namespace {

// The index of the first channel after `index` (-1: before the first) that
// the table steps to, wrapping; -1 when there is none. The table is not
// empty.
int NextQualifying(const CChannelTable& table, int index)
{
    const int count = static_cast<int>(table.GetSize());
    for (int step = 1; step <= count; ++step) {
        const int i = ((index + step) % count + count) % count;
        if (table.Qualifies(table.GetAt(i)))
            return i;
    }
    return -1;
}

} // namespace

CWallPage::CWallPage() : m_count(0), m_current(0), m_cursorKHz(-1), m_period(kDefaultPeriod)
{
    for (CChannel*& channel : m_channels)
        channel = NULL;
}

BOOL CWallPage::LoadPage(const CChannelTable& table)
{
    m_count = 0;
    for (CChannel*& channel : m_channels)
        channel = NULL;
    if (table.GetSize() == 0)
        return FALSE;
    int first;
    if (m_cursorKHz == -1) {
        // The current channel itself when it may be shown.
        const int current = table.IndexOf(table.GetCurrentChannel());
        first = current >= 0 && table.Qualifies(table.GetAt(current)) ? current : NextQualifying(table, current);
    } else {
        first = NextQualifying(table, table.FindByFrequency(m_cursorKHz));
    }
    if (first < 0)
        return FALSE;
    int index = first;
    for (int cell = 0; cell < kCells; ++cell) {
        m_channels[cell] = table.GetAt(index);
        index = NextQualifying(table, index);
    }
    m_count = kCells;
    m_cursorKHz = m_channels[kCells - 1]->Frequency;
    return TRUE;
}

CChannel* CWallPage::GetChannel(int cell) const
{
    return cell >= 0 && cell < m_count ? m_channels[cell] : NULL;
}

BOOL CWallPage::SetCurrent(int cell)
{
    if (cell < 0 || cell >= kCells)
        return FALSE;
    m_current = cell;
    return TRUE;
}

int CWallPage::NextByTimer(BOOL& newPage) const
{
    const int next = m_current + 1;
    newPage = next >= kCells;
    return newPage ? 0 : next;
}

CWallPage::KeyAction CWallPage::OnKey(UINT vk, int& cell) const
{
    const int row = m_current / kColumns;
    const int column = m_current % kColumns;
    switch (vk) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_F5:
        return kKeyClose;
    case VK_LEFT:
        cell = row * kColumns + (column + kColumns - 1) % kColumns;
        return kKeyMoved;
    case VK_RIGHT:
    case VK_F4:
        cell = row * kColumns + (column + 1) % kColumns;
        return kKeyMoved;
    case VK_UP:
        cell = (row + kRows - 1) % kRows * kColumns + column;
        return kKeyMoved;
    case VK_DOWN:
        cell = (row + 1) % kRows * kColumns + column;
        return kKeyMoved;
    default:
        return kKeyIgnored;
    }
}

BOOL CWallPage::SetPeriod(UINT ms)
{
    if (ms <= kShortestRefused)
        return FALSE;
    m_period = ms;
    return TRUE;
}

CString CWallPage::StillName(int cell)
{
    char name[16];
    snprintf(name, sizeof name, "%d.bmp", cell);
    return name;
}

CString CWallPage::StillPath(LPCSTR folder, int cell)
{
    return PathJoin(folder, StillName(cell));
}

CString CWallPage::StillsFolder(LPCSTR workFolder)
{
    return PathJoin(workFolder, "WALL");
}
