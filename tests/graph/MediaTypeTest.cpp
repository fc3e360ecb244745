#include "graph/MediaType.h"
#include "graph/MediaTypePtr.h"

#include <gtest/gtest.h>
#include <amvideo.h>
#include <uuids.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {

// An IUnknown that only counts its references.
class CountedUnknown : public IUnknown
{
public:
    LONG refs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = NULL;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

struct FormatCase
{
    const char* name;
    ULONG size;        // cbFormat of the source
    bool nullBlock;    // pbFormat NULL despite the size
};

const FormatCase kFormatCases[] = {
    { "no format", 0, true },
    { "one byte", 1, false },
    { "odd size", 13, false },
    { "video info header", sizeof(VIDEOINFOHEADER), false },
    { "large odd", 4099, false },
    { "size without block", 8, true },
};

class MediaTypeCopyTest : public ::testing::TestWithParam<FormatCase> {};

AM_MEDIA_TYPE MakeSource(const FormatCase& c, std::vector<BYTE>& bytes, IUnknown* unk)
{
    AM_MEDIA_TYPE mt = {};
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = MEDIASUBTYPE_YUY2;
    mt.formattype = FORMAT_VideoInfo;
    mt.bFixedSizeSamples = TRUE;
    mt.lSampleSize = 720 * 576 * 2;
    mt.pUnk = unk;
    bytes.resize(c.size);
    for (ULONG i = 0; i < c.size; ++i)
        bytes[i] = static_cast<BYTE>(i * 7 + 1);
    mt.cbFormat = c.size;
    mt.pbFormat = c.nullBlock ? NULL : bytes.data();
    return mt;
}

TEST_P(MediaTypeCopyTest, CopyCompareAndFree)
{
    const FormatCase& c = GetParam();
    std::vector<BYTE> bytes;
    CountedUnknown unk;
    AM_MEDIA_TYPE src = MakeSource(c, bytes, &unk);

    AM_MEDIA_TYPE* copy = CreateMediaType(&src);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(2, unk.refs);
    EXPECT_TRUE(IsEqualGUID(copy->subtype, MEDIASUBTYPE_YUY2));
    EXPECT_EQ(src.lSampleSize, copy->lSampleSize);
    if (c.nullBlock) {
        // Nothing to copy: the copy must own no block it could free twice.
        EXPECT_EQ(0u, copy->cbFormat);
        EXPECT_EQ(nullptr, copy->pbFormat);
    } else {
        ASSERT_EQ(c.size, copy->cbFormat);
        EXPECT_NE(src.pbFormat, copy->pbFormat);
        EXPECT_EQ(0, memcmp(copy->pbFormat, bytes.data(), c.size));
    }

    if (!c.nullBlock) {
        CMediaType a(src), b(*copy);
        EXPECT_TRUE(a == b);
        EXPECT_EQ(4, unk.refs);
        if (c.size > 0) {
            b.Format()[c.size - 1] ^= 0xFF;
            EXPECT_TRUE(a != b);
        }
        b.SetSampleSize(0);  // sample fields are not compared
        b.SetFormat(a.Format(), a.FormatLength());
        EXPECT_TRUE(a == b);
    }

    DeleteMediaType(copy);
    EXPECT_EQ(1, unk.refs);
}

// A case's name as a test name: letters and digits, the rest underscores.
template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    std::string name = info.param.name;
    for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Formats, MediaTypeCopyTest, ::testing::ValuesIn(kFormatCases), CaseName<FormatCase>);

TEST(MediaTypeTest, EqualityRules)
{
    CMediaType empty1, empty2;
    EXPECT_TRUE(empty1 == empty2);  // two empty format blocks are equal

    CMediaType video(MEDIATYPE_Video), audio(MEDIATYPE_Audio);
    EXPECT_TRUE(video != audio);

    // A size with no block never equals a real block of that size.
    CMediaType real(MEDIATYPE_Video);
    BYTE four[4] = { 1, 2, 3, 4 };
    real.SetFormat(four, 4);
    AM_MEDIA_TYPE broken = real;
    broken.pbFormat = NULL;
    const CMediaType& brokenView = static_cast<const CMediaType&>(broken);
    EXPECT_FALSE(real == brokenView);
}

TEST(MediaTypeTest, DeleteNullAndFreeTwice)
{
    DeleteMediaType(NULL);
    CMediaType mt(MEDIATYPE_Audio);
    mt.AllocFormatBuffer(10);
    FreeMediaType(mt);
    EXPECT_EQ(0u, mt.cbFormat);
    EXPECT_EQ(nullptr, mt.pbFormat);
    FreeMediaType(mt);  // nothing left to free
}

TEST(MediaTypeTest, NewTypeDefaultsAndValidity)
{
    CMediaType mt;
    EXPECT_FALSE(mt.IsValid());
    EXPECT_TRUE(mt.bFixedSizeSamples);
    EXPECT_EQ(1u, mt.GetSampleSize());
    EXPECT_TRUE(mt.IsPartiallySpecified());
    mt.SetType(&MEDIATYPE_Video);
    mt.SetFormatType(&FORMAT_VideoInfo);
    EXPECT_TRUE(mt.IsValid());
    EXPECT_FALSE(mt.IsPartiallySpecified());
    mt.SetSampleSize(0);
    EXPECT_EQ(0u, mt.GetSampleSize());
    EXPECT_FALSE(mt.bFixedSizeSamples);
}

