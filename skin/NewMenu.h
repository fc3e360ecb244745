// CNewMenu: the program's menu with images, a CMenu whose items are all
// owner-drawn, each carrying a CNewMenuItemData record. Every submenu has a
// CNewMenu of its own (found from its handle), made and deleted with its
// parent. Measuring and drawing go to the global menu theme; images come
// from shared image sets. The owner window needs no drawing code: the
// framework's WM_MEASUREITEM and WM_DRAWITEM handling finds the menu object.
// A position or index outside the item list answers FALSE, never an
// exception. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"
#include "skin/NewMenuItemData.h"

#include <vector>

class CNewMenuIcons;

class CNewMenu : public CMenu
{
public:
    explicit CNewMenu(HMENU parent = NULL);
    ~CNewMenu() override;

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;

    // --- loading -------------------------------------------------------
    // The menu resource with the low 16 bits of `id`.
    virtual BOOL LoadMenuById(UINT id);
    BOOL LoadMenu(UINT id) { return LoadMenuById(id); }
    // From the module that holds the resource; replaces what the menu held.
    virtual BOOL LoadMenu(LPCSTR name);
    // Takes `menu` over as a menu bar: a CNewMenu for every popup, every
    // item converted. FALSE when it is no menu or cannot be attached.
    virtual BOOL LoadFromHandle(HMENU menu);
    // Submenu objects (last first), item records, the own check-mark
    // images and the handle.
    virtual BOOL DestroyMenu();
    // Gives the handle up without destroying it (the system owns it, as a
    // window's system menu): records and submenu objects go.
    HMENU ReleaseHandle();
    // Tool bars' images for every item (in every submenu) whose command is
    // on them; module NULL: the module holding each tool bar. TRUE only
    // when every tool bar loaded (the others are still bound).
    BOOL LoadToolBars(const UINT* ids, int count, HMODULE module = NULL);
    BOOL LoadToolBar(UINT id, HMODULE module = NULL) { return LoadToolBars(&id, 1, module); }

