// COverlayFilter: the Overlay Mixer, through which the engine sets the
// overlay picture's colour controls, colour key and aspect-ratio mode on
// its first input pin. A mixer whose pin lacks the interface stays in the
// graph; its operations then answer FALSE. Owned by the graph's list; UI
// thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/MixerPinConfig.h"

#include <memory>

class COverlayFilter : public CRootFilter
{
public:
    // Colour controls by index: brightness, contrast, hue, saturation,
    // sharpness.
    enum { kColorControlCount = 5 };

    using CRootFilter::CRootFilter;

    BOOL Init() override;

    // The fixed range of a control; each non-NULL pointer is filled.
    BOOL GetColorControlRange(int index, LONG* minimum, LONG* maximum, LONG* defaultValue);
    BOOL GetColorControl(int index, LONG* value);
    BOOL SetColorControl(int index, LONG value);
    BOOL SetAspectRatioMode(BOOL letterBox);
    BOOL GetAspectRatioMode(BOOL* letterBox);
    BOOL SetColorKey(COLORREF color);
    BOOL GetColorKey(COLORREF* color);

private:
    ComPtr<IMixerPinConfig2> m_pMixerPin;       // of "Input0"
    std::unique_ptr<DDCOLORCONTROL> m_pColor;   // the block sent to the mixer
};
