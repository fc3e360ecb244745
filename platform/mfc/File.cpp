#include "platform/mfc/File.h"

#include <io.h>
#include <share.h>

#include <string>

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_error(FALSE) {}

CFile::~CFile()
{
    Abort();
}

BOOL CFile::Open(LPCSTR path, UINT flags)
{
    Abort();
    m_error = FALSE;
    if (!path || !*path)
        return FALSE;
    DWORD access = GENERIC_READ;
    if ((flags & 3) == modeWrite)
        access = GENERIC_WRITE;
    else if ((flags & 3) == modeReadWrite)
        access = GENERIC_READ | GENERIC_WRITE;
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    switch (flags & 0x70) {
    case shareExclusive: share = 0; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    default: break;
    }
    DWORD disposition = OPEN_EXISTING;
    if (flags & modeCreate)
        disposition = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, (flags & modeNoInherit) ? FALSE : TRUE};
    HANDLE h = ::CreateFileA(path, access, share, &sa, disposition, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hFile = h;
    m_path = path;
    return TRUE;
}

BOOL CFile::Close()
{
    BOOL ok = TRUE;
    if (m_hFile != INVALID_HANDLE_VALUE)
        ok = ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    return ok && !m_error;
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

UINT CFile::Read(void* buffer, UINT count)
{
    DWORD got = 0;
    if (!IsOpen() || !buffer || !::ReadFile(m_hFile, buffer, count, &got, NULL)) {
        m_error = TRUE;
        return 0;
    }
    return got;
}

BOOL CFile::Write(const void* buffer, UINT count)
{
    DWORD put = 0;
    if (!IsOpen() || (count && !buffer) || !::WriteFile(m_hFile, buffer, count, &put, NULL) || put != count) {
        m_error = TRUE;
        return FALSE;
    }
    return TRUE;
}

BOOL CFile::Flush()
{
    return IsOpen() && ::FlushFileBuffers(m_hFile);
}

LONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    LARGE_INTEGER move, pos;
    move.QuadPart = offset;
    if (!IsOpen() || !::SetFilePointerEx(m_hFile, move, &pos, from))
        return -1;
    return pos.QuadPart;
}

LONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero, pos;
    zero.QuadPart = 0;
    if (!IsOpen() || !::SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT))
        return -1;
    return pos.QuadPart;
}

LONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!IsOpen() || !::GetFileSizeEx(m_hFile, &size))
        return -1;
    return size.QuadPart;
}

CString CFile::GetFileName() const
{
    int slash = m_path.ReverseFind('\\');
    int other = m_path.ReverseFind('/');
    return m_path.Mid((slash > other ? slash : other) + 1);
}

BOOL CFile::Remove(LPCSTR path)
{
    return path && ::DeleteFileA(path);
}

BOOL CFile::Rename(LPCSTR from, LPCSTR to)
{
    return from && to && ::MoveFileA(from, to);
}

CStdioFile::CStdioFile() : m_pStream(NULL) {}

CStdioFile::~CStdioFile()
{
    Abort();
}

BOOL CStdioFile::Open(LPCSTR path, UINT flags)
{
    Abort();
    m_error = FALSE;
    if (!path || !*path)
        return FALSE;
    const bool binary = (flags & typeBinary) != 0;
    std::string mode;
    switch (flags & 3) {
    case modeWrite:
        mode = (flags & modeNoTruncate) ? "a" : "w";
        if (!(flags & modeCreate) && !(flags & modeNoTruncate))
            mode = "r+";
        break;
    case modeReadWrite:
        mode = (flags & modeCreate) && !(flags & modeNoTruncate) ? "w+" : "r+";
        break;
    default:
        mode = "r";
        break;
    }
    mode += binary ? "b" : "t";
    int share = _SH_DENYNO;
    switch (flags & 0x70) {
    case shareExclusive: share = _SH_DENYRW; break;
    case shareDenyWrite: share = _SH_DENYWR; break;
    case shareDenyRead: share = _SH_DENYRD; break;
    default: break;
    }
    FILE* f = _fsopen(path, mode.c_str(), share);
    if (!f)
        return FALSE;
    m_pStream = f;
    m_path = path;
    return TRUE;
}

BOOL CStdioFile::Close()
{
    BOOL ok = TRUE;
    if (m_pStream) {
        // The buffer is written out and checked before the close: some C
        // runtimes (Wine's among them) answer 0 from fclose even when its own
        // final write failed, on a full disk for one.
        ok = fflush(m_pStream) == 0 && !ferror(m_pStream);
        ok = fclose(m_pStream) == 0 && ok;
    }
    m_pStream = NULL;
    return ok && !m_error;
}

void CStdioFile::Abort()
{
    if (m_pStream)
        fclose(m_pStream);
    m_pStream = NULL;
}

BOOL CStdioFile::ReadString(CString& line)
{
    line.Empty();
    if (!m_pStream)
        return FALSE;
    std::string text;
    bool any = false;
    bool cut = false;
    int c;
    while ((c = fgetc(m_pStream)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        if (c == '\r') {
            // CR LF is one line end; a CR on its own ends a line as well.
            int next = fgetc(m_pStream);
            if (next != '\n' && next != EOF)
                ungetc(next, m_pStream);
            break;
        }
        if ((int)text.size() < kMaxLine)
            text += (char)c;
        else
            cut = true;
    }
    if (ferror(m_pStream)) {
        m_error = TRUE;
        return FALSE;
    }
    if (!any)
        return FALSE;
    if (cut)
        m_error = TRUE;
    line = CString(text.data(), (int)text.size());
    return TRUE;
}

BOOL CStdioFile::WriteString(LPCSTR text)
{
    if (!m_pStream || !text || fputs(text, m_pStream) < 0) {
        m_error = TRUE;
        return FALSE;
    }
    return TRUE;
}

UINT CStdioFile::Read(void* buffer, UINT count)
{
    if (!m_pStream || !buffer) {
        m_error = TRUE;
        return 0;
    }
    size_t got = fread(buffer, 1, count, m_pStream);
    if (ferror(m_pStream))
        m_error = TRUE;
    return (UINT)got;
}

BOOL CStdioFile::Write(const void* buffer, UINT count)
{
    if (!m_pStream || (count && !buffer) || fwrite(buffer, 1, count, m_pStream) != count) {
        m_error = TRUE;
        return FALSE;
    }
    return TRUE;
}

BOOL CStdioFile::Flush()
{
    if (!m_pStream || fflush(m_pStream) != 0) {
        m_error = TRUE;
        return FALSE;
    }
    return TRUE;
}

LONGLONG CStdioFile::Seek(LONGLONG offset, UINT from)
{
    static constexpr int kOrigin[3] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (!m_pStream || from > 2 || _fseeki64(m_pStream, offset, kOrigin[from]) != 0)
        return -1;
    return _ftelli64(m_pStream);
}

LONGLONG CStdioFile::GetPosition() const
{
    return m_pStream ? _ftelli64(m_pStream) : -1;
}

LONGLONG CStdioFile::GetLength() const
{
    if (!m_pStream)
        return -1;
    return _filelengthi64(_fileno(m_pStream));
}
