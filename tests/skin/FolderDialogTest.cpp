// The folder browser over Wine's shell: its place kept under the program's
// key of the current user, its controls following its size, what it does
// with a typed folder that does not exist, and nothing left behind.
#include "skin/FolderDialog.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// A key of this test process's own under the current user.
class TestKey
{
public:
    TestKey()
    {
        m_path = "SOFTWARE\\PellamarTests\\FolderDialog-" + std::to_string(::GetCurrentProcessId());
    }
    ~TestKey() { ::RegDeleteKeyA(HKEY_CURRENT_USER, m_path.c_str()); }
    const char* Path() const { return m_path.c_str(); }
    void Set(DWORD type, const void* data, DWORD size) const
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, NULL, 0, KEY_WRITE, NULL,
                                                   &key, NULL));
        ::RegSetValueExA(key, CFolderDialog::kRectValue, 0, type, (const BYTE*)data, size);
        ::RegCloseKey(key);
    }
    bool Get(RECT& rect, DWORD& type, DWORD& size) const
    {
        size = sizeof rect;
        return ::RegGetValueA(HKEY_CURRENT_USER, m_path.c_str(), CFolderDialog::kRectValue, RRF_RT_ANY, &type,
                              &rect, &size) == ERROR_SUCCESS;
    }

private:
    std::string m_path;
};

// Runs the browser; `drive` is called once on the open browser's window
// from its own modal loop and must end it (OK or Cancel).
BOOL RunBrowser(CFolderDialog& dialog, LPCSTR initial, const std::function<void(HWND)>& drive)
{
    static const std::function<void(HWND)>* s_drive;
    s_drive = &drive;
    UINT_PTR timer = ::SetTimer(NULL, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND open = CFolderDialog::GetOpenWindow();
        if (!open || !::IsWindowVisible(open))
            return;
        ::KillTimer(NULL, id);
        (*s_drive)(open);
    });
    BOOL result = dialog.Browse(NULL, "Choose a folder:", initial);
    ::KillTimer(NULL, timer);
    return result;
}

// The system drive's root (the test prefix's own drive).
std::string DriveRoot()
{
    char path[MAX_PATH] = {0};
    if (!::GetWindowsDirectoryA(path, sizeof path) || path[1] != ':')
        return std::string();
    return std::string(path, 2) + "\\";
}

CRect WindowRect(HWND hwnd)
{
    CRect r;
    ::GetWindowRect(hwnd, &r);
    return r;
}

CRect ChildRect(HWND dialog, int id)
{
    CRect r;
    HWND child = ::GetDlgItem(dialog, id);
    if (!child)
        return r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(NULL, dialog, (LPPOINT)&r, 2);
    return r;
}

} // namespace

