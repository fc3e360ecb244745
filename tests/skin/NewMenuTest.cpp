// The owner-drawn menu over the program's own menus and tool bar, its image
// sets, the tool-bar reader, the colour arithmetic, and items measured and
// drawn into a bitmap with made-up structures.
#include "resources/Resource.h"
#include "skin/MenuColors.h"
#include "skin/MenuSystem.h"
#include "skin/MenuThemeXP.h"
#include "skin/NewMenu.h"
#include "skin/NewMenuBitmaps.h"
#include "skin/NewMenuHook.h"
#include "skin/NewMenuIcons.h"
#include "skin/ToolBarResource.h"
#include "tests/skin/SkinTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// Every item of `menu` and its submenus owner-drawn and carrying the record
// that stands at its place in its CNewMenu's list.
void ExpectConverted(CNewMenu& menu, int depth = 0)
{
    ASSERT_LT(depth, 8);
    int count = ::GetMenuItemCount(menu);
    ASSERT_EQ(count, menu.GetItemDataCount());
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
        ASSERT_TRUE(::GetMenuItemInfoA(menu, i, TRUE, &info));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "item " << i;
        EXPECT_EQ((ULONG_PTR)menu.GetItemData(i), info.dwItemData) << "item " << i;
        EXPECT_TRUE(menu.GetItemData(i)->m_nFlags & MF_OWNERDRAW);
        if (info.hSubMenu != NULL) {
            CNewMenu* sub = menu.GetNewSubMenu(i);
            ASSERT_TRUE(sub != NULL) << "no menu object for submenu " << i;
            EXPECT_EQ(menu.m_hMenu, sub->m_hParentMenu);
            EXPECT_TRUE(menu.GetItemData(i)->IsPopup());
            ExpectConverted(*sub, depth + 1);
        }
    }
}

// command -> image index, over every submenu.
void CollectImages(CNewMenu& menu, std::map<UINT, int>& images, std::map<UINT, CNewMenuIcons*>& sets)
{
    for (int i = 0; i < menu.GetItemDataCount(); ++i) {
        CNewMenuItemData* item = menu.GetItemData(i);
        if (CNewMenu* sub = menu.GetNewSubMenu(i))
            CollectImages(*sub, images, sets);
        else if (!item->IsSeparator()) {
            images[(UINT)item->m_nID] = item->m_nMenuIconOffset;
            sets[(UINT)item->m_nID] = item->m_pMenuIcon;
        }
    }
}

// The classic scheme's colours, in which the menu is grey and the window
// white (Wine's defaults make both white, and the column would not show).
struct ClassicColors
{
    ClassicColors()
    {
        CMenuSystem::OverrideColor(COLOR_MENU, RGB(212, 208, 200));
        CMenuSystem::OverrideColor(COLOR_WINDOW, RGB(255, 255, 255));
        CMenuSystem::OverrideColor(COLOR_HIGHLIGHT, RGB(10, 36, 106));
        CMenuSystem::OverrideColor(COLOR_GRAYTEXT, RGB(128, 128, 128));
        CMenuSystem::OverrideColor(COLOR_MENUTEXT, RGB(0, 0, 0));
    }
    ~ClassicColors() { CMenuSystem::ClearColorOverrides(); }
};

class NewMenuTest : public ::testing::Test
{
protected:
    ClassicColors colors;
    CResourceModuleInUse resources;
    CNewMenuHook hook;
};

TEST_F(NewMenuTest, LoadsTheProgramsMenusWithEveryItemOwnerDrawn)
{
    for (UINT id : {IDR_MENU_PANEL, IDR_MENU_RECORD_FORMAT, IDR_MENU_FM_FORMAT, IDR_MENU_CHANNELPAGE}) {
        SCOPED_TRACE(id);
        CNewMenu menu;
        ASSERT_TRUE(menu.LoadMenuById(id));
        EXPECT_TRUE(menu.IsMenuBar());
        ASSERT_EQ(1, menu.GetSubMenuCount());
        EXPECT_FALSE(menu.GetNewSubMenu(0)->IsMenuBar());
        ExpectConverted(menu);
        // The framework's GetSubMenu finds the same object.
        EXPECT_EQ(static_cast<CMenu*>(menu.GetNewSubMenu(0)), menu.GetSubMenu(0));
    }
    CNewMenu missing;
    EXPECT_FALSE(missing.LoadMenuById(9999));
    EXPECT_EQ(0, missing.GetItemDataCount());
}

