#include "skin/FolderDialog.h"

#include "graph/DebugHelper.h"
#include "resources/Resource.h"

#include <shlwapi.h>

namespace {

// The browser open now: one at a time, as the shell runs it modally.
struct OpenBrowser
{
    HWND hwnd = NULL;
    CFolderDialog* dialog = NULL;
    WNDPROC savedProc = NULL;
};
OpenBrowser g_open;

struct SizeRow
{
    int id;
    UINT anchors;
    const char* requiredClass; // NULL: any control of that id
};

// The browser's controls that follow its size. Wine's edit box has an id of
// its own, and a control that is absent is simply not registered.
constexpr SizeRow kSizeRows[] = {
    {CFolderDialog::kIdPrompt, CFolderDialog::kRight, NULL},
    {CFolderDialog::kIdStatus, CFolderDialog::kRight, NULL},
    {CFolderDialog::kIdEdit, CFolderDialog::kRight, NULL},
    {CFolderDialog::kIdWineEdit, CFolderDialog::kRight, "Edit"},
    {CFolderDialog::kIdTree, CFolderDialog::kRight | CFolderDialog::kBottom, NULL},
    {IDOK, CFolderDialog::kMoveX | CFolderDialog::kMoveY, NULL},
    {IDCANCEL, CFolderDialog::kMoveX | CFolderDialog::kMoveY, NULL},
};

bool HasClass(HWND hwnd, const char* className)
{
    char name[32] = {0};
    return hwnd && ::GetClassNameA(hwnd, name, sizeof name) && lstrcmpiA(name, className) == 0;
}

// Version 5.0 of the shell's utility library brought the new browser style.
bool ShellHasNewStyle()
{
    HMODULE shlwapi = ::LoadLibraryA("shlwapi.dll");
    if (!shlwapi)
        return false;
    bool newStyle = false;
    auto getVersion = (DLLGETVERSIONPROC)(void*)::GetProcAddress(shlwapi, "DllGetVersion");
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    if (getVersion && SUCCEEDED(getVersion(&info)))
        newStyle = info.dwMajorVersion >= 5;
    ::FreeLibrary(shlwapi);
    return newStyle;
}

CString AppTitle()
{
    CString title;
    if (!title.LoadString(IDS_APP_TITLE))
        title = AfxGetAppName();
    return title;
}

CString DefaultRectKey()
{
    CString key;
    key.Format("SOFTWARE\\%s\\Common", (LPCSTR)AppTitle());
    return key;
}

} // namespace

constexpr char CFolderDialog::kRectValue[];

// --- size items ------------------------------------------------------------

void CFolderDialog::CSizeItemList::Add(HWND dialog, HWND item, UINT anchors)
{
    if (!item || Find(item))
        return;
    Item entry = {item, anchors, {}};
    ::GetWindowRect(item, &entry.rect);
    ::MapWindowPoints(NULL, dialog, (LPPOINT)&entry.rect, 2);
    m_items.push_back(entry);
}

