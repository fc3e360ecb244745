#include "skin/NewMenu.h"

#include "graph/DebugHelper.h"
#include "skin/MenuSystem.h"
#include "skin/MenuTheme.h"
#include "skin/MenuThemeXP.h"
#include "skin/NewMenuBitmaps.h"
#include "skin/NewMenuIcons.h"

#include <algorithm>

HMENU CNewMenu::s_hMenuToShow = NULL;
CNewMenuItemData* CNewMenu::s_pHotItem = NULL;

namespace {

const int kDefaultIconWidth = 16;
const int kDefaultIconHeight = 15;
// Deeper than any menu; a loop of submenus stops here.
const int kMaxDepth = 16;

// Drawing before the hook built the themes (tests, or a failed start-up)
// still gets the program's look, without the popup border.
CMenuTheme& Theme()
{
    if (CMenuTheme* theme = CMenuTheme::Global())
        return *theme;
    static CMenuThemeXP fallback(3, 0);
    return fallback;
}

CNewMenu* AsNewMenu(HMENU menu)
{
    return dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(menu));
}

struct ItemInfo
{
    UINT type;
    UINT state;
    UINT id;
    HMENU sub;
    ULONG_PTR data;
};

bool ReadItem(HMENU menu, int position, ItemInfo& item)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    if (!::GetMenuItemInfoA(menu, (UINT)position, TRUE, &info))
        return false;
    item.type = info.fType;
    item.state = info.fState;
    item.id = info.wID;
    item.sub = info.hSubMenu;
    item.data = info.dwItemData;
    return true;
}

CString MenuText(HMENU menu, int position)
{
    char text[512] = {0};
    int n = ::GetMenuStringA(menu, (UINT)position, text, sizeof(text), MF_BYPOSITION);
    return n > 0 ? CString(text) : CString();
}

bool IsPosition(UINT position)
{
    return position == (UINT)-1 || position == (UINT)-2;
}

} // namespace

CNewMenu::CNewMenu(HMENU parent)
    : m_hParentMenu(parent), m_bIsPopupMenu(TRUE), m_dwOpenMenu(0), m_pCheckMenuBitmaps(NULL),
      m_bCheckFromParent(FALSE), m_selectcheck(-1), m_unselectcheck(-1),
      m_IconSize(kDefaultIconWidth, kDefaultIconHeight), m_bitmapBackground(CLR_DEFAULT)
{
}

CNewMenu::~CNewMenu()
{
    DestroyMenu();
}

// --- drawing ------------------------------------------------------------------

void CNewMenu::DrawItem(LPDRAWITEMSTRUCT dis)
{
    if (dis == NULL || dis->CtlType != ODT_MENU || FindRecord((const void*)dis->itemData) == NULL)
        return;
    if (m_hParentMenu != NULL) {
        Theme().DrawItem(*this, *dis, FALSE);
        return;
    }
    BOOL menuBar = !m_bIsPopupMenu;
    if (menuBar && s_pHotItem == (CNewMenuItemData*)dis->itemData && !(dis->itemState & ODS_HOTLIGHT))
        s_pHotItem = NULL;
    Theme().DrawItem(*this, *dis, menuBar);
}

void CNewMenu::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    if (mis == NULL || mis->CtlType != ODT_MENU)
        return;
    CNewMenuItemData* item = FindRecord((const void*)mis->itemData);
    if (item == NULL) {
        // Asked about a submenu's own item: its parent holds the record.
        CNewMenu* sub = AsNewMenu((HMENU)(UINT_PTR)mis->itemID);
        CNewMenu* parent = sub ? sub->GetParentNewMenu() : NULL;
        if (parent != NULL && parent != this)
            parent->MeasureItem(mis);
        return;
    }
    // The record's own flag says whether it opens a submenu; a command id
    // that happens to equal some menu handle does not.
    CNewMenu* parent = GetParentNewMenu();
    BOOL menuBar = item->IsPopup() && (IsMenuBar() || (parent != NULL && parent->IsMenuBar()));
    Theme().MeasureItem(*this, *mis, menuBar);
}

void CNewMenu::ForwardToTheme(DRAWITEMSTRUCT& dis, BOOL menuBar)
{
    Theme().DrawTitle(*this, dis, menuBar);
}

BOOL CNewMenu::EraseBkgnd(HWND hWnd, HDC dc)
{
    CRect rect;
    ::GetClientRect(hWnd, &rect);
    CTempDC(dc).FillSolidRect(&rect, GetMenuBkColor());
    return TRUE;
}