TEST_F(NewMenuTest, ToolBarImagesGoToTheirCommandsInEverySubmenu)
{
    ToolBarData bar;
    ASSERT_TRUE(LoadToolBarResource(resources.Module(), MAKEINTRESOURCEA(IDR_TOOLBAR_MENU), bar));
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenuById(IDR_MENU_PANEL));
    const UINT ids[] = {IDR_TOOLBAR_MENU};
    ASSERT_TRUE(menu.LoadToolBars(ids, 1));

    std::map<UINT, int> images;
    std::map<UINT, CNewMenuIcons*> sets;
    CollectImages(menu, images, sets);
    std::map<UINT, int> expected;
    int place = 0;
    for (UINT command : bar.commands)
        if (command != 0)
            expected[command] = 3 * place++;
    for (const auto& item : images) {
        auto it = expected.find(item.first);
        EXPECT_EQ(it == expected.end() ? -1 : it->second, item.second) << "command " << item.first;
    }
    // Mute lives in a submenu, Snapshot and Exit in the popup itself.
    for (UINT command : {(UINT)ID_MUTE, (UINT)ID_SNAPSHOT, (UINT)ID_EXIT, (UINT)ID_TIMESHIFT_START})
        ASSERT_TRUE(sets[command] != NULL) << command;
    EXPECT_EQ(sets[ID_MUTE], sets[ID_EXIT]);
    EXPECT_EQ(CSize(16, 15), sets[ID_EXIT]->ImageSize());
    EXPECT_EQ(3 * place, sets[ID_EXIT]->ImageCount());
}

TEST_F(NewMenuTest, ImageSetsAreSharedAndGoWithTheirLastItem)
{
    const UINT ids[] = {IDR_TOOLBAR_MENU};
    size_t before = CNewMenuIcons::ListedCount();
    {
        CNewMenu first, second;
        ASSERT_TRUE(first.LoadMenuById(IDR_MENU_PANEL));
        ASSERT_TRUE(second.LoadMenuById(IDR_MENU_PANEL));
        ASSERT_TRUE(first.LoadToolBars(ids, 1));
        ASSERT_TRUE(second.LoadToolBars(ids, 1));
        EXPECT_EQ(before + 1, CNewMenuIcons::ListedCount());
        CNewMenuItemData* a = first.GetNewSubMenu(0)->GetItemData(0);
        CNewMenuItemData* b = second.GetNewSubMenu(0)->GetItemData(0);
        ASSERT_TRUE(a->m_pMenuIcon != NULL);
        EXPECT_EQ(a->m_pMenuIcon, b->m_pMenuIcon);
        CString named;
        named.Format("NewMenuIcons: %u", (UINT)IDR_TOOLBAR_MENU);
        EXPECT_STREQ(named, a->m_pMenuIcon->Dump());
    }
    EXPECT_EQ(before, CNewMenuIcons::ListedCount());
}

TEST_F(NewMenuTest, ToolBarsThatFailStillLetTheOthersBind)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenuById(IDR_MENU_PANEL));
    EXPECT_TRUE(menu.LoadToolBars(NULL, 0));
    EXPECT_EQ(-1, menu.GetNewSubMenu(0)->GetItemData(0)->m_nMenuIconOffset);
    const UINT ids[] = {9999, IDR_TOOLBAR_MENU};
    EXPECT_FALSE(menu.LoadToolBars(ids, 2));
    EXPECT_EQ(0, menu.GetNewSubMenu(0)->GetItemData(0)->m_nMenuIconOffset);
}

