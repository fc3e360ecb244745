#include "graph/wrappers/WrapperFilters.h"

#include <uuids.h>

#include "graph/Guids.h"
#include "graph/wrappers/MCAudioDecoderFilter.h"
#include "graph/wrappers/MCAudioEncoderFilter.h"
#include "graph/wrappers/MCEncoderFilter.h"
#include "graph/wrappers/MCH264EncoderFilter.h"
#include "graph/wrappers/MCH264VideoDecoderFilter.h"
#include "graph/wrappers/MCMuxFilter.h"
#include "graph/wrappers/MCSplitterFilter.h"
#include "graph/wrappers/MCVideoDecoderFilter.h"
#include "graph/wrappers/MCVideoEncoderFilter.h"

namespace {

#define CLSID_RECORD(clsid, name, Class) \
    FILTER_CREATOR_RECORD(&clsid, NULL, name, CreateFilterWrapper<Class>)
#define NAMED_RECORD(category, name, Class) \
    FILTER_CREATOR_RECORD(NULL, &category, name, CreateFilterWrapper<Class>)

FilterCreatorRecord g_records[] = {
    CLSID_RECORD(CLSID_MCEncoder, "MainConcept Demo MPEG Encoder", CMCEncoderFilter),
    CLSID_RECORD(CLSID_MCMultiplexer, "MainConcept Demo MPEG Multiplexer", CMCMuxFilter),
    CLSID_RECORD(CLSID_MCAudioDecoder, "MainConcept Demo MPEG Audio Decoder", CMCAudioDecoderFilter),
    CLSID_RECORD(CLSID_MCAudioEncoder, "MainConcept Demo MPEG Audio Encoder", CMCAudioEncoderFilter),
    CLSID_RECORD(CLSID_MCSplitter, "MainConcept Demo MPEG Splitter", CMCSplitterFilter),
    CLSID_RECORD(CLSID_MCVideoDecoder, "MainConcept Demo MPEG Video Decoder", CMCVideoDecoderFilter),
    CLSID_RECORD(CLSID_MCVideoEncoder, "MainConcept Demo MPEG Video Encoder", CMCVideoEncoderFilter),
    CLSID_RECORD(CLSID_MCH264VideoDecoder, "MainConcept H.264 Video Decoder", CMCH264VideoDecoderFilter),
    CLSID_RECORD(CLSID_MCH264Encoder, "MainConcept Demo H.264 Encoder", CMCH264EncoderFilter),
};

} // namespace

void RegisterWrapperFilters()
{
    for (FilterCreatorRecord& record : g_records)
        FilterCreatorRecord::Register(&record);
}

void UnregisterWrapperFilters()
{
    for (FilterCreatorRecord& record : g_records)
        FilterCreatorRecord::Unregister(&record);
}
