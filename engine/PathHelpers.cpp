#include "engine/PathHelpers.h"

#include "graph/DebugHelper.h"
#include "platform/mfc/Resource.h"
#include "resources/Resource.h"

#include <cstring>

void GetWorkPath(CString& out)
{
    char path[MAX_PATH + 1] = {0};
    DWORD n = ::GetModuleFileNameA(NULL, path, MAX_PATH);
    out = CString(path, n < MAX_PATH ? (int)n : MAX_PATH);
    int slash = out.ReverseFind('\\');
    if (slash >= 0)
        out = out.Left(slash);
    DebugHelper("GetWorkPath %s\n", (LPCSTR)out);
}

void GetWindowsDrive(CString& out)
{
    char path[MAX_PATH + 1] = {0};
    UINT n = ::GetWindowsDirectoryA(path, MAX_PATH);
    out = CString(path, n < MAX_PATH ? (int)n : 0).Left(3);
}

CString PathJoin(LPCSTR folder, LPCSTR name)
{
    CString result(folder);
    CString tail(name);
    bool folderEnds = !result.IsEmpty() && result[result.GetLength() - 1] == '\\';
    bool nameBegins = !tail.IsEmpty() && tail[0] == '\\';
    if (!folderEnds && !nameBegins)
        result += '\\';
    result += tail;
    return result;
}

BOOL IsFileExist(LPCSTR path)
{
    if (!path || !*path)
        return FALSE;
    DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL IsDirectoryExist(LPCSTR path)
{
    if (!path || !*path)
        return FALSE;
    CString native(path);
    native.Replace('/', '\\');
    DWORD attributes = ::GetFileAttributesA(native);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CreateFolder(LPCSTR path)
{
    if (!path || !*path)
        return FALSE;
    if (IsDirectoryExist(path))
        return TRUE;
    CString folder(path);
    if (folder[folder.GetLength() - 1] == '\\')
        folder = folder.Left(folder.GetLength() - 1);
    int slash = folder.ReverseFind('\\');
    if (slash < 0)
        return FALSE;
    // The parent is strictly shorter, so the recursion ends at the drive
    // root (an existing folder) or at a text without a backslash.
    if (!CreateFolder(folder.Left(slash)))
        return FALSE;
    return ::CreateDirectoryA(folder, NULL);
}

CString GetShortPath(LPCSTR path)
{
    char buf[MAX_PATH + 1] = {0};
    DWORD n = path ? ::GetShortPathNameA(path, buf, MAX_PATH) : 0;
    if (n == 0 || n >= MAX_PATH)
        return CString();
    return CString(buf, (int)n);
}

int FindStringNoCase(const CStringArray& list, LPCSTR text)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (list[i].CompareNoCase(text) == 0)
            return (int)i;
    return -1;
}

BOOL IsSingleChar(LPCSTR text, char ch)
{
    return text && text[0] == ch && text[1] == '\0';
}

CString Int64ToText(LONGLONG value)
{
    CString text;
    while (value > 0) {
        text.Insert(0, (char)('0' + value % 10));
        value /= 10;
    }
    return text;
}

CString GetApplicationTitle()
{
    CString title;
    if (!title.LoadString(IDS_APP_TITLE))
        title = AfxGetAppName();
    return title;
}