TEST(MediaTypeTest, FormatBufferResizing)
{
    CMediaType mt(MEDIATYPE_Video);
    BYTE* first = mt.AllocFormatBuffer(16);
    ASSERT_NE(nullptr, first);
    for (int i = 0; i < 16; ++i)
        first[i] = static_cast<BYTE>(i);
    EXPECT_EQ(first, mt.AllocFormatBuffer(16));  // right size: kept

    BYTE* smaller = mt.ReallocFormatBuffer(5);
    ASSERT_NE(nullptr, smaller);
    EXPECT_EQ(5u, mt.FormatLength());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(i, smaller[i]);

    BYTE* larger = mt.ReallocFormatBuffer(9);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(i, larger[i]);

    mt.ResetFormatBuffer();
    EXPECT_EQ(0u, mt.FormatLength());
    EXPECT_EQ(nullptr, mt.Format());
}

TEST(MediaTypeTest, SelfAssignmentKeepsTheBlock)
{
    CMediaType mt(MEDIATYPE_Video);
    BYTE bytes[3] = { 9, 8, 7 };
    mt.SetFormat(bytes, 3);
    CMediaType& alias = mt;
    mt = alias;
    ASSERT_EQ(3u, mt.FormatLength());
    EXPECT_EQ(0, memcmp(bytes, mt.Format(), 3));
}

TEST(MediaTypeTest, MatchesPartial)
{
    CMediaType full(MEDIATYPE_Video);
    full.SetSubtype(&MEDIASUBTYPE_YUY2);
    full.SetFormatType(&FORMAT_VideoInfo);
    BYTE bytes[2] = { 1, 2 };
    full.SetFormat(bytes, 2);

    CMediaType anything;
    anything.majortype = GUID_NULL;
    EXPECT_TRUE(full.MatchesPartial(&anything));

    CMediaType videoOnly(MEDIATYPE_Video);
    EXPECT_TRUE(full.MatchesPartial(&videoOnly));

    CMediaType otherSub(MEDIATYPE_Video);
    otherSub.SetSubtype(&MEDIASUBTYPE_RGB24);
    EXPECT_FALSE(full.MatchesPartial(&otherSub));

    CMediaType sameFormat(full);
    EXPECT_TRUE(full.MatchesPartial(&sameFormat));
    sameFormat.Format()[1] = 3;
    EXPECT_FALSE(full.MatchesPartial(&sameFormat));
}

struct AudioCase
{
    const char* name;
    WORD tag;
    WORD cbSize;      // as written in the caller's structure
    ULONG expectedFormatSize;
    bool expectSubFormat;  // subtype from the extensible sub-format
};

const AudioCase kAudioCases[] = {
    { "pcm with garbage cbSize", WAVE_FORMAT_PCM, 0x7777, 18, false },
    { "pcm", WAVE_FORMAT_PCM, 0, 18, false },
    { "adpcm with extra", 2, 4, 22, false },
    { "extensible", WAVE_FORMAT_EXTENSIBLE, 22, 40, true },
    { "extensible too short", WAVE_FORMAT_EXTENSIBLE, 6, 24, false },
};

TEST(MediaTypeTest, CreateAudioMediaTypeCases)
{
    for (const AudioCase& c : kAudioCases) {
        SCOPED_TRACE(c.name);
        WAVEFORMATEXTENSIBLE ext = {};
        BYTE storage[sizeof(WAVEFORMATEXTENSIBLE) + 64] = {};
        WAVEFORMATEX* wfx = reinterpret_cast<WAVEFORMATEX*>(storage);
        wfx->wFormatTag = c.tag;
        wfx->nChannels = 2;
        wfx->nSamplesPerSec = 48000;
        wfx->nBlockAlign = 4;
        wfx->nAvgBytesPerSec = 192000;
        wfx->wBitsPerSample = 16;
        wfx->cbSize = c.cbSize;
        if (c.tag == WAVE_FORMAT_EXTENSIBLE) {
            ext.SubFormat = FOURCCMap(WAVE_FORMAT_IEEE_FLOAT);
            memcpy(storage + offsetof(WAVEFORMATEXTENSIBLE, SubFormat), &ext.SubFormat, sizeof(GUID));
        }

        AM_MEDIA_TYPE mt;
        ASSERT_EQ(S_OK, CreateAudioMediaType(wfx, &mt, TRUE));
        EXPECT_TRUE(IsEqualGUID(mt.majortype, MEDIATYPE_Audio));
        EXPECT_TRUE(IsEqualGUID(mt.formattype, FORMAT_WaveFormatEx));
        EXPECT_EQ(4u, mt.lSampleSize);
        EXPECT_EQ(c.expectedFormatSize, mt.cbFormat);
        GUID expected = c.expectSubFormat ? FOURCCMap(WAVE_FORMAT_IEEE_FLOAT) : FOURCCMap(c.tag);
        EXPECT_TRUE(IsEqualGUID(expected, mt.subtype));
        if (c.tag == WAVE_FORMAT_PCM) {
            EXPECT_EQ(0, reinterpret_cast<WAVEFORMATEX*>(mt.pbFormat)->cbSize);
        }
        FreeMediaType(mt);

        AM_MEDIA_TYPE bare;
        ASSERT_EQ(S_OK, CreateAudioMediaType(wfx, &bare, FALSE));
        EXPECT_EQ(0u, bare.cbFormat);
        EXPECT_EQ(nullptr, bare.pbFormat);
    }
}

