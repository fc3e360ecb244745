// CSafeSaveFile: writes a file through a temporary sibling ("<path>.tmp")
// and replaces the target only when every write succeeded, so a failed save
// never loses the old file. Whoever saves owns it for the save; one thread.
//
// CUnreadFile: what a loader remembers of a file that exists but that it
// could not read whole (not opened, not text, a line refused). The save that
// would replace such a file first sets it aside under a new name
// ("<path>.unread", "<path>.unread2", ...), so what could not be read is kept
// rather than written over. The object that loads and saves the file owns it.
#pragma once
#include "platform/mfc/File.h"

class CUnreadFile
{
public:
    // After each load: remembers `path` when it was left unread, forgets it
    // when it has now been read whole.
    void Note(LPCSTR path, BOOL leftUnread);
    BOOL Holds(LPCSTR path) const;
    void Forget() { m_path.Empty(); }
    // Sets the remembered file aside now rather than at the next save (to
    // tell the user where the copy is) and forgets it, so the save makes no
    // second copy. `path`: the file, `aside`: its copy. FALSE when nothing
    // is remembered (`path` empty) or no copy could be made (`path` named,
    // and still remembered: the save will not replace it).
    BOOL SetAside(CString* path, CString* aside);

private:
    CString m_path;
};

// Copies `path` to the first free "<path>.unread<n>" name and answers it in
// `aside`; FALSE when no copy could be made, and then no part of one is left.
BOOL SetAsideUnreadFile(LPCSTR path, CString* aside = NULL);

class CSafeSaveFile : public CStdioFile
{
public:
    ~CSafeSaveFile() override;

    // Creates the temporary file next to `target` (text mode unless
    // `binary`); FALSE when it cannot be created. `unread`: the owner's
    // record of a file it could not read (see CUnreadFile), or NULL.
    BOOL OpenFor(LPCSTR target, BOOL binary = FALSE, CUnreadFile* unread = NULL);
    // Closes the temporary file and moves it over the target, after setting
    // the target aside when `unread` holds it; FALSE, with the target
    // untouched and the temporary file removed, when a write, the close, the
    // setting aside or the replacement failed.
    BOOL Commit();
    // Drops the temporary file; the target stays as it was.
    void Discard();

    // Names tried for the set-aside copy before the save gives up.
    static constexpr int kMaxAsideNames = 100;

private:
    CString m_target;
    CString m_temp;
    CUnreadFile* m_pUnread = NULL; // the owner's; not owned
};
