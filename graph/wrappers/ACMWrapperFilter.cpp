#include "graph/wrappers/ACMWrapperFilter.h"

#include "graph/MediaTypePtr.h"
#include "graph/RootGraph.h"

#include <uuids.h>

BOOL CACMWrapperFilter::Init()
{
    m_pStreamConfig.Reset();
    if (!CRootFilter::Init() || !m_pOwner || !m_pOwner->GetBuilder())
        return FALSE;
    // Some wrappers (Wine's) have no stream configuration on their output:
    // the wrapper still stands, and only SetAudioFormat fails.
    if (m_pOwner->GetBuilder()->FindInterface(&LOOK_DOWNSTREAM_ONLY, &MEDIATYPE_Audio, m_pFilter,
                                              IID_IAMStreamConfig, m_pStreamConfig.ReceiveVoid()) != S_OK)
        m_pStreamConfig.Reset();
    return TRUE;
}

BOOL CACMWrapperFilter::FindAudioFormat(AM_MEDIA_TYPE** out, DWORD rate, WORD bits)
{
    if (!out)
        return FALSE;
    *out = NULL;
    CRootPin* pin = FindPin(PINDIR_OUTPUT, TRUE);
    ComPtr<IEnumMediaTypes> types;
    if (!pin || FAILED(pin->EnumMediaTypes(&types)) || !types)
        return FALSE;
    types->Reset();
    CMediaTypePtr mt;
    for (;;) {
        ULONG fetched = 0;
        if (types->Next(1, &mt, &fetched) != S_OK || fetched != 1 || !mt)
            return FALSE;
        const WAVEFORMATEX* format = reinterpret_cast<const WAVEFORMATEX*>(mt->pbFormat);
        // The first match in the pin's order wins; channels are not compared.
        if (mt->formattype == FORMAT_WaveFormatEx && format && mt->cbFormat >= sizeof(PCMWAVEFORMAT) &&
            format->wBitsPerSample == bits && format->nSamplesPerSec == rate) {
            *out = mt.Detach();
            return TRUE;
        }
    }
}

BOOL CACMWrapperFilter::GetAudioFormat(WAVEFORMATEX* out, DWORD rate, WORD bits)
{
    CMediaTypePtr mt;
    if (!out || !FindAudioFormat(&mt, rate, bits))
        return FALSE;
    const WAVEFORMATEX* format = reinterpret_cast<const WAVEFORMATEX*>(mt->pbFormat);
    out->wFormatTag = format->wFormatTag;
    out->nChannels = format->nChannels;
    out->nSamplesPerSec = format->nSamplesPerSec;
    out->nAvgBytesPerSec = format->nAvgBytesPerSec;
    out->nBlockAlign = format->nBlockAlign;
    out->wBitsPerSample = format->wBitsPerSample;
    // The caller's structure has no room for extra bytes.
    out->cbSize = 0;
    return TRUE;
}

BOOL CACMWrapperFilter::SetAudioFormat(DWORD rate, WORD bits)
{
    CMediaTypePtr mt;
    if (!FindAudioFormat(&mt, rate, bits))
        return FALSE;
    return m_pStreamConfig && m_pStreamConfig->SetFormat(mt.Get()) == S_OK;
}
