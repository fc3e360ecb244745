// CNewFrameWnd: a top-level frame whose menu bar is a CNewMenu loaded from
// its resource. UI thread.
#pragma once
#include "skin/NewFrame.h"

class CNewFrameWnd : public CNewFrame<CFrameWnd>
{
public:
    // A given menu is loaded into the frame's CNewMenu first; a menu that
    // does not load makes no window (FALSE).
    BOOL Create(LPCSTR className, LPCSTR title, DWORD style = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CWnd* parent = NULL, LPCSTR menuName = NULL, DWORD exStyle = 0, void* context = NULL) override;

    CString m_strTitle; // as given at creation
};
