#include "engine/SafeSaveFile.h"

CSafeSaveFile::~CSafeSaveFile()
{
    Discard();
}

BOOL CSafeSaveFile::OpenFor(LPCSTR target, BOOL binary)
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
    BOOL ok = !HasError();
    ok = Close() && ok;
    if (ok)
        ok = ::MoveFileExA(m_temp, m_target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        ::DeleteFileA(m_temp);
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
