// MRecordTimeFrame: the on-screen menu's schedule editor, under the
// schedule list: the date, start time, duration, channel and power-off of
// one scheduled recording (a new one, or the item the host holds as the
// edited item), stored in the timing library on Enter of its last row.
// Owned by the menu's host; UI thread.
#pragma once
#include "app/MFrame.h"
#include "platform/mfc/Time.h"
#include "platform/timing/Timing.h"

#include <vector>

class MRecordTimeFrame : public MFrame
{
public:
    enum Row { kDateRow, kStartRow, kDurationRow, kChannelRow, kPowerOffRow, kStoreRow };
    enum StoreOption { kStore, kCancel };
    // A new recording's length: 50 minutes.
    static constexpr int kNewDurationSeconds = 50 * 60;

    void OnHide() override;
    void OnShow() override;
    // None: the editor has no sub-panel.
    MFrame* GetCurrentSubFrame() override { return GetSubFrame(0); }
    void Show(BOOL show) override;
    int OnRowKey(UINT vk, LPARAM lParam) override;
    void BuildRows() override;
    BOOL Create(const RECT& rect, CWnd* parent, UINT id) override;
    int OnKey(UINT vk, LPARAM lParam) override;

    // Whether any number or option differs from what the editor showed.
    BOOL IsChanged() const;

    // The widgets read into the records; FALSE (a message shown) for a day
    // its month lacks or a recording of no length, nothing changed then.
    BOOL ReadFields();
    const _tagTimingParam& GetTimingParam() const { return m_timing; }
    const _tagExcuteParam& GetExcuteParam() const { return m_execute; }
    const CTime& GetStart() const { return m_start; }
    // The frequency each channel option stands for, in option order.
    const std::vector<long>& GetChannelFrequencies() const { return m_channelFrequencies; }

private:
    void FillChannels();
    void ShowRecord(const _tagTimingParam& timing, const _tagExcuteParam& execute);
    void ShowNew();
    void SetFields(int row, int a, int b, int c);
    // Stores the read records, new or over the edited item.
    void Store();
    // The edited item while the library still holds it.
    HTIMINGITEM EditedItem() const;
    // The store row's Enter: read, checked, stored and back to the list;
    // a refused edit stays.
    int StoreAndGoBack();
    void GoBack();
    void SetHelp(UINT textId);
    // Every number and option, in row order.
    std::vector<int> Edits() const;

    int m_fields[6] = {};
    CTime m_start;
    long m_lFrequency = 0;
    BOOL m_bPowerOff = FALSE;
    _tagExcuteParam m_execute = {};
    _tagTimingParam m_timing = {};
    // Each channel option's frequency: an option stands for its channel,
    // not for a position in the table that a deletion would move.
    std::vector<long> m_channelFrequencies;
    std::vector<int> m_shown; // Edits() as OnShow left them
    BOOL m_bWarned = FALSE;   // the menu key has met a change once
};
