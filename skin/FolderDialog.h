// CFolderDialog: the shell's folder browser with an edit box, creation of a
// typed folder that does not exist, and, in its classic style, a resizable
// window whose last place is kept under the program's own key in the
// current user's registry. The caller owns the object and runs it modally;
// only one browser is open at a time (one program-wide slot). UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

#include <shlobj.h>

#include <vector>

class CFolderDialog
{
public:
    // The browser's controls, as the shell numbers them. Wine differs: in
    // the new style its edit box is 14149 and 14148 a static; its classic
    // browser has no edit box at all.
    enum {
        kIdTree = 14145,
        kIdPrompt = 14146,
        kIdStatus = 14147,
        kIdEdit = 14148,
        kIdWineEdit = 14149,
        kIdNewFolder = 14150,
    };
    // Browse flags (BIF_...).
    static constexpr UINT kReturnOnlyFsDirs = 0x01, kDontGoBelowDomain = 0x02, kReturnFsAncestors = 0x08,
                          kEditBox = 0x10, kValidate = 0x20, kNewDialogStyle = 0x40, kBrowseIncludeFiles = 0x4000;
    static constexpr UINT kDefaultFlags = kReturnOnlyFsDirs | kDontGoBelowDomain | kReturnFsAncestors | kEditBox | kValidate;
    // How a registered control follows the window's size.
    enum Anchor { kRight = 1, kBottom = 2, kMoveX = 4, kMoveY = 8 };
    static constexpr int kMinTrackSize = 280;
    static constexpr char kRectValue[] = "BrowseFolderRect";

    // The controls that follow the browser's size, each with its anchors
    // and the rectangle it had; freed with the browser's window.
    class CSizeItemList
    {
    public:
        struct Item
        {
            HWND hwnd;
            UINT anchors;
            RECT rect; // in the dialog's client coordinates
        };
        void Add(HWND dialog, HWND item, UINT anchors);
        // Moves every item whose window still exists by the change in size.
        void Move(int dx, int dy) const;
        void RemoveAll() { m_items.clear(); }
        int GetCount() const { return (int)m_items.size(); }
        const Item* Find(HWND item) const;

    private:
        std::vector<Item> m_items;
    };

    explicit CFolderDialog(LPCSTR title = NULL);
    virtual ~CFolderDialog();
    CFolderDialog(const CFolderDialog&) = delete;
    CFolderDialog& operator=(const CFolderDialog&) = delete;

    BOOL Browse(CWnd* owner, LPCSTR prompt, LPCSTR initialFolder);
    BOOL Browse(CWnd* owner, UINT promptId, LPCSTR initialFolder);
    // TRUE when the chosen path is an existing folder (or merely exists,
    // with kBrowseIncludeFiles).
    virtual BOOL DoModal();

    CString GetFolderPath() const { return m_folderPath; }
    void SetFolderPath(LPCSTR path) { m_folderPath = path ? path : ""; }
    UINT GetFlags() const { return m_flags; }
    void SetFlags(UINT flags) { m_flags = flags; }
    void SetReadOnly(BOOL readOnly) { m_readOnly = readOnly; }
    void SetShowNewFolder(BOOL show) { m_showNewFolder = show; }
    void SetRoot(int csidl) { m_rootCsidl = csidl; }
    void SetCreateQuestion(LPCSTR question) { m_createQuestion = question; }
    // Where the classic browser's place is kept: a key under `root`.
    void SetRectKey(HKEY root, LPCSTR subKey) { m_rectRoot = root; m_rectKey = subKey; }
    const CSizeItemList& GetSizeItems() const { return m_sizeItems; }

    // The open browser's window, NULL when none.
    static HWND GetOpenWindow();

    // The open browser's answer to a typed name it could not take (the
    // shell's validation): 0 ends the browser with that folder chosen (made
    // first, when the user agrees), 1 keeps it open.
    int OnValidateFailed(LPCSTR typed);

    // Makes `path` and every missing folder above it; TRUE when it exists
    // as a folder afterwards.
    static BOOL CreateFolderPath(LPCSTR path);
    static BOOL IsFolder(LPCSTR path);

protected:
    // Registers the controls that follow the window's size.
    virtual void LayoutItems();

private:
    static int CALLBACK BrowseCallback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data);
    static LRESULT CALLBACK BrowseWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    void OnInitialized();
    void OnSelChanged(LPCITEMIDLIST pidl);
    LRESULT OnBrowseMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
    void OnSize(int width, int height);
    void OnDestroy();
    HWND FindEditBox() const;
    void SelectFolder(LPCSTR path);
    BOOL RestoreRect();
    void SaveRect();
    void Report(UINT stringId, LPCSTR path, UINT type);

    CString m_title;
    UINT m_flags;
    BOOL m_readOnly;
    BOOL m_showNewFolder;
    int m_rootCsidl;
    CWnd* m_owner;
    CString m_prompt;
    CString m_folderPath;
    CString m_createQuestion;
    // A path the user typed and the browser accepted by its validation.
    CString m_validatedPath;
    HKEY m_rectRoot;
    CString m_rectKey;
    CSizeItemList m_sizeItems;
    SIZE m_lastClient;
    HWND m_hWnd;
    WNDPROC m_savedProc;
    bool m_layoutDone;
};