COLORREF CNewMenu::GetMenuBkColor()
{
    return MenuBackgroundColor();
}

COLORREF CNewMenu::GetBitmapBackground() const
{
    return m_bitmapBackground == CLR_DEFAULT ? CMenuSystem::Color(COLOR_3DFACE) : m_bitmapBackground;
}

COLORREF CNewMenu::SetBitmapBackground(COLORREF color)
{
    COLORREF old = m_bitmapBackground;
    m_bitmapBackground = color;
    return old;
}

// --- loading ------------------------------------------------------------------

BOOL CNewMenu::LoadMenuById(UINT id)
{
    return LoadMenu(MAKEINTRESOURCEA(LOWORD(id)));
}

BOOL CNewMenu::LoadMenu(LPCSTR name)
{
    DestroyMenu();
    HINSTANCE module = AfxFindResourceHandle(name, RT_MENU);
    HMENU menu = ::LoadMenuA(module, name);
    if (menu == NULL)
        return FALSE;
    if (!LoadFromHandle(menu)) {
        ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CNewMenu::LoadFromHandle(HMENU menu)
{
    if (menu == NULL || !::IsMenu(menu) || !Attach(menu))
        return FALSE;
    m_bIsPopupMenu = FALSE;
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(menu, i);
        if (sub == NULL || CMenu::FromHandlePermanent(sub) != NULL)
            continue;
        CNewMenu* child = new CNewMenu(m_hMenu);
        if (!child->LoadFromHandle(sub)) {
            delete child;
            continue;
        }
        child->m_bIsPopupMenu = TRUE;
        m_SubMenus.push_back(sub);
    }
    ConvertItems();
    return TRUE;
}

void CNewMenu::DeleteSubMenuObject(HMENU sub)
{
    // The handle stays with the menu item; the system destroys it with the
    // item (DeleteMenu) or leaves it to the caller (RemoveMenu).
    m_SubMenus.erase(std::remove(m_SubMenus.begin(), m_SubMenus.end(), sub), m_SubMenus.end());
    if (CNewMenu* child = AsNewMenu(sub)) {
        child->DestroyMenuObjects();
        child->Detach();
        delete child;
    }
}

void CNewMenu::DestroyMenuObjects()
{
    // Children first, last made first. A submenu that is still an item of
    // this menu goes with this menu's handle; one that left it goes now.
    while (!m_SubMenus.empty()) {
        HMENU sub = m_SubMenus.back();
        m_SubMenus.pop_back();
        CNewMenu* child = AsNewMenu(sub);
        if (child == NULL)
            continue;
        bool stillItem = false;
        int count = m_hMenu ? ::GetMenuItemCount(m_hMenu) : 0;
        for (int i = 0; i < count && !stillItem; ++i)
            stillItem = ::GetSubMenu(m_hMenu, i) == sub;
        if (stillItem) {
            child->DestroyMenuObjects();
            child->Detach();
        }
        delete child;
    }
    for (CNewMenuItemData* item : m_MenuItemList) {
        if (s_pHotItem == item)
            s_pHotItem = NULL;
        delete item;
    }
    m_MenuItemList.clear();
    if (!m_bCheckFromParent)
        delete m_pCheckMenuBitmaps;
    m_pCheckMenuBitmaps = NULL;
    m_bCheckFromParent = FALSE;
}

BOOL CNewMenu::DestroyMenu()
{
    DestroyMenuObjects();
    if (m_hMenu == NULL)
        return FALSE;
    return CMenu::DestroyMenu();
}

// --- conversion -----------------------------------------------------------------

CNewMenuItemData* CNewMenu::FindRecord(const void* data) const
{
    for (CNewMenuItemData* item : m_MenuItemList)
        if (item == data)
            return item;
    return NULL;
}

CNewMenuItemData* CNewMenu::NewRecord(UINT flags, UINT_PTR id, LPCSTR text)
{
    CNewMenuItemData* item = new CNewMenuItemData;
    item->m_nFlags = (flags & ~(MF_BITMAP | MF_BYCOMMAND)) | MF_OWNERDRAW;
    item->m_nID = id;
    if (text != NULL && !(flags & MF_SEPARATOR))
        item->m_szMenuText = text;
    return item;
}

void CNewMenu::ConvertItems()
{
    if (m_hMenu == NULL)
        return;
    for (CNewMenuItemData* item : m_MenuItemList)
        item->m_nSyncFlag = 0;
    std::vector<CNewMenuItemData*> rebuilt;
    int count = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < count; ++i) {
        ItemInfo info;
        if (!ReadItem(m_hMenu, i, info))
            continue;
        UINT_PTR key = info.sub ? (UINT_PTR)info.sub : info.id;
        bool separator = (info.type & MFT_SEPARATOR) != 0;
        // The record the item already carries, else the first unmatched one
        // of the same kind and id.
        CNewMenuItemData* item = FindRecord((const void*)info.data);
        if (item != NULL && item->m_nSyncFlag != 0)
            item = NULL;
        for (size_t k = 0; item == NULL && k < m_MenuItemList.size(); ++k) {
            CNewMenuItemData* candidate = m_MenuItemList[k];
            if (candidate->m_nSyncFlag == 0 && candidate->m_nID == key &&
                (candidate->IsPopup() != FALSE) == (info.sub != NULL) &&
                (candidate->IsSeparator() != FALSE) == separator)
                item = candidate;
        }
        CString text = (info.type & MFT_OWNERDRAW) ? CString() : MenuText(m_hMenu, i);
        if (item == NULL) {
            item = new CNewMenuItemData;
            item->m_nID = key;
            item->m_szMenuText = text;
        } else if (!text.IsEmpty()) {
            item->m_szMenuText = text;
        }
        item->m_nSyncFlag = 1;
        // Type and state as the menu has them now; bold and titles are ours.
        UINT keep = item->m_nFlags & MF_BOLD_TEXT;
        item->m_nFlags = (info.type & ~(MFT_BITMAP | MFT_STRING)) | (info.state & (MFS_GRAYED | MFS_CHECKED | MFS_DEFAULT)) |
                         (info.sub ? MF_POPUP : 0) | MF_BYPOSITION | MF_OWNERDRAW | keep;
        item->m_nID = key;
        if (!(info.type & MFT_OWNERDRAW) || info.data != (ULONG_PTR)item) {
            MENUITEMINFOA change = {};
            change.cbSize = sizeof(change);
            change.fMask = MIIM_FTYPE | MIIM_DATA;
            change.fType = (info.type & ~MFT_BITMAP) | MFT_OWNERDRAW;
            change.dwItemData = (ULONG_PTR)item;
            ::SetMenuItemInfoA(m_hMenu, (UINT)i, TRUE, &change);
        }
        if (info.sub != NULL) {
            if (CNewMenu* child = AsNewMenu(info.sub))
                child->m_hParentMenu = m_hMenu;
        }
        rebuilt.push_back(item);
    }
    for (CNewMenuItemData* item : m_MenuItemList) {
        if (item->m_nSyncFlag == 0) {
            if (s_pHotItem == item)
                s_pHotItem = NULL;
            delete item;
        }
    }
    m_MenuItemList.swap(rebuilt);
}

