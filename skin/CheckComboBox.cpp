#include "skin/CheckComboBox.h"

#include <cstring>

namespace {

// The combo whose list is open, and the list's own procedure: one list is
// open at a time.
CCheckComboBox* g_openCombo = NULL;
WNDPROC g_savedListProc = NULL;

// Room for the check square: the font's height and leading plus a margin.
constexpr int kSquareMargin = 6;

} // namespace

BEGIN_MESSAGE_MAP(CCheckComboBox, CComboBox)
    ON_CONTROL_REFLECT(CBN_DROPDOWN, OnDropDown)
END_MESSAGE_MAP()

CCheckComboBox::CCheckComboBox() : m_hListBox(NULL), m_textValid(FALSE), m_itemHeightSet(FALSE) {}

CCheckComboBox::~CCheckComboBox()
{
    if (g_openCombo == this)
        g_openCombo = NULL;
}

BOOL CCheckComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    style &= ~0x0Cu; // no other kind of owner drawing
    style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
    return CComboBox::Create(style, rect, parent, id);
}

int CCheckComboBox::SetCheck(int index, BOOL check)
{
    const int result = SetItemData(index, check ? 1 : 0);
    if (result != CB_ERR) {
        m_textValid = FALSE;
        Invalidate(FALSE);
    }
    return result;
}

BOOL CCheckComboBox::GetCheck(int index) const
{
    const DWORD_PTR data = GetItemData(index);
    return data != (DWORD_PTR)CB_ERR && data != 0;
}

void CCheckComboBox::SelectAll(BOOL check)
{
    for (int i = 0, n = GetCount(); i < n; ++i)
        SetCheck(i, check);
}

CString CCheckComboBox::ListSeparator()
{
    char separator[kMaxSeparator + 1] = {0};
    if (!::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator, sizeof separator))
        separator[0] = 0;
    separator[kMaxSeparator] = 0;
    CString text(separator);
    if (text.IsEmpty())
        text = ";";
    text.TrimRight(' ');
    return text + " ";
}

CString CCheckComboBox::GetDisplayText()
{
    if (m_textValid)
        return m_displayText;
    const CString separator = ListSeparator();
    CString text;
    for (int i = 0, n = GetCount(); i < n; ++i) {
        if (!GetCheck(i))
            continue;
        CString item;
        GetLBText(i, item);
        if (!text.IsEmpty())
            text += separator;
        text += item;
    }
    m_displayText = text;
    m_textValid = TRUE;
    return m_displayText;
}

LRESULT CCheckComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETTEXT: {
        // At most count - 1 characters, always terminated.
        const CString text = GetDisplayText();
        char* out = (char*)lParam;
        const int count = (int)wParam;
        if (!out || count <= 0)
            return 0;
        const int copied = text.GetLength() < count - 1 ? text.GetLength() : count - 1;
        memcpy(out, (LPCSTR)text, (size_t)copied);
        out[copied] = 0;
        return copied;
    }
    case WM_GETTEXTLENGTH:
        return GetDisplayText().GetLength();
    case WM_DESTROY:
        // The list goes with the combo.
        m_hListBox = NULL;
        if (g_openCombo == this)
            g_openCombo = NULL;
        return CComboBox::WindowProc(message, wParam, lParam);
    default:
        return CComboBox::WindowProc(message, wParam, lParam);
    }
}

