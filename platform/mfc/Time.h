// CTime and CTimeSpan: 64-bit seconds since 1970 (UTC) and a signed span of
// seconds. Value types; the local-time conversions use the C library's.
#pragma once
#include "platform/mfc/String.h"

#include <time.h>

class CTimeSpan
{
public:
    CTimeSpan() : m_span(0) {}
    CTimeSpan(__time64_t seconds) : m_span(seconds) {}
    CTimeSpan(LONG days, int hours, int mins, int secs)
        : m_span(((__time64_t)days * 24 * 3600) + (__time64_t)hours * 3600 + mins * 60 + secs) {}

    __time64_t GetTimeSpan() const { return m_span; }
    LONGLONG GetDays() const { return m_span / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_span / 3600; }
    LONG GetHours() const { return (LONG)(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_span / 60; }
    LONG GetMinutes() const { return (LONG)(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_span; }
    LONG GetSeconds() const { return (LONG)(GetTotalSeconds() - GetTotalMinutes() * 60); }

    CTimeSpan operator+(CTimeSpan s) const { return CTimeSpan(m_span + s.m_span); }
    CTimeSpan operator-(CTimeSpan s) const { return CTimeSpan(m_span - s.m_span); }
    CTimeSpan& operator+=(CTimeSpan s) { m_span += s.m_span; return *this; }
    CTimeSpan& operator-=(CTimeSpan s) { m_span -= s.m_span; return *this; }
    bool operator==(CTimeSpan s) const { return m_span == s.m_span; }
    bool operator!=(CTimeSpan s) const { return m_span != s.m_span; }
    bool operator<(CTimeSpan s) const { return m_span < s.m_span; }
    bool operator>(CTimeSpan s) const { return m_span > s.m_span; }
    bool operator<=(CTimeSpan s) const { return m_span <= s.m_span; }
    bool operator>=(CTimeSpan s) const { return m_span >= s.m_span; }

private:
    __time64_t m_span;
};

class CTime
{
public:
    CTime() : m_time(0) {}
    CTime(__time64_t time) : m_time(time) {}
    // Local time; daylight saving as the system decides (dst -1) unless given.
    // Fields the C library cannot convert give time 0: callers that take the
    // fields from outside use FromLocalFields, which reports them.
    CTime(int year, int month, int day, int hour, int min, int sec, int dst = -1);
    explicit CTime(const SYSTEMTIME& st, int dst = -1);
    explicit CTime(const FILETIME& ft, int dst = -1);

    // TRUE and the time when every field is in its range (month 1-12, the
    // day within its month, 0-23, 0-59, 0-59, year 1970-3000) and the local
    // time exists; FALSE and `out` untouched otherwise.
    static BOOL FromLocalFields(int year, int month, int day, int hour, int min, int sec, CTime& out);

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    // Local broken-down time; FALSE when the C library cannot convert it.
    BOOL GetLocalTm(struct tm* out) const;
    BOOL GetGmtTm(struct tm* out) const;
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday

    // strftime conversions on the local (or UTC) time; empty when the time
    // cannot be converted.
    CString Format(LPCSTR format) const;
    CString FormatGmt(LPCSTR format) const;

    CTime operator+(CTimeSpan s) const { return CTime(m_time + s.GetTimeSpan()); }
    CTime operator-(CTimeSpan s) const { return CTime(m_time - s.GetTimeSpan()); }
    CTimeSpan operator-(CTime t) const { return CTimeSpan(m_time - t.m_time); }
    CTime& operator+=(CTimeSpan s) { m_time += s.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan s) { m_time -= s.GetTimeSpan(); return *this; }
    bool operator==(CTime t) const { return m_time == t.m_time; }
    bool operator!=(CTime t) const { return m_time != t.m_time; }
    bool operator<(CTime t) const { return m_time < t.m_time; }
    bool operator>(CTime t) const { return m_time > t.m_time; }
    bool operator<=(CTime t) const { return m_time <= t.m_time; }
    bool operator>=(CTime t) const { return m_time >= t.m_time; }

private:
    int Field(int tm::*field, int offset) const;
    __time64_t m_time;
};
