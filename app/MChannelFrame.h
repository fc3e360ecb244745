// MChannelFrame: the on-screen menu's channel panel: scan (Enter opens the
// scan panel and starts or stops a scan), fine tuning of the current
// channel, deleting it, its favourite mark and the favourites-only mode of
// the table. It remembers the channel it showed. Owned by the menu's host;
// UI thread.
#pragma once
#include "app/MFrame.h"

class CChannel;

class MChannelFrame : public MFrame
{
public:
    enum Row { kScanRow, kFineTuneRow, kDeleteRow, kFavouriteRow, kFavouritesOnlyRow };
    // Fine tuning: 50 kHz a key, within 2000 kHz of the channel.
    static constexpr int kFineTuneStep = 50;
    static constexpr int kFineTuneReach = 2000;

    MChannelFrame();

    void OnShow() override;
    // The scan panel, whatever row has the focus.
    MFrame* GetCurrentSubFrame() override { return GetSubFrame(0); }
    int OnRowKey(UINT vk, LPARAM lParam) override;
    void BuildRows() override;
    BOOL Create(const RECT& rect, CWnd* parent, UINT id) override;

    CChannel* GetShownChannel() const { return m_pChannel; }

private:
    int ScanKey(UINT vk);
    int FineTuneKey(UINT vk);
    int DeleteKey(UINT vk);
    int FavouriteKey(UINT vk);
    int FavouritesOnlyKey(UINT vk);
    void DeleteShownChannel();
    // The remembered channel while the current table still holds it.
    CChannel* ShownChannel() const;
    void ShowFavourite();
    // The slider around the channel's frequency.
    void ShowChannelOnSlider();

    CChannel* m_pChannel; // a channel of the current table; not owned
};