    // --- items ---------------------------------------------------------
    // An owner-drawn item; id 0 is a separator whatever the text. MF_POPUP
    // with a submenu handle as id makes this menu its parent. No image.
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCSTR text = NULL, int image = -1);
    // By position (-1, -2 or the count: at the end) or, without
    // MF_BYPOSITION, before the item of that command wherever it stands.
    // A non-negative `image` names a tool bar (or a bitmap) holding the
    // item's image.
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCSTR text = NULL, int image = -1);
    // By position, or by command searched in every submenu. A popup's
    // submenu object goes with it (destroyed; RemoveMenu only detaches).
    BOOL DeleteMenu(UINT position, UINT flags);
    BOOL RemoveMenu(UINT position, UINT flags);
    // New text (and flags) of an item; separators keep none. A
    // non-negative `image` names a tool bar (or a bitmap) holding the
    // item's new image, as for InsertMenu; -1 keeps the image it has. With
    // MF_BITMAP `text` is a bitmap handle that becomes the image (copied).
    BOOL ModifyODMenu(UINT position, UINT flags, UINT_PTR id, LPCSTR text, int image = -1);
    BOOL SetMenuText(UINT position, LPCSTR text, UINT flags);
    // A submenu of this menu, appended as a popup item; NULL when it fails.
    CNewMenu* AppendODPopupMenu(LPCSTR text);
    // An item showing a colour swatch: a `border` frame filled with `fill`
    // (or hatched in `fill` when `hatch` is not -1).
    BOOL AppendMenuColor(UINT flags, UINT_PTR id, LPCSTR text, COLORREF border, COLORREF fill,
                         int hatch = -1);
    // The first item becomes a titled separator (inserted when it is no
    // separator); MFT_TITLE_VERTICAL puts the items in a column beside it.
    BOOL SetMenuTitle(LPCSTR title, DWORD titleFlags);
    BOOL RemoveMenuTitle();
    // The two check-mark images (selected, not selected) from bitmap
    // resources; a failed load drops the list.
    BOOL LoadCheckmarkBitmap(UINT unselected, UINT selected);

    // --- finding -------------------------------------------------------
    CNewMenu* FindPopupMenuFromText(LPCSTR text);
    // The (sub)menu holding `id` with `data` as its record (NULL: any), and
    // the item's position there.
    CNewMenu* FindMenuOfCommand(UINT_PTR id, int* position = NULL, CNewMenuItemData* data = NULL);
    // The (sub)menu whose item carries the record `data`.
    CNewMenu* FindMenuOfItemData(const void* data);
    CNewMenu* GetNewSubMenu(int position) const;
    CNewMenu* GetParentNewMenu() const;
    // The record at a position, NULL outside the list.
    CNewMenuItemData* GetItemData(int position) const;
    int GetItemDataCount() const { return (int)m_MenuItemList.size(); }
    int GetSubMenuCount() const { return (int)m_SubMenus.size(); }

    // --- the theme's view ----------------------------------------------
    CSize GetIconSize() const { return m_IconSize; }
    void SetIconSize(CSize size) { m_IconSize = size; }
    COLORREF GetBitmapBackground() const;
    COLORREF SetBitmapBackground(COLORREF color);
    BOOL IsMenuBar() const { return m_hParentMenu == NULL && !m_bIsPopupMenu; }
    static COLORREF GetMenuBkColor();
    // Hands the item to the theme's titled-separator operation.
    void ForwardToTheme(DRAWITEMSTRUCT& dis, BOOL menuBar);
    BOOL EraseBkgnd(HWND hWnd, HDC dc);

    // --- showing ---------------------------------------------------------
    // Every item converted again; the XP system commands renumbered.
    virtual void OnInitMenuPopup();
    // Its popup window went away (`owner`: the window that showed it).
    virtual void OnUnInitPopupMenu(HWND owner);
    // The step an owner runs as a popup opens: the hook is told which menu
    // the next popup window shows, the popup is initialised and its parent
    // counts it open.
    static void PrepareToShowPopup(HWND owner, HMENU popup);
    // Brings the records in line with the menu's items (new items become
    // owner-drawn records, gone ones lose theirs).
    void ConvertItems();

    // The menu the next popup window shows, taken by the hook.
    static HMENU s_hMenuToShow;
    // The menu-bar item drawn hot by the frames' hot tracking.
    static CNewMenuItemData* s_pHotItem;

    HMENU m_hParentMenu;
    BOOL m_bIsPopupMenu;
    CRect m_LastActiveMenuRect; // screen coordinates, menu bars only
    DWORD m_dwOpenMenu;         // open popups, menu bars only
    CImageList* m_pCheckMenuBitmaps;
    BOOL m_bCheckFromParent;
    int m_selectcheck;
    int m_unselectcheck;

protected:
    CNewMenuItemData* NewRecord(UINT flags, UINT_PTR id, LPCSTR text);
    CNewMenuItemData* FindRecord(const void* data) const;
    void ApplyIcons(CNewMenuIcons* icons);
    // The item's image: its command's on tool bar `resource`, else the
    // bitmap resource of that id; FALSE when neither gives one.
    BOOL GiveImage(CNewMenuItemData* item, UINT resource);
    BOOL GiveBitmap(CNewMenuItemData* item, HBITMAP bitmap);
    void DeleteSubMenuObject(HMENU sub);
    // Records, submenu objects and own check-mark images; the handle stays.
    void DestroyMenuObjects();
    BOOL RemoveItem(UINT position, UINT flags, BOOL destroy);
    void RenumberSystemCommands(BOOL open);
    void GrowIconSize(CSize size);

    std::vector<CNewMenuItemData*> m_MenuItemList;
    std::vector<HMENU> m_SubMenus;
    CSize m_IconSize;
    COLORREF m_bitmapBackground;
};
