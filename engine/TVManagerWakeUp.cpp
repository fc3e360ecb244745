// The manager's wake-up set-up: the next power-on time from the scheduled
// recordings for the card's power-on timer and the wake-up timer, and the
// account used for an automatic logon when the computer wakes.
#include "engine/TVManager.h"

#include "engine/RegisterKey.h"
#include "engine/WakeUpSchedule.h"
#include "graph/DebugHelper.h"
#include "platform/timing/Timing.h"

namespace {

const char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char kOpenTimeFormat[] = "m_tmOpenComputerTime %A, %B %d, %Y %H:%M:%S\n";
const char kWakeUpFormat[] = "%Y%m%d-%H%M%S";

// The timing records of every scheduled recording, in the library's order
// (none when the library is not open).
std::vector<_tagTimingParam> ReadSchedule()
{
    std::vector<_tagTimingParam> items;
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item; item = Timing_GetNextItem(0, item)) {
        _tagTimingParam timing;
        BYTE execute[sizeof(_tagExcuteParam)];
        if (Timing_GetItemTimingParam(item, &timing) && Timing_GetItemExcuteParam(item, execute, sizeof execute))
            items.push_back(timing);
    }
    return items;
}

// The earliest scheduled start whose power-on time (the start less the
// lead) is still ahead of `now`: the card's power-on timer and the wake-up
// timer are both set for it, so a recording too close to wake for now is
// passed over by both, for its next occurrence.
BOOL EarliestStartToWakeFor(const CTime& now, int leadSeconds, CTime& earliest)
{
    return WakeUpSchedule::EarliestOccurrence(ReadSchedule(), now + CTimeSpan(leadSeconds) + CTimeSpan(1), earliest);
}

} // namespace

BOOL CTVManager::SetOpenComputerTime()
{
    return SetOpenComputerTime(CTime::GetCurrentTime());
}

BOOL CTVManager::SetOpenComputerTime(const CTime& now)
{
    DebugHelper("Enter CTVManager::SetOpenComputerTime()");
    CTime earliest;
    if (!EarliestStartToWakeFor(now, m_settings.StartUpTime, earliest)) {
        // Nothing left to record: a time kept from a recording since
        // removed must not wake the computer.
        const BOOL disarmed = m_hardware.EnableOpenComputer(0, FALSE);
        DebugHelper("SetOpenComputerTime: no scheduled recording, power-on timer disarmed %d\n", disarmed);
        return FALSE;
    }
    m_settings.OpenTime = earliest - CTimeSpan(m_settings.StartUpTime);
    SetOpenComputer(now);
    return TRUE;
}

BOOL CTVManager::SetOpenComputer()
{
    return SetOpenComputer(CTime::GetCurrentTime());
}

BOOL CTVManager::SetOpenComputer(const CTime& now)
{
    const CTime& openTime = m_settings.OpenTime;
    DebugHelper("SetOpenComputer m_tmOpenComputerTime : %s", (LPCSTR)openTime.Format(kOpenTimeFormat));
    DebugHelper("SetOpenComputer tmCur : %s", (LPCSTR)now.Format(kOpenTimeFormat));
    DebugHelper("%lld", (long long)openTime.GetTime());
    DebugHelper("%lld", (long long)now.GetTime());
    if (openTime <= now)
        return FALSE;
    const BOOL armed =
        m_hardware.EnableOpenComputer(WakeUpSchedule::PowerOnMinutes(now, openTime), m_settings.EnableOpen);
    DebugHelper(armed ? "SetOpenComputer succeeded\n" : "SetOpenComputer failed\n");
    return armed;
}

CTime CTVManager::GetWakeUpTime()
{
    return GetWakeUpTime(CTime::GetCurrentTime());
}

CTime CTVManager::GetWakeUpTime(const CTime& now)
{
    const CTimeSpan lead(m_settings.StartUpTime);
    CTime earliest;
    if (!EarliestStartToWakeFor(now, m_settings.StartUpTime, earliest))
        earliest = now;
    const CTime wakeUp = earliest - lead;
    DebugHelper("The earlies record time:%s", (LPCSTR)earliest.Format(kWakeUpFormat));
    DebugHelper("The wakeup time:%s", (LPCSTR)wakeUp.Format(kWakeUpFormat));
    return wakeUp > now ? wakeUp : CTime(kNoWakeUpTime);
}

BOOL CTVManager::SetOpenTime(const CTime& time)
{
    m_settings.OpenTime = time;
    return TRUE;
}

BOOL CTVManager::SetStartUpTime(int seconds)
{
    if (seconds < 0)
        return FALSE;
    m_settings.StartUpTime = seconds;
    return TRUE;
}

BOOL CTVManager::SetAutoLoginAccount(LPCSTR user, LPCSTR password)
{
    if (!user || !*user)
        return FALSE;
    m_settings.AutoUser = user;
    m_settings.AutoPass = password ? password : "";
    return TRUE;
}

BOOL CTVManager::GetAutoLoginAccount(CString& user, CString& password) const
{
    user = m_settings.AutoUser;
    password = m_settings.AutoPass;
    return TRUE;
}

BOOL CTVManager::SetAutoLogin(BOOL enable)
{
    if (m_settings.AutoUser.IsEmpty())
        return FALSE;
    if (!WriteAutoLogon(m_settings.AutoUser, m_settings.AutoPass, enable))
        return FALSE;
    m_settings.AutoLogin = enable;
    return TRUE;
}

// The values Windows reads for an automatic logon; the password is kept
// where Windows keeps it, in "DefaultPassword". The domain is left alone.
BOOL CTVManager::WriteAutoLogon(LPCSTR user, LPCSTR password, BOOL enable)
{
    CRegisterKey key;
    if (key.Open(m_hRegistryRoot, kWinlogonKey, TRUE) != ERROR_SUCCESS)
        return FALSE;
    BOOL written = key.SetValue("AutoAdminLogon", enable ? "1" : "0") == ERROR_SUCCESS;
    if (enable) {
        written = written && key.SetValue("DefaultUserName", user ? user : "") == ERROR_SUCCESS &&
                  key.SetValue("DefaultPassword", password ? password : "") == ERROR_SUCCESS;
    } else {
        const LONG deleted = key.DeleteValue("DefaultPassword");
        written = written && (deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND);
    }
    return written;
}
