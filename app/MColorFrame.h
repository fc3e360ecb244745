// MColorFrame: the on-screen menu's picture panel: brightness, contrast,
// hue, saturation and sharpness as bars that apply each step at once, and
// a reset of all five. Owned by the menu's host; UI thread.
#pragma once
#include "app/MFrame.h"

class MColorFrame : public MFrame
{
public:
    static constexpr int kResetRow = 5;

    void OnShow() override;
    int OnRowKey(UINT vk, LPARAM lParam) override;
    void BuildRows() override;
    BOOL Create(const RECT& rect, CWnd* parent, UINT id) override;

private:
    // The bars from the engine's values.
    void ShowValues();
};
