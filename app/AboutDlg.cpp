#include "app/AboutDlg.h"

#include "engine/TVManager.h"
#include "platform/mfc/MessageBox.h"
#include "platform/system/SystemServices.h"
#include "resources/Resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_ABOUT_UPDATE, OnUpdate)
END_MESSAGE_MAP()

namespace {

CString Text(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

CAboutDlg::CAboutDlg(CWnd* parent, const CString& appFolder, const CString& title)
    : CDialog(IDD_ABOUT, parent), m_appFolder(appFolder), m_title(title)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_website.SubclassDlgItem(IDC_ABOUT_WEBSITE, this);
    m_email.SubclassDlgItem(IDC_ABOUT_EMAIL, this);
    CString text;
    m_website.GetWindowText(text);
    m_website.SetURL(text);
    m_email.GetWindowText(text);
    m_email.SetURL("mailto:" + text);
    return TRUE;
}

CString CAboutDlg::UpdaterPath()
{
    char drive[MAX_PATH] = {0};
    if (::GetEnvironmentVariableA("SystemDrive", drive, sizeof drive) == 0)
        lstrcpyA(drive, "C:");
    CString path;
    path.Format("%s\\Program Files\\%s\\Update\\Yormit.exe", drive, (LPCSTR)CTVManager::GetAppTitle());
    return path;
}

CString CAboutDlg::UpdaterArguments() const
{
    CString arguments;
    arguments.Format("%s,%s,%s,%s,%s,%s,%s", (LPCSTR)m_title, (LPCSTR)Text(IDS_UPDATER_VERSION),
                     (LPCSTR)Text(IDS_APP_TITLE), (LPCSTR)Text(IDS_UPDATER_LIST), (LPCSTR)Text(IDS_UPDATER_TITLE),
                     "TRUE", (LPCSTR)m_appFolder);
    return arguments;
}

void CAboutDlg::OnUpdate()
{
    const CString path = UpdaterPath();
    UINT failure = 0;
    if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        failure = IDS_UPDATER_MISSING;
    else if ((INT_PTR)SystemServices().Execute(m_hWnd, "open", path, UpdaterArguments(),
                                               path.Left(path.ReverseFind('\\')), SW_SHOWNORMAL) <= 32)
        failure = IDS_UPDATER_START_FAILED;
    if (failure != 0)
        AfxShowMessageBox(m_hWnd, Text(failure), Text(IDS_APP_TITLE), MB_OK | MB_ICONINFORMATION);
}