// --- images -----------------------------------------------------------------------

void CNewMenu::GrowIconSize(CSize size)
{
    m_IconSize.cx = std::max(m_IconSize.cx, size.cx);
    m_IconSize.cy = std::max(m_IconSize.cy, size.cy);
}

void CNewMenu::ApplyIcons(CNewMenuIcons* icons)
{
    for (CNewMenuItemData* item : m_MenuItemList) {
        if (item->IsPopup() || item->IsSeparator())
            continue;
        int index = icons->FindIndex((UINT)item->m_nID);
        if (index >= 0) {
            item->SetIcons(icons, index);
            GrowIconSize(icons->ImageSize());
        }
    }
    for (HMENU sub : m_SubMenus)
        if (CNewMenu* child = AsNewMenu(sub))
            child->ApplyIcons(icons);
}

BOOL CNewMenu::LoadToolBars(const UINT* ids, int count, HMODULE module)
{
    if (count < 1 || ids == NULL)
        return TRUE;
    BOOL all = TRUE;
    for (int i = 0; i < count; ++i) {
        CNewMenuIcons* icons = CNewMenuIcons::FindToolBarSet(ids[i], module, m_bitmapBackground);
        if (icons == NULL) {
            DebugHelper("Menu: tool bar %u has no images\n", ids[i]);
            all = FALSE;
            continue;
        }
        icons->AddRef(); // held while the items take theirs
        ApplyIcons(icons);
        icons->Release();
    }
    return all;
}