TEST_F(NewMenuTest, DeletesByCommandInsideSubmenus)
{
    CNewMenu formats;
    ASSERT_TRUE(formats.LoadMenuById(IDR_MENU_RECORD_FORMAT));
    EXPECT_TRUE(formats.DeleteMenu(ID_FORMAT_AVI, MF_BYCOMMAND));
    EXPECT_TRUE(formats.DeleteMenu(ID_FORMAT_MPEG4, MF_BYCOMMAND));
    EXPECT_FALSE(formats.DeleteMenu(ID_FORMAT_MPEG4, MF_BYCOMMAND));
    CNewMenu* popup = formats.GetNewSubMenu(0);
    EXPECT_EQ(6, popup->GetItemDataCount());
    EXPECT_TRUE(formats.FindMenuOfCommand(ID_FORMAT_AVI) == NULL);
    ExpectConverted(formats);

    CNewMenu panel;
    ASSERT_TRUE(panel.LoadMenuById(IDR_MENU_PANEL));
    int at = -1;
    CNewMenu* sizes = panel.FindMenuOfCommand(ID_SIZE_640X480, &at);
    ASSERT_TRUE(sizes != NULL);
    int count = sizes->GetItemDataCount();
    EXPECT_TRUE(panel.DeleteMenu(ID_SIZE_640X480, MF_BYCOMMAND));
    EXPECT_EQ(count - 1, sizes->GetItemDataCount());
    EXPECT_EQ(count - 1, ::GetMenuItemCount(*sizes));
    EXPECT_TRUE(panel.FindMenuOfCommand(ID_SIZE_640X480) == NULL);
    // A popup item takes its submenu object with it.
    CNewMenu* popup131 = panel.GetNewSubMenu(0);
    int subs = popup131->GetSubMenuCount();
    ASSERT_TRUE(popup131->FindMenuOfCommand(ID_MUTE, &at) != NULL);
    for (int i = 0; i < popup131->GetItemDataCount(); ++i) {
        if (popup131->GetItemData(i)->IsPopup() && popup131->GetNewSubMenu(i)->FindMenuOfCommand(ID_MUTE)) {
            EXPECT_TRUE(popup131->DeleteMenu(i, MF_BYPOSITION));
            break;
        }
    }
    EXPECT_EQ(subs - 1, popup131->GetSubMenuCount());
    ExpectConverted(panel);
}

TEST_F(NewMenuTest, PositionsOutsideTheListAnswerFalse)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_TRUE(menu.AppendMenu(MF_STRING, 100, "One"));
    EXPECT_FALSE(menu.DeleteMenu(5, MF_BYPOSITION));
    EXPECT_FALSE(menu.RemoveMenu(1, MF_BYPOSITION));
    EXPECT_FALSE(menu.InsertMenu(3, MF_BYPOSITION, 101, "Far"));
    EXPECT_FALSE(menu.ModifyODMenu(7, MF_BYPOSITION, 102, "Gone"));
    EXPECT_TRUE(menu.GetItemData(1) == NULL);
    EXPECT_TRUE(menu.GetItemData(-1) == NULL);
    EXPECT_TRUE(menu.InsertMenu((UINT)-1, MF_BYPOSITION, 103, "End"));
    EXPECT_TRUE(menu.InsertMenu(0, MF_BYPOSITION, 104, "Start"));
    EXPECT_TRUE(menu.InsertMenu(103, MF_BYCOMMAND, 105, "Before end"));
    std::vector<UINT_PTR> ids;
    for (int i = 0; i < menu.GetItemDataCount(); ++i)
        ids.push_back(menu.GetItemData(i)->m_nID);
    EXPECT_EQ((std::vector<UINT_PTR>{104, 100, 105, 103}), ids);
    EXPECT_EQ(4, ::GetMenuItemCount(menu));
}

TEST_F(NewMenuTest, AppendedItemsAndSeparatorsAreOwnerDrawnRecords)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_TRUE(menu.AppendMenu(MF_STRING, 0, "ignored text"));
    EXPECT_TRUE(menu.GetItemData(0)->IsSeparator());
    EXPECT_TRUE(menu.GetItemData(0)->m_szMenuText.IsEmpty());
    CNewMenu* sub = menu.AppendODPopupMenu("More");
    ASSERT_TRUE(sub != NULL);
    EXPECT_EQ(menu.m_hMenu, sub->m_hParentMenu);
    EXPECT_TRUE(sub->AppendMenu(MF_STRING | MF_CHECKED, 200, "Channel\tCtrl+1", 5));
    EXPECT_EQ(-1, sub->GetItemData(0)->m_nMenuIconOffset);
    EXPECT_EQ(CString("Channel"), sub->GetItemData(0)->GetLabel());
    EXPECT_EQ(CString("Ctrl+1"), sub->GetItemData(0)->GetShortcut());
    EXPECT_EQ(CString("MenuItem: Channel\tCtrl+1"), sub->GetItemData(0)->Dump());
    // Items added behind the menu's back are converted when it next shows.
    ::AppendMenuA(*sub, MF_STRING, 201, "Plain");
    sub->OnInitMenuPopup();
    ASSERT_EQ(2, sub->GetItemDataCount());
    EXPECT_EQ(CString("Plain"), sub->GetItemData(1)->m_szMenuText);
    ExpectConverted(menu);
    EXPECT_TRUE(menu.SetMenuTitle("Title", MFT_TITLE_VERTICAL));
    EXPECT_TRUE(menu.GetItemData(0)->IsTitle());
    EXPECT_TRUE(::GetMenuState(menu, 1, MF_BYPOSITION) & MF_MENUBREAK);
    EXPECT_TRUE(menu.RemoveMenuTitle());
    EXPECT_FALSE(::GetMenuState(menu, 0, MF_BYPOSITION) & MF_MENUBREAK);
    EXPECT_TRUE(menu.FindPopupMenuFromText("More") == sub);
}

