#include "platform/mfc/String.h"

#include "platform/mfc/Resource.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

const char kWhitespace[] = " \t\r\n\v\f";

bool IsIn(char ch, LPCSTR chars) { return ch != '\0' && std::strchr(chars, ch) != NULL; }

} // namespace

CString::CString(LPCSTR text, int length)
{
    if (text && length > 0)
        m_s.assign(text, (size_t)length);
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_s.assign((size_t)repeat, ch);
}

char CString::GetAt(int index) const
{
    return (index >= 0 && index < GetLength()) ? m_s[(size_t)index] : '\0';
}

void CString::SetAt(int index, char ch)
{
    if (index >= 0 && index < GetLength())
        m_s[(size_t)index] = ch;
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, LPCSTR b) { CString r(a); r += b; return r; }
CString operator+(LPCSTR a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }

int CString::Compare(LPCSTR text) const { return std::strcmp(m_s.c_str(), text ? text : ""); }
int CString::CompareNoCase(LPCSTR text) const { return _stricmp(m_s.c_str(), text ? text : ""); }
int CString::Collate(LPCSTR text) const { return std::strcoll(m_s.c_str(), text ? text : ""); }
int CString::CollateNoCase(LPCSTR text) const { return _stricoll(m_s.c_str(), text ? text : ""); }

void CString::FormatV(LPCSTR format, va_list args)
{
    if (!format) {
        m_s.clear();
        return;
    }
    // Measure first; a C library that answers -1 for "too small" gets a
    // growing buffer instead (bounded so a broken format cannot run away).
    char small[512];
    va_list copy;
    va_copy(copy, args);
    int n = vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n >= 0 && (size_t)n < sizeof small) {
        m_s.assign(small, (size_t)n);
        return;
    }
    size_t size = n >= 0 ? (size_t)n + 1 : sizeof small * 2;
    const size_t kMax = 64u << 20;
    while (size <= kMax) {
        std::string buf(size, '\0');
        va_copy(copy, args);
        n = vsnprintf(&buf[0], size, format, copy);
        va_end(copy);
        if (n >= 0 && (size_t)n < size) {
            buf.resize((size_t)n);
            m_s.swap(buf);
            return;
        }
        size = n >= 0 ? (size_t)n + 1 : size * 2;
    }
    m_s.clear();
}

void CString::Format(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(LPCSTR format, ...)
{
    CString more;
    va_list args;
    va_start(args, format);
    more.FormatV(format, args);
    va_end(args);
    m_s += more.m_s;
}

BOOL CString::LoadString(UINT id)
{
    // Resource strings hold at most 4097 characters (a 16-bit length in
    // the string table, in practice far less).
    char buf[4100];
    int n = ::LoadStringA(AfxGetResourceHandle(), id, buf, (int)sizeof buf);
    if (n <= 0) {
        m_s.clear();
        return FALSE;
    }
    m_s.assign(buf, (size_t)n);
    return TRUE;
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t pos = m_s.find(ch, (size_t)start);
    return pos == std::string::npos ? -1 : (int)pos;
}

int CString::Find(LPCSTR sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    size_t pos = m_s.find(sub, (size_t)start);
    return pos == std::string::npos ? -1 : (int)pos;
}

int CString::ReverseFind(char ch) const
{
    size_t pos = m_s.rfind(ch);
    return pos == std::string::npos ? -1 : (int)pos;
}

int CString::FindOneOf(LPCSTR chars) const
{
    if (!chars)
        return -1;
    size_t pos = m_s.find_first_of(chars);
    return pos == std::string::npos ? -1 : (int)pos;
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first >= GetLength())
        return CString();
    count = std::min(count, GetLength() - first);
    return CString(m_s.c_str() + first, count);
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const
{
    if (count <= 0)
        return CString();
    if (count >= GetLength())
        return *this;
    return CString(m_s.c_str() + GetLength() - count, count);
}

CString CString::SpanIncluding(LPCSTR chars) const
{
    return Left((int)std::strspn(m_s.c_str(), chars ? chars : ""));
}

CString CString::SpanExcluding(LPCSTR chars) const
{
    return Left((int)std::strcspn(m_s.c_str(), chars ? chars : ""));
}

CString& CString::TrimLeft() { return TrimLeft(kWhitespace); }
CString& CString::TrimRight() { return TrimRight(kWhitespace); }

CString& CString::TrimLeft(char ch)
{
    size_t n = 0;
    while (n < m_s.size() && m_s[n] == ch)
        ++n;
    m_s.erase(0, n);
    return *this;
}

CString& CString::TrimRight(char ch)
{
    while (!m_s.empty() && m_s.back() == ch)
        m_s.pop_back();
    return *this;
}

CString& CString::TrimLeft(LPCSTR chars)
{
    size_t n = 0;
    while (n < m_s.size() && IsIn(m_s[n], chars ? chars : ""))
        ++n;
    m_s.erase(0, n);
    return *this;
}

CString& CString::TrimRight(LPCSTR chars)
{
    while (!m_s.empty() && IsIn(m_s.back(), chars ? chars : ""))
        m_s.pop_back();
    return *this;
}

int CString::Replace(char from, char to)
{
    int count = 0;
    for (char& c : m_s)
        if (c == from) {
            c = to;
            ++count;
        }
    return count;
}

int CString::Replace(LPCSTR from, LPCSTR to)
{
    if (!from || !*from)
        return 0;
    const size_t fromLen = std::strlen(from);
    const std::string with = to ? to : "";
    int count = 0;
    size_t pos = 0;
    while ((pos = m_s.find(from, pos)) != std::string::npos) {
        m_s.replace(pos, fromLen, with);
        pos += with.size();
        ++count;
    }
    return count;
}

int CString::Remove(char ch)
{
    size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return (int)(before - m_s.size());
}

int CString::Insert(int index, char ch)
{
    index = std::max(0, std::min(index, GetLength()));
    m_s.insert((size_t)index, 1, ch);
    return GetLength();
}

int CString::Insert(int index, LPCSTR text)
{
    index = std::max(0, std::min(index, GetLength()));
    if (text)
        m_s.insert((size_t)index, text);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0)
        m_s.erase((size_t)index, (size_t)count);
    return GetLength();
}

CString& CString::MakeUpper()
{
    if (!m_s.empty())
        ::CharUpperBuffA(&m_s[0], (DWORD)m_s.size());
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_s.empty())
        ::CharLowerBuffA(&m_s[0], (DWORD)m_s.size());
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_s.begin(), m_s.end());
    return *this;
}

LPSTR CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_s.resize((size_t)minLength, '\0');
    return &m_s[0];
}

LPSTR CString::GetBufferSetLength(int length)
{
    m_s.resize((size_t)std::max(length, 0), '\0');
    return &m_s[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = (int)std::strlen(m_s.c_str());
    if (newLength < GetLength())
        m_s.resize((size_t)newLength);
}