// --- items ------------------------------------------------------------------------

BOOL CNewMenu::AppendMenu(UINT flags, UINT_PTR id, LPCSTR text, int image)
{
    (void)image; // this entry has no image source
    return InsertMenu((UINT)-1, flags | MF_BYPOSITION, id, text, -1);
}

BOOL CNewMenu::InsertMenu(UINT position, UINT flags, UINT_PTR id, LPCSTR text, int image)
{
    if (m_hMenu == NULL)
        return FALSE;
    if (!(flags & MF_BYPOSITION)) {
        int at = -1;
        CNewMenu* holder = FindMenuOfCommand(position, &at);
        return holder != NULL && holder->InsertMenu((UINT)at, flags | MF_BYPOSITION, id, text, image);
    }
    if ((int)m_MenuItemList.size() != ::GetMenuItemCount(m_hMenu))
        ConvertItems();
    UINT count = (UINT)m_MenuItemList.size();
    if (IsPosition(position))
        position = count;
    if (position > count)
        return FALSE;
    if (id == 0 && !(flags & MF_POPUP))
        flags = MF_BYPOSITION | MF_SEPARATOR | MF_OWNERDRAW;
    flags = (flags & ~(MF_BITMAP | MF_STRING)) | MF_OWNERDRAW | MF_BYPOSITION;
    CNewMenuItemData* item = NewRecord(flags, id, text);
    if (!::InsertMenuA(m_hMenu, position, flags, id, (LPCSTR)item)) {
        delete item;
        return FALSE;
    }
    m_MenuItemList.insert(m_MenuItemList.begin() + position, item);
    if (flags & MF_POPUP) {
        if (CNewMenu* child = AsNewMenu((HMENU)id))
            child->m_hParentMenu = m_hMenu;
    }
    if (image >= 0 && !(flags & (MF_POPUP | MF_SEPARATOR)))
        GiveImage(item, (UINT)image);
    return TRUE;
}

BOOL CNewMenu::GiveImage(CNewMenuItemData* item, UINT resource)
{
    CNewMenuIcons* icons = CNewMenuIcons::FindToolBarSet(resource, NULL, m_bitmapBackground);
    int index = icons ? icons->FindIndex((UINT)item->m_nID) : -1;
    if (index < 0) {
        // Not on such a tool bar: the bitmap of that id is the image.
        LPCSTR name = MAKEINTRESOURCEA(LOWORD(resource));
        HBITMAP bitmap = ::LoadBitmapA(AfxFindResourceHandle(name, RT_BITMAP), name);
        const BOOL given = bitmap != NULL && GiveBitmap(item, bitmap);
        if (bitmap)
            ::DeleteObject(bitmap);
        return given;
    }
    item->SetIcons(icons, index);
    GrowIconSize(icons->ImageSize());
    return TRUE;
}

BOOL CNewMenu::GiveBitmap(CNewMenuItemData* item, HBITMAP bitmap)
{
    // A set of its own holds a copy: the caller keeps its bitmap.
    CNewMenuBitmaps* single = new CNewMenuBitmaps(m_bitmapBackground);
    const int index = single->Add(bitmap, m_bitmapBackground);
    if (index < 0) {
        delete single;
        return FALSE;
    }
    item->SetIcons(single, index);
    GrowIconSize(single->ImageSize());
    return TRUE;
}

BOOL CNewMenu::RemoveItem(UINT position, UINT flags, BOOL destroy)
{
    if (m_hMenu == NULL)
        return FALSE;
    if (!(flags & MF_BYPOSITION)) {
        int at = -1;
        CNewMenu* holder = FindMenuOfCommand(position, &at);
        return holder != NULL && holder->RemoveItem((UINT)at, MF_BYPOSITION, destroy);
    }
    if ((int)m_MenuItemList.size() != ::GetMenuItemCount(m_hMenu))
        ConvertItems();
    if (position >= m_MenuItemList.size())
        return FALSE;
    HMENU sub = ::GetSubMenu(m_hMenu, (int)position);
    if (sub != NULL)
        DeleteSubMenuObject(sub);
    BOOL ok = destroy ? ::DeleteMenu(m_hMenu, position, MF_BYPOSITION)
                      : ::RemoveMenu(m_hMenu, position, MF_BYPOSITION);
    if (ok) {
        CNewMenuItemData* item = m_MenuItemList[position];
        m_MenuItemList.erase(m_MenuItemList.begin() + position);
        if (s_pHotItem == item)
            s_pHotItem = NULL;
        delete item;
    }
    return ok;
}

