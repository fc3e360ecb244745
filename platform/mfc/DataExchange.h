// Dialog data exchange: DoDataExchange moves values between a dialog's
// controls and its members, in both directions, with DDX_ calls; DDV_ calls
// check the value just read. A refused value ends the exchange: the user is
// told, the control gets the focus, the remaining calls do nothing and
// UpdateData answers FALSE. UI thread.
#pragma once
#include "platform/mfc/String.h"
#include "platform/mfc/Time.h"

#include <windows.h>

class CWnd;

class CDataExchange
{
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    // The control of `id`, remembered for the DDV_ calls and the focus on
    // failure; NULL after a failure or when the dialog has no such control.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Tells the user `text` and refuses the value of the control last prepared.
    void Fail(LPCSTR text);
    // Puts the focus on the refused control (its text selected when it is an edit).
    void FocusFailedControl() const;
    HWND LastControl() const { return m_hWndLastControl; }

    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CWnd* m_pDlgWnd;
    BOOL m_bFailed;

private:
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, DWORD& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
// 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* dx, int id, int& value);
// The index of the checked button in the group that starts at `firstId`
// (up to the next control with WS_GROUP); -1 when none is checked.
void DDX_Radio(CDataExchange* dx, int firstId, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_Slider(CDataExchange* dx, int id, int& position);
// A date-time picker's time; a picker showing no time leaves `value`.
void DDX_DateTimeCtrl(CDataExchange* dx, int id, CTime& value);

void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minimum, UINT maximum);
// Also limits the edit's length when the controls are filled.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
