#include "app/MProgress.h"

// Two per key: the picture values' ranges are 128 to 256 wide.
MProgress::MProgress() : MRangeWnd(2)
{
    m_logFont.lfHeight = 24;
    m_logFont.lfWidth = 12;
    m_nNotifyCode = kNotifyProgress;
}

void MProgress::Draw(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    if (HasBitmaps()) {
        BlitBitmap(dc, &m_bmpBack, 0, 0, client.Width(), client.Height());
        BlitBitmap(dc, &m_bmpMark, 0, 0, FillWidth(client.Width()), client.Height());
    }
    DrawPosition(dc);
}
