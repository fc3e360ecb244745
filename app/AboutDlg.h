// CAboutDlg: the about box, run modally from the control panel: the web
// site and the e-mail address as links, and the updater started from its
// button. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"
#include "skin/HyperLink.h"

class CAboutDlg : public CDialog
{
public:
    // `appFolder`: handed to the updater; `title`: the program window's title.
    CAboutDlg(CWnd* parent, const CString& appFolder, const CString& title);

    BOOL OnInitDialog() override;
    // The updater's path: "<system drive>\Program Files\<title>\Update\Yormit.exe".
    static CString UpdaterPath();
    // Its argument line: the window title, four texts of the program, "TRUE"
    // and the application folder, separated by commas.
    CString UpdaterArguments() const;

protected:
    void OnUpdate();
    DECLARE_MESSAGE_MAP()

private:
    CHyperLink m_website;
    CHyperLink m_email;
    CString m_appFolder;
    CString m_title;
};
