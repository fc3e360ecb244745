// CWaitCursor: the hourglass for the length of one scope (a long call on the
// UI thread); the cursor shown before comes back at the end. UI thread.
#pragma once
#include <windows.h>

class CWaitCursor
{
public:
    CWaitCursor() : m_previous(::SetCursor(::LoadCursor(NULL, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the hourglass again after something (a message box) changed it.
    void Restore() { ::SetCursor(::LoadCursor(NULL, IDC_WAIT)); }

private:
    HCURSOR m_previous;
};
