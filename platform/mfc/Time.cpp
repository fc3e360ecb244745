#include "platform/mfc/Time.h"

#include <string>

namespace {

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// -1 when the C library cannot convert the fields.
__time64_t MakeLocalOrFail(int year, int month, int day, int hour, int min, int sec, int dst)
{
    struct tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = min;
    t.tm_sec = sec;
    t.tm_isdst = dst;
    return _mktime64(&t);
}

__time64_t MakeLocal(int year, int month, int day, int hour, int min, int sec, int dst)
{
    __time64_t time = MakeLocalOrFail(year, month, day, hour, min, sec, dst);
    return time == (__time64_t)-1 ? 0 : time;
}

CString FormatTm(const struct tm& t, LPCSTR format)
{
    if (!format || !*format)
        return CString();
    // strftime answers 0 both for "too small" and for an empty result;
    // grow a few times, then give up with an empty text.
    for (size_t size = 256; size <= 65536; size *= 4) {
        std::string buf(size, '\0');
        size_t n = strftime(&buf[0], size, format, &t);
        if (n > 0)
            return CString(buf.c_str(), (int)n);
    }
    return CString();
}

} // namespace

CTime::CTime(int year, int month, int day, int hour, int min, int sec, int dst)
    : m_time(MakeLocal(year, month, day, hour, min, sec, dst))
{
}

CTime::CTime(const SYSTEMTIME& st, int dst)
    : m_time(MakeLocal(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, dst))
{
}

CTime::CTime(const FILETIME& ft, int dst) : m_time(0)
{
    FILETIME local;
    SYSTEMTIME st;
    if (::FileTimeToLocalFileTime(&ft, &local) && ::FileTimeToSystemTime(&local, &st))
        m_time = MakeLocal(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, dst);
}

BOOL CTime::FromLocalFields(int year, int month, int day, int hour, int min, int sec, CTime& out)
{
    if (year < 1970 || year > 3000 || month < 1 || month > 12)
        return FALSE;
    if (day < 1 || day > DaysInMonth(year, month))
        return FALSE;
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59)
        return FALSE;
    __time64_t time = MakeLocalOrFail(year, month, day, hour, min, sec, -1);
    if (time == (__time64_t)-1)
        return FALSE;
    out = CTime(time);
    return TRUE;
}

CTime CTime::GetCurrentTime()
{
    return CTime(_time64(NULL));
}

BOOL CTime::GetLocalTm(struct tm* out) const
{
    return out && _localtime64_s(out, &m_time) == 0;
}

BOOL CTime::GetGmtTm(struct tm* out) const
{
    return out && _gmtime64_s(out, &m_time) == 0;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm t;
    if (!GetLocalTm(&t))
        return FALSE;
    st.wYear = (WORD)(t.tm_year + 1900);
    st.wMonth = (WORD)(t.tm_mon + 1);
    st.wDayOfWeek = (WORD)t.tm_wday;
    st.wDay = (WORD)t.tm_mday;
    st.wHour = (WORD)t.tm_hour;
    st.wMinute = (WORD)t.tm_min;
    st.wSecond = (WORD)t.tm_sec;
    st.wMilliseconds = 0;
    return TRUE;
}

int CTime::Field(int tm::*field, int offset) const
{
    struct tm t;
    return GetLocalTm(&t) ? t.*field + offset : 0;
}

int CTime::GetYear() const { return Field(&tm::tm_year, 1900); }
int CTime::GetMonth() const { return Field(&tm::tm_mon, 1); }
int CTime::GetDay() const { return Field(&tm::tm_mday, 0); }
int CTime::GetHour() const { return Field(&tm::tm_hour, 0); }
int CTime::GetMinute() const { return Field(&tm::tm_min, 0); }
int CTime::GetSecond() const { return Field(&tm::tm_sec, 0); }
int CTime::GetDayOfWeek() const { return Field(&tm::tm_wday, 1); }

CString CTime::Format(LPCSTR format) const
{
    struct tm t;
    return GetLocalTm(&t) ? FormatTm(t, format) : CString();
}

CString CTime::FormatGmt(LPCSTR format) const
{
    struct tm t;
    return GetGmtTm(&t) ? FormatTm(t, format) : CString();
}
