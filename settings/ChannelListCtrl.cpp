#include "settings/ChannelListCtrl.h"

#include "engine/Channel.h"
#include "resources/Resource.h"
#include "settings/ChannelPage.h"

BEGIN_MESSAGE_MAP(CChannelListCtrl, CDragListCtrl)
    ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

CChannelListCtrl::CChannelListCtrl() : m_page(NULL)
{
    if (HCURSOR drag = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDCUR_DRAG))) {
        m_dropCursor = (HCURSOR)::CopyImage(drag, IMAGE_CURSOR, 0, 0, 0);
        m_ownsDropCursor = m_dropCursor != NULL;
        if (!m_dropCursor)
            m_dropCursor = ::LoadCursor(NULL, IDC_ARROW);
    }
}

CChannelListCtrl::~CChannelListCtrl() {}

void CChannelListCtrl::MoveItems(int from, int to)
{
    if (m_page)
        m_page->MoveChannel(from, to);
    else
        CDragListCtrl::MoveItems(from, to);
}

int CChannelListCtrl::Compare(const CChannel* a, const CChannel* b, int column, BOOL ascending)
{
    int order = 0;
    switch (column) {
    case 0:
        order = (int)a->IsFavor() - (int)b->IsFavor();
        break;
    case 1:
        order = a->Name.CompareNoCase(b->Name);
        break;
    case 2:
        order = a->Frequency < b->Frequency ? -1 : a->Frequency > b->Frequency ? 1 : 0;
        break;
    case 3:
        order = a->ID < b->ID ? -1 : a->ID > b->ID ? 1 : 0;
        break;
    default:
        break;
    }
    return ascending ? order : -order;
}

void CChannelListCtrl::OnRButtonUp(UINT flags, CPoint point)
{
    CDragListCtrl::OnRButtonUp(flags, point);
    if (m_page) {
        ClientToScreen(&point);
        m_page->ShowContextMenu(point);
    }
}
