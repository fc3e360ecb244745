#include "graph/wrappers/WrapperFilters.h"

#include "graph/Guids.h"
#include "graph/wrappers/ACMWrapperFilter.h"
#include "graph/wrappers/AudioDeviceFilter.h"
#include "graph/wrappers/AVMuxFilter.h"
#include "graph/wrappers/AVSwitchFilter.h"
#include "graph/wrappers/ColorConvertFilter.h"
#include "graph/wrappers/DeinterlaceFilter.h"
#include "graph/wrappers/DumpFilter.h"
#include "graph/wrappers/EmpAudio.h"
#include "graph/wrappers/FileWriteFilter.h"
#include "graph/wrappers/InfiniteFilter.h"
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
#include "graph/wrappers/MPEG2Demultiplexer.h"
#include "graph/wrappers/OverlayFilter.h"
#include "graph/wrappers/QorSampleGrabberFilter.h"
#include "graph/wrappers/SnapPictureFilter.h"
#include "graph/wrappers/SplitterFilters.h"
#include "graph/wrappers/TimeDelayFilter.h"
#include "graph/wrappers/TimeShiftFilter.h"
#include "graph/wrappers/TVAudioFilter.h"
#include "graph/wrappers/VideoEncFilter.h"

#include <ks.h>
#include <ksmedia.h>
#include <uuids.h>

namespace {

#define CLSID_RECORD(clsid, name, Class) \
    FILTER_CREATOR_RECORD(&clsid, NULL, name, CreateFilterWrapper<Class>)
#define NAMED_RECORD(category, name, Class) \
    FILTER_CREATOR_RECORD(NULL, &category, name, CreateFilterWrapper<Class>)

FilterCreatorRecord g_records[] = {
    // Codecs.
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
    // Audio: TV audio of the SAA713x drivers, audio capture devices.
    NAMED_RECORD(AM_KSCATEGORY_TVAUDIO, "713x BDA Analog TV Audio", C713xAudioFilterEx),
    NAMED_RECORD(AM_KSCATEGORY_TVAUDIO, "713x TV Card TV Audio (Proteus)", C713xAudioFilter),
    NAMED_RECORD(AM_KSCATEGORY_TVAUDIO, "713x_3 TV Card TV Audio (Proteus)", C713x_3AudioFilter),
    NAMED_RECORD(CLSID_AudioInputDeviceCategory, CLASS_FILTER_NAME, CAudioDeviceFilter),
    NAMED_RECORD(CLSID_AudioInputDeviceCategory, "USB EMP Audio Device", CEmpAudio),
    // Stock sinks and the overlay.
    CLSID_RECORD(CLSID_DumpFilter, "Dump", CDumpFilter),
    CLSID_RECORD(CLSID_FileWriter, "File Write Filter", CFileWriteFilter),
    CLSID_RECORD(CLSID_OverlayMixer, "Overlay Mixer", COverlayFilter),
    // Time shift.
    CLSID_RECORD(CLSID_TimeShiftFilter, "TimeShift", CTimeShiftFilter),
    CLSID_RECORD(CLSID_MPEG2Demultiplexer, "MPEG-2 Demultiplexer", CMPEG2Demultiplexer),
    // Helper filters.
    CLSID_RECORD(CLSID_DeinterlaceFilter, "Corvane Deinterlace Filter", CDeinterlaceFilter),
    CLSID_RECORD(CLSID_SnapPictureFilter, "Corvane Snap Picture Filter", CSnapPictureFilter),
    CLSID_RECORD(CLSID_AVSwitchFilter, "Corvane AV Switch", CAVSwitchFilter),
    CLSID_RECORD(CLSID_SampleGrabber, "SampleGrabber", CQorSampleGrabberFilter),
    CLSID_RECORD(CLSID_TimeDelayFilter, "Time Delay", CTimeDelayFilter),
    // Multiplexer, tee, converter, splitters, audio compressor.
    CLSID_RECORD(CLSID_AviDest, "Microsoft Mux Filter", CAVMuxFilter),
    CLSID_RECORD(CLSID_InfTee, "Infinite Pin Tee Filter", CInfiniteFilter),
    CLSID_RECORD(CLSID_ColorConvertFilter, "Color Convert", CColorConvertFilter),
    CLSID_RECORD(CLSID_MMSPLITTER, "Mpeg2 Splitter", CMpeg2SplitterFilter),
    CLSID_RECORD(CLSID_MPEG1Splitter, "Mpeg1 Splitter", CMpeg1SplitterFilter),
    CLSID_RECORD(CLSID_ACMWrapper, "ACM Wrapper", CACMWrapperFilter),
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
