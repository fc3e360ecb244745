#include "store/TextFileReader.h"

#include "graph/DebugHelper.h"
#include "platform/mfc/File.h"

#include <cstring>

namespace {

bool IsFile(LPCSTR path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool StartsWith(const std::vector<char>& bytes, const char* mark, size_t length)
{
    return bytes.size() >= length && std::memcmp(bytes.data(), mark, length) == 0;
}

} // namespace

CTextFileReader::OpenResult CTextFileReader::Refuse(OpenResult result, LPCSTR why)
{
    // Callers may show the system's text for the failure: the trace must
    // not change it.
    const DWORD error = ::GetLastError();
    DebugHelper("CTextFileReader: %s is not read: %s\n", (LPCSTR)m_path, why);
    ::SetLastError(error);
    m_bytes.clear();
    return m_result = result;
}

CTextFileReader::OpenResult CTextFileReader::Open(LPCSTR path)
{
    m_path = path;
    m_bytes.clear();
    m_pos = 0;
    m_lineNumber = 0;
    m_refused = 0;
    if (!path || !*path || !IsFile(path))
        return m_result = kMissing;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return Refuse(kCannotOpen, "it cannot be opened");
    const LONGLONG length = file.GetLength();
    if (length < 0 || length > kMaxFileBytes)
        return Refuse(kNotText, "it is too large for a text file of ours");
    m_bytes.resize((size_t)length);
    if (length > 0 && file.Read(m_bytes.data(), (UINT)length) != (UINT)length)
        return Refuse(kNotText, "reading it failed");
    if (StartsWith(m_bytes, "\xFF\xFE", 2) || StartsWith(m_bytes, "\xFE\xFF", 2))
        return Refuse(kNotText, "it is UTF-16 text; save it as ANSI or UTF-8");
    if (StartsWith(m_bytes, "\xEF\xBB\xBF", 3))
        m_pos = 3;
    return m_result = kOpened;
}

BOOL CTextFileReader::ReadLine(CString& line)
{
    line.Empty();
    if (m_result != kOpened || m_pos >= m_bytes.size())
        return FALSE;
    const size_t start = m_pos;
    size_t end = start;
    while (end < m_bytes.size() && m_bytes[end] != '\n' && m_bytes[end] != '\r')
        ++end;
    m_pos = end;
    // CR LF is one line end; a CR or an LF on its own is one as well.
    if (m_pos < m_bytes.size() && m_bytes[m_pos++] == '\r' && m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
        ++m_pos;
    ++m_lineNumber;
    const size_t length = end - start;
    const char* text = m_bytes.data() + start;
    const char* why = NULL;
    if (std::memchr(text, '\0', length))
        why = "a NUL byte";
    else if (length > (size_t)kMaxLine)
        why = "longer than a line of ours";
    if (why) {
        // The first refusal of a file is traced; the rest only counted.
        if (m_refused++ == 0)
            DebugHelper("CTextFileReader: %s line %d refused: %s\n", (LPCSTR)m_path, m_lineNumber, why);
        return TRUE;
    }
    line = CString(text, (int)length);
    return TRUE;
}
