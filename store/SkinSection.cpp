#include "store/SkinSection.h"

#include "store/TextFileReader.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool OnlyBlanks(const char* p)
{
    while (IsBlank(*p))
        ++p;
    return *p == '\0';
}

BOOL ParseLongLong(LPCSTR text, long long lo, long long hi, long long& value)
{
    if (!text)
        return FALSE;
    while (IsBlank(*text))
        ++text;
    if (*text == '\0')
        return FALSE;
    char* end = NULL;
    errno = 0;
    long long v = std::strtoll(text, &end, 10);
    if (end == text || errno == ERANGE || !OnlyBlanks(end) || v < lo || v > hi)
        return FALSE;
    value = v;
    return TRUE;
}

// Splits at commas and parses up to `wanted` integer fields; fields beyond
// the text read 0 when `missingReadsZero`, else the value is malformed.
BOOL ParseIntFields(const CString& text, int* fields, int wanted, bool missingReadsZero)
{
    int start = 0;
    for (int i = 0; i < wanted; ++i) {
        if (start > text.GetLength()) {
            if (!missingReadsZero)
                return FALSE;
            fields[i] = 0;
            continue;
        }
        int comma = text.Find(',', start);
        int end = comma < 0 ? text.GetLength() : comma;
        if (!ParseIniInt(text.Mid(start, end - start), fields[i]))
            return FALSE;
        start = comma < 0 ? text.GetLength() + 1 : comma + 1;
    }
    return TRUE;
}

int CountOf(const CString& text, char ch)
{
    int n = 0;
    for (int i = 0; i < text.GetLength(); ++i)
        n += text[i] == ch;
    return n;
}

} // namespace

BOOL ParseIniInt(LPCSTR text, int& value)
{
    long long v;
    if (!ParseLongLong(text, INT_MIN, INT_MAX, v))
        return FALSE;
    value = (int)v;
    return TRUE;
}

BOOL ParseIniDouble(LPCSTR text, double& value)
{
    if (!text)
        return FALSE;
    while (IsBlank(*text))
        ++text;
    if (*text == '\0')
        return FALSE;
    char* end = NULL;
    double v = std::strtod(text, &end);
    // "inf", "nan" and numbers beyond the range (1e999) are not numbers a
    // caller can use; a number too small to hold reads as the nearest one.
    if (end == text || !OnlyBlanks(end) || !std::isfinite(v))
        return FALSE;
    value = v;
    return TRUE;
}

BOOL CSkinSection::HasKey(LPCSTR key) const
{
    CString unused;
    return m_values.Lookup(key, unused);
}

BOOL CSkinSection::RemoveKey(LPCSTR key)
{
    if (!m_values.RemoveKey(key))
        return FALSE;
    for (auto line = m_lines.begin(); line != m_lines.end(); ++line) {
        if (!line->comment && line->text == key) {
            m_lines.erase(line);
            break;
        }
    }
    return TRUE;
}

bool CSkinSection::IsCommentLine(LPCSTR line)
{
    while (line && IsBlank(*line))
        ++line;
    return line && (*line == ';' || *line == '#') && !std::strchr(line, '=');
}

BOOL CSkinSection::GetString(LPCSTR key, CString& value) const
{
    return m_values.Lookup(key, value);
}

BOOL CSkinSection::SetString(LPCSTR key, LPCSTR value)
{
    // A file line ends at a CR or an LF, "=" ends the key and "[" opens a
    // section: text that could not be read back is refused, not saved cut.
    if (!key || key[0] == '[' || std::strpbrk(key, "=\r\n") || (value && std::strpbrk(value, "\r\n")))
        return FALSE;
    if (std::strlen(key) + 1 + (value ? std::strlen(value) : 0) > (size_t)CTextFileReader::kMaxLine)
        return FALSE;
    if (!HasKey(key))
        m_lines.push_back(Line{key, false});
    m_values.SetAt(key, value ? value : "");
    return TRUE;
}

BOOL CSkinSection::GetInt(LPCSTR key, int& value) const
{
    CString text;
    return GetString(key, text) && ParseIniInt(text, value);
}

BOOL CSkinSection::SetInt(LPCSTR key, int value)
{
    CString text;
    text.Format("%d", value);
    return SetString(key, text);
}

BOOL CSkinSection::GetUInt(LPCSTR key, UINT& value) const
{
    // Written with "%d", so values above INT_MAX come back negative.
    CString text;
    long long v;
    if (!GetString(key, text) || !ParseLongLong(text, INT_MIN, UINT_MAX, v))
        return FALSE;
    value = (UINT)v;
    return TRUE;
}

BOOL CSkinSection::SetUInt(LPCSTR key, UINT value) { return SetInt(key, (int)value); }

