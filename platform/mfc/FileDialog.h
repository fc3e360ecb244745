// CFileDialog: the system's open and save dialogs. Filters are written as
// "Text files (*.txt)|*.txt|All files|*.*||". UI thread.
#pragma once
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"

#include <windows.h>

#include <commdlg.h>

#include <vector>

class CWnd;

class CFileDialog : public CObject
{
public:
    CFileDialog(BOOL openFileDialog, LPCSTR defaultExt = NULL, LPCSTR fileName = NULL,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = NULL,
                CWnd* parent = NULL);

    // IDOK with the chosen path, or IDCANCEL (also when the dialog fails).
    virtual INT_PTR DoModal();

    CString GetPathName() const { return CString(m_file.data()); }
    CString GetFileName() const;
    // The extension without its dot; empty when there is none.
    CString GetFileExt() const;
    CString GetFileTitle() const;

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CString m_defaultExt;
    std::vector<char> m_filter;
    std::vector<char> m_file;
    CWnd* m_pParentWnd;
};
