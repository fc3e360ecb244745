// CString: the framework's narrow (ANSI) text. A value type with no thread
// affinity; every copy owns its characters.
#pragma once
#include <windows.h>

#include <string>

class CString
{
public:
    CString() {}
    CString(const CString& other) : m_s(other.m_s) {}
    CString(LPCSTR text) : m_s(text ? text : "") {}
    CString(LPCSTR text, int length);
    CString(char ch, int repeat = 1);
    CString& operator=(const CString& other) { m_s = other.m_s; return *this; }
    CString& operator=(LPCSTR text) { m_s = text ? text : ""; return *this; }
    CString& operator=(char ch) { m_s.assign(1, ch); return *this; }

    int GetLength() const { return (int)m_s.size(); }
    BOOL IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    operator LPCSTR() const { return m_s.c_str(); }
    LPCSTR GetString() const { return m_s.c_str(); }
    // Out-of-range positions read as NUL and are ignored on writing.
    char GetAt(int index) const;
    char operator[](int index) const { return GetAt(index); }
    void SetAt(int index, char ch);

    CString& operator+=(const CString& text) { m_s += text.m_s; return *this; }
    CString& operator+=(LPCSTR text) { if (text) m_s += text; return *this; }
    CString& operator+=(char ch) { m_s += ch; return *this; }
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCSTR b);
    friend CString operator+(LPCSTR a, const CString& b);
    friend CString operator+(const CString& a, char b);

    int Compare(LPCSTR text) const;
    int CompareNoCase(LPCSTR text) const;
    int Collate(LPCSTR text) const;
    int CollateNoCase(LPCSTR text) const;

    // Formats without a length limit (the buffer grows to what the output needs).
    void Format(LPCSTR format, ...);
    void FormatV(LPCSTR format, va_list args);
    void AppendFormat(LPCSTR format, ...);
    // Loads a string resource from the current resource handle; FALSE when absent.
    BOOL LoadString(UINT id);

    int Find(char ch, int start = 0) const;
    int Find(LPCSTR sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR chars) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(LPCSTR chars) const;
    CString SpanExcluding(LPCSTR chars) const;

    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(LPCSTR chars);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(LPCSTR chars);
    CString& Trim() { TrimRight(); return TrimLeft(); }
    CString& Trim(char ch) { TrimRight(ch); return TrimLeft(ch); }
    CString& Trim(LPCSTR chars) { TrimRight(chars); return TrimLeft(chars); }

    int Replace(char from, char to);
    int Replace(LPCSTR from, LPCSTR to);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, LPCSTR text);
    int Delete(int index, int count = 1);
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // A writable buffer of at least `minLength` characters plus the NUL;
    // ReleaseBuffer(-1) takes the length up to the first NUL.
    LPSTR GetBuffer(int minLength = 0);
    LPSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    const std::string& Std() const { return m_s; }

private:
    std::string m_s;
};

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
