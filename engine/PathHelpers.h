// Path and file helpers shared by the whole program: the work folder, path
// joining, existence tests and folder creation, and the application title
// that names the program's registry key. Narrow texts, paths of at
// most MAX_PATH characters; no shared state, any thread.
#pragma once
#include "platform/mfc/Array.h"
#include "platform/mfc/String.h"

// The program's folder without a trailing backslash.
void GetWorkPath(CString& out);
// The application title (string IDS_APP_TITLE of the resource module, else
// the program's name).
CString GetApplicationTitle();
// "C:\" and the like: the first three characters of the Windows folder.
void GetWindowsDrive(CString& out);
// folder + "\" + name, with no backslash added when the folder ends with
// one or the name begins with one.
CString PathJoin(LPCSTR folder, LPCSTR name);
BOOL IsFileExist(LPCSTR path);
// Forward slashes count as backslashes.
BOOL IsDirectoryExist(LPCSTR path);
// Creates the folder and every missing folder above it.
BOOL CreateFolder(LPCSTR path);
// The 8.3 form, or the empty text when the system has none.
CString GetShortPath(LPCSTR path);
// Index of the first entry equal to `text` without regard to case, or -1.
int FindStringNoCase(const CStringArray& list, LPCSTR text);
BOOL IsSingleChar(LPCSTR text, char ch);
// Decimal digits of a positive value; the empty text for 0 and below.
CString Int64ToText(LONGLONG value);
