// CACMWrapperFilter: the ACM audio compressor wrapper of the MPEG record
// graphs and the time-shift graph: picks one of its output formats by
// sample rate and bits. Owned by the graph's list; UI thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"

#include <mmreg.h>

class CACMWrapperFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // The output's stream configuration, found downstream on an audio pin.
    BOOL Init() override;
    // The first wave format the free output offers at that rate and bits,
    // for the caller to own (a CMediaTypePtr).
    BOOL FindAudioFormat(AM_MEDIA_TYPE** out, DWORD rate, WORD bits);
    // The WAVEFORMATEX fields of that format (no extra bytes: cbSize 0).
    BOOL GetAudioFormat(WAVEFORMATEX* out, DWORD rate, WORD bits);
    // Sets that format on the output.
    BOOL SetAudioFormat(DWORD rate, WORD bits);

private:
    ComPtr<IAMStreamConfig> m_pStreamConfig;
};
