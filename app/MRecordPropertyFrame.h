// MRecordPropertyFrame: the on-screen menu's recording panel: snapshot
// format, record format, motion search, display quality and JPEG quality,
// each applied as soon as it changes. Owned by the menu's host; UI thread.
#pragma once
#include "app/MFrame.h"

class MRecordPropertyFrame : public MFrame
{
public:
    enum Row { kSnapshotRow, kFormatRow, kMotionRow, kDisplayRow, kJpegRow };

    void OnShow() override;
    int OnRowKey(UINT vk, LPARAM lParam) override;
    void BuildRows() override;
    BOOL Create(const RECT& rect, CWnd* parent, UINT id) override;

    // The motion-search setting of each option, and the option of a setting
    // (-1 for a value no option stands for).
    static int MotionSearchOfOption(int option);
    static int OptionOfMotionSearch(int increment);
};