TEST(FolderDialog, ClassicBrowserKeepsItsPlaceAndFollowsItsSize)
{
    TestKey key;
    const RECT stored = {120, 90, 520, 470};
    key.Set(REG_BINARY, &stored, sizeof stored);
    TempFolder dir;
    CFolderDialog dialog("Record folder");
    dialog.SetFlags(CFolderDialog::kDefaultFlags & ~CFolderDialog::kEditBox);
    dialog.SetRectKey(HKEY_CURRENT_USER, key.Path());
    CRect moved;
    RunBrowser(dialog, dir.Path().c_str(), [&](HWND open) {
        EXPECT_EQ(CRect(stored), WindowRect(open));
        char title[64] = {0};
        ::GetWindowTextA(open, title, sizeof title);
        EXPECT_STREQ("Record folder", title);
        EXPECT_TRUE(::GetWindowLongA(open, GWL_STYLE) & WS_THICKFRAME);
        EXPECT_GE(dialog.GetSizeItems().GetCount(), 3); // the tree, OK, Cancel at least
        MINMAXINFO limits = {};
        ::SendMessageA(open, WM_GETMINMAXINFO, 0, (LPARAM)&limits);
        EXPECT_EQ(CFolderDialog::kMinTrackSize, limits.ptMinTrackSize.x);

        const CRect tree = ChildRect(open, CFolderDialog::kIdTree), ok = ChildRect(open, IDOK);
        ::SetWindowPos(open, NULL, 0, 0, stored.right - stored.left + 100, stored.bottom - stored.top + 60,
                       SWP_NOMOVE | SWP_NOZORDER);
        const CRect grownTree = ChildRect(open, CFolderDialog::kIdTree), movedOk = ChildRect(open, IDOK);
        EXPECT_EQ(tree.Width() + 100, grownTree.Width());
        EXPECT_EQ(tree.Height() + 60, grownTree.Height());
        EXPECT_EQ(tree.TopLeft(), grownTree.TopLeft());
        EXPECT_EQ(ok.Size(), movedOk.Size());
        EXPECT_EQ(CPoint(ok.left + 100, ok.top + 60), movedOk.TopLeft());
        PumpFor(200);
        SaveWindowShot(open, "folder_dialog_classic");
        moved = WindowRect(open);
        ::PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(0, dialog.GetSizeItems().GetCount());
    EXPECT_EQ(NULL, CFolderDialog::GetOpenWindow());
    RECT saved;
    DWORD type = 0, size = 0;
    ASSERT_TRUE(key.Get(saved, type, size));
    EXPECT_EQ((DWORD)REG_BINARY, type);
    EXPECT_EQ(16u, size);
    EXPECT_EQ(moved, CRect(saved));
}

TEST(FolderDialog, AStoredPlaceOfAnotherSizeOrTypeIsIgnored)
{
    TestKey key;
    const RECT stored = {130, 100, 530, 480};
    struct { DWORD type; DWORD size; } cases[] = {{REG_BINARY, 12}, {REG_BINARY, 20}, {REG_SZ, 16}};
    for (const auto& c : cases) {
        BYTE data[20] = {0};
        memcpy(data, &stored, sizeof stored);
        key.Set(c.type, data, c.size);
        CFolderDialog dialog;
        dialog.SetFlags(CFolderDialog::kDefaultFlags);
        dialog.SetRectKey(HKEY_CURRENT_USER, key.Path());
        RunBrowser(dialog, NULL, [&](HWND open) {
            EXPECT_NE(CRect(stored), WindowRect(open)) << c.type << " " << c.size;
            ::PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
        });
    }
}

TEST(FolderDialog, NewStyleBrowserShowsTheInitialFolderInItsEditBox)
{
    // Not under the temporary folder: Wine's tree lists no hidden folder,
    // so it cannot select one below it.
    TempFolder dir(DriveRoot());
    CFolderDialog dialog;
    dialog.SetFlags(CFolderDialog::kDefaultFlags | CFolderDialog::kNewDialogStyle);
    const BOOL chosen = RunBrowser(dialog, dir.Path().c_str(), [&](HWND open) {
        HWND edit = NULL;
        for (int id : {(int)CFolderDialog::kIdEdit, (int)CFolderDialog::kIdWineEdit}) {
            char name[16] = {0};
            HWND child = ::GetDlgItem(open, id);
            if (child && ::GetClassNameA(child, name, sizeof name) && lstrcmpiA(name, "Edit") == 0)
                edit = child;
        }
        if (edit) {
            char text[MAX_PATH] = {0};
            ::GetWindowTextA(edit, text, sizeof text);
            EXPECT_EQ(0, lstrcmpiA(dir.Path().c_str(), text)) << text;
            EXPECT_TRUE(::GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
        }
        if (HWND newFolder = ::GetDlgItem(open, CFolderDialog::kIdNewFolder)) {
            EXPECT_FALSE(::IsWindowVisible(newFolder));
        }
        SaveWindowShot(open, "folder_dialog_new_style");
        ::PostMessageA(open, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(0, lstrcmpiA(dir.Path().c_str(), dialog.GetFolderPath()));
}

TEST(FolderDialog, CreatesEveryMissingLevelOfAPath)
{
    TempFolder dir;
    const std::string nested = dir.Path() + "\\a\\b\\c";
    EXPECT_FALSE(CFolderDialog::IsFolder(nested.c_str()));
    EXPECT_TRUE(CFolderDialog::CreateFolderPath(nested.c_str()));
    EXPECT_TRUE(CFolderDialog::IsFolder((dir.Path() + "\\a\\b").c_str()));
    EXPECT_TRUE(CFolderDialog::IsFolder(nested.c_str()));
    EXPECT_TRUE(CFolderDialog::CreateFolderPath((nested + "\\").c_str())); // there already
    ASSERT_TRUE(dir.Write("file", "x"));
    EXPECT_FALSE(CFolderDialog::CreateFolderPath((dir.Path() + "\\file\\d").c_str()));
    EXPECT_FALSE(CFolderDialog::CreateFolderPath(""));
}

TEST(FolderDialog, ATypedFolderThatDoesNotExistIsMadeOnYes)
{
    // Wine's browser never reports a typed name it cannot take: the test
    // gives the open browser that report itself.
    TempFolder dir;
    const std::string typed = dir.Path() + "\\new\\nested";
    struct { int answer; int result; bool made; } cases[] = {{IDNO, 1, false}, {IDYES, 0, true}};
    for (const auto& c : cases) {
        MessageBoxCapture boxes(c.answer);
        CFolderDialog dialog;
        int result = -1;
        RunBrowser(dialog, dir.Path().c_str(), [&](HWND open) {
            result = dialog.OnValidateFailed(typed.c_str());
            ::PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(c.result, result) << c.answer;
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_NE(std::string::npos, boxes.Boxes()[0].text.find(typed)) << boxes.Boxes()[0].text;
        EXPECT_TRUE(boxes.Boxes()[0].type & MB_YESNO);
        EXPECT_EQ(c.made, CFolderDialog::IsFolder(typed.c_str()) != FALSE);
    }
    // An existing folder is taken without a question.
    MessageBoxCapture boxes(IDNO);
    CFolderDialog dialog;
    int result = -1;
    RunBrowser(dialog, NULL, [&](HWND open) {
        result = dialog.OnValidateFailed(dir.Path().c_str());
        ::PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(0, result);
    EXPECT_TRUE(boxes.Boxes().empty());
}
