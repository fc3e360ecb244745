// CVideoAdvance: the small dialog with the half-rate switch alone, opened
// from the video page. A click applies at once; Cancel puts the value it
// opened with back. Modal, UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class CTVManager;

class CVideoAdvance : public CDialog
{
public:
    CVideoAdvance(CTVManager& manager, CWnd* parent = NULL);

    BOOL IsHalfRateOff() const { return m_bHalfRateOff; }

    BOOL OnInitDialog() override;
    void OnCancel() override;

protected:
    void OnHalfRateOff();
    DECLARE_MESSAGE_MAP()

private:
    CTVManager& m_manager;
    BOOL m_bHalfRateOff;
    BOOL m_bOpenedWith;
};
