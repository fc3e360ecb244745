// The manager's picture controls and video options: the card's and the
// overlay's five controls checked against their ranges, the deinterlace
// options, the overlay and desktop-video switches and the capture size.
#include "engine/TVManager.h"

namespace {

enum { kBrightness, kContrast, kHue, kSaturation, kSharpness };

bool InRange(const CMinMaxDef& range, int value)
{
    return value >= range.Min && value <= range.Max;
}

} // namespace

// --- the card's controls -------------------------------------------------------

int CTVManager::SetCardProperty(int index, int value)
{
    const int previous = m_settings.CardVideo[index];
    if (InRange(m_cardRange[index], value)) {
        m_settings.CardVideo[index] = value;
        m_hardware.SetVideoProperty(index, value);
    }
    return previous;
}

int CTVManager::SetBrightness(int value) { return SetCardProperty(kBrightness, value); }
int CTVManager::SetContrast(int value) { return SetCardProperty(kContrast, value); }
int CTVManager::SetHue(int value) { return SetCardProperty(kHue, value); }
int CTVManager::SetSaturation(int value) { return SetCardProperty(kSaturation, value); }
int CTVManager::SetSharpness(int value) { return SetCardProperty(kSharpness, value); }

int CTVManager::GetCardVideoProperty(int index)
{
    if (index < 0 || index >= kVideoPropertyCount)
        return 0;
    long value = 0;
    if (m_hardware.GetVideoProperty(index, &value))
        return (int)value;
    return m_cardRange[index].Def;
}

BOOL CTVManager::SetVideoProperty(int index, int value)
{
    const BOOL result = m_hardware.SetVideoProperty(index, value);
    if (index >= 0 && index < kVideoPropertyCount)
        m_settings.CardVideo[index] = value;
    return result;
}

void CTVManager::ResetVideoProperties()
{
    static const int kDefaults[kVideoPropertyCount] = {128, 68, 0, 64, 0};
    for (int i = 0; i < kVideoPropertyCount; ++i)
        SetVideoProperty(i, kDefaults[i]);
}

// --- the overlay's controls ---------------------------------------------------

BOOL CTVManager::SetOverlayProperty(int index, int value)
{
    if (!InRange(m_overlayRange[index], value))
        return FALSE;
    m_settings.OverlayVideo[index] = value;
    return m_hardware.SetOverlayProperty(index, value);
}

BOOL CTVManager::SetOverlayBrightness(int value) { return SetOverlayProperty(kBrightness, value); }
BOOL CTVManager::SetOverlayContrast(int value) { return SetOverlayProperty(kContrast, value); }
BOOL CTVManager::SetOverlayHue(int value) { return SetOverlayProperty(kHue, value); }
BOOL CTVManager::SetOverlaySaturation(int value) { return SetOverlayProperty(kSaturation, value); }
BOOL CTVManager::SetOverlaySharpness(int value) { return SetOverlayProperty(kSharpness, value); }

void CTVManager::ResetOverlayProperties()
{
    for (int i = 0; i < kVideoPropertyCount; ++i) {
        m_settings.OverlayVideo[i] = kOverlayRange[i].Def;
        m_hardware.SetOverlayProperty(i, kOverlayRange[i].Def);
    }
}

BOOL CTVManager::InitOverlayDefaults()
{
    if (!m_hardware.IsOverlayInUse())
        return TRUE;
    for (int i = 0; i < kVideoPropertyCount; ++i) {
        long minimum = 0, maximum = 100, standard = 0;
        if (m_hardware.GetOverlayPropertyRange(i, &minimum, &maximum, &standard))
            m_overlayRange[i] = CMinMaxDef{(int)minimum, (int)maximum, (int)standard};
    }
    for (int i = 0; i < kVideoPropertyCount; ++i) {
        long value = 0;
        if (m_hardware.GetOverlayProperty(i, &value))
            m_settings.OverlayVideo[i] = (int)value;
    }
    return TRUE;
}

void CTVManager::ApplyVideoProperties()
{
    for (int i = 0; i < kVideoPropertyCount; ++i)
        SetCardProperty(i, m_settings.CardVideo[i]);
    for (int i = 0; i < kVideoPropertyCount; ++i)
        SetOverlayProperty(i, m_settings.OverlayVideo[i]);
}

BOOL CTVManager::SetUseOverlay(BOOL use)
{
    if (!use == !m_settings.UseOverlay)
        return TRUE;
    const BOOL result = m_hardware.SetUseOverlay(use);
    // A refusal (a recording runs) leaves the option as it was.
    m_settings.UseOverlay = m_hardware.IsOverlayInUse();
    return result;
}

// --- deinterlace options -------------------------------------------------------------

BOOL CTVManager::SetNoiseReduce(BOOL on)
{
    const BOOL previous = m_settings.NoiseReduce;
    if (!on == !previous)
        return previous;
    if (m_hardware.SetNoiseReduce(on))
        m_settings.NoiseReduce = on;
    return previous;
}

BOOL CTVManager::SetHalfRate(BOOL on)
{
    const BOOL previous = m_settings.HalfRate;
    if (!on == !previous)
        return previous;
    if (m_hardware.SetHalfRate(on))
        m_settings.HalfRate = on;
    return previous;
}

int CTVManager::SetReduceValue(int value)
{
    const int previous = m_settings.ReduceValue;
    if (value < 0 || value > 10)
        return previous;
    if (m_hardware.SetReduceValue(value))
        m_settings.ReduceValue = value;
    return previous;
}

BOOL CTVManager::SetHightQuality(BOOL on)
{
    if (!on == !m_settings.HightQuality)
        return m_settings.HightQuality;
    m_settings.HightQuality = on;
    return m_hardware.SetDeinterlace(on);
}

// --- size, desktop video, wallpaper ---------------------------------------------

BOOL CTVManager::SetVideoSize(CSize size)
{
    return m_hardware.SetVideoSize(size);
}

CSize CTVManager::GetVideoSize() const
{
    return m_hardware.GetVideoSize();
}

BOOL CTVManager::SetOverlayDesktop(BOOL desktop)
{
    if (!desktop == !m_settings.OverlayDesktop)
        return TRUE;
    const BOOL result = desktop ? m_hardware.EnableDesktopVideo() : m_hardware.DisableDesktopVideo();
    if (result) {
        m_settings.OverlayDesktop = desktop;
        m_hardware.SetOverlayDesktop(desktop);
    }
    return result;
}

BOOL CTVManager::ApplyDesktopWallpaper()
{
    if (m_hardware.IsTFRunning() || IsScanning() || !m_hardware.IsCaptureConnected() ||
        !m_hardware.IsDesktopVideo())
        return FALSE;
    return m_hardware.ApplyDesktopWallpaper();
}

BOOL CTVManager::RestoreWallpaper()
{
    return m_hardware.RestoreWallpaper();
}
