// MRootFrame: the on-screen menu's first panel: one row per panel below it
// (channels, picture, schedule list, recording, video) with a short
// description; Enter on a row opens its panel. Owned by the menu's host;
// UI thread.
#pragma once
#include "app/MFrame.h"

class MRootFrame : public MFrame
{
public:
    void BuildRows() override;
    BOOL Create(const RECT& rect, CWnd* parent, UINT id) override;
};
