// CScheduleDlg: one scheduled recording edited as the user sees it: source,
// channel, a date or weekdays, start time, duration and what happens after.
// The schedule page makes it on its stack, fills the records when editing,
// runs it modally and reads the records back after OK. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"
#include "platform/mfc/CommonControls.h"
#include "platform/timing/Timing.h"
#include "skin/CheckComboBox.h"

class CTVManager;
class CChannelTable;

class CScheduleDlg : public CDialog
{
public:
    explicit CScheduleDlg(CTVManager& manager, CWnd* parent = NULL);

    // Set on construction; the page clears it to edit the records below.
    BOOL m_bNewItem;
    _tagExcuteParam m_execute;
    _tagTimingParam m_timing;

    // The clock a new item starts from and OK compares with; the system's
    // unless a test sets one.
    void SetNow(const CTime& now) { m_now = now; }

    static constexpr int kSources = 4;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnSourceChanged();
    void OnRefreshChannels();
    void OnOnceClicked();
    void OnPowerOffClicked();
    void OnHibernateClicked();
    DECLARE_MESSAGE_MAP()

private:
    CTime Now() const;
    int SelectedSource() const;
    const CChannelTable& TableOf(int source) const;
    void FillChannels();
    void ShowOnce(BOOL once);
    void LoadRecords();

    CTVManager& m_manager;
    CSpinButtonCtrl m_secondsSpin, m_minutesSpin, m_hoursSpin;
    CComboBox m_source;
    CCheckComboBox m_weekdays;
    CComboBox m_channel;
    CDateTimeCtrl m_dateCtrl, m_date2Ctrl, m_startCtrl;
    int m_once;
    int m_powerOff;
    int m_hibernate;
    CTime m_date;
    CTime m_start;
    int m_hours, m_minutes, m_seconds;
    long m_frequency;
    int m_sourceValue;
    CTime m_now;
};
