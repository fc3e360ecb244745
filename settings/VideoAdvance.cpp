#include "settings/VideoAdvance.h"

#include "engine/TVManager.h"
#include "resources/Resource.h"

BEGIN_MESSAGE_MAP(CVideoAdvance, CDialog)
    ON_BN_CLICKED(IDC_VIDEOADVANCE_HALF_RATE_OFF, OnHalfRateOff)
END_MESSAGE_MAP()

CVideoAdvance::CVideoAdvance(CTVManager& manager, CWnd* parent)
    : CDialog(IDD_VIDEOADVANCE, parent), m_manager(manager), m_bHalfRateOff(TRUE), m_bOpenedWith(TRUE)
{
}

BOOL CVideoAdvance::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bHalfRateOff = m_bOpenedWith = !m_manager.GetHalfRate();
    CheckDlgButton(IDC_VIDEOADVANCE_HALF_RATE_OFF, m_bHalfRateOff ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CVideoAdvance::OnHalfRateOff()
{
    CWaitCursor wait;
    m_bHalfRateOff = IsDlgButtonChecked(IDC_VIDEOADVANCE_HALF_RATE_OFF) == BST_CHECKED;
    m_manager.SetHalfRate(!m_bHalfRateOff);
}

void CVideoAdvance::OnCancel()
{
    if (!m_bHalfRateOff != !m_bOpenedWith) {
        CWaitCursor wait;
        m_manager.SetHalfRate(!m_bOpenedWith);
        m_bHalfRateOff = m_bOpenedWith;
    }
    CDialog::OnCancel();
}