BOOL CNewMenu::DeleteMenu(UINT position, UINT flags)
{
    return RemoveItem(position, flags, TRUE);
}

BOOL CNewMenu::RemoveMenu(UINT position, UINT flags)
{
    return RemoveItem(position, flags, FALSE);
}

BOOL CNewMenu::ModifyODMenu(UINT position, UINT flags, UINT_PTR id, LPCSTR text, int image)
{
    int at = (int)position;
    CNewMenu* holder = this;
    if (!(flags & MF_BYPOSITION))
        holder = FindMenuOfCommand(position, &at);
    CNewMenuItemData* item = holder ? holder->GetItemData(at) : NULL;
    if (item == NULL)
        return FALSE;
    // With MF_BITMAP the text is a bitmap handle: it becomes the image and
    // the item has no text.
    const HBITMAP bitmap = (flags & MF_BITMAP) && !(flags & MF_SEPARATOR) ? (HBITMAP)text : NULL;
    UINT keepPopup = item->m_nFlags & MF_POPUP;
    if (keepPopup)
        id = item->m_nID;
    flags = (flags & ~(MF_BITMAP | MF_STRING | MF_POPUP)) | keepPopup | MF_OWNERDRAW | MF_BYPOSITION;
    if (!::ModifyMenuA(holder->m_hMenu, (UINT)at, flags, id, (LPCSTR)item))
        return FALSE;
    item->m_nFlags = flags;
    item->m_nID = id;
    item->m_szMenuText = (flags & MF_SEPARATOR) || text == NULL || bitmap != NULL ? "" : text;
    if (flags & MF_SEPARATOR)
        item->SetIcons(NULL, -1);
    else if (bitmap != NULL)
        holder->GiveBitmap(item, bitmap);
    else if (image >= 0 && !keepPopup)
        holder->GiveImage(item, (UINT)image);
    return TRUE;
}

BOOL CNewMenu::SetMenuText(UINT position, LPCSTR text, UINT flags)
{
    int at = (int)position;
    CNewMenu* holder = this;
    if (!(flags & MF_BYPOSITION))
        holder = FindMenuOfCommand(position, &at);
    CNewMenuItemData* item = holder ? holder->GetItemData(at) : NULL;
    if (item == NULL || item->IsSeparator())
        return FALSE;
    item->m_szMenuText = text ? text : "";
    return TRUE;
}

CNewMenu* CNewMenu::AppendODPopupMenu(LPCSTR text)
{
    CNewMenu* child = new CNewMenu(m_hMenu);
    child->m_pCheckMenuBitmaps = m_pCheckMenuBitmaps;
    child->m_bCheckFromParent = m_pCheckMenuBitmaps != NULL;
    child->m_selectcheck = m_selectcheck;
    child->m_unselectcheck = m_unselectcheck;
    if (!child->CreatePopupMenu() || !AppendMenu(MF_POPUP, (UINT_PTR)child->m_hMenu, text)) {
        delete child;
        return NULL;
    }
    m_SubMenus.push_back(child->m_hMenu);
    return child;
}

BOOL CNewMenu::AppendMenuColor(UINT flags, UINT_PTR id, LPCSTR text, COLORREF border, COLORREF fill, int hatch)
{
    if (!AppendMenu(flags, id, text))
        return FALSE;
    CNewMenuItemData* item = m_MenuItemList.back();
    CClientDC screen(NULL);
    CDC dc;
    CBitmap swatch;
    if (!dc.CreateCompatibleDC(&screen) || !swatch.CreateCompatibleBitmap(&screen, m_IconSize.cx, m_IconSize.cy))
        return TRUE; // the item stands, without its swatch
    {
        CDCSelect keep(dc, swatch);
        CRect rect(0, 0, m_IconSize.cx, m_IconSize.cy);
        dc.FillSolidRect(&rect, border);
        rect.DeflateRect(1, 1);
        CBrush brush;
        if (hatch == -1)
            brush.CreateSolidBrush(fill);
        else
            brush.CreateHatchBrush(hatch, fill);
        dc.FillRect(&rect, &brush);
    }
    CNewMenuBitmaps* icons = new CNewMenuBitmaps(RGB(254, 254, 254)); // no colour of the swatch
    int index = icons->Add(swatch, RGB(254, 254, 254));
    if (index < 0) {
        delete icons;
        return TRUE;
    }
    item->SetIcons(icons, index);
    return TRUE;
}