// A modified item takes a new image as an inserted one does: its command's
// on a tool bar, else the bitmap of the id; a bitmap handle with MF_BITMAP;
// -1 keeps the image; a separator drops it.
TEST_F(NewMenuTest, ModifiedItemsTakeTheirNewImage)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 100, "Plain"));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 101, "Other"));
    EXPECT_EQ(-1, menu.GetItemData(0)->m_nMenuIconOffset);

    // Exit is on the menu tool bar: its image there.
    ASSERT_TRUE(menu.ModifyODMenu(0, MF_BYPOSITION | MF_STRING, ID_EXIT, "Exit", IDR_TOOLBAR_MENU));
    CNewMenuItemData* exit = menu.GetItemData(0);
    EXPECT_EQ(CString("Exit"), exit->m_szMenuText);
    EXPECT_EQ((UINT_PTR)ID_EXIT, exit->m_nID);
    ASSERT_TRUE(exit->m_pMenuIcon != NULL);
    EXPECT_GE(exit->m_nMenuIconOffset, 0);
    // A new text alone keeps it.
    CNewMenuIcons* set = exit->m_pMenuIcon;
    ASSERT_TRUE(menu.ModifyODMenu(ID_EXIT, MF_BYCOMMAND | MF_STRING, ID_EXIT, "Quit"));
    EXPECT_EQ(set, menu.GetItemData(0)->m_pMenuIcon);
    EXPECT_EQ(CString("Quit"), menu.GetItemData(0)->m_szMenuText);

    // A bitmap handle: a single image of that size, no text.
    HDC screen = ::GetDC(NULL);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 15);
    ::ReleaseDC(NULL, screen);
    ASSERT_TRUE(bitmap != NULL);
    ASSERT_TRUE(menu.ModifyODMenu(1, MF_BYPOSITION | MF_BITMAP, 101, (LPCSTR)bitmap));
    CNewMenuItemData* picture = menu.GetItemData(1);
    EXPECT_TRUE(picture->m_szMenuText.IsEmpty());
    ASSERT_TRUE(picture->m_pMenuIcon != NULL);
    EXPECT_EQ(0, picture->m_nMenuIconOffset);
    EXPECT_EQ(CSize(16, 15), picture->m_pMenuIcon->ImageSize());
    EXPECT_TRUE(::DeleteObject(bitmap)) << "the caller's bitmap stays the caller's";

    // Made a separator: no text, no image; every item still owner-drawn.
    ASSERT_TRUE(menu.ModifyODMenu(1, MF_BYPOSITION | MF_SEPARATOR, 0, "text"));
    EXPECT_TRUE(menu.GetItemData(1)->IsSeparator());
    EXPECT_TRUE(menu.GetItemData(1)->m_pMenuIcon == NULL);
    EXPECT_EQ(-1, menu.GetItemData(1)->m_nMenuIconOffset);
    ExpectConverted(menu);
}

TEST_F(NewMenuTest, OnXPTheSystemCommandsAreRenumberedWhileOpen)
{
    CMenuSystem::State().versionClass = CMenuSystem::kWinXP;
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    for (UINT id : {(UINT)SC_RESTORE, (UINT)SC_MINIMIZE, (UINT)SC_CLOSE})
        menu.AppendMenu(MF_STRING, id, "System");
    menu.OnInitMenuPopup();
    EXPECT_EQ(0xF121u, ::GetMenuItemID(menu, 0));
    EXPECT_EQ(0xF021u, ::GetMenuItemID(menu, 1));
    EXPECT_EQ(0xF061u, ::GetMenuItemID(menu, 2));
    menu.OnUnInitPopupMenu(NULL);
    EXPECT_EQ((UINT)SC_RESTORE, ::GetMenuItemID(menu, 0));
    EXPECT_EQ((UINT)SC_MINIMIZE, ::GetMenuItemID(menu, 1));
    EXPECT_EQ((UINT)SC_CLOSE, ::GetMenuItemID(menu, 2));
    CMenuSystem::Refresh();
    menu.OnInitMenuPopup(); // not XP: nothing renumbered
    EXPECT_EQ((UINT)SC_RESTORE, ::GetMenuItemID(menu, 0));
}

