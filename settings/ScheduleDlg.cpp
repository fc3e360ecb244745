#include "settings/ScheduleDlg.h"

#include "engine/TVManager.h"
#include "platform/mfc/DataExchange.h"
#include "resources/Resource.h"
#include "settings/ScheduleRecord.h"

namespace {

constexpr int kSourceTV = 0, kSourceFM = 3;
constexpr int kDefaultDuration = 50 * 60;
constexpr UINT kFirstWeekdayString = IDS_DAY_SUNDAY; // Sunday to Saturday

} // namespace

BEGIN_MESSAGE_MAP(CScheduleDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_SCHEDULEDLG_SOURCE, OnSourceChanged)
    ON_BN_CLICKED(IDC_SCHEDULEDLG_REFRESH, OnRefreshChannels)
    ON_BN_CLICKED(IDC_SCHEDULEDLG_ONCE, OnOnceClicked)
    ON_BN_CLICKED(IDC_SCHEDULEDLG_POWER_OFF, OnPowerOffClicked)
    ON_BN_CLICKED(IDC_SCHEDULEDLG_HIBERNATE, OnHibernateClicked)
END_MESSAGE_MAP()

CScheduleDlg::CScheduleDlg(CTVManager& manager, CWnd* parent)
    : CDialog(IDD_SCHEDULEDLG, parent), m_bNewItem(TRUE), m_execute(), m_timing(), m_manager(manager), m_once(0),
      m_powerOff(0), m_hibernate(0), m_hours(0), m_minutes(50), m_seconds(0), m_frequency(0), m_sourceValue(0)
{
}

CTime CScheduleDlg::Now() const
{
    return m_now.GetTime() ? m_now : CTime::GetCurrentTime();
}

void CScheduleDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SCHEDULEDLG_SECONDS_SPIN, m_secondsSpin);
    DDX_Control(dx, IDC_SCHEDULEDLG_MINUTES_SPIN, m_minutesSpin);
    DDX_Control(dx, IDC_SCHEDULEDLG_HOURS_SPIN, m_hoursSpin);
    DDX_Control(dx, IDC_SCHEDULEDLG_SOURCE, m_source);
    DDX_Control(dx, IDC_SCHEDULEDLG_WEEKDAYS, m_weekdays);
    DDX_Control(dx, IDC_SCHEDULEDLG_CHANNEL, m_channel);
    DDX_Control(dx, IDC_SCHEDULEDLG_DATE, m_dateCtrl);
    DDX_Control(dx, IDC_SCHEDULEDLG_DATE2, m_date2Ctrl);
    DDX_Control(dx, IDC_SCHEDULEDLG_START, m_startCtrl);
    DDX_Check(dx, IDC_SCHEDULEDLG_ONCE, m_once);
    DDX_Check(dx, IDC_SCHEDULEDLG_POWER_OFF, m_powerOff);
    DDX_Check(dx, IDC_SCHEDULEDLG_HIBERNATE, m_hibernate);
    DDX_DateTimeCtrl(dx, IDC_SCHEDULEDLG_DATE, m_date);
    DDX_DateTimeCtrl(dx, IDC_SCHEDULEDLG_START, m_start);
    DDX_Text(dx, IDC_SCHEDULEDLG_HOURS, m_hours);
    DDV_MinMaxInt(dx, m_hours, 0, 24);
    DDX_Text(dx, IDC_SCHEDULEDLG_MINUTES, m_minutes);
    DDV_MinMaxInt(dx, m_minutes, 0, 59);
    DDX_Text(dx, IDC_SCHEDULEDLG_SECONDS, m_seconds);
    DDV_MinMaxInt(dx, m_seconds, 0, 59);
}

