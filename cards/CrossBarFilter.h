// CCrossBarFilter: the card's input selector. Keeps a map from the six
// logical inputs (video tuner, composite, S-video; audio tuner, composite,
// S-video) to the crossbar's input pin indices and routes through
// IAMCrossbar with bounds checks. Family crossbars override SetPinMap.
// CTVTunerFilter wraps the driver's TV tuner filter to set the country.
// Both owned by the graph's list; UI thread.
#pragma once
#include "graph/RootFilter.h"

class CCrossBarFilter : public CRootFilter
{
public:
    enum Input { kVideoTuner, kVideoComposite, kVideoSVideo, kAudioTuner, kAudioComposite,
                 kAudioSVideo, kInputCount };

    CCrossBarFilter(CRootGraph* owner, const GUID* category, const char* friendlyName, BOOL firstMatch);
    CCrossBarFilter(CRootGraph* owner, const CLSID* clsid);

    BOOL Init() override;
    // which 1 composite, 2 S-video, anything else the tuner; to output 0
    // (video) or 1 (audio).
    virtual BOOL RouteVideoInput(int which);
    virtual BOOL RouteAudioInput(int which);
    virtual void SetPinMap();

    // FALSE for indices outside the crossbar's pin counts (checked before
    // the driver is asked) or a failed route.
    BOOL Route(int input, int output);
    int GetPinMapEntry(int input) const;

protected:
    // A family's wiring, given as one row of pin indices.
    void SetPinMapFrom(const int (&pins)[kInputCount])
    {
        for (int i = 0; i < kInputCount; i++)
            m_nPinMap[i] = pins[i];
    }

    int m_nPinMap[kInputCount];
};

class CTVTunerFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;
    BOOL PutCountryCode(long code);
};