BOOL CNewMenu::SetMenuTitle(LPCSTR title, DWORD titleFlags)
{
    if (m_hMenu == NULL)
        return FALSE;
    if ((int)m_MenuItemList.size() != ::GetMenuItemCount(m_hMenu))
        ConvertItems();
    if (m_MenuItemList.empty() || !m_MenuItemList[0]->IsSeparator()) {
        if (!InsertMenu(0, MF_BYPOSITION | MF_SEPARATOR, 0, NULL))
            return FALSE;
    }
    CNewMenuItemData* first = m_MenuItemList[0];
    first->m_szMenuText = title ? title : "";
    first->m_nTitleFlags = titleFlags | MFT_TITLE_SEPARATOR;
    if (m_MenuItemList.size() > 1) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        ::GetMenuItemInfoA(m_hMenu, 1, TRUE, &info);
        if (titleFlags & MFT_TITLE_VERTICAL)
            info.fType |= MFT_MENUBREAK;
        else
            info.fType &= ~MFT_MENUBREAK;
        ::SetMenuItemInfoA(m_hMenu, 1, TRUE, &info);
    }
    return TRUE;
}

BOOL CNewMenu::RemoveMenuTitle()
{
    CNewMenuItemData* first = GetItemData(0);
    if (first == NULL || !first->IsTitle())
        return FALSE;
    if (!DeleteMenu(0, MF_BYPOSITION))
        return FALSE;
    if (!m_MenuItemList.empty()) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        ::GetMenuItemInfoA(m_hMenu, 0, TRUE, &info);
        info.fType &= ~MFT_MENUBREAK;
        ::SetMenuItemInfoA(m_hMenu, 0, TRUE, &info);
    }
    return TRUE;
}

BOOL CNewMenu::LoadCheckmarkBitmap(UINT unselected, UINT selected)
{
    if (!m_bCheckFromParent)
        delete m_pCheckMenuBitmaps;
    m_pCheckMenuBitmaps = NULL;
    m_bCheckFromParent = FALSE;
    m_selectcheck = m_unselectcheck = -1;
    CImageList* list = new CImageList;
    BOOL ok = list->Create(m_IconSize.cx, m_IconSize.cy, ILC_MASK | ILC_COLORDDB, 2, 1);
    for (UINT id : {selected, unselected}) {
        CBitmap bitmap;
        ok = ok && ::FindResourceA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), RT_BITMAP) && bitmap.LoadBitmap(id) &&
             list->Add(&bitmap, GetBitmapBackground()) >= 0;
    }
    if (!ok) {
        delete list;
        return FALSE;
    }
    m_pCheckMenuBitmaps = list;
    m_selectcheck = (int)selected;
    m_unselectcheck = (int)unselected;
    return TRUE;
}

// --- finding ----------------------------------------------------------------------

CNewMenuItemData* CNewMenu::GetItemData(int position) const
{
    return position >= 0 && position < (int)m_MenuItemList.size() ? m_MenuItemList[position] : NULL;
}

CNewMenu* CNewMenu::FindMenuOfItemData(const void* data)
{
    if (data == NULL)
        return NULL;
    if (FindRecord(data) != NULL)
        return this;
    for (HMENU sub : m_SubMenus)
        if (CNewMenu* child = AsNewMenu(sub))
            if (CNewMenu* found = child->FindMenuOfItemData(data))
                return found;
    return NULL;
}

HMENU CNewMenu::ReleaseHandle()
{
    DestroyMenuObjects();
    return Detach();
}

CNewMenu* CNewMenu::GetNewSubMenu(int position) const
{
    return m_hMenu ? AsNewMenu(::GetSubMenu(m_hMenu, position)) : NULL;
}

CNewMenu* CNewMenu::GetParentNewMenu() const
{
    return m_hParentMenu ? AsNewMenu(m_hParentMenu) : NULL;
}

CNewMenu* CNewMenu::FindPopupMenuFromText(LPCSTR text)
{
    if (text == NULL)
        return NULL;
    for (size_t i = 0; i < m_MenuItemList.size(); ++i) {
        CNewMenuItemData* item = m_MenuItemList[i];
        if (item->IsPopup() && item->m_szMenuText == text)
            return AsNewMenu((HMENU)item->m_nID);
    }
    for (HMENU sub : m_SubMenus)
        if (CNewMenu* child = AsNewMenu(sub))
            if (CNewMenu* found = child->FindPopupMenuFromText(text))
                return found;
    return NULL;
}