void CFolderDialog::CSizeItemList::Move(int dx, int dy) const
{
    for (const Item& item : m_items) {
        if (!::IsWindow(item.hwnd))
            continue;
        HWND dialog = ::GetParent(item.hwnd);
        RECT r;
        ::GetWindowRect(item.hwnd, &r);
        ::MapWindowPoints(NULL, dialog, (LPPOINT)&r, 2);
        if (item.anchors & kRight)
            r.right += dx;
        if (item.anchors & kBottom)
            r.bottom += dy;
        if (item.anchors & kMoveX)
            ::OffsetRect(&r, dx, 0);
        if (item.anchors & kMoveY)
            ::OffsetRect(&r, 0, dy);
        ::SetWindowPos(item.hwnd, NULL, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

const CFolderDialog::CSizeItemList::Item* CFolderDialog::CSizeItemList::Find(HWND item) const
{
    for (const Item& entry : m_items)
        if (entry.hwnd == item)
            return &entry;
    return NULL;
}

// --- the dialog ------------------------------------------------------------

CFolderDialog::CFolderDialog(LPCSTR title)
    : m_title(title ? title : ""), m_flags(kDefaultFlags | (ShellHasNewStyle() ? kNewDialogStyle : 0)),
      m_readOnly(TRUE), m_showNewFolder(FALSE), m_rootCsidl(0), m_owner(NULL),
      m_createQuestion("Directory: \n\n '%1' \n\n not exists!  Do you want to create it?  "),
      m_rectRoot(HKEY_CURRENT_USER), m_rectKey(DefaultRectKey()), m_lastClient{0, 0}, m_hWnd(NULL),
      m_savedProc(NULL), m_layoutDone(false)
{
}

CFolderDialog::~CFolderDialog()
{
    m_sizeItems.RemoveAll();
}

HWND CFolderDialog::GetOpenWindow()
{
    return g_open.hwnd;
}

BOOL CFolderDialog::Browse(CWnd* owner, LPCSTR prompt, LPCSTR initialFolder)
{
    m_owner = owner;
    m_prompt = prompt ? prompt : "";
    m_folderPath = initialFolder ? initialFolder : "";
    return DoModal();
}

BOOL CFolderDialog::Browse(CWnd* owner, UINT promptId, LPCSTR initialFolder)
{
    CString prompt;
    prompt.LoadString(promptId);
    return Browse(owner, prompt, initialFolder);
}

BOOL CFolderDialog::DoModal()
{
    if (g_open.hwnd) {
        DebugHelper("CFolderDialog: a folder browser is open already\n");
        return FALSE;
    }
    // The new style needs the apartment; the program's thread has it, a
    // test thread may not.
    const HRESULT com = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    LPITEMIDLIST root = NULL;
    if (m_rootCsidl)
        ::SHGetSpecialFolderLocation(NULL, m_rootCsidl, &root);
    char display[MAX_PATH] = {0};
    BROWSEINFOA info = {};
    info.hwndOwner = m_owner ? m_owner->m_hWnd : NULL;
    info.pidlRoot = root;
    info.pszDisplayName = display;
    info.lpszTitle = m_prompt;
    info.ulFlags = m_flags;
    info.lpfn = &CFolderDialog::BrowseCallback;
    info.lParam = (LPARAM)this;

    m_validatedPath.Empty();
    m_layoutDone = false;
    LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);
    BOOL result = FALSE;
    if (chosen) {
        char path[MAX_PATH] = {0};
        if (!m_validatedPath.IsEmpty())
            m_folderPath = m_validatedPath;
        else if (::SHGetPathFromIDListA(chosen, path))
            m_folderPath = path;
        ::CoTaskMemFree(chosen);
        result = (m_flags & kBrowseIncludeFiles) ? ::PathFileExistsA(m_folderPath) : IsFolder(m_folderPath);
    }
    if (root)
        ::CoTaskMemFree(root);
    // The window is gone: whatever its destruction left behind goes too.
    m_sizeItems.RemoveAll();
    if (g_open.dialog == this)
        g_open = OpenBrowser();
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return result;
}

int CALLBACK CFolderDialog::BrowseCallback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data)
{
    CFolderDialog* self = (CFolderDialog*)data;
    switch (message) {
    case BFFM_INITIALIZED:
        self->m_hWnd = hwnd;
        g_open.hwnd = hwnd;
        g_open.dialog = self;
        self->OnInitialized();
        return 0;
    case BFFM_SELCHANGED:
        self->OnSelChanged((LPCITEMIDLIST)lParam);
        return 0;
    case BFFM_VALIDATEFAILEDA:
        return self->OnValidateFailed((LPCSTR)lParam);
    default:
        return 0;
    }
}

HWND CFolderDialog::FindEditBox() const
{
    for (int id : {(int)kIdEdit, (int)kIdWineEdit}) {
        HWND edit = ::GetDlgItem(m_hWnd, id);
        if (HasClass(edit, "Edit"))
            return edit;
    }
    return NULL;
}

void CFolderDialog::OnInitialized()
{
    if (!(m_flags & kNewDialogStyle)) {
        ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | WS_THICKFRAME);
        if (HMENU system = ::GetSystemMenu(m_hWnd, FALSE))
            ::AppendMenuA(system, MF_STRING, SC_SIZE, "&Size");
        g_open.savedProc = (WNDPROC)::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)&BrowseWndProc);
        m_savedProc = g_open.savedProc;
        RestoreRect();
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    if (!m_title.IsEmpty())
        ::SetWindowTextA(m_hWnd, m_title);
    HWND edit = FindEditBox();
    if ((m_flags & kEditBox) && edit)
        ::SendMessageA(edit, EM_SETREADONLY, m_readOnly, 0);
    if (HWND newFolder = ::GetDlgItem(m_hWnd, kIdNewFolder))
        if (!m_showNewFolder)
            ::ShowWindow(newFolder, SW_HIDE);
    if (IsFolder(m_folderPath)) {
        ::SendMessageA(m_hWnd, BFFM_SETSELECTIONA, TRUE, (LPARAM)(LPCSTR)m_folderPath);
        if (edit)
            ::SetWindowTextA(edit, m_folderPath);
    }
    if (!(m_flags & kNewDialogStyle))
        LayoutItems();
}

