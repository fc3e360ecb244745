#include "graph/wrappers/WrapperFilters.h"

#include <uuids.h>

#include "graph/Guids.h"
#include "graph/wrappers/IVIAudioEncFilter.h"
#include "graph/wrappers/IVIDownScaleFilter.h"
#include "graph/wrappers/IVIMuxFilter.h"
#include "graph/wrappers/IVIStillCapFilter.h"
#include "graph/wrappers/IVITimeShilftFilter.h"
#include "graph/wrappers/IVIVideoDecoderFilter.h"
#include "graph/wrappers/IVIVideoEncFilter.h"
#include "graph/wrappers/IVIWriteFilter.h"
#include "graph/wrappers/LigosEncFilter.h"
#include "graph/wrappers/LigosTransFilter.h"
#include "graph/wrappers/MCAudioDecoderFilter.h"
#include "graph/wrappers/MCAudioEncoderFilter.h"
#include "graph/wrappers/MCEncoderFilter.h"
#include "graph/wrappers/MCH264EncoderFilter.h"
#include "graph/wrappers/MCH264VideoDecoderFilter.h"
#include "graph/wrappers/MCMuxFilter.h"
#include "graph/wrappers/MCSplitterFilter.h"
#include "graph/wrappers/MCVideoDecoderFilter.h"
#include "graph/wrappers/MCVideoEncoderFilter.h"
#include "graph/wrappers/VideoEncFilter.h"

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
    CLSID_RECORD(CLSID_IVIAudioEncoder, "InterVideo Audio Encoder for Corvane", CIVIAudioEncFilter),
    CLSID_RECORD(CLSID_IVIVideoEncoder, "InterVideo Video Encoder for Corvane", CIVIVideoEncFilter),
    CLSID_RECORD(CLSID_IVIFileWriter, "InterVideo File Writer for Corvane", CIVIWriteFilter),
    CLSID_RECORD(CLSID_IVIMultiplexer, "InterVideo Multiplexer for Corvane", CIVIMuxFilter),
    CLSID_RECORD(CLSID_IVIStillCapture, "InterVideo Still Capture for Corvane", CIVIStillCapFilter),
    CLSID_RECORD(CLSID_IVIDownScale, "InterVideo Down Scale Filter for Corvane", CIVIDownScaleFilter),
    CLSID_RECORD(CLSID_IVIVideoDecoder, "InterVideo Video Decoder", CIVIVideoDecoderFilter),
    CLSID_RECORD(CLSID_IVITimeShift, "InterVideo Time Shift Filter for Corvane", CIVITimeShilftFilter),
    CLSID_RECORD(CLSID_LigosEncoder, "Ligos GoMotion Capture Encoder Filter (Corvane)", CLigosEncFilter),
    CLSID_RECORD(CLSID_LigosTranscoder, "Ligos GoMotion.MPG SDK Transcode Sample", CLigosTransFilter),
    // The platform lists these under two blanks either side of "VKI".
    NAMED_RECORD(CLSID_VideoCompressorCategory, "Microsoft MPEG-4  VKI  Codec V1", CMSMpeg4V1Filter),
    NAMED_RECORD(CLSID_VideoCompressorCategory, "Microsoft MPEG-4  VKI  Codec V2", CMSMpeg4V2Filter),
    NAMED_RECORD(CLSID_VideoCompressorCategory, "Microsoft MPEG-4  VKI  Codec V3", CMSMpeg4V3Filter),
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
