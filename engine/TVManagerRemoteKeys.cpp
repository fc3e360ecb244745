// The remote key table and "RemoteKeyRedef.ini".
#include "engine/TVManager.h"

#include "store/TextFileReader.h"
#include "graph/DebugHelper.h"
#include "platform/mfc/MessageBox.h"

#include <cctype>
#include <cstdlib>

namespace {

// The decimal number at the start of `text`, as atol reads it (blanks and a
// sign before it), cut to its low 8 bits; FALSE when no digit is there.
bool ReadKeyByte(LPCSTR text, BYTE& value)
{
    LPCSTR p = text;
    while (std::isspace((unsigned char)*p))
        ++p;
    if (*p == '+' || *p == '-')
        ++p;
    if (!std::isdigit((unsigned char)*p))
        return false;
    value = (BYTE)std::atol(text);
    return true;
}

} // namespace

void CTVManager::ShowLastError()
{
    const DWORD error = ::GetLastError();
    if (error == 0)
        return;
    char* text = NULL;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                               NULL, error, 0, (LPSTR)&text, 0, NULL);
    CString message;
    if (n > 0 && text)
        message = text;
    else
        message.Format("Error message 0x%lx not found", (unsigned long)error);
    if (text)
        ::LocalFree(text);
    AfxShowMessageBox(NULL, message, "Error", MB_OK | MB_ICONINFORMATION);
}

void CTVManager::LoadRemoteKeyRedef()
{
    for (int k = 0; k < 256; ++k)
        m_remoteKeys[k] = (BYTE)k;
    CTextFileReader file;
    const CTextFileReader::OpenResult opened = file.Open(GetWorkFile("RemoteKeyRedef.ini"));
    // The file is optional: without it every key keeps its own command. A
    // box here would hold the program's start, a scheduled recording's
    // wake-up start among them, until someone answers it.
    if (opened == CTextFileReader::kMissing) {
        DebugHelper("RemoteKeyRedef.ini not found, the remote keys keep their own commands\n");
        return;
    }
    if (opened == CTextFileReader::kCannotOpen) {
        ShowLastError();
        return;
    }
    // A file that is not text we read (traced by the reader) keeps the
    // identity table.
    CString line;
    while (file.ReadLine(line)) {
        if (line.IsEmpty() || line[0] != '[')
            continue;
        // "[N]": the N lines after it belong to the block, used or not.
        long count = std::atol((LPCSTR)line + 1);
        for (long i = 0; i < count && file.ReadLine(line); ++i) {
            // command=key; — the ";" must not follow the "=" directly.
            int equals = line.Find('=');
            int semicolon = line.Find(';');
            if (equals < 0 || semicolon < 0 || semicolon == equals + 1)
                continue;
            // A line without a number before or after its "=" changes
            // nothing (it would map a key to command 0, or change key 0).
            BYTE command = 0, key = 0;
            if (ReadKeyByte(line, command) && ReadKeyByte((LPCSTR)line + equals + 1, key))
                m_remoteKeys[key] = command;
        }
    }
}