void CFolderDialog::OnSelChanged(LPCITEMIDLIST pidl)
{
    char path[MAX_PATH] = {0};
    if (!pidl || !::SHGetPathFromIDListA(pidl, path))
        path[0] = 0;
    ::SendMessageA(m_hWnd, BFFM_SETSTATUSTEXTA, 0, (LPARAM)path);
    if (HWND edit = FindEditBox())
        ::SetWindowTextA(edit, path);
    ::SendMessageA(m_hWnd, BFFM_ENABLEOK, 0, IsFolder(path));
}

int CFolderDialog::OnValidateFailed(LPCSTR typed)
{
    if (!typed || !*typed)
        return 1;
    char full[MAX_PATH] = {0};
    const DWORD length = ::GetFullPathNameA(typed, sizeof full, full, NULL);
    if (length == 0 || length >= sizeof full) {
        Report(IDS_FOLDER_NOT_FOUND, typed, MB_ICONERROR);
        return 1;
    }
    if (!IsFolder(full)) {
        if (m_flags & kBrowseIncludeFiles) {
            if (!::PathFileExistsA(full)) {
                Report(IDS_FOLDER_NOT_FOUND, full, MB_ICONERROR);
                return 1;
            }
        } else {
            CString question = m_createQuestion;
            question.Replace("%1", full);
            if (AfxShowMessageBox(m_hWnd, question, AppTitle(), MB_YESNO | MB_ICONQUESTION) != IDYES)
                return 1;
            if (!CreateFolderPath(full)) {
                Report(IDS_FOLDER_CREATE_FAILED, full, MB_ICONERROR);
                return 1;
            }
        }
    }
    SelectFolder(full);
    m_validatedPath = full;
    return 0;
}

void CFolderDialog::SelectFolder(LPCSTR path)
{
    ::SendMessageA(m_hWnd, BFFM_SETSELECTIONA, TRUE, (LPARAM)path);
}

void CFolderDialog::Report(UINT stringId, LPCSTR path, UINT type)
{
    CString text;
    if (!text.LoadString(stringId))
        text = "%1";
    text.Replace("%1", path);
    AfxShowMessageBox(m_hWnd, text, AppTitle(), MB_OK | type);
}