TEST(MediaTypeTest, FourccMapMatchesTheStockSubtypes)
{
    EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_YUY2, FOURCCMap(MAKEFOURCC('Y', 'U', 'Y', '2'))));
    EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_PCM, FOURCCMap(WAVE_FORMAT_PCM)));
}

// --- CMediaTypePtr ---

const ULONG kBlockSize = 16;

// Two holders and a source of types as a COM call hands them out: the
// structure, its format block and a reference on pUnk, each allocated anew.
struct Scene
{
    explicit Scene(IUnknown* unk) : unk(unk) {}
    AM_MEDIA_TYPE* Make()
    {
        AM_MEDIA_TYPE* mt = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
        memset(mt, 0, sizeof(*mt));
        mt->majortype = MEDIATYPE_Video;
        mt->formattype = FORMAT_VideoInfo;
        mt->cbFormat = kBlockSize;
        mt->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(kBlockSize));
        for (ULONG i = 0; i < kBlockSize; ++i)
            mt->pbFormat[i] = static_cast<BYTE>(++made * 31 + i);
        mt->pUnk = unk;
        unk->AddRef();
        return mt;
    }
    IUnknown* unk;
    int made = 0;
    CMediaTypePtr a, b;
};

struct HolderCase
{
    const char* name;
    void (*run)(Scene& s);
    LONG refsHeld;   // pUnk references the holders own once run has returned
    bool aHolds, bHolds;
};

const HolderCase kHolderCases[] = {
    { "reset frees", [](Scene& s) { s.a.Reset(s.Make()); s.a.Reset(); }, 1, false, false },
    { "reset to the same type keeps it", [](Scene& s) { s.a.Reset(s.Make()); s.a.Reset(s.a.Get()); }, 2, true, false },
    { "reset to another frees the first", [](Scene& s) { s.a.Reset(s.Make()); s.a.Reset(s.Make()); }, 2, true, false },
    { "copy owns a reference of its own",
      [](Scene& s) {
          s.a.Reset(s.Make());
          CMediaTypePtr copy(s.a);
          s.b.Swap(copy);
      },
      3, true, true },
    { "copy assignment frees the old type",
      [](Scene& s) {
          s.a.Reset(s.Make());
          s.b.Reset(s.Make());
          s.b = s.a;
      },
      3, true, true },
    { "copy assignment to itself",
      [](Scene& s) {
          s.a.Reset(s.Make());
          CMediaTypePtr& same = s.a;
          s.a = same;
      },
      2, true, false },
    { "move leaves the source empty",
      [](Scene& s) {
          s.a.Reset(s.Make());
          CMediaTypePtr moved(std::move(s.a));
          s.b.Swap(moved);
      },
      2, false, true },
    { "move assignment frees the old type",
      [](Scene& s) {
          s.a.Reset(s.Make());
          s.b.Reset(s.Make());
          s.b = std::move(s.a);
      },
      2, false, true },
    { "out-parameter slot frees what was held",
      [](Scene& s) {
          s.a.Reset(s.Make());
          *&s.a = s.Make();
      },
      2, true, false },
    { "detach hands ownership over",
      [](Scene& s) {
          s.a.Reset(s.Make());
          s.b.Reset(s.a.Detach());
      },
      2, false, true },
    { "copy of an empty holder", [](Scene& s) { s.b = s.a; }, 1, false, false },
};

class MediaTypePtrTest : public ::testing::TestWithParam<HolderCase> {};

TEST_P(MediaTypePtrTest, FreesEachTypeOnce)
{
    const HolderCase& c = GetParam();
    CountedUnknown unk;
    {
        Scene s(&unk);
        c.run(s);
        EXPECT_EQ(c.refsHeld, unk.refs);
        EXPECT_EQ(c.aHolds, static_cast<bool>(s.a));
        EXPECT_EQ(c.bHolds, static_cast<bool>(s.b));
        if (s.a && s.b) {
            // Two owners never share a block one of them would free.
            EXPECT_NE(s.a.Get(), s.b.Get());
            EXPECT_NE(s.a->pbFormat, s.b->pbFormat);
            ASSERT_EQ(kBlockSize, s.b->cbFormat);
            EXPECT_EQ(0, memcmp(s.a->pbFormat, s.b->pbFormat, kBlockSize));
        }
    }
    EXPECT_EQ(1, unk.refs);
}

INSTANTIATE_TEST_SUITE_P(Holders, MediaTypePtrTest, ::testing::ValuesIn(kHolderCases), CaseName<HolderCase>);

} // namespace
