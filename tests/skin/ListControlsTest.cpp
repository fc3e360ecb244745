// The check combo (its closed field's text, its list that toggles items and
// stays open) and the drag list (moving rows with all they carry, drops
// that change nothing).
#include "skin/CheckComboBox.h"
#include "skin/DragListCtrl.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Sets the user's list separator for one scope (the test prefix's own).
class ListSeparatorInUse
{
public:
    explicit ListSeparatorInUse(LPCSTR separator)
    {
        ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, m_saved, sizeof m_saved);
        m_set = ::SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator) != FALSE;
    }
    ~ListSeparatorInUse() { ::SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, m_saved); }
    bool Set() const { return m_set; }

private:
    char m_saved[16] = {0};
    bool m_set;
};

struct ComboHost
{
    ComboHost()
    {
        EXPECT_TRUE(host.CreateHost(300, 200));
        EXPECT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(10, 10, 210, 150), &host, 700));
        ::SendMessageA(combo.m_hWnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
        for (const char* day : {"Sunday", "Monday", "Tuesday", "Wednesday"})
            combo.AddString(day);
    }
    std::string Text(int count)
    {
        char buffer[64];
        memset(buffer, 'x', sizeof buffer);
        const int copied = (int)::SendMessageA(combo.m_hWnd, WM_GETTEXT, count, (LPARAM)buffer);
        result = copied;
        untouched = count < (int)sizeof buffer ? buffer[count] == 'x' : true;
        return count > 0 ? std::string(buffer) : std::string();
    }

    CHostWnd host;
    CCheckComboBox combo;
    int result = 0;
    bool untouched = true;
};

} // namespace

TEST(CheckComboBox, ClosedFieldJoinsCheckedItemsWithTheListSeparator)
{
    struct { const char* separator; const char* text; } cases[] = {
        {",", "Monday, Wednesday"},
        {"", "Monday; Wednesday"},
        {" ;  ", "Monday ; Wednesday"}, // trailing blanks trimmed, one added
    };
    for (const auto& c : cases) {
        ListSeparatorInUse separator(c.separator);
        if (!separator.Set())
            GTEST_SKIP() << "the locale's list separator cannot be set here";
        ComboHost page;
        EXPECT_EQ(CB_ERR, page.combo.SetCheck(9, TRUE));
        page.combo.SetCheck(1, TRUE);
        page.combo.SetCheck(3, TRUE);
        const std::string expected = c.text;
        EXPECT_EQ(expected, std::string(page.combo.GetDisplayText())) << "separator '" << c.separator << "'";
        EXPECT_EQ((int)expected.size(), page.combo.GetWindowTextLength());
    }
}

TEST(CheckComboBox, TextRequestsCopyAtMostCountLessOne)
{
    ListSeparatorInUse separator(",");
    ComboHost page;
    page.combo.SelectAll(TRUE);
    EXPECT_TRUE(page.combo.GetCheck(2));
    const std::string full = "Sunday, Monday, Tuesday, Wednesday";
    ASSERT_EQ(full, std::string(page.combo.GetDisplayText()));
    struct { int count; std::string text; } cases[] = {
        {0, ""},
        {1, ""},
        {2, "S"},
        {7, "Sunday"},
        {(int)full.size(), full.substr(0, full.size() - 1)},
        {(int)full.size() + 1, full},
        {60, full},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, page.Text(c.count)) << c.count;
        EXPECT_EQ((int)c.text.size(), page.result) << c.count;
        EXPECT_TRUE(page.untouched) << "wrote past the count " << c.count;
    }
    page.combo.SelectAll(FALSE);
    EXPECT_EQ("", std::string(page.combo.GetDisplayText()));
}

TEST(CheckComboBox, AClickInTheOpenListTogglesAndKeepsItOpen)
{
    ComboHost page;
    page.combo.ShowDropDown(TRUE);
    PumpFor(50);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(page.combo.m_hWnd, &info));
    ASSERT_TRUE(page.combo.GetDroppedState());
    RECT item;
    ASSERT_NE(LB_ERR, ::SendMessageA(info.hwndList, LB_GETITEMRECT, 2, (LPARAM)&item));
    const LPARAM at = MAKELPARAM(item.left + 20, (item.top + item.bottom) / 2);
    ::SendMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
    PumpFor(50);
    EXPECT_TRUE(page.combo.GetCheck(2));
    EXPECT_TRUE(page.combo.GetDroppedState());
    SaveScreenShot(page.host.m_hWnd, "check_combo_open");
    // Space toggles the item under the list's own selection.
    ::CallWindowProcA((WNDPROC)::GetWindowLongPtrA(info.hwndList, GWLP_WNDPROC), info.hwndList, WM_CHAR, ' ', 0);
    ::SendMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
    EXPECT_FALSE(page.combo.GetCheck(2));
    EXPECT_EQ(-1, (int)::SendMessageA(info.hwndList, LB_GETCURSEL, 0, 0));
    page.combo.ShowDropDown(FALSE);
    PumpFor(50);
    EXPECT_EQ(-1, page.combo.GetCurSel());
}

