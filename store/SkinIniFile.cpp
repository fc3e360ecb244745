#include "store/SkinIniFile.h"

#include "store/SafeSaveFile.h"
#include "store/TextFileReader.h"

CSkinIniFile::CSkinIniFile() : m_sections(10), m_error("No error") {}

CSkinIniFile::CSkinIniFile(LPCSTR path) : m_sections(10), m_error("No error"), m_path(path) {}

CSkinIniFile::~CSkinIniFile()
{
    RemoveAll();
}

void CSkinIniFile::RemoveAll()
{
    m_leadingComments.clear();
    while (!m_sections.IsEmpty())
        delete m_sections.RemoveHead();
}

CSkinSection* CSkinIniFile::FindSection(LPCSTR name) const
{
    for (POSITION pos = m_sections.GetHeadPosition(); pos;) {
        CSkinSection* section = m_sections.GetNext(pos);
        if (section->GetName() == name)
            return section;
    }
    return NULL;
}

CSkinSection* CSkinIniFile::GetSection(LPCSTR name)
{
    CSkinSection* section = FindSection(name);
    if (!section) {
        section = new CSkinSection(name);
        m_sections.AddTail(section);
    }
    return section;
}

BOOL CSkinIniFile::GetString(LPCSTR section, LPCSTR key, CString& value) const
{
    const CSkinSection* s = FindSection(section);
    return s && s->GetString(key, value);
}

BOOL CSkinIniFile::SetString(LPCSTR section, LPCSTR key, LPCSTR value)
{
    return GetSection(section)->SetString(key, value);
}

int CSkinIniFile::GetKeyCount(LPCSTR section)
{
    return GetSection(section)->GetKeyCount();
}

BOOL CSkinIniFile::Load()
{
    CTextFileReader reader;
    const CTextFileReader::OpenResult opened = reader.Open(m_path);
    if (opened == CTextFileReader::kMissing) {
        m_error = "File not exist!";
        return FALSE;
    }
    if (opened == CTextFileReader::kCannotOpen)
        m_error = "Unable to open ini File!";
    CSkinSection* current = NULL;
    bool refused = false;
    CString line;
    while (reader.ReadLine(line)) {
        if (line.IsEmpty())
            continue;
        if (line[0] == '[') {
            // The name is the line without its first and last character, as
            // stored files were always read ("[Video]" names Video, "[Video] "
            // names "Video]"); a header with no closing bracket at all
            // ("[Video", "[") keeps every character after the "[".
            CString name = line.Mid(1);
            if (name.Find(']') >= 0)
                name = name.Left(name.GetLength() - 1);
            // Saved with its bracket, a name this long would make a line the
            // reader refuses: the section and its keys stay in the file.
            current = NULL;
            if (name.GetLength() + 2 > CTextFileReader::kMaxLine) {
                refused = true;
                continue;
            }
            current = new CSkinSection(name);
            m_sections.AddTail(current);
            continue;
        }
        int equals = line.Find('=');
        if (equals < 0) {
            // Comment lines are kept where they stand; other lines without
            // "=" are not part of the file's content.
            if (CSkinSection::IsCommentLine(line)) {
                if (current)
                    current->AddCommentLine(line);
                else if (m_sections.IsEmpty())
                    m_leadingComments.push_back(line);
            }
            continue;
        }
        if (!current)
            continue;
        current->SetString(line.Left(equals), line.Mid(equals + 1));
    }
    // What could not be read stays in the file: the next save sets it aside.
    const bool leftUnread = reader.LeftUnread() || refused;
    m_unread.Note(m_path, leftUnread);
    if (leftUnread) {
        if (opened != CTextFileReader::kCannotOpen)
            m_error = "Unable to read file!";
        return FALSE;
    }
    return TRUE;
}

BOOL CSkinIniFile::Save()
{
    CSafeSaveFile file;
    if (!file.OpenFor(m_path, FALSE, &m_unread)) {
        m_error = "Unable to open ini File!";
        return FALSE;
    }
    for (const CString& comment : m_leadingComments)
        file.WriteString(comment + "\n");
    for (POSITION pos = m_sections.GetHeadPosition(); pos;) {
        const CSkinSection* section = m_sections.GetNext(pos);
        file.WriteString("[" + section->GetName() + "]\n");
        for (const CSkinSection::Line& line : section->Lines()) {
            CString value;
            if (line.comment)
                file.WriteString(line.text + "\n");
            else if (section->GetString(line.text, value))
                file.WriteString(line.text + "=" + value + "\n");
        }
    }
    if (!file.Commit()) {
        m_error = "Unable to write file!";
        return FALSE;
    }
    return TRUE;
}
