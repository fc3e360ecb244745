#include "platform/mfc/DataExchange.h"

#include "platform/mfc/MessageBox.h"
#include "platform/mfc/Wnd.h"

#include <commctrl.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A whole text holding one decimal integer, blanks allowed around it.
bool ParseInteger(const CString& text, long long minimum, long long maximum, long long& out)
{
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    char* end = NULL;
    errno = 0;
    long long value = strtoll(p, &end, 10);
    if (end == p || errno == ERANGE)
        return false;
    while (IsBlank(*end))
        ++end;
    if (*end != '\0' || value < minimum || value > maximum)
        return false;
    out = value;
    return true;
}

bool ParseReal(const CString& text, double& out)
{
    const char* p = text;
    char* end = NULL;
    errno = 0;
    double value = strtod(p, &end);
    if (end == p || errno == ERANGE)
        return false;
    while (IsBlank(*end))
        ++end;
    if (*end != '\0')
        return false;
    out = value;
    return true;
}

CString ControlText(HWND control)
{
    CString text;
    int length = ::GetWindowTextLengthA(control);
    ::GetWindowTextA(control, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
    return text;
}

template <class T>
void ExchangeInteger(CDataExchange* dx, int id, T& value, long long minimum, long long maximum,
                     LPCSTR format, LPCSTR refusal)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (control == NULL)
        return;
    if (dx->m_bSaveAndValidate) {
        long long parsed;
        if (ParseInteger(ControlText(control), minimum, maximum, parsed))
            value = (T)parsed;
        else
            dx->Fail(refusal);
    } else {
        CString text;
        text.Format(format, value);
        ::SetWindowTextA(control, text);
    }
}

// A value the control answers to one message and takes with another (in
// wParam, or in lParam after a redraw flag).
void ExchangeByMessage(CDataExchange* dx, int id, int& value, UINT get, UINT set, bool inLParam)
{
    HWND control = dx->PrepareCtrl(id);
    if (control == NULL)
        return;
    if (dx->m_bSaveAndValidate)
        value = (int)::SendMessageA(control, get, 0, 0);
    else if (inLParam)
        ::SendMessageA(control, set, TRUE, value);
    else
        ::SendMessageA(control, set, (WPARAM)value, 0);
}

// The radio buttons of the group that starts at `first`.
template <class Visit>
void ForEachRadio(HWND first, Visit visit)
{
    int index = 0;
    for (HWND h = first; h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && (::GetWindowLongA(h, GWL_STYLE) & WS_GROUP))
            break;
        if (::SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
            visit(h, index++);
    }
}

} // namespace

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog), m_bFailed(FALSE),
      m_hWndLastControl(NULL), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int id)
{
    if (m_bFailed)
        return NULL;
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    m_hWndLastControl = control;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    HWND control = PrepareCtrl(id);
    m_bEditLastControl = control != NULL;
    return control;
}

void CDataExchange::Fail(LPCSTR text)
{
    if (m_bFailed)
        return;
    m_bFailed = TRUE;
    if (text != NULL)
        AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CDataExchange::FocusFailedControl() const
{
    if (m_hWndLastControl == NULL)
        return;
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl)
        ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    if (!dx.m_bFailed)
        return TRUE;
    dx.FocusFailedControl();
    return FALSE;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd != NULL)
        return;
    HWND item = dx->PrepareCtrl(id);
    if (item != NULL)
        control.SubclassWindow(item);
}

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (control == NULL)
        return;
    if (dx->m_bSaveAndValidate)
        value = ControlText(control);
    else
        ::SetWindowTextA(control, value);
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    ExchangeInteger(dx, id, value, INT_MIN, INT_MAX, "%d", "Please enter an integer.");
}

void DDX_Text(CDataExchange* dx, int id, long& value)
{
    ExchangeInteger(dx, id, value, LONG_MIN, LONG_MAX, "%ld", "Please enter an integer.");
}

void DDX_Text(CDataExchange* dx, int id, UINT& value)
{
    ExchangeInteger(dx, id, value, 0, UINT_MAX, "%u", "Please enter a positive integer.");
}

void DDX_Text(CDataExchange* dx, int id, DWORD& value)
{
    ExchangeInteger(dx, id, value, 0, ULONG_MAX, "%lu", "Please enter a positive integer.");
}

void DDX_Text(CDataExchange* dx, int id, double& value)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (control == NULL)
        return;
    if (dx->m_bSaveAndValidate) {
        if (!ParseReal(ControlText(control), value))
            dx->Fail("Please enter a number.");
    } else {
        CString text;
        text.Format("%.15g", value);
        ::SetWindowTextA(control, text);
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    ExchangeByMessage(dx, id, value, BM_GETCHECK, BM_SETCHECK, false);
}

void DDX_Radio(CDataExchange* dx, int firstId, int& value)
{
    HWND first = dx->PrepareCtrl(firstId);
    if (first == NULL)
        return;
    if (dx->m_bSaveAndValidate) {
        value = -1;
        ForEachRadio(first, [&](HWND radio, int index) {
            if (::SendMessageA(radio, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        });
    } else {
        ForEachRadio(first, [&](HWND radio, int index) {
            ::SendMessageA(radio, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        });
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index)
{
    ExchangeByMessage(dx, id, index, CB_GETCURSEL, CB_SETCURSEL, false);
}

void DDX_Slider(CDataExchange* dx, int id, int& position)
{
    ExchangeByMessage(dx, id, position, TBM_GETPOS, TBM_SETPOS, true);
}

void DDX_DateTimeCtrl(CDataExchange* dx, int id, CTime& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (control == NULL)
        return;
    SYSTEMTIME st = {};
    if (dx->m_bSaveAndValidate) {
        if (::SendMessageA(control, DTM_GETSYSTEMTIME, 0, (LPARAM)&st) == GDT_VALID)
            value = CTime(st);
    } else if (value.GetAsSystemTime(st)) {
        ::SendMessageA(control, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
    }
}

namespace {

template <class T>
void CheckRange(CDataExchange* dx, T value, T minimum, T maximum, LPCSTR format)
{
    if (!dx->m_bSaveAndValidate || dx->m_bFailed || (value >= minimum && value <= maximum))
        return;
    CString text;
    text.Format(format, minimum, maximum);
    dx->Fail(text);
}

} // namespace

void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum)
{
    CheckRange(dx, value, minimum, maximum, "Please enter an integer between %d and %d.");
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minimum, UINT maximum)
{
    CheckRange(dx, value, minimum, maximum, "Please enter an integer between %u and %u.");
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars)
{
    if (dx->m_bFailed)
        return;
    if (!dx->m_bSaveAndValidate) {
        if (dx->LastControl() != NULL)
            ::SendMessageA(dx->LastControl(), EM_LIMITTEXT, (WPARAM)maxChars, 0);
        return;
    }
    if (value.GetLength() <= maxChars)
        return;
    CString text;
    text.Format("Please enter no more than %d characters.", maxChars);
    dx->Fail(text);
}