namespace {

struct ListHost
{
    ListHost()
    {
        EXPECT_TRUE(host.CreateHost(320, 240));
        EXPECT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 300, 220), &host, 710));
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
        EXPECT_TRUE(images.Create(16, 16, ILC_COLOR24, 4, 0));
        list.SetImageList(&images, LVSIL_SMALL);
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "Frequency", LVCFMT_RIGHT, 80);
        for (int i = 0; i < 5; ++i) {
            const std::string name = "Row " + std::to_string(i);
            list.InsertItem(i, name.c_str(), i % 3);
            list.SetItemText(i, 1, std::to_string(100 + i).c_str());
            list.SetItemData(i, 1000 + i);
            list.SetCheck(i, i == 0);
        }
    }
    std::string Order()
    {
        std::string order;
        for (int i = 0; i < list.GetItemCount(); ++i) {
            LVITEMA item = {};
            item.mask = LVIF_IMAGE;
            item.iItem = i;
            list.GetItem(&item);
            order += std::string(list.GetItemText(i, 0)) + "/" + std::string(list.GetItemText(i, 1)) + "/" +
                     std::to_string(list.GetItemData(i)) + "/i" + std::to_string(item.iImage) +
                     (list.GetCheck(i) ? "/x" : "") + ";";
        }
        return order;
    }

    CHostWnd host;
    CImageList images;
    CDragListCtrl list;
};

const char kInOrder[] = "Row 0/100/1000/i0/x;Row 1/101/1001/i1;Row 2/102/1002/i2;Row 3/103/1003/i0;Row 4/104/1004/i1;";

} // namespace

TEST(DragListCtrl, MovesARowWithItsTextsImageDataAndCheck)
{
    struct { int from, to; const char* order; } cases[] = {
        {0, 3, "Row 1/101/1001/i1;Row 2/102/1002/i2;Row 0/100/1000/i0/x;Row 3/103/1003/i0;Row 4/104/1004/i1;"},
        {0, 5, "Row 1/101/1001/i1;Row 2/102/1002/i2;Row 3/103/1003/i0;Row 4/104/1004/i1;Row 0/100/1000/i0/x;"},
        {4, 0, "Row 4/104/1004/i1;Row 0/100/1000/i0/x;Row 1/101/1001/i1;Row 2/102/1002/i2;Row 3/103/1003/i0;"},
        {2, 2, kInOrder}, // on itself
        {2, 3, kInOrder}, // just below itself
        {2, 9, kInOrder}, // out of range
    };
    for (const auto& c : cases) {
        ListHost page;
        ASSERT_EQ(kInOrder, page.Order());
        page.list.DropItem(c.from, c.to, CPoint(0, 0));
        EXPECT_EQ(c.order, page.Order()) << c.from << " to " << c.to;
    }
    // Texts move whole, however long.
    ListHost page;
    const std::string name(3000, 'n'), frequency(2000, 'f');
    page.list.SetItemText(0, 0, name.c_str());
    page.list.SetItemText(0, 1, frequency.c_str());
    page.list.DropItem(0, 3, CPoint(0, 0));
    EXPECT_EQ(name, std::string(page.list.GetItemText(2, 0)));
    EXPECT_EQ(frequency, std::string(page.list.GetItemText(2, 1)));
}

TEST(DragListCtrl, ADragDropsWhereTheMarkerShowsAndNowhereElse)
{
    ListHost page;
    CRect first, fourth;
    ASSERT_TRUE(page.list.GetItemRect(0, &first, LVIR_BOUNDS));
    ASSERT_TRUE(page.list.GetItemRect(3, &fourth, LVIR_BOUNDS));
    EXPECT_EQ(3, page.list.DropIndexAt(CPoint(20, fourth.top + 2)));
    EXPECT_EQ(5, page.list.DropIndexAt(CPoint(20, 200)));  // below the last row
    EXPECT_EQ(-1, page.list.DropIndexAt(CPoint(20, 5)));   // on the header
    EXPECT_EQ(-1, page.list.DropIndexAt(CPoint(400, 50))); // outside

    auto beginDrag = [&](int index, CPoint at) {
        NMLISTVIEW begin = {};
        begin.hdr.hwndFrom = page.list.m_hWnd;
        begin.hdr.idFrom = 710;
        begin.hdr.code = LVN_BEGINDRAG;
        begin.iItem = index;
        begin.ptAction = at;
        ::SendMessageA(page.host.m_hWnd, WM_NOTIFY, 710, (LPARAM)&begin);
    };
    PumpFor(100);
    // Released over the fourth row: the first row lands before it.
    beginDrag(0, CPoint(20, first.top + 2));
    ASSERT_TRUE(page.list.IsDragging());
    ::SendMessageA(page.list.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, fourth.top + 2));
    EXPECT_EQ(3, page.list.GetDropIndex());
    SaveScreenShot(page.host.m_hWnd, "drag_list_marker");
    ::SendMessageA(page.list.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(20, fourth.top + 2));
    EXPECT_FALSE(page.list.IsDragging());
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ("Row 1", std::string(page.list.GetItemText(0, 0)));
    EXPECT_EQ("Row 0", std::string(page.list.GetItemText(2, 0)));

    // Released outside: nothing moves.
    const std::string before = page.Order();
    beginDrag(1, CPoint(20, first.top + 20));
    ::SendMessageA(page.list.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, fourth.top + 2));
    ::SendMessageA(page.list.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 500));
    EXPECT_EQ(-1, page.list.GetDropIndex());
    ::SendMessageA(page.list.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
    EXPECT_EQ(before, page.Order());

    // A drag ended from outside (Escape on a page) moves nothing either.
    beginDrag(1, CPoint(20, first.top + 20));
    ::SendMessageA(page.list.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, fourth.top + 2));
    page.list.EndDrag();
    ::SendMessageA(page.list.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(20, fourth.top + 2));
    EXPECT_EQ(before, page.Order());
}
