// The remote key table and "RemoteKeyRedef.ini".
#include "engine/TVManager.h"

#include "store/TextFileReader.h"
#include "platform/mfc/MessageBox.h"

#include <cstdlib>

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
    if (opened == CTextFileReader::kMissing || opened == CTextFileReader::kCannotOpen) {
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
            BYTE command = (BYTE)std::atol(line);
            BYTE key = (BYTE)std::atol((LPCSTR)line + equals + 1);
            m_remoteKeys[key] = command;
        }
    }
}
