// CMPEG2Demultiplexer: the system's MPEG-2 demultiplexer in the time-shift
// road: creates its video and audio outputs with fixed media types (MPEG-2
// video 720 x 480, MPEG-1 layer II audio 48 kHz stereo) and maps them to
// the program stream's elementary streams. Owned by the graph's list; UI
// thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/MediaType.h"
#include "graph/RootFilter.h"

#include <strmif.h>

class CMPEG2Demultiplexer : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    BOOL Init() override;

    BOOL CreateOutputPin(const char* name, BOOL isAudio);
    BOOL SetOutputPinMediaType(const char* name, AM_MEDIA_TYPE* mt);
    BOOL DeleteOutputPin(const char* name);
    // Stream 0xC0 (audio) or 0xE0 (video) as an elementary stream to the
    // named output.
    BOOL MapStream(const char* name, BOOL isAudio);

    // The fixed output types.
    static HRESULT MakeVideoType(CMediaType* mt);
    static HRESULT MakeAudioType(CMediaType* mt);

private:
    ComPtr<IMpeg2Demultiplexer> m_pDemux;
};
