// MSearchFrame: the on-screen menu's scan panel: the running scan's
// progress; Enter, the menu key or the close code stop a running scan and
// close the menu, and the panel goes back to the channel panel by itself
// when the scan reaches its end. Owned by the menu's host; UI thread.
#pragma once
#include "app/MFrame.h"

class MProgress;

class MSearchFrame : public MFrame
{
public:
    MSearchFrame();

    void OnShow() override;
    void BuildRows() override;
    BOOL Create(const RECT& rect, CWnd* parent, UINT id) override;
    // Replaces the row chain: every key answers 2.
    int OnKey(UINT vk, LPARAM lParam) override;

    // The scan's range and position on the bar; at the range's end the
    // host goes back from this panel.
    void SetProgress(long rangeStart, long rangeEnd, long position);
    MProgress* GetProgress() const { return m_pProgress; }

private:
    MProgress* m_pProgress; // a widget of the panel's row; not owned
};
