// CChannelListCtrl: the channel page's list, a drag list whose drop moves
// the channel within its table (the page does that) and whose right-button
// release asks the page for its context menu. The page owns it; UI thread.
#pragma once
#include "skin/DragListCtrl.h"

class CChannelPage;

class CChannelListCtrl : public CDragListCtrl
{
public:
    CChannelListCtrl();
    ~CChannelListCtrl() override;

    // The page that moves channels and opens the menu; not owned.
    void SetPage(CChannelPage* page) { m_page = page; }

    void MoveItems(int from, int to) override;

    // Sort order of two channels by a column: 0 favourite mark, 1 name (any
    // case), 2 frequency, 3 number; descending negates.
    static int Compare(const class CChannel* a, const class CChannel* b, int column, BOOL ascending);

protected:
    void OnRButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CChannelPage* m_page;
};