CNewMenu* CNewMenu::FindMenuOfCommand(UINT_PTR id, int* position, CNewMenuItemData* data)
{
    std::vector<std::pair<CNewMenu*, int>> pending = {{this, 0}};
    while (!pending.empty()) {
        CNewMenu* menu = pending.back().first;
        int depth = pending.back().second;
        pending.pop_back();
        if (menu->m_hMenu == NULL || depth > kMaxDepth)
            continue;
        if ((int)menu->m_MenuItemList.size() != ::GetMenuItemCount(menu->m_hMenu))
            menu->ConvertItems();
        for (size_t i = 0; i < menu->m_MenuItemList.size(); ++i) {
            CNewMenuItemData* item = menu->m_MenuItemList[i];
            if (!item->IsPopup() && item->m_nID == id && (data == NULL || data == item)) {
                if (position)
                    *position = (int)i;
                return menu;
            }
        }
        for (size_t i = menu->m_MenuItemList.size(); i-- > 0;)
            if (menu->m_MenuItemList[i]->IsPopup())
                if (CNewMenu* child = AsNewMenu((HMENU)menu->m_MenuItemList[i]->m_nID))
                    pending.push_back({child, depth + 1});
    }
    return NULL;
}

// --- showing ----------------------------------------------------------------------

void CNewMenu::RenumberSystemCommands(BOOL open)
{
    if (CMenuSystem::State().versionClass != CMenuSystem::kWinXP)
        return;
    static const UINT kCommands[] = {SC_RESTORE, SC_CLOSE, SC_MINIMIZE};
    for (UINT command : kCommands) {
        UINT from = open ? command : command + 1;
        UINT to = open ? command + 1 : command;
        int at = -1;
        for (size_t i = 0; i < m_MenuItemList.size(); ++i)
            if (!m_MenuItemList[i]->IsPopup() && m_MenuItemList[i]->m_nID == from)
                at = (int)i;
        if (at < 0)
            continue;
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID;
        info.wID = to;
        if (::SetMenuItemInfoA(m_hMenu, (UINT)at, TRUE, &info))
            m_MenuItemList[at]->m_nID = to;
    }
}

void CNewMenu::OnInitMenuPopup()
{
    m_bIsPopupMenu = TRUE;
    ConvertItems();
    RenumberSystemCommands(TRUE);
}

void CNewMenu::OnUnInitPopupMenu(HWND owner)
{
    RenumberSystemCommands(FALSE);
    CNewMenu* parent = GetParentNewMenu();
    if (parent == NULL)
        return;
    if (parent->m_dwOpenMenu > 0)
        --parent->m_dwOpenMenu;
    if (parent->IsMenuBar()) {
        parent->m_dwOpenMenu = 0;
        if (owner != NULL && ::IsWindow(owner) && !parent->m_LastActiveMenuRect.IsRectEmpty()) {
            CRect rect = parent->m_LastActiveMenuRect;
            rect.right += 10;
            rect.bottom += 10;
            CRect window;
            ::GetWindowRect(owner, &window);
            rect.OffsetRect(-window.left, -window.top);
            ::RedrawWindow(owner, &rect, NULL, RDW_INVALIDATE | RDW_FRAME);
        }
    }
}

void CNewMenu::PrepareToShowPopup(HWND owner, HMENU popup)
{
    s_hMenuToShow = popup;
    CNewMenu* menu = AsNewMenu(popup);
    if (menu == NULL)
        return;
    menu->OnInitMenuPopup();
    CNewMenu* parent = menu->GetParentNewMenu();
    if (parent == NULL)
        return;
    if (++parent->m_dwOpenMenu == 1 && parent->IsMenuBar() && owner != NULL && ::IsWindow(owner) &&
        !parent->m_LastActiveMenuRect.IsRectEmpty()) {
        CRect rect = parent->m_LastActiveMenuRect;
        rect.right += 10;
        rect.bottom += 10;
        CRect window;
        ::GetWindowRect(owner, &window);
        rect.OffsetRect(-window.left, -window.top);
        ::RedrawWindow(owner, &rect, NULL, RDW_INVALIDATE | RDW_FRAME);
    }
}