TEST_F(NewMenuTest, AddingABitmapOfAnotherSizeIsRefused)
{
    CNewMenuBitmaps set;
    CClientDC screen(NULL);
    CBitmap small, large;
    ASSERT_TRUE(small.CreateCompatibleBitmap(&screen, 16, 15));
    ASSERT_TRUE(large.CreateCompatibleBitmap(&screen, 32, 32));
    EXPECT_EQ(0, set.Add(small, CLR_DEFAULT));
    EXPECT_EQ(3, set.Add(small, CLR_DEFAULT));
    EXPECT_EQ(-1, set.Add(large, CLR_DEFAULT));
    EXPECT_EQ(6, set.ImageCount());
    EXPECT_EQ(-1, set.FindIndex(1234));
}

// --- the tool-bar reader ---------------------------------------------------------

std::vector<BYTE> ToolBarBytes(std::vector<WORD> words)
{
    std::vector<BYTE> bytes;
    for (WORD w : words) {
        bytes.push_back((BYTE)(w & 0xFF));
        bytes.push_back((BYTE)(w >> 8));
    }
    return bytes;
}

TEST(ToolBarResource, ReadsWellFormedBytesAndRefusesDamage)
{
    const std::vector<BYTE> good = ToolBarBytes({1, 16, 15, 4, 1002, 0, 1003, 1105});
    ToolBarData data;
    ASSERT_TRUE(ReadToolBarResource(good.data(), (DWORD)good.size(), data));
    EXPECT_EQ(16, data.width);
    EXPECT_EQ(15, data.height);
    EXPECT_EQ((std::vector<UINT>{1002, 0, 1003, 1105}), data.commands);
    // Cut anywhere before its last command: refused, nothing half read.
    for (size_t size = 0; size < good.size(); ++size) {
        EXPECT_FALSE(ReadToolBarResource(good.data(), (DWORD)size, data)) << size;
        EXPECT_TRUE(data.commands.empty());
    }
    std::vector<BYTE> longer = good;
    longer.resize(good.size() + 64, 0xCD);
    EXPECT_TRUE(ReadToolBarResource(longer.data(), (DWORD)longer.size(), data));
    EXPECT_EQ(4u, data.commands.size());

    struct Case { std::vector<WORD> words; bool valid; };
    const Case cases[] = {
        {{2, 16, 15, 1, 7}, false},          // another version
        {{1, 0, 15, 1, 7}, false},           // no width
        {{1, 16, 0, 1, 7}, false},           // no height
        {{1, 300, 15, 1, 7}, false},         // wider than any image
        {{1, 16, 15, 0}, true},              // no buttons at all
        {{1, 16, 15, 0xFFFF, 7, 8}, false},  // a count far beyond the bytes
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = ToolBarBytes(c.words);
        EXPECT_EQ(c.valid, ReadToolBarResource(bytes.data(), (DWORD)bytes.size(), data) != FALSE)
            << c.words[0] << "," << c.words[1] << "," << c.words[2] << "," << c.words[3];
    }
    EXPECT_FALSE(ReadToolBarResource(NULL, 16, data));
}

TEST(ToolBarResource, MoreCommandsThanImagesGiveNoImageBeyondTheBitmap)
{
    // The program's bitmap with one command more than it has images.
    CResourceModuleInUse resources;
    ToolBarData bar;
    ASSERT_TRUE(LoadToolBarResource(resources.Module(), MAKEINTRESOURCEA(IDR_TOOLBAR_MENU), bar));
    std::vector<UINT> commands = bar.commands;
    commands.push_back(40000);
    struct Loader : CNewMenuIcons
    {
        BOOL Load(const std::vector<UINT>& ids, HMODULE module)
        {
            SetResource(MAKEINTRESOURCEA(IDR_TOOLBAR_MENU), module);
            return LoadToolBarData(16, 15, (int)ids.size(), ids.data(), CLR_DEFAULT);
        }
    } loader;
    ASSERT_TRUE(loader.Load(commands, resources.Module()));
    EXPECT_EQ(-1, loader.FindIndex(40000));
    EXPECT_EQ(0, loader.FindIndex(commands[0]));
}

// --- colours ------------------------------------------------------------------------