BOOL CFolderDialog::IsFolder(LPCSTR path)
{
    if (!path || !*path)
        return FALSE;
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CFolderDialog::CreateFolderPath(LPCSTR path)
{
    if (!path || !*path || lstrlenA(path) >= MAX_PATH)
        return FALSE;
    // Each level from the top: an existing one counts as made.
    CString full(path);
    full.TrimRight("\\/");
    for (int at = 0; at <= full.GetLength(); ++at) {
        if (at < full.GetLength() && full[at] != '\\' && full[at] != '/')
            continue;
        CString level = full.Left(at);
        if (level.IsEmpty() || level.Right(1) == ":" || IsFolder(level + "\\") || IsFolder(level))
            continue;
        if (!::CreateDirectoryA(level, NULL) && !IsFolder(level))
            return FALSE;
    }
    return IsFolder(full);
}

// --- the classic browser's window ------------------------------------------

void CFolderDialog::LayoutItems()
{
    m_sizeItems.RemoveAll();
    for (const SizeRow& row : kSizeRows) {
        HWND item = ::GetDlgItem(m_hWnd, row.id);
        if (item && (!row.requiredClass || HasClass(item, row.requiredClass)))
            m_sizeItems.Add(m_hWnd, item, row.anchors);
    }
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    m_lastClient = {client.right, client.bottom};
    m_layoutDone = true;
}

void CFolderDialog::OnSize(int width, int height)
{
    if (!m_layoutDone)
        return;
    m_sizeItems.Move(width - m_lastClient.cx, height - m_lastClient.cy);
    m_lastClient = {width, height};
    ::InvalidateRect(m_hWnd, NULL, FALSE);
}

BOOL CFolderDialog::RestoreRect()
{
    HKEY key = NULL;
    if (::RegOpenKeyExA(m_rectRoot, m_rectKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    RECT rect;
    DWORD type = 0, size = sizeof rect;
    const LONG read = ::RegQueryValueExA(key, kRectValue, NULL, &type, (BYTE*)&rect, &size);
    ::RegCloseKey(key);
    // Anything but 16 bytes of binary is not a place of ours.
    if (read != ERROR_SUCCESS || type != REG_BINARY || size != sizeof rect || rect.right <= rect.left ||
        rect.bottom <= rect.top)
        return FALSE;
    ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    return TRUE;
}

void CFolderDialog::SaveRect()
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!::GetWindowPlacement(m_hWnd, &placement))
        return;
    HKEY key = NULL;
    if (::RegCreateKeyExA(m_rectRoot, m_rectKey, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    static_assert(sizeof placement.rcNormalPosition == 16, "four 32-bit edges");
    ::RegSetValueExA(key, kRectValue, 0, REG_BINARY, (const BYTE*)&placement.rcNormalPosition,
                     sizeof placement.rcNormalPosition);
    ::RegCloseKey(key);
}

void CFolderDialog::OnDestroy()
{
    SaveRect();
    m_sizeItems.RemoveAll();
    m_layoutDone = false;
}

LRESULT CFolderDialog::OnBrowseMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled)
{
    *handled = true;
    switch (message) {
    case WM_SIZE:
        ::CallWindowProcA(m_savedProc, m_hWnd, message, wParam, lParam);
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_GETMINMAXINFO: {
        MINMAXINFO* info = (MINMAXINFO*)lParam;
        info->ptMinTrackSize.x = kMinTrackSize;
        info->ptMinTrackSize.y = kMinTrackSize;
        return 0;
    }
    case WM_ERASEBKGND: {
        // The tree paints itself: leaving it out keeps it from flickering.
        HDC dc = (HDC)wParam;
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        const int saved = ::SaveDC(dc);
        if (HWND tree = ::GetDlgItem(m_hWnd, kIdTree)) {
            RECT r;
            ::GetWindowRect(tree, &r);
            ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)&r, 2);
            ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
        }
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_3DFACE));
        ::RestoreDC(dc, saved);
        return TRUE;
    }
    case WM_COMMAND:
        // Typing in the edit box: OK only with something typed.
        if (HIWORD(wParam) == EN_CHANGE && (HWND)lParam == FindEditBox())
            ::SendMessageA(m_hWnd, BFFM_ENABLEOK, 0, ::GetWindowTextLengthA((HWND)lParam) > 0);
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    default:
        break;
    }
    *handled = false;
    return 0;
}

LRESULT CALLBACK CFolderDialog::BrowseWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC saved = g_open.savedProc;
    if (hwnd == g_open.hwnd && g_open.dialog) {
        bool handled = false;
        LRESULT result = g_open.dialog->OnBrowseMessage(message, wParam, lParam, &handled);
        if (handled)
            return result;
    }
    if (message == WM_NCDESTROY && hwnd == g_open.hwnd) {
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, (LONG_PTR)saved);
        g_open.hwnd = NULL;
    }
    return saved ? ::CallWindowProcA(saved, hwnd, message, wParam, lParam) : ::DefWindowProcA(hwnd, message, wParam, lParam);
}
