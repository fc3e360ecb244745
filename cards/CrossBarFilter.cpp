#include "cards/CrossBarFilter.h"

#include <dshow.h>

#include "graph/ComPtr.h"

CCrossBarFilter::CCrossBarFilter(CRootGraph* owner, const GUID* category, const char* friendlyName,
                                 BOOL firstMatch)
    : CRootFilter(owner, category, friendlyName, firstMatch)
{
    for (int& entry : m_nPinMap)
        entry = -1;
}

CCrossBarFilter::CCrossBarFilter(CRootGraph* owner, const CLSID* clsid) : CRootFilter(owner, clsid)
{
    for (int& entry : m_nPinMap)
        entry = -1;
}

BOOL CCrossBarFilter::Init()
{
    if (!CRootFilter::Init())
        return FALSE;
    SetPinMap();
    return TRUE;
}

void CCrossBarFilter::SetPinMap()
{
    for (int i = 0; i < kInputCount; i++)
        m_nPinMap[i] = i;
}

int CCrossBarFilter::GetPinMapEntry(int input) const
{
    return input >= 0 && input < kInputCount ? m_nPinMap[input] : -1;
}

BOOL CCrossBarFilter::Route(int input, int output)
{
    if (!m_pFilter)
        return FALSE;
    ComPtr<IAMCrossbar> crossbar;
    if (FAILED(m_pFilter->QueryInterface(IID_IAMCrossbar, reinterpret_cast<void**>(&crossbar))) ||
        !crossbar)
        return FALSE;
    long outputs = 0, inputs = 0;
    if (FAILED(crossbar->get_PinCounts(&outputs, &inputs)))
        return FALSE;
    if (input < 0 || input >= inputs || output < 0 || output >= outputs)
        return FALSE;
    return crossbar->Route(output, input) == S_OK;
}

BOOL CCrossBarFilter::RouteVideoInput(int which)
{
    // A card without that input has -1 in its map: Route refuses it.
    int entry = which == 1 ? kVideoComposite : which == 2 ? kVideoSVideo : kVideoTuner;
    return Route(m_nPinMap[entry], 0);
}

BOOL CCrossBarFilter::RouteAudioInput(int which)
{
    int entry = which == 1 ? kAudioComposite : which == 2 ? kAudioSVideo : kAudioTuner;
    return Route(m_nPinMap[entry], 1);
}

BOOL CTVTunerFilter::PutCountryCode(long code)
{
    if (!m_pFilter)
        return FALSE;
    ComPtr<IAMTVTuner> tuner;
    if (FAILED(m_pFilter->QueryInterface(IID_IAMTVTuner, reinterpret_cast<void**>(&tuner))) || !tuner)
        return FALSE;
    return SUCCEEDED(tuner->put_CountryCode(code));
}
