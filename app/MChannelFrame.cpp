#include "app/MChannelFrame.h"

#include "app/MSelectList.h"
#include "app/MSlider.h"
#include "app/OsdEngine.h"
#include "resources/Resource.h"

namespace {

// Option 0 of each two-option selector is the yes side.
const int kYes = 0;
const int kNo = 1;

} // namespace

MChannelFrame::MChannelFrame() : m_bShown(FALSE), m_lShownId(0), m_lShownKHz(0)
{
}

BOOL MChannelFrame::Create(const RECT& rect, CWnd* parent, UINT)
{
    return MFrame::Create(rect, parent, IDW_OSD_CHANNEL);
}

void MChannelFrame::BuildRows()
{
    const UINT id = IDW_OSD_CHANNEL;
    MItemWnd* row = NewRow(id);
    AddLabel(row, id, IDS_OSD_CHANNEL_SCAN);
    AddText(row, CRect(180, 0, 579, kRowHeight), id, IDS_OSD_CHANNEL_SCAN_HINT);

    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_CHANNEL_FINE_TUNE);
    AddSlider(row, CRect(253, 10, 599, kRowHeight), id);

    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_CHANNEL_DELETE);
    AddSelect(row, CRect(253, 6, 510, kRowHeight), id, {IDS_OSD_YES, IDS_OSD_NO});

    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_CHANNEL_FAVOURITE);
    AddSelect(row, CRect(253, 6, 510, kRowHeight), id, {IDS_OSD_YES, IDS_OSD_NO});

    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_CHANNEL_FAVOURITES_ONLY);
    AddSelect(row, CRect(253, 6, 510, kRowHeight), id, {IDS_OSD_FAVOURITES, IDS_OSD_ALL_CHANNELS});
}

void MChannelFrame::Remember(const CChannel* channel)
{
    m_bShown = channel != NULL;
    m_lShownId = channel ? channel->ID : 0;
    m_lShownKHz = channel ? channel->Frequency : 0;
}

CChannel* MChannelFrame::ShownChannel() const
{
    if (!m_bShown || m_pEngine == NULL)
        return NULL;
    const CChannelTable& table = m_pEngine->GetCurrentTable();
    for (int i = 0; i < table.GetSize(); ++i) {
        CChannel* channel = table.GetChannel(i);
        if (channel != NULL && channel->ID == m_lShownId && channel->Frequency == m_lShownKHz)
            return channel;
    }
    return NULL;
}

void MChannelFrame::ShowChannelOnSlider()
{
    MSlider* slider = RowWidget<MSlider>(kFineTuneRow);
    const CChannel* channel = ShownChannel();
    if (slider == NULL || channel == NULL)
        return;
    const long f = channel->Frequency;
    slider->SetRange(f - kFineTuneReach, f + kFineTuneReach);
    slider->SetStep(kFineTuneStep);
    slider->SetPos(f);
}

void MChannelFrame::ShowFavourite()
{
    MSelectList* favourite = RowWidget<MSelectList>(kFavouriteRow);
    const CChannel* channel = ShownChannel();
    if (favourite != NULL)
        favourite->SetState(channel != NULL && channel->IsFavor() ? kYes : kNo);
}

void MChannelFrame::OnShow()
{
    if (m_pEngine == NULL)
        return;
    CChannelTable& table = m_pEngine->GetCurrentTable();
    Remember(table.GetCurrentChannel());
    ShowChannelOnSlider();
    if (MSelectList* remove = RowWidget<MSelectList>(kDeleteRow))
        remove->SetState(kNo);
    ShowFavourite();
    if (MSelectList* only = RowWidget<MSelectList>(kFavouritesOnlyRow))
        only->SetState(table.GetFavorMode() ? kYes : kNo);
}

int MChannelFrame::OnRowKey(UINT vk, LPARAM)
{
    CloseOnCloseKey(vk);
    if (m_pEngine == NULL)
        return kOsdIgnored;
    switch (GetFocusRow()) {
    case kScanRow:
        return ScanKey(vk);
    case kFineTuneRow:
        return FineTuneKey(vk);
    case kDeleteRow:
        return DeleteKey(vk);
    case kFavouriteRow:
        return FavouriteKey(vk);
    case kFavouritesOnlyRow:
        return FavouritesOnlyKey(vk);
    default:
        return kOsdIgnored;
    }
}

int MChannelFrame::ScanKey(UINT vk)
{
    if (vk != kOsdKeyEnter)
        return kOsdIgnored;
    if (m_pEngine->IsScanning())
        m_pEngine->StopScan();
    else
        m_pEngine->StartScan(m_pEngine->GetVideoSource() != IOsdEngine::kSourceFM);
    // The host opens the scan panel.
    return kOsdNotHandled;
}

int MChannelFrame::FineTuneKey(UINT vk)
{
    if (vk != kOsdKeyLeft && vk != kOsdKeyRight)
        return kOsdIgnored;
    CChannel* channel = ShownChannel();
    MSlider* slider = RowWidget<MSlider>(kFineTuneRow);
    if (channel != NULL && slider != NULL) {
        CChannelTable& table = m_pEngine->GetCurrentTable();
        channel->Frequency = slider->GetPos();
        m_lShownKHz = channel->Frequency;
        if (table.GetCurrentChannel() == channel)
            table.SetCurrentFrequency(channel->Frequency);
        // The tuned frequency is kept with the channel list.
        table.SetModified();
        m_pEngine->TuneFrequency(m_pEngine->GetVideoSource() == IOsdEngine::kSourceFM, channel->Frequency);
    }
    return kOsdHandled;
}

int MChannelFrame::DeleteKey(UINT vk)
{
    if (vk != kOsdKeyEnter)
        return kOsdIgnored;
    MSelectList* remove = RowWidget<MSelectList>(kDeleteRow);
    if (remove != NULL && remove->GetCurSel() == kYes)
        DeleteShownChannel();
    return kOsdHandled;
}

void MChannelFrame::DeleteShownChannel()
{
    CChannelTable& table = m_pEngine->GetCurrentTable();
    if (CChannel* channel = ShownChannel()) {
        table.RemoveAt(table.IndexOf(channel));
        delete channel;
        table.SetModified();
    }
    CChannel* current = table.GetCurrentChannel();
    Remember(current);
    if (current != NULL) {
        if (MSlider* slider = RowWidget<MSlider>(kFineTuneRow)) {
            long minKHz = 0, maxKHz = 0;
            if (m_pEngine->GetTVFrequencyRange(&minKHz, &maxKHz))
                slider->SetRange(minKHz, maxKHz);
            slider->SetPos(current->Frequency);
        }
        table.SetCurrentChannel(current);
    }
    ShowFavourite();
}

int MChannelFrame::FavouriteKey(UINT vk)
{
    if (vk != kOsdKeyLeft && vk != kOsdKeyRight)
        return kOsdIgnored;
    CChannel* channel = ShownChannel();
    MSelectList* favourite = RowWidget<MSelectList>(kFavouriteRow);
    if (channel != NULL && favourite != NULL) {
        channel->SetFavor(favourite->GetCurSel() == kYes);
        // The mark is kept with the channel list.
        m_pEngine->GetCurrentTable().SetModified();
    }
    return kOsdHandled;
}

int MChannelFrame::FavouritesOnlyKey(UINT vk)
{
    if (vk != kOsdKeyLeft && vk != kOsdKeyRight)
        return kOsdIgnored;
    if (MSelectList* only = RowWidget<MSelectList>(kFavouritesOnlyRow))
        m_pEngine->GetCurrentTable().SetFavorMode(only->GetCurSel() == kYes);
    return kOsdHandled;
}
