#include "app/MSearchFrame.h"

#include "app/MProgress.h"
#include "app/OsdEngine.h"
#include "app/Panel2.h"
#include "resources/Resource.h"

MSearchFrame::MSearchFrame() : m_pProgress(NULL)
{
}

BOOL MSearchFrame::Create(const RECT& rect, CWnd* parent, UINT)
{
    return MFrame::Create(rect, parent, IDW_OSD_SEARCH);
}

void MSearchFrame::BuildRows()
{
    const UINT id = IDW_OSD_SEARCH;
    MItemWnd* row = NewRow(id);
    AddLabel(row, id, IDS_STOP_SCAN);
    m_pProgress = AddProgress(row, CRect(289, 10, 579, kRowHeight), id, 0, 100);
    if (m_pProgress != NULL)
        m_pProgress->SetActive(FALSE);
}

void MSearchFrame::OnShow()
{
    CString help;
    help.LoadString(IDS_SCAN_CHANNELS);
    SetHelpText(help);
}

int MSearchFrame::OnKey(UINT vk, LPARAM)
{
    if ((vk == kOsdKeyEnter || vk == kOsdKeyMenu || vk == kOsdKeyClose) && m_pEngine != NULL &&
        m_pEngine->IsScanning()) {
        m_pEngine->StopScan();
        m_pEngine->HideOsdPanel();
    }
    return kOsdNotHandled;
}

void MSearchFrame::SetProgress(long rangeStart, long rangeEnd, long position)
{
    if (m_pProgress == NULL)
        return;
    m_pProgress->SetRange((int)rangeStart, (int)rangeEnd);
    m_pProgress->SetPos((int)position);
    if (position == rangeEnd && m_pHost != NULL && m_pHost->GetCurrentFrame() == this)
        m_pHost->Back();
}
