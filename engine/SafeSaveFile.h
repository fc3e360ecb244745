// CSafeSaveFile: writes a file through a temporary sibling ("<path>.tmp")
// and replaces the target only when every write succeeded, so a failed save
// never loses the old file. Whoever saves owns it for the save; one thread.
#pragma once
#include "platform/mfc/File.h"

class CSafeSaveFile : public CStdioFile
{
public:
    ~CSafeSaveFile() override;

    // Creates the temporary file next to `target` (text mode unless
    // `binary`); FALSE when it cannot be created.
    BOOL OpenFor(LPCSTR target, BOOL binary = FALSE);
    // Closes the temporary file and moves it over the target; FALSE, with
    // the target untouched and the temporary file removed, when a write, the
    // close or the replacement failed.
    BOOL Commit();
    // Drops the temporary file; the target stays as it was.
    void Discard();

private:
    CString m_target;
    CString m_temp;
};
