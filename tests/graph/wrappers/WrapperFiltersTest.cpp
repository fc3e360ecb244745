// The codec records on a machine without the codecs: asking for any of them
// makes nothing, and nothing stands in for the missing filter.
#include "graph/wrappers/WrapperFilters.h"

#include "graph/Guids.h"
#include "tests/graph/wrappers/CodecWrapperTest.h"

namespace {

TEST_F(CodecWrapperTest, AbsentCodecsAreNotMade)
{
    const CLSID* codecs[] = {
        &CLSID_MCEncoder,       &CLSID_MCMultiplexer,  &CLSID_MCAudioDecoder,
        &CLSID_MCAudioEncoder,  &CLSID_MCSplitter,     &CLSID_MCVideoDecoder,
        &CLSID_MCVideoEncoder,  &CLSID_MCH264VideoDecoder, &CLSID_MCH264Encoder,
        &CLSID_IVIAudioEncoder, &CLSID_IVIVideoEncoder, &CLSID_IVIFileWriter,
        &CLSID_IVIMultiplexer,  &CLSID_IVIStillCapture, &CLSID_IVIDownScale,
        &CLSID_IVIVideoDecoder, &CLSID_IVITimeShift,   &CLSID_LigosEncoder,
        &CLSID_LigosTranscoder,
    };
    for (const CLSID* codec : codecs) {
        ASSERT_TRUE(FilterCreatorRecord::FindByCLSID(codec));
        EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(codec, "codec"));
    }
    EXPECT_EQ(nullptr, m_graph.GetFirstFilter());
}

} // namespace
