#include "graph/wrappers/OverlayFilter.h"

#include <uuids.h>

#include <new>

namespace {

// The overlay's colour controls: the flag that selects one, its field in
// the block and its fixed range.
struct ColorControlRow
{
    DWORD flag;
    LONG DDCOLORCONTROL::*field;
    LONG minimum, maximum, defaultValue;
};
const ColorControlRow kColorControls[] = {
    {DDCOLOR_BRIGHTNESS, &DDCOLORCONTROL::lBrightness, 0, 10000, 750},
    {DDCOLOR_CONTRAST, &DDCOLORCONTROL::lContrast, 0, 20000, 10000},
    {DDCOLOR_HUE, &DDCOLORCONTROL::lHue, -180, 180, 0},
    {DDCOLOR_SATURATION, &DDCOLORCONTROL::lSaturation, 0, 20000, 10000},
    {DDCOLOR_SHARPNESS, &DDCOLORCONTROL::lSharpness, 0, 10, 5},
};
static_assert(sizeof(kColorControls) / sizeof(kColorControls[0]) == COverlayFilter::kColorControlCount,
              "one row per control");
static_assert(sizeof(DDCOLORCONTROL) == 40, "the block the mixer takes");

const ColorControlRow* ColorControl(int index)
{
    if (index < 0 || index >= COverlayFilter::kColorControlCount)
        return NULL;
    return &kColorControls[index];
}

} // namespace

BOOL COverlayFilter::Init()
{
    m_pMixerPin.Reset();
    m_pColor.reset();
    if (!CRootFilter::Init())
        return FALSE;
    // The mixer adds an input pin whenever one is connected.
    SetRefreshPins(TRUE);
    CRootPin* pin = FindPinByName("Input0");
    if (pin && SUCCEEDED(m_pMixerPin.QueryFrom(pin->GetIPin(), IID_IMixerPinConfig2)) && m_pMixerPin) {
        m_pColor.reset(new (std::nothrow) DDCOLORCONTROL());
        if (m_pColor)
            m_pColor->dwSize = sizeof(DDCOLORCONTROL);
        else
            m_pMixerPin.Reset();
    }
    return TRUE;
}

BOOL COverlayFilter::GetColorControlRange(int index, LONG* minimum, LONG* maximum, LONG* defaultValue)
{
    const ColorControlRow* row = ColorControl(index);
    if (!m_pMixerPin || !m_pColor || !row)
        return FALSE;
    if (minimum)
        *minimum = row->minimum;
    if (maximum)
        *maximum = row->maximum;
    if (defaultValue)
        *defaultValue = row->defaultValue;
    return TRUE;
}

BOOL COverlayFilter::GetColorControl(int index, LONG* value)
{
    const ColorControlRow* row = ColorControl(index);
    if (!m_pMixerPin || !m_pColor || !row || !value)
        return FALSE;
    m_pColor->dwFlags = row->flag;
    if (FAILED(m_pMixerPin->GetOverlaySurfaceColorControls(m_pColor.get())))
        return FALSE;
    *value = (*m_pColor).*(row->field);
    return TRUE;
}

BOOL COverlayFilter::SetColorControl(int index, LONG value)
{
    const ColorControlRow* row = ColorControl(index);
    if (!m_pMixerPin || !m_pColor || !row)
        return FALSE;
    // Only the flagged field counts; the others keep what they last held.
    m_pColor->dwFlags = row->flag;
    (*m_pColor).*(row->field) = value;
    return SUCCEEDED(m_pMixerPin->SetOverlaySurfaceColorControls(m_pColor.get()));
}

BOOL COverlayFilter::SetAspectRatioMode(BOOL letterBox)
{
    return m_pMixerPin &&
           SUCCEEDED(m_pMixerPin->SetAspectRatioMode(letterBox ? AM_ARMODE_LETTER_BOX : AM_ARMODE_STRETCHED));
}

BOOL COverlayFilter::GetAspectRatioMode(BOOL* letterBox)
{
    AM_ASPECT_RATIO_MODE mode = AM_ARMODE_STRETCHED;
    if (!m_pMixerPin || !letterBox || FAILED(m_pMixerPin->GetAspectRatioMode(&mode)))
        return FALSE;
    *letterBox = mode == AM_ARMODE_LETTER_BOX;
    return TRUE;
}

BOOL COverlayFilter::SetColorKey(COLORREF color)
{
    if (!m_pMixerPin)
        return FALSE;
    COLORKEY key = {};
    key.KeyType = CK_RGB;
    key.PaletteIndex = 0;
    key.LowColorValue = color;
    key.HighColorValue = color;
    return SUCCEEDED(m_pMixerPin->SetColorKey(&key));
}

BOOL COverlayFilter::GetColorKey(COLORREF* color)
{
    COLORKEY key = {};
    DWORD paint = 0;
    if (!m_pMixerPin || !color || FAILED(m_pMixerPin->GetColorKey(&key, &paint)))
        return FALSE;
    *color = key.LowColorValue;
    return TRUE;
}