BOOL CScheduleDlg::OnInitDialog()
{
    const CTime now = Now();
    if (m_bNewItem) {
        m_date = now;
        m_start = now + CTimeSpan(60);
        m_once = 0;
        m_powerOff = m_hibernate = 0;
        m_hours = 0;
        m_minutes = kDefaultDuration / 60;
        m_seconds = 0;
        m_sourceValue = m_manager.GetVideoSource();
        m_frequency = 0;
    } else {
        LoadRecords();
    }
    CDialog::OnInitDialog();
    CScheduleRecord::ShowClockFormat(m_startCtrl.m_hWnd);

    m_hoursSpin.SetRange(0, 24);
    m_minutesSpin.SetRange(0, 59);
    m_secondsSpin.SetRange(0, 59);

    const int sources = m_manager.HasFMTuner() ? kSources : kSources - 1;
    for (int source = 0; source < sources; ++source) {
        const CString* name = m_manager.GetInputNames().Find((DWORD)source);
        const int row = m_source.AddString(name ? (LPCSTR)*name : (LPCSTR)CScheduleRecord::SourceText(source));
        m_source.SetItemData(row, (DWORD_PTR)source);
    }
    for (int row = 0; row < m_source.GetCount(); ++row)
        if ((int)m_source.GetItemData(row) == m_sourceValue)
            m_source.SetCurSel(row);

    BOOL checks[7] = {FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE};
    if (m_bNewItem)
        checks[now.GetDayOfWeek() - 1] = TRUE;
    else
        CScheduleRecord::ChecksFromMask(m_timing.nWeekMask, checks);
    for (int day = 0; day < 7; ++day) {
        CString name;
        name.LoadString(kFirstWeekdayString + day);
        m_weekdays.AddString(name);
        m_weekdays.SetCheck(day, checks[day]);
    }
    if (m_bNewItem) {
        CTime date2;
        CTime::FromLocalFields(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 50, 0, date2);
        m_date2Ctrl.SetTime(date2);
    }
    FillChannels();
    ShowOnce(m_once);
    return TRUE;
}

void CScheduleDlg::LoadRecords()
{
    m_once = m_timing.nOnce ? 1 : 0;
    CTime day;
    if (!CTime::FromLocalFields(m_timing.nYear, m_timing.nMonth, m_timing.nDay, 0, 0, 0, day))
        day = Now();
    m_date = day;
    if (!CTime::FromLocalFields(day.GetYear(), day.GetMonth(), day.GetDay(), m_timing.nHour, m_timing.nMinute,
                                m_timing.nSecond < 0 ? 0 : m_timing.nSecond, m_start))
        m_start = day;
    m_powerOff = m_execute.bPowerOff ? 1 : 0;
    m_hibernate = m_execute.bHibernate ? 1 : 0;
    const int duration = m_execute.nDuration > 0 ? m_execute.nDuration : m_timing.nDuration;
    m_hours = duration / 3600;
    m_minutes = duration / 60 % 60;
    m_seconds = duration % 60;
    m_sourceValue = m_execute.nSource >= 0 && m_execute.nSource < kSources ? m_execute.nSource : 0;
    m_frequency = m_execute.nFrequency;
}

int CScheduleDlg::SelectedSource() const
{
    const int row = m_source.GetCurSel();
    return row < 0 ? 0 : (int)m_source.GetItemData(row);
}

const CChannelTable& CScheduleDlg::TableOf(int source) const
{
    return CScheduleRecord::SourceTable(source, m_manager.GetTVTable(), m_manager.GetFMTable());
}