int CCheckComboBox::ItemHeight()
{
    CClientDC dc(this);
    HFONT font = GetFont();
    CDCSelect select(dc, font ? (HGDIOBJ)font : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics = {};
    dc.GetTextMetrics(&metrics);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

void CCheckComboBox::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    const int height = ItemHeight() + 2;
    mis->itemHeight = height;
    if (!m_itemHeightSet) {
        m_itemHeightSet = TRUE;
        SetItemHeight(-1, height);
    }
}

void CCheckComboBox::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CTempDC dc(dis->hDC);
    CRect text = dis->rcItem;
    const bool field = (int)dis->itemID < 0 || (dis->itemState & ODS_COMBOBOXEDIT);
    CString label;
    if (field) {
        label = GetDisplayText();
    } else {
        CRect square = dis->rcItem;
        square.right = square.left + ItemHeight() + kSquareMargin;
        square.top += 1;
        square.bottom -= 1;
        text.left = square.right;
        dc.FillSolidRect(&square, ::GetSysColor(COLOR_WINDOW));
        const COLORREF oldText = dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        dc.DrawFrameControl(&square, DFC_BUTTON,
                            DFCS_BUTTONCHECK | (GetCheck((int)dis->itemID) ? DFCS_CHECKED : 0));
        dc.SetTextColor(oldText);
        GetLBText((int)dis->itemID, label);
    }
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    const COLORREF back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF fore = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    dc.FillSolidRect(&text, back);
    const COLORREF oldBack = dc.SetBkColor(back);
    const COLORREF oldFore = dc.SetTextColor(fore);
    const CString shown = " " + label;
    dc.DrawText(shown, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    dc.SetBkColor(oldBack);
    dc.SetTextColor(oldFore);
    if (selected && (dis->itemState & ODS_FOCUS))
        dc.DrawFocusRect(&text);
}

void CCheckComboBox::OnDropDown()
{
    TakeOverList();
    g_openCombo = this;
}

void CCheckComboBox::TakeOverList()
{
    if (m_hListBox)
        return;
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetComboBoxInfo(m_hWnd, &info) || !info.hwndList || info.hwndList == m_hWnd)
        return;
    m_hListBox = info.hwndList;
    const WNDPROC previous = (WNDPROC)::SetWindowLongPtrA(m_hListBox, GWLP_WNDPROC, (LONG_PTR)&ListWndProc);
    if (previous != &ListWndProc)
        g_savedListProc = previous;
}

void CCheckComboBox::Toggle(int index)
{
    if (index < 0 || index >= GetCount())
        return;
    SetCheck(index, !GetCheck(index));
    if (CWnd* parent = GetParent())
        ::SendMessageA(parent->m_hWnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CBN_SELCHANGE), (LPARAM)m_hWnd);
}

LRESULT CALLBACK CCheckComboBox::ListWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CCheckComboBox* combo = g_openCombo && g_openCombo->m_hListBox == hwnd ? g_openCombo : NULL;
    const WNDPROC saved = g_savedListProc;
    if (combo) {
        switch (message) {
        case WM_LBUTTONDOWN: {
            const CPoint at(lParam);
            CRect client;
            ::GetClientRect(hwnd, &client);
            if (!client.PtInRect(at))
                break;
            const int height = (int)::CallWindowProcA(saved, hwnd, LB_GETITEMHEIGHT, 0, 0);
            const int top = (int)::CallWindowProcA(saved, hwnd, LB_GETTOPINDEX, 0, 0);
            const int index = top + (height > 0 ? at.y / height : 0);
            CRect item;
            if (::CallWindowProcA(saved, hwnd, LB_GETITEMRECT, index, (LPARAM)&item) != LB_ERR && item.PtInRect(at)) {
                ::InvalidateRect(hwnd, &item, FALSE);
                combo->Toggle(index);
            }
            return 0; // the list stays open
        }
        case WM_LBUTTONUP:
            return 0;
        case WM_CHAR:
            if (wParam == ' ') {
                const int index = (int)::CallWindowProcA(saved, hwnd, LB_GETCURSEL, 0, 0);
                CRect item;
                if (::CallWindowProcA(saved, hwnd, LB_GETITEMRECT, index, (LPARAM)&item) != LB_ERR)
                    ::InvalidateRect(hwnd, &item, FALSE);
                combo->Toggle(index);
                return 0;
            }
            break;
        case LB_GETCURSEL:
            // The combo never takes a selection from its list.
            return -1;
        default:
            break;
        }
    }
    if (!saved)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return ::CallWindowProcA(saved, hwnd, message, wParam, lParam);
}