TEST(MenuColors, FollowTheirFormulas)
{
    struct Case { const char* name; COLORREF got; COLORREF expected; };
    const Case cases[] = {
        {"darken 0", MenuDarken(0, RGB(10, 100, 255)), RGB(10, 100, 255)},
        {"darken 255", MenuDarken(255, RGB(10, 100, 255)), RGB(0, 0, 0)},
        {"darken 50", MenuDarken(50, RGB(255, 128, 51)), RGB(205, 103, 41)},
        {"darken 128 grey", MenuDarken(128, RGB(212, 208, 200)), RGB(106, 104, 100)},
        {"lighten 100", MenuLighten(100, RGB(0, 128, 255)), RGB(100, 178, 255)},
        {"lighten 0", MenuLighten(0, RGB(1, 2, 3)), RGB(1, 2, 3)},
        {"mix86", MenuMix86(RGB(255, 255, 255), RGB(0, 0, 0)), RGB(219, 219, 219)},
        {"mix86 both", MenuMix86(RGB(100, 200, 50), RGB(200, 0, 250)), RGB(114, 172, 78)},
        {"mix70", MenuMix70(RGB(255, 255, 255), RGB(10, 36, 106)), RGB(182, 190, 211)},
        {"grey", MenuGrey(RGB(30, 60, 91)), RGB(60, 60, 60)},
        {"shadow", MenuShadowColor(RGB(100, 200, 200)), RGB(70, 140, 179)},
        {"shadow white", MenuShadowColor(RGB(255, 255, 255)), RGB(179, 179, 217)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.got) << c.name;
}

TEST(MenuSystem, VersionClassesFromTheVersionNumbers)
{
    struct Case { DWORD platform, major, minor; int expected; };
    const Case cases[] = {
        {VER_PLATFORM_WIN32s, 3, 10, CMenuSystem::kWin32s},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, CMenuSystem::kWin95},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, CMenuSystem::kWin98},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, CMenuSystem::kWinMe},
        {VER_PLATFORM_WIN32_NT, 4, 0, CMenuSystem::kNT4},
        {VER_PLATFORM_WIN32_NT, 5, 0, CMenuSystem::kWin2000},
        {VER_PLATFORM_WIN32_NT, 5, 1, CMenuSystem::kWinXP},
        {VER_PLATFORM_WIN32_NT, 5, 2, CMenuSystem::kOtherNT},
        {VER_PLATFORM_WIN32_NT, 6, 1, CMenuSystem::kOtherNT},
        {VER_PLATFORM_WIN32_NT, 10, 0, CMenuSystem::kOtherNT},
    };
    for (const Case& c : cases) {
        OSVERSIONINFOA v = {};
        v.dwPlatformId = c.platform;
        v.dwMajorVersion = c.major;
        v.dwMinorVersion = c.minor;
        EXPECT_EQ(c.expected, CMenuSystem::VersionClassOf(v)) << c.major << "." << c.minor;
    }
}

// --- measuring and drawing into a bitmap ------------------------------------------

// A 32-bit bitmap selected into a memory DC, read back pixel by pixel.
class PixelCanvas
{
public:
    PixelCanvas(int width, int height) : m_width(width)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_bitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, (void**)&m_bits, NULL, 0);
        m_dc = ::CreateCompatibleDC(NULL);
        m_old = ::SelectObject(m_dc, m_bitmap);
    }
    ~PixelCanvas()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
        ::DeleteObject(m_bitmap);
    }
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        DWORD p = m_bits[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int m_width;
    DWORD* m_bits = nullptr;
    HBITMAP m_bitmap;
    HDC m_dc;
    HGDIOBJ m_old;
};

DRAWITEMSTRUCT DrawStruct(CNewMenu& menu, int position, HDC dc, CRect rect, UINT state)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = (UINT)menu.GetItemData(position)->m_nID;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = (HWND)menu.m_hMenu;
    dis.hDC = dc;
    dis.rcItem = rect;
    dis.itemData = (ULONG_PTR)menu.GetItemData(position);
    return dis;
}

TEST_F(NewMenuTest, MeasuresPopupItemsWithTheImageColumn)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenuById(IDR_MENU_PANEL));
    CNewMenu* popup = menu.GetNewSubMenu(0);
    int exit = -1;
    ASSERT_TRUE(menu.FindMenuOfCommand(ID_EXIT, &exit) == popup);
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = ID_EXIT;
    mis.itemData = (ULONG_PTR)popup->GetItemData(exit);
    popup->MeasureItem(&mis);
    EXPECT_GE((int)mis.itemHeight, 15 + 8);
    EXPECT_GT((int)mis.itemWidth, 2 * 16 + 2);
    // A separator is three pixels high.
    for (int i = 0; i < popup->GetItemDataCount(); ++i) {
        if (popup->GetItemData(i)->IsSeparator()) {
            mis.itemData = (ULONG_PTR)popup->GetItemData(i);
            popup->MeasureItem(&mis);
            EXPECT_EQ(3u, mis.itemHeight);
            break;
        }
    }
    // A record that is not this menu's is left alone.
    CNewMenuItemData stranger;
    mis.itemData = (ULONG_PTR)&stranger;
    mis.itemWidth = 77;
    popup->MeasureItem(&mis);
    EXPECT_EQ(77u, mis.itemWidth);
}

