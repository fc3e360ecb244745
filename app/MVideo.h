// MVideo: the on-screen menu's video panel: capture size, the deinterlace
// options (high quality, noise reduction, half rate, reduction strength)
// and the daily power-off switch, whose Enter opens the power-off panel.
// A new capture size is applied with the sound muted around it, in steps
// on the panel's timer, never waiting on the UI thread. Owned by the
// menu's host; UI thread.
#pragma once
#include "app/MFrame.h"

class MVideo : public MFrame
{
public:
    enum Row { kSizeRow, kHighQualityRow, kNoiseRow, kHalfRateRow, kStrengthRow, kPowerOffRow };
    // The pause before and after the size change, with the sound muted.
    static constexpr UINT kSizeStepMs = 100;

    void OnShow() override;
    // The power-off panel, whatever row has the focus.
    MFrame* GetCurrentSubFrame() override { return GetSubFrame(0); }
    int OnRowKey(UINT vk, LPARAM lParam) override;
    void BuildRows() override;
    BOOL Create(const RECT& rect, CWnd* parent, UINT id) override;

    // A capture size is being applied (one at a time, program-wide).
    static BOOL IsBusy() { return s_bBusy; }
    // "width * height", and back; FALSE for a text that is not one.
    static CString SizeText(CSize size);
    static BOOL ParseSize(LPCSTR text, CSize& size);

protected:
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    enum SizeStep { kIdle, kMuted, kSized };
    int SizeKey(UINT vk);
    void FinishSizeChange();

    static BOOL s_bBusy;
    SizeStep m_step = kIdle;
    CSize m_newSize;
};
