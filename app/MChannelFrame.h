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

    // The channel the panel shows while the current table still holds it.
    CChannel* GetShownChannel() const { return ShownChannel(); }

private:
    int ScanKey(UINT vk);
    int FineTuneKey(UINT vk);
    int DeleteKey(UINT vk);
    int FavouriteKey(UINT vk);
    int FavouritesOnlyKey(UINT vk);
    void DeleteShownChannel();
    CChannel* ShownChannel() const;
    // Remembers a channel of the table (none: NULL).
    void Remember(const CChannel* channel);
    void ShowFavourite();
    // The slider around the channel's frequency.
    void ShowChannelOnSlider();

    // The channel shown, by its number and frequency rather than by its
    // address: the table may be replaced under the panel (a scan, the
    // channel page) and a new channel may take the old one's memory.
    BOOL m_bShown;
    long m_lShownId;
    long m_lShownKHz;
};
