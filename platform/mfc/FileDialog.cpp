#include "platform/mfc/FileDialog.h"

#include "platform/mfc/WinApp.h"
#include "platform/mfc/Wnd.h"

#include <cstring>

namespace {

// Room for a long path; the dialog refuses names that do not fit.
const size_t kFileBufferSize = 1024;

} // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCSTR defaultExt, LPCSTR fileName, DWORD flags,
                         LPCSTR filter, CWnd* parent)
    : m_ofn(), m_bOpenFileDialog(openFileDialog), m_defaultExt(defaultExt),
      m_file(kFileBufferSize, '\0'), m_pParentWnd(parent)
{
    if (fileName != NULL)
        lstrcpynA(m_file.data(), fileName, (int)m_file.size());
    if (filter != NULL) {
        // "a|b|c|d||" becomes "a\0b\0c\0d\0\0".
        m_filter.assign(filter, filter + strlen(filter));
        for (char& c : m_filter) {
            if (c == '|')
                c = '\0';
        }
        m_filter.push_back('\0');
        m_filter.push_back('\0');
    }
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.hInstance = ::GetModuleHandleA(NULL);
}

INT_PTR CFileDialog::DoModal()
{
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_ofn.hwndOwner = owner ? owner->GetTopLevelParent()->m_hWnd : NULL;
    m_ofn.lpstrFile = m_file.data();
    m_ofn.nMaxFile = (DWORD)m_file.size();
    m_ofn.lpstrFilter = m_filter.empty() ? NULL : m_filter.data();
    m_ofn.lpstrDefExt = m_defaultExt.IsEmpty() ? NULL : (LPCSTR)m_defaultExt;
    BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    m_file.back() = '\0';
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    int slash = path.ReverseFind('\\');
    int other = path.ReverseFind('/');
    return path.Mid((slash > other ? slash : other) + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}