TEST_F(NewMenuTest, ACommandWhoseIdEqualsAMenuHandleIsNoMenuBarItem)
{
    // In a menu bar only items that open a submenu are bar items; a command
    // whose number happens to equal a live menu's handle is a plain item.
    CMenu other;
    ASSERT_TRUE(other.CreatePopupMenu());
    HMENU bar = ::CreateMenu();
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuA(bar, MF_POPUP, (UINT_PTR)sub, "File");
    ::AppendMenuA(bar, MF_STRING, (UINT)(UINT_PTR)other.m_hMenu, "Same");
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadFromHandle(bar));
    ASSERT_TRUE(menu.IsMenuBar());
    MEASUREITEMSTRUCT popupItem = {ODT_MENU, 0, (UINT)(UINT_PTR)sub, 0, 0, (ULONG_PTR)menu.GetItemData(0)};
    MEASUREITEMSTRUCT commandItem = {ODT_MENU, 0, (UINT)(UINT_PTR)other.m_hMenu, 0, 0,
                                     (ULONG_PTR)menu.GetItemData(1)};
    menu.MeasureItem(&popupItem);
    menu.MeasureItem(&commandItem);
    // "File" and "Same" are about as wide; only the command has the image column.
    EXPECT_GT((int)commandItem.itemWidth, (int)popupItem.itemWidth + 2 * 16);
}

TEST_F(NewMenuTest, DrawsSelectionColumnAndSeparatorInTheThemesColours)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenuById(IDR_MENU_PANEL));
    const UINT ids[] = {IDR_TOOLBAR_MENU};
    ASSERT_TRUE(menu.LoadToolBars(ids, 1));
    CNewMenu* popup = menu.GetNewSubMenu(0);
    int exit = -1;
    popup->FindMenuOfCommand(ID_EXIT, &exit);
    ASSERT_GE(exit, 0);
    const CRect row(0, 0, 200, 24);
    PixelCanvas canvas(200, 24);
    CMenuThemeXP::Colors c = CMenuThemeXP::ItemColors(canvas.Dc());
    ASSERT_NE(c.field, c.column);
    const COLORREF highlight = CMenuSystem::Color(COLOR_HIGHLIGHT);

    DRAWITEMSTRUCT plain = DrawStruct(*popup, exit, canvas.Dc(), row, 0);
    popup->DrawItem(&plain);
    EXPECT_EQ(c.column, canvas.At(1, 1));         // the image column
    EXPECT_EQ(c.column, canvas.At(16 + 7, 22));   // its last column
    EXPECT_EQ(c.field, canvas.At(16 + 8, 22));    // the field starts after it
    EXPECT_EQ(c.field, canvas.At(195, 12));

    DRAWITEMSTRUCT selected = DrawStruct(*popup, exit, canvas.Dc(), row, ODS_SELECTED);
    popup->DrawItem(&selected);
    EXPECT_EQ(c.selection, canvas.At(195, 12)); // the selection fill
    EXPECT_EQ(c.selection, canvas.At(2, 2));
    EXPECT_EQ(highlight, canvas.At(0, 12));     // its one-pixel frame
    EXPECT_EQ(highlight, canvas.At(199, 12));
    EXPECT_EQ(highlight, canvas.At(100, 0));
    EXPECT_EQ(highlight, canvas.At(100, 23));

    // Disabled and selected: still highlighted, as the program's option says.
    DRAWITEMSTRUCT grayed = DrawStruct(*popup, exit, canvas.Dc(), row, ODS_SELECTED | ODS_GRAYED);
    popup->DrawItem(&grayed);
    EXPECT_EQ(c.selection, canvas.At(195, 12));
    BOOL old = CMenuSystem::SetSelectDisabled(FALSE);
    popup->DrawItem(&grayed);
    EXPECT_EQ(c.field, canvas.At(195, 12));
    CMenuSystem::SetSelectDisabled(old);

    int separator = -1;
    for (int i = 0; i < popup->GetItemDataCount() && separator < 0; ++i)
        if (popup->GetItemData(i)->IsSeparator())
            separator = i;
    ASSERT_GE(separator, 0);
    const CRect thin(0, 0, 200, 3);
    DRAWITEMSTRUCT line = DrawStruct(*popup, separator, canvas.Dc(), thin, 0);
    popup->DrawItem(&line);
    EXPECT_EQ(CMenuSystem::Color(COLOR_GRAYTEXT), canvas.At(150, 1));
    EXPECT_EQ(c.column, canvas.At(2, 1));
    EXPECT_EQ(c.field, canvas.At(150, 0));
}