void CScheduleDlg::FillChannels()
{
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(TRUE);
    const int source = SelectedSource();
    if (source != kSourceTV && source != kSourceFM) {
        // The last choice stays, greyed: its frequency still goes to the record.
        m_channel.EnableWindow(FALSE);
        return;
    }
    m_channel.EnableWindow(TRUE);
    m_channel.ResetContent();
    const CChannelTable& table = TableOf(source);
    // An edited item keeps its own channel; a new one starts on the current.
    const CChannel* wanted = NULL;
    if (!m_bNewItem && m_frequency)
        wanted = table.GetChannel(table.FindByFrequency(m_frequency));
    if (!wanted)
        wanted = table.GetCurrentChannel();
    int select = wanted ? -1 : 0;
    for (int i = 0; i < table.GetSize(); ++i) {
        CChannel* channel = table.GetChannel(i);
        if (!channel || channel->IsHidden())
            continue;
        CString text;
        text.Format("%ld.%s", channel->ID, (LPCSTR)channel->Name);
        const int row = m_channel.AddString(text);
        m_channel.SetItemDataPtr(row, channel);
        if (channel == wanted)
            select = row;
    }
    m_channel.SetCurSel(select);
    if (m_channel.GetCount() == 0)
        if (CWnd* ok = GetDlgItem(IDOK))
            ok->EnableWindow(FALSE);
}

void CScheduleDlg::ShowOnce(BOOL once)
{
    m_dateCtrl.ShowWindow(once ? SW_SHOW : SW_HIDE);
    m_weekdays.ShowWindow(once ? SW_HIDE : SW_SHOW);
}

void CScheduleDlg::OnSourceChanged()
{
    m_frequency = 0;
    FillChannels();
}

void CScheduleDlg::OnRefreshChannels()
{
    FillChannels();
}

void CScheduleDlg::OnOnceClicked()
{
    ShowOnce(IsDlgButtonChecked(IDC_SCHEDULEDLG_ONCE));
}

void CScheduleDlg::OnPowerOffClicked()
{
    if (IsDlgButtonChecked(IDC_SCHEDULEDLG_POWER_OFF))
        CheckDlgButton(IDC_SCHEDULEDLG_HIBERNATE, BST_UNCHECKED);
}

void CScheduleDlg::OnHibernateClicked()
{
    if (IsDlgButtonChecked(IDC_SCHEDULEDLG_HIBERNATE))
        CheckDlgButton(IDC_SCHEDULEDLG_POWER_OFF, BST_UNCHECKED);
}

void CScheduleDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const int row = m_channel.GetCurSel();
    if (const CChannel* channel = row >= 0 ? (const CChannel*)m_channel.GetItemDataPtr(row) : NULL)
        m_frequency = channel->Frequency;
    const int source = SelectedSource();
    BOOL checks[7];
    for (int day = 0; day < 7; ++day)
        checks[day] = m_weekdays.GetCheck(day);
    const int duration = (m_hours * 60 + m_minutes) * 60 + m_seconds;

    _tagTimingParam timing = {};
    timing.nYear = m_date.GetTime() ? m_date.GetYear() : 0;
    timing.nMonth = m_date.GetTime() ? m_date.GetMonth() : 0;
    timing.nDay = m_date.GetTime() ? m_date.GetDay() : 0;
    timing.nHour = m_start.GetTime() ? m_start.GetHour() : -1;
    timing.nMinute = m_start.GetTime() ? m_start.GetMinute() : -1;
    timing.nSecond = m_start.GetTime() ? m_start.GetSecond() : -1;
    timing.nDuration = duration;
    timing.nOnce = m_once ? 1 : 0;
    timing.nWeekMask = m_once ? 0 : CScheduleRecord::MaskFromChecks(checks);
    timing.nReserved = 0;

    if (const UINT refusal = CScheduleRecord::Refusal(timing, Now())) {
        AfxMessageBox(refusal, MB_OK | MB_ICONINFORMATION);
        return;
    }

    _tagExcuteParam execute = {};
    execute.nSize = sizeof execute;
    execute.nZero = 0;
    execute.nDuration = duration;
    execute.nSource = source;
    // The index in the table the item records from.
    execute.nChannel = TableOf(source).FindByFrequency(m_frequency);
    execute.nFrequency = m_frequency;
    execute.bPowerOff = m_powerOff ? 1 : 0;
    execute.bHibernate = m_hibernate ? 1 : 0;

    m_timing = timing;
    m_execute = execute;
    EndDialog(IDOK);
}
