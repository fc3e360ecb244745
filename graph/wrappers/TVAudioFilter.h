// CTVAudioFilter: a capture card's TV-audio filter (AM_KSCATEGORY_TVAUDIO)
// and the one control the engine needs from it, the TV audio mode through
// IAMTVAudio. Base of every TV-audio wrapper; the three SAA713x drivers'
// filters below add only their creator records. Owned by the graph's list;
// UI thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"

#include <strmif.h>

class CTVAudioFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // The filter must expose IAMTVAudio.
    BOOL Init() override;

    BOOL GetHardwareSupportedTVAudioModes(long* modes);
    BOOL GetAvailableTVAudioModes(long* modes);
    BOOL GetTVAudioMode(long* mode);
    // A TVAudioMode value, passed on unchanged; any success code is TRUE.
    BOOL SetTVAudioMode(long mode);

protected:
    ComPtr<IAMTVAudio> m_pTVAudio;  // held once Init succeeded
};

// "713x BDA Analog TV Audio", the one the engine asks for.
class C713xAudioFilterEx : public CTVAudioFilter
{
public:
    using CTVAudioFilter::CTVAudioFilter;
};

// "713x TV Card TV Audio (Proteus)", the older driver's.
class C713xAudioFilter : public CTVAudioFilter
{
public:
    using CTVAudioFilter::CTVAudioFilter;
};

// "713x_3 TV Card TV Audio (Proteus)", the controller-equipped cards' driver.
class C713x_3AudioFilter : public CTVAudioFilter
{
public:
    using CTVAudioFilter::CTVAudioFilter;
};
