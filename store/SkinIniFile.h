// CSkinIniFile: the program's model of an ini file, an ordered list of named
// sections read from and written to one file in one pass. Holds
// "TVParam.ini", "SkinSet.ini" and the skin files; owned by whoever reads
// the file; UI thread only, no locks.
#pragma once
#include "store/SafeSaveFile.h"
#include "store/SkinSection.h"
#include "platform/mfc/List.h"

class CSkinIniFile
{
public:
    CSkinIniFile();
    explicit CSkinIniFile(LPCSTR path);
    virtual ~CSkinIniFile();
    CSkinIniFile(const CSkinIniFile&) = delete;
    CSkinIniFile& operator=(const CSkinIniFile&) = delete;

    // Appends the file's sections to those held (callers that reload call
    // RemoveAll first). FALSE with the error text when the file is missing,
    // cannot be opened, is not text we read (UTF-16) or was not read whole
    // (a line refused: the sections read so far stay).
    BOOL Load();
    // Writes every section in list order, its keys in the order they were
    // read or first set and its comment lines (";" or "#" first, no "=")
    // where they were read, through a temporary file that replaces the old
    // one only when all of it was written. A file at the path that the last
    // load could not read whole is first set aside (CUnreadFile). FALSE
    // with the error text otherwise.
    BOOL Save();

    // Sets a file that the last load could not read whole aside now (see
    // CUnreadFile::SetAside).
    BOOL SetAsideUnread(CString* path, CString* aside) { return m_unread.SetAside(path, aside); }

    const CString& GetFilePath() const { return m_path; }
    void SetFilePath(LPCSTR path) { m_path = path; }
    const CString& GetErrorText() const { return m_error; }

    // The first section of that exact name, or NULL.
    CSkinSection* FindSection(LPCSTR name) const;
    BOOL HasSection(LPCSTR name) const { return FindSection(name) != NULL; }
    // The first section of that name; a new empty one is appended when none.
    CSkinSection* GetSection(LPCSTR name);
    void RemoveAll();
    int GetSectionCount() const { return (int)m_sections.GetCount(); }
    POSITION GetFirstSectionPosition() const { return m_sections.GetHeadPosition(); }
    CSkinSection* GetNextSection(POSITION& pos) const { return m_sections.GetNext(pos); }

    // FALSE when the section or the key is missing; creates nothing.
    BOOL GetString(LPCSTR section, LPCSTR key, CString& value) const;
    BOOL SetString(LPCSTR section, LPCSTR key, LPCSTR value);
    int GetKeyCount(LPCSTR section);

    // The typed values of CSkinSection, by section name. Like GetSection,
    // these create the section when it is missing.
    BOOL GetInt(LPCSTR section, LPCSTR key, int& value) { return GetSection(section)->GetInt(key, value); }
    BOOL SetInt(LPCSTR section, LPCSTR key, int value) { return GetSection(section)->SetInt(key, value); }
    BOOL GetUInt(LPCSTR section, LPCSTR key, UINT& value) { return GetSection(section)->GetUInt(key, value); }
    BOOL SetUInt(LPCSTR section, LPCSTR key, UINT value) { return GetSection(section)->SetUInt(key, value); }
    BOOL GetLong(LPCSTR section, LPCSTR key, LONG& value) { return GetSection(section)->GetLong(key, value); }
    BOOL SetLong(LPCSTR section, LPCSTR key, LONG value) { return GetSection(section)->SetLong(key, value); }
    BOOL GetFloat(LPCSTR section, LPCSTR key, float& value) { return GetSection(section)->GetFloat(key, value); }
    BOOL SetFloat(LPCSTR section, LPCSTR key, float value) { return GetSection(section)->SetFloat(key, value); }
    BOOL GetDouble(LPCSTR section, LPCSTR key, double& value) { return GetSection(section)->GetDouble(key, value); }
    BOOL SetDouble(LPCSTR section, LPCSTR key, double value) { return GetSection(section)->SetDouble(key, value); }
    BOOL GetPoint(LPCSTR section, LPCSTR key, POINT& value) { return GetSection(section)->GetPoint(key, value); }
    BOOL SetPoint(LPCSTR section, LPCSTR key, POINT value) { return GetSection(section)->SetPoint(key, value); }
    BOOL GetSize(LPCSTR section, LPCSTR key, SIZE& value) { return GetSection(section)->GetSize(key, value); }
    BOOL SetSize(LPCSTR section, LPCSTR key, SIZE value) { return GetSection(section)->SetSize(key, value); }
    BOOL GetRect(LPCSTR section, LPCSTR key, RECT& value) { return GetSection(section)->GetRect(key, value); }
    BOOL SetRect(LPCSTR section, LPCSTR key, const RECT& value) { return GetSection(section)->SetRect(key, value); }
    BOOL GetColor(LPCSTR section, LPCSTR key, RGBTriple& value) { return GetSection(section)->GetColor(key, value); }
    BOOL SetColor(LPCSTR section, LPCSTR key, RGBTriple value) { return GetSection(section)->SetColor(key, value); }
    BOOL GetList(LPCSTR section, LPCSTR key, CStringArray& items, char separator) { return GetSection(section)->GetList(key, items, separator); }
    BOOL SetList(LPCSTR section, LPCSTR key, const CStringArray& items, char separator) { return GetSection(section)->SetList(key, items, separator); }
    BOOL GetTime(LPCSTR section, LPCSTR key, CTime& value) { return GetSection(section)->GetTime(key, value); }
    BOOL SetTime(LPCSTR section, LPCSTR key, const CTime& value) { return GetSection(section)->SetTime(key, value); }

private:
    CTypedPtrList<CPtrList, CSkinSection*> m_sections;
    std::vector<CString> m_leadingComments; // comment lines before the first section
    CString m_error;
    CString m_path;
    CUnreadFile m_unread;
};
