#include "store/SafeSaveFile.h"

#include "graph/DebugHelper.h"

void CUnreadFile::Note(LPCSTR path, BOOL leftUnread)
{
    if (leftUnread)
        m_path = path;
    else if (Holds(path))
        m_path.Empty();
}

BOOL CUnreadFile::Holds(LPCSTR path) const
{
    return !m_path.IsEmpty() && path && m_path.CompareNoCase(path) == 0;
}

BOOL CUnreadFile::SetAside(CString* path, CString* aside)
{
    if (path)
        *path = m_path;
    if (m_path.IsEmpty() || !SetAsideUnreadFile(m_path, aside))
        return FALSE;
    m_path.Empty();
    return TRUE;
}

namespace {

BOOL IsFileThere(LPCSTR path)
{
    DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

BOOL SetAsideUnreadFile(LPCSTR path, CString* aside)
{
    for (int n = 1; n <= CSafeSaveFile::kMaxAsideNames; ++n) {
        CString name = CString(path) + ".unread";
        if (n > 1)
            name.AppendFormat("%d", n);
        // A copy, not a move: the file stays in place until the new one
        // replaces it in one step.
        if (::CopyFileA(path, name, TRUE)) {
            DebugHelper("Could not read %s: kept as %s before saving a new one\n", path, (LPCSTR)name);
            if (aside)
                *aside = name;
            return TRUE;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            // The name was free, so what stands there now is this copy's
            // beginning (a disk that filled part way): it goes.
            ::DeleteFileA(name);
            break;
        }
    }
    DebugHelper("Could not read %s, nor keep a copy of it: it is not saved over\n", path);
    return FALSE;
}

CSafeSaveFile::~CSafeSaveFile()
{
    Discard();
}

BOOL CSafeSaveFile::OpenFor(LPCSTR target, BOOL binary, CUnreadFile* unread)
{
    Discard();
    if (!target || !*target)
        return FALSE;
    // Windows refuses to replace a read-only file; say so here, before any
    // writing, and on every system alike.
    DWORD attributes = ::GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return FALSE;
    m_target = target;
    m_temp = m_target + ".tmp";
    m_pUnread = unread;
    UINT flags = modeCreate | modeWrite | shareExclusive | (binary ? typeBinary : typeText);
    if (!Open(m_temp, flags)) {
        m_temp.Empty();
        return FALSE;
    }
    return TRUE;
}

BOOL CSafeSaveFile::Commit()
{
    if (m_temp.IsEmpty())
        return FALSE;
    // Every write, the flush of the stream's buffer and the close must have
    // succeeded before the old file goes: the close alone does not report a
    // failed last write under every C runtime (Wine's answers 0).
    BOOL ok = !HasError() && Flush();
    ok = Close() && ok;
    const bool setAside = m_pUnread && m_pUnread->Holds(m_target) && IsFileThere(m_target);
    if (ok && setAside)
        ok = SetAsideUnreadFile(m_target);
    if (ok)
        ok = ::MoveFileExA(m_temp, m_target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        ::DeleteFileA(m_temp);
    else if (m_pUnread)
        m_pUnread->Note(m_target, FALSE);
    m_temp.Empty();
    return ok;
}

void CSafeSaveFile::Discard()
{
    if (m_temp.IsEmpty())
        return;
    Abort();
    ::DeleteFileA(m_temp);
    m_temp.Empty();
}
