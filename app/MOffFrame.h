// MOffFrame: the on-screen menu's power-off panel, under the video panel:
// a date and a time of day edited field by field, and a switch whose Enter
// stores them as the daily power-off time (or switches the power-off off)
// and goes back. Owned by the menu's host; UI thread.
#pragma once
#include "app/MFrame.h"
#include "platform/mfc/Time.h"

class MOffFrame : public MFrame
{
public:
    enum Row { kDateRow, kTimeRow, kEnableRow };

    void OnShow() override;
    int OnRowKey(UINT vk, LPARAM lParam) override;
    void BuildRows() override;
    BOOL Create(const RECT& rect, CWnd* parent, UINT id) override;

    // The editors' date and time; FALSE for one that does not exist.
    BOOL ReadTime(CTime& time) const;
    // The editors set to a time.
    void ShowTime(const CTime& time);
    const CTime& GetEditedTime() const { return m_time; }

private:
    CTime m_time;
};