BOOL CSkinSection::GetLong(LPCSTR key, LONG& value) const
{
    int v;
    if (!GetInt(key, v))
        return FALSE;
    value = v;
    return TRUE;
}

BOOL CSkinSection::SetLong(LPCSTR key, LONG value) { return SetInt(key, (int)value); }

BOOL CSkinSection::GetFloat(LPCSTR key, float& value) const
{
    double v;
    if (!GetDouble(key, v) || v > FLT_MAX || v < -FLT_MAX)
        return FALSE;
    value = (float)v;
    return TRUE;
}

BOOL CSkinSection::SetFloat(LPCSTR key, float value) { return SetDouble(key, value); }

BOOL CSkinSection::GetDouble(LPCSTR key, double& value) const
{
    CString text;
    return GetString(key, text) && ParseIniDouble(text, value);
}

BOOL CSkinSection::SetDouble(LPCSTR key, double value)
{
    CString text;
    text.Format("%f", value);
    return SetString(key, text);
}

BOOL CSkinSection::GetPoint(LPCSTR key, POINT& value) const
{
    CString text;
    int f[2];
    if (!GetString(key, text) || text.GetLength() < 3 || text.Find(',') < 0 ||
        !ParseIntFields(text, f, 2, false))
        return FALSE;
    value.x = f[0];
    value.y = f[1];
    return TRUE;
}

BOOL CSkinSection::SetPoint(LPCSTR key, POINT value)
{
    CString text;
    text.Format("%d,%d", (int)value.x, (int)value.y);
    return SetString(key, text);
}

BOOL CSkinSection::GetSize(LPCSTR key, SIZE& value) const
{
    POINT p;
    if (!GetPoint(key, p))
        return FALSE;
    value.cx = p.x;
    value.cy = p.y;
    return TRUE;
}

BOOL CSkinSection::SetSize(LPCSTR key, SIZE value)
{
    POINT p = {value.cx, value.cy};
    return SetPoint(key, p);
}

BOOL CSkinSection::GetRect(LPCSTR key, RECT& value) const
{
    CString text;
    int f[4];
    if (!GetString(key, text) || text.GetLength() < 7 || !ParseIntFields(text, f, 4, true))
        return FALSE;
    value.left = f[0];
    value.top = f[1];
    value.right = f[2];
    value.bottom = f[3];
    return TRUE;
}

BOOL CSkinSection::SetRect(LPCSTR key, const RECT& value)
{
    CString text;
    text.Format("%d,%d,%d,%d", (int)value.left, (int)value.top, (int)value.right, (int)value.bottom);
    return SetString(key, text);
}

BOOL CSkinSection::GetColor(LPCSTR key, RGBTriple& value) const
{
    CString text;
    int f[3];
    if (!GetString(key, text) || text.GetLength() < 5 || CountOf(text, ',') < 2 ||
        !ParseIntFields(text, f, 3, false))
        return FALSE;
    value.red = (BYTE)f[0];
    value.green = (BYTE)f[1];
    value.blue = (BYTE)f[2];
    return TRUE;
}

BOOL CSkinSection::SetColor(LPCSTR key, RGBTriple value)
{
    CString text;
    text.Format("%d,%d,%d", value.red, value.green, value.blue);
    return SetString(key, text);
}

BOOL CSkinSection::GetList(LPCSTR key, CStringArray& items, char separator) const
{
    CString text;
    if (!GetString(key, text) || text.IsEmpty())
        return FALSE;
    // A value that starts with the separator is one item as it stands.
    if (text[0] == separator) {
        items.Add(text);
        return TRUE;
    }
    int start = 0;
    for (;;) {
        int at = text.Find(separator, start);
        if (at < 0) {
            items.Add(text.Mid(start));
            return TRUE;
        }
        items.Add(text.Mid(start, at - start));
        start = at + 1;
    }
}

BOOL CSkinSection::SetList(LPCSTR key, const CStringArray& items, char separator)
{
    CString text;
    for (INT_PTR i = 0; i < items.GetSize(); ++i) {
        if (i)
            text += separator;
        text += items[i];
    }
    return SetString(key, text);
}

BOOL CSkinSection::GetTime(LPCSTR key, CTime& value) const
{
    CString text;
    int f[6];
    if (!GetString(key, text) || text.GetLength() < 10 || !ParseIntFields(text, f, 6, true))
        return FALSE;
    return CTime::FromLocalFields(f[0], f[1], f[2], f[3], f[4], f[5], value);
}

BOOL CSkinSection::SetTime(LPCSTR key, const CTime& value)
{
    return SetString(key, value.Format("%Y,%m,%d,%H,%M,%S"));
}
