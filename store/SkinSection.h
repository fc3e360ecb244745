// CSkinSection: one named section of an ini file, a map from key to value
// text (keys compared with case), with typed getters and setters. It also
// remembers its lines' order, the keys in the order they were read or first
// set and the comment lines between them, so a save writes them back where
// they were. Owned by its CSkinIniFile; UI thread.
#pragma once
#include "platform/mfc/Array.h"
#include "platform/mfc/Map.h"
#include "platform/mfc/String.h"
#include "platform/mfc/Time.h"

#include <vector>

struct RGBTriple
{
    BYTE red;
    BYTE green;
    BYTE blue;
};

// Every getter answers FALSE and leaves its output untouched when the key is
// missing or its text is not of the type's form (a number that is not one
// whole decimal number or lies outside the type's range, a field missing);
// every setter stores the formatted text and answers TRUE, except for text
// that a saved file could not give back: a key holding "=", CR or LF or
// beginning with "[", a value holding CR or LF, a line longer than the
// reader takes (FALSE, nothing stored).
class CSkinSection
{
public:
    explicit CSkinSection(LPCSTR name) : m_name(name), m_values(10) {}
    virtual ~CSkinSection() {}

    const CString& GetName() const { return m_name; }
    const CMapStringToString& Values() const { return m_values; }
    int GetKeyCount() const { return (int)m_values.GetCount(); }
    BOOL HasKey(LPCSTR key) const;
    BOOL RemoveKey(LPCSTR key);

    // The section's lines in order: a key (written as key=value) or a
    // comment line (written as it stands).
    struct Line
    {
        CString text;
        bool comment;
    };
    const std::vector<Line>& Lines() const { return m_lines; }
    // A line of the file that the model keeps but does not read: one that
    // begins with ";" or "#" and holds no "=".
    static bool IsCommentLine(LPCSTR line);
    void AddCommentLine(LPCSTR line) { m_lines.push_back(Line{line, true}); }

    BOOL GetString(LPCSTR key, CString& value) const;
    BOOL SetString(LPCSTR key, LPCSTR value);
    BOOL GetInt(LPCSTR key, int& value) const;
    BOOL SetInt(LPCSTR key, int value);
    BOOL GetUInt(LPCSTR key, UINT& value) const;
    BOOL SetUInt(LPCSTR key, UINT value);
    BOOL GetLong(LPCSTR key, LONG& value) const;
    BOOL SetLong(LPCSTR key, LONG value);
    BOOL GetFloat(LPCSTR key, float& value) const;
    BOOL SetFloat(LPCSTR key, float value);
    BOOL GetDouble(LPCSTR key, double& value) const;
    BOOL SetDouble(LPCSTR key, double value);
    // "x,y"
    BOOL GetPoint(LPCSTR key, POINT& value) const;
    BOOL SetPoint(LPCSTR key, POINT value);
    // "cx,cy"
    BOOL GetSize(LPCSTR key, SIZE& value) const;
    BOOL SetSize(LPCSTR key, SIZE value);
    // "left,top,right,bottom"; fields missing at the end read 0.
    BOOL GetRect(LPCSTR key, RECT& value) const;
    BOOL SetRect(LPCSTR key, const RECT& value);
    // "r,g,b", each cut to its low 8 bits.
    BOOL GetColor(LPCSTR key, RGBTriple& value) const;
    BOOL SetColor(LPCSTR key, RGBTriple value);
    // Items joined by `separator`; read items are appended to `items`.
    BOOL GetList(LPCSTR key, CStringArray& items, char separator) const;
    BOOL SetList(LPCSTR key, const CStringArray& items, char separator);
    // Local time "%Y,%m,%d,%H,%M,%S"; an impossible date reads FALSE.
    BOOL GetTime(LPCSTR key, CTime& value) const;
    BOOL SetTime(LPCSTR key, const CTime& value);

private:
    CString m_name;
    CMapStringToString m_values;
    std::vector<Line> m_lines;
};

// Strict decimal conversions shared by the ini readers: the whole text
// (blanks around it allowed) must be one number within the type's range.
BOOL ParseIniInt(LPCSTR text, int& value);
BOOL ParseIniDouble(LPCSTR text, double& value);