TEST_F(NewMenuTest, ACheckedItemWithoutImageGetsItsMarkBox)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING | MF_CHECKED, 300, "Checked");
    PixelCanvas canvas(200, 24);
    CMenuThemeXP::Colors c = CMenuThemeXP::ItemColors(canvas.Dc());
    DRAWITEMSTRUCT dis = DrawStruct(menu, 0, canvas.Dc(), CRect(0, 0, 200, 24), ODS_CHECKED);
    menu.DrawItem(&dis);
    // The box behind the mark: inset by one, outlined in the highlight.
    int top = (24 - 15) / 2;
    EXPECT_EQ(CMenuSystem::Color(COLOR_HIGHLIGHT), canvas.At(4, top + 1 + 3));
    EXPECT_EQ(MenuMix86(c.column, CMenuSystem::Color(COLOR_HIGHLIGHT)), canvas.At(5, top + 2));
    EXPECT_EQ(c.column, canvas.At(1, 1));
}

TEST_F(NewMenuTest, AMenuBarItemHasNoImageColumn)
{
    HMENU bar = ::CreateMenu();
    ::AppendMenuA(bar, MF_POPUP, (UINT_PTR)::CreatePopupMenu(), "&File");
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadFromHandle(bar));
    PixelCanvas canvas(80, 20);
    CMenuThemeXP::Colors c = CMenuThemeXP::ItemColors(canvas.Dc());
    DRAWITEMSTRUCT dis = DrawStruct(menu, 0, canvas.Dc(), CRect(0, 0, 80, 20), 0);
    menu.DrawItem(&dis);
    EXPECT_EQ(c.menu, canvas.At(1, 1));
    EXPECT_EQ(c.menu, canvas.At(78, 18));
    // Hot: the selection fill less the 4-pixel strip on the right.
    dis.itemState = ODS_HOTLIGHT;
    menu.DrawItem(&dis);
    EXPECT_EQ(c.selection, canvas.At(5, 5));
    EXPECT_EQ(CMenuSystem::Color(COLOR_HIGHLIGHT), canvas.At(75, 5));
    EXPECT_EQ(c.menu, canvas.At(77, 5));
}

} // namespace

namespace {

TEST(NewMenuWithoutHook, ItemsStillDrawInTheProgramsLook)
{
    // A start-up whose hook failed leaves plain owner-drawn menus.
    ASSERT_TRUE(CMenuTheme::Global() == NULL);
    ClassicColors colors;
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 400, "Item");
    PixelCanvas canvas(120, 24);
    CMenuThemeXP::Colors c = CMenuThemeXP::ItemColors(canvas.Dc());
    DRAWITEMSTRUCT dis = DrawStruct(menu, 0, canvas.Dc(), CRect(0, 0, 120, 24), ODS_SELECTED);
    menu.DrawItem(&dis);
    EXPECT_EQ(c.selection, canvas.At(115, 12));
    EXPECT_EQ(CMenuSystem::Color(COLOR_HIGHLIGHT), canvas.At(0, 12));
}

TEST(MenuShadow, DarkensInStepsAndFadesAtTheEnd)
{
    struct Case { int k, along, length; BOOL fade; int amount; };
    const Case cases[] = {
        {1, 0, 100, TRUE, 0},   {4, 3, 100, TRUE, 0},    // the first four rows unchanged
        {1, 4, 100, TRUE, 6},   {1, 7, 100, TRUE, 24},   // then 6k .. 24k
        {3, 5, 100, TRUE, 36},  {4, 8, 100, TRUE, 120},  // then 30k
        {2, 50, 100, FALSE, 60},
        {1, 96, 100, TRUE, 24}, {1, 99, 100, TRUE, 6},   // fading at the far end
        {1, 99, 100, FALSE, 30},                         // the bottom edge does not fade
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.amount, CMenuThemeXP::ShadowAmount(c.k, c.along, c.length, c.fade))
            << c.k << " " << c.along << " " << c.fade;
}

} // namespace
