// The kit's helpers: the COM holder, the property-set table checks, the
// video format checks and the dropped-frame log.
#include "platform/dshow/ComPtr.h"
#include "platform/dshow/DroppedFrameLog.h"
#include "platform/dshow/PropertySet.h"
#include "platform/dshow/VideoFormat.h"

#include <gtest/gtest.h>
#include <uuids.h>

#include <vector>

namespace {

// Counts its references; never deleted by Release.
class Counted : public IUnknown
{
public:
    STDMETHODIMP QueryInterface(REFIID, void** out) override
    {
        *out = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++count; }
    STDMETHODIMP_(ULONG) Release() override { return --count; }
    virtual ~Counted() = default;
    ULONG count = 1;
};

TEST(ComPtr, ReceiveCopyAndMoveKeepCountsExact)
{
    Counted a, b;
    {
        dshow::ComPtr<IUnknown> holder(&a);
        EXPECT_EQ(2u, a.count);
        dshow::ComPtr<IUnknown> copy(holder);
        EXPECT_EQ(3u, a.count);
        dshow::ComPtr<IUnknown> moved(std::move(copy));
        EXPECT_EQ(3u, a.count);
        EXPECT_FALSE(copy);
        // An out-parameter slot releases what was held first.
        IUnknown** slot = moved.Receive();
        EXPECT_EQ(2u, a.count);
        b.AddRef();
        *slot = &b;
        holder = moved;
        EXPECT_EQ(1u, a.count);
        EXPECT_EQ(3u, b.count);
        holder = holder;   // self-assignment keeps the count
        EXPECT_EQ(3u, b.count);
    }
    EXPECT_EQ(1u, a.count);
    EXPECT_EQ(1u, b.count);
}

const GUID kSet = {0x11111111, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};
const GUID kOtherSet = {0x22222222, 0, 0, {0, 0, 0, 0, 0, 0, 0, 2}};
const dshow::KsPropertyRow kRows[] = {
    {&kSet, 0, dshow::kSupportGet, 24, 48},
    {&kSet, 1, dshow::kSupportSet, 24, 48},
    {&kSet, 9, dshow::kSupportSet, 16, 40},
};

TEST(PropertySet, RequestsAreCheckedInOrder)
{
    BYTE buffer[64] = {};
    struct Case { const GUID* set; DWORD id; DWORD dir; ULONG instance; ULONG data; HRESULT expected; };
    const Case cases[] = {
        {&kOtherSet, 0, dshow::kSupportGet, 24, 48, dshow::kPropSetUnsupported},
        {&kSet, 5, dshow::kSupportGet, 24, 48, dshow::kPropIdUnsupported},
        {&kSet, 0, dshow::kSupportSet, 24, 48, dshow::kPropIdUnsupported},   // get-only
        {&kSet, 0, dshow::kSupportGet, 24, 47, E_INVALIDARG},
        {&kSet, 0, dshow::kSupportGet, 23, 48, E_INVALIDARG},
        {&kSet, 0, dshow::kSupportGet, 24, 48, S_OK},
        {&kSet, 9, dshow::kSupportSet, 16, 40, S_OK},
    };
    for (const Case& c : cases) {
        const dshow::KsPropertyRow* row = NULL;
        EXPECT_EQ(c.expected, dshow::CheckKsRequest(kRows, 3, *c.set, c.id, c.dir, buffer,
                                                    c.instance, buffer, c.data, &row))
            << "id " << c.id << " dir " << c.dir;
        if (c.expected == S_OK) {
            EXPECT_EQ(c.id, row->id);
        }
    }
    const dshow::KsPropertyRow* row = NULL;
    EXPECT_EQ(E_POINTER, dshow::CheckKsRequest(kRows, 3, kSet, 0, dshow::kSupportGet, buffer, 24,
                                               NULL, 48, &row));
    DWORD support = 99;
    EXPECT_EQ(S_OK, dshow::QueryKsSupport(kRows, 3, kSet, 1, &support));
    EXPECT_EQ(dshow::kSupportSet, support);
    EXPECT_EQ(dshow::kPropSetUnsupported, dshow::QueryKsSupport(kRows, 3, kOtherSet, 1, &support));
    EXPECT_EQ(0u, support);
}

TEST(VideoFormat, ChecksRefuseWhatCouldOverrunAFrame)
{
    const dshow::VideoPixelFormat formats[] = {
        {&MEDIASUBTYPE_YUY2, 16, MAKEFOURCC('Y', 'U', 'Y', '2')},
        {&MEDIASUBTYPE_RGB24, 24, BI_RGB},
    };
    CMediaType good;
    ASSERT_EQ(S_OK, dshow::MakeVideoInfoType(formats[1], 162, 120, 400000, &good));
    // RGB rows are padded to four bytes.
    EXPECT_EQ(488u * 120u, good.GetSampleSize());
    const dshow::VideoPixelFormat* which = NULL;
    EXPECT_NE(nullptr, dshow::CheckVideoInfoType(&good, formats, 2, 720, 576, &which));
    EXPECT_EQ(&formats[1], which);

    struct Case { const char* what; void (*spoil)(CMediaType&); };
    const Case cases[] = {
        {"too wide", [](CMediaType& mt) { reinterpret_cast<VIDEOINFOHEADER*>(mt.pbFormat)->bmiHeader.biWidth = 721; }},
        {"no width", [](CMediaType& mt) { reinterpret_cast<VIDEOINFOHEADER*>(mt.pbFormat)->bmiHeader.biWidth = 0; }},
        {"too tall", [](CMediaType& mt) { reinterpret_cast<VIDEOINFOHEADER*>(mt.pbFormat)->bmiHeader.biHeight = -577; }},
        {"short image", [](CMediaType& mt) { reinterpret_cast<VIDEOINFOHEADER*>(mt.pbFormat)->bmiHeader.biSizeImage = 100; }},
        {"bit count", [](CMediaType& mt) { reinterpret_cast<VIDEOINFOHEADER*>(mt.pbFormat)->bmiHeader.biBitCount = 32; }},
        {"short format", [](CMediaType& mt) { mt.cbFormat = sizeof(VIDEOINFOHEADER) - 1; }},
        {"subtype", [](CMediaType& mt) { mt.subtype = MEDIASUBTYPE_RGB32; }},
        {"format type", [](CMediaType& mt) { mt.formattype = FORMAT_WaveFormatEx; }},
    };
    for (const Case& c : cases) {
        CMediaType bad(good);
        c.spoil(bad);
        EXPECT_EQ(nullptr, dshow::CheckVideoInfoType(&bad, formats, 2, 720, 576, NULL)) << c.what;
        bad.cbFormat = good.cbFormat;   // the holder frees what it allocated
    }
}

TEST(DroppedFrameLog, KeepsTheFirstFramesAndHandsOutWhatFits)
{
    dshow::CDroppedFrameLog log;
    long frames[4] = {-1, -1, -1, -1};
    long copied = -1;
    // Bad requests first: the log answers nothing for them.
    EXPECT_EQ(E_POINTER, log.Copy(4, NULL, &copied));
    EXPECT_EQ(E_POINTER, log.Copy(4, frames, NULL));
    EXPECT_EQ(E_INVALIDARG, log.Copy(0, frames, &copied));
    EXPECT_EQ(E_INVALIDARG, log.Copy(-3, frames, &copied));
    EXPECT_EQ(S_OK, log.Copy(4, frames, &copied));
    EXPECT_EQ(0, copied);

    log.Add(5, 2);
    log.Add(9, 1);
    EXPECT_EQ(S_OK, log.Copy(4, frames, &copied));
    ASSERT_EQ(3, copied);
    EXPECT_EQ(5, frames[0]);
    EXPECT_EQ(6, frames[1]);
    EXPECT_EQ(9, frames[2]);
    EXPECT_EQ(-1, frames[3]);   // past what was copied: untouched
    EXPECT_EQ(S_OK, log.Copy(2, frames, &copied));
    EXPECT_EQ(2, copied);

    // A long stall records no more than the log holds, and the first
    // frames stay.
    log.Add(100, 1000000);
    std::vector<long> all(dshow::CDroppedFrameLog::kCapacity + 10, -1);
    EXPECT_EQ(S_OK, log.Copy(static_cast<long>(all.size()), all.data(), &copied));
    ASSERT_EQ(dshow::CDroppedFrameLog::kCapacity, copied);
    EXPECT_EQ(5, all[0]);
    EXPECT_EQ(100, all[3]);
    EXPECT_EQ(-1, all[dshow::CDroppedFrameLog::kCapacity]);

    log.Clear();
    EXPECT_EQ(S_OK, log.Copy(4, frames, &copied));
    EXPECT_EQ(0, copied);
}

} // namespace
