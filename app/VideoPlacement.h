// CVideoPlacement: the video window's places, worked out from sizes alone:
// the window around a picture area, and a first start's places of the
// window and the control panel under it. Pure functions; any thread.
#pragma once
#include "platform/mfc/Geometry.h"

class CVideoPlacement
{
public:
    // The caption-and-border frame around the picture area.
    struct Frame
    {
        int side, caption, bottom;
    };
    struct Places
    {
        CRect video;
        CRect panel; // empty without a panel
    };

    static CSize WindowSize(CSize client, const Frame& frame);
    // The window centred on the screen; with a panel, the window moved up
    // by half the panel's height and the panel centred under it.
    static Places FirstStart(const CRect& screen, CSize window, CSize panel, BOOL withPanel);
};
