// The DV camcorder and USB camera wrappers: opened by name over fakes of
// the system's DV filter and of a camera built from the filter kit; the DV
// transport through the card and its polling thread; the camera's format
// codes, resolution cap, I420 detection and property pages.
#include "cards/families/1394CardFilter.h"
#include "cards/families/UsbCamFilter.h"
#include "graph/ComPtr.h"
#include "graph/RootGraph.h"
#include "platform/dshow/BaseFilter.h"
#include "platform/dshow/OutputPin.h"
#include "tests/cards/CardByName.h"
#include "tests/cards/FakeCaptureFilter.h"
#include "tests/support/FakeDvFilter.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/MessageWindow.h"

#include <gtest/gtest.h>
#include <edevdefs.h>
#include <uuids.h>

#include <memory>
#include <vector>

namespace {

const GUID kI420 = {0x30323449, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
// {4B8E2D17-6A35-4F0C-9E21-7C5D3A9B1E04}
const CLSID kCameraClsid = {0x4b8e2d17, 0x6a35, 0x4f0c, {0x9e, 0x21, 0x7c, 0x5d, 0x3a, 0x9b, 0x1e, 0x04}};

// A USB camera: one output pin offering video of the given subtypes, and
// the capture pin's stream configuration (found on the filter).
class FakeCamera : public dshow::CBaseFilter
{
public:
    explicit FakeCamera(const std::vector<GUID>& subtypes)
        : CBaseFilter(kCameraClsid, L"Fake camera"), m_pin(this, subtypes)
    {
    }
    int GetPinCount() override { return 1; }
    dshow::CBasePin* GetPin(int index) override { return index == 0 ? &m_pin : NULL; }
    FakeStreamConfig config;

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IAMStreamConfig)
            return config.QueryInterface(iid, out);
        return CBaseFilter::QueryFilterInterface(iid, out);
    }

private:
    class Pin : public dshow::CBaseOutputPin
    {
    public:
        Pin(CBaseFilter* filter, const std::vector<GUID>& subtypes)
            : CBaseOutputPin(filter, L"Capture"), m_subtypes(subtypes)
        {
        }
        HRESULT CheckMediaType(const AM_MEDIA_TYPE*) override { return S_OK; }
        HRESULT GetMediaType(int index, CMediaType* mt) override
        {
            if (index < 0 || index >= static_cast<int>(m_subtypes.size()))
                return VFW_S_NO_MORE_ITEMS;
            *mt = CMediaType(MEDIATYPE_Video);
            mt->SetSubtype(&m_subtypes[index]);
            return S_OK;
        }

    private:
        std::vector<GUID> m_subtypes;
    };
    Pin m_pin;
};

// The camera's current format: `subtype` at width x height, `bits` deep.
void SetCurrent(FakeStreamConfig& config, const GUID& subtype, LONG width, LONG height, WORD bits)
{
    config.current.SetSubtype(&subtype);
    VIDEOINFOHEADER* vih = reinterpret_cast<VIDEOINFOHEADER*>(config.current.Format());
    vih->bmiHeader.biWidth = width;
    vih->bmiHeader.biHeight = height;
    vih->bmiHeader.biBitCount = bits;
    bool rgb = IsEqualGUID(subtype, MEDIASUBTYPE_RGB24) || IsEqualGUID(subtype, MEDIASUBTYPE_RGB555);
    vih->bmiHeader.biCompression = rgb ? BI_RGB : subtype.Data1;
}

class CameraFilters : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Register1394Filters();
        RegisterUsbCamFilters();
        ASSERT_TRUE(m_graph.MakeGraph());
    }
    void TearDown() override
    {
        Unregister1394Filters();
        UnregisterUsbCamFilters();
    }
    std::unique_ptr<CUsbCamFilter> MakeCamera(IBaseFilter* filter)
    {
        return MakeCardByName<CUsbCamFilter>("Usb_Cam_Capture", filter, &m_graph);
    }
    CRootGraph m_graph;
};

} // namespace

TEST_F(CameraFilters, DvCardDrivesTheTransport)
{
    FakeDvFilter dv;
    FakeDvFilter::State state;
    state.mode = 0x2C2;
    state.timecode = 0x00102030;
    dv.Set(state);
    {
        auto card = MakeCardByName<C1394CardFilter>("Microsoft DV Camera and VCR", &dv);
        ASSERT_NE(nullptr, card);
        EXPECT_TRUE(card->IsValid());
        EXPECT_EQ(static_cast<DWORD>(DV_DEVICE_VCR), card->GetDeviceType());
        EXPECT_EQ(0x2C2u, card->GetTransportMode());
        ASSERT_TRUE(card->SetTransportMode(0x2C5));
        EXPECT_EQ(0x2C5, dv.LastPutMode());
        BYTE tc[4] = {};
        ASSERT_TRUE(card->GetTimecode(tc));
        EXPECT_EQ(0x10, tc[1]);
        EXPECT_TRUE(card->SetRequest(3));

        // Polling needs the engine's window; with it, WM_DV_STATUS arrives.
        EXPECT_TRUE(card->StartAccessThread());  // ends at once without a window
        MessageWindow window;
        card->m_hNotifyWnd = window.Handle();
        ASSERT_TRUE(card->StartAccessThread());
        ASSERT_TRUE(window.WaitFor(WM_DV_STATUS, 5000));
        EXPECT_EQ(0x000202C5u, static_cast<DWORD>(window.MessagesOf(WM_DV_STATUS)[0].wParam));
        EXPECT_EQ(0x30201000, window.MessagesOf(WM_DV_STATUS)[0].lParam);

        // Closed while polling: the thread stops before the access goes.
        ASSERT_TRUE(card->Close());
        EXPECT_EQ(0u, card->GetDeviceType());
        EXPECT_FALSE(card->SetTransportMode(1));
        EXPECT_FALSE(card->SetRequest(1));
        EXPECT_FALSE(card->StartAccessThread());
    }
    EXPECT_EQ(1u, dv.Refs());

    // Destroyed while polling.
    MessageWindow window;
    auto card = MakeCardByName<C1394CardFilter>("Microsoft DV Camera and VCR", &dv);
    ASSERT_NE(nullptr, card);
    card->m_hNotifyWnd = window.Handle();
    ASSERT_TRUE(card->StartAccessThread());
    ASSERT_TRUE(window.WaitFor(WM_DV_STATUS, 5000));
    card.reset();
    EXPECT_EQ(1u, dv.Refs());
}

// A DV filter without the transport interfaces: the user is told to insert
// the 1394 card, and the wrapper is invalid.
TEST_F(CameraFilters, DvCardWithoutTransportTellsTheUser)
{
    FakeDvFilter dv;
    dv.offersTimecode = false;
    MessageBoxCapture boxes;
    auto card = MakeCardByName<C1394CardFilter>("Microsoft DV Camera and VCR", &dv);
    ASSERT_NE(nullptr, card);
    EXPECT_FALSE(card->IsValid());
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(" Create C1394Access Failed ! \n Please Insert 1394Card!", boxes.Boxes()[0].text);
    EXPECT_EQ("Alert", boxes.Boxes()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.Boxes()[0].type);
    EXPECT_EQ(0u, card->GetDeviceType());
    card.reset();
    EXPECT_EQ(1u, dv.Refs());
}

// Format codes: the camera's own table, I420 only when setting.
TEST_F(CameraFilters, CameraFormatCodes)
{
    ComPtr<FakeCamera> camera;
    camera.Attach(new FakeCamera({MEDIASUBTYPE_YUY2}));
    auto cam = MakeCamera(camera.Get());
    ASSERT_NE(nullptr, cam);
    EXPECT_TRUE(cam->IsValid());
    struct
    {
        GUID subtype;
        LONG code;
    } reads[] = {{MEDIASUBTYPE_RGB555, 0}, {MEDIASUBTYPE_RGB24, 1}, {MEDIASUBTYPE_YUY2, 2},
                 {MEDIASUBTYPE_YVU9, 3},   {MEDIASUBTYPE_YV12, 4},  {kI420, -1},
                 {MEDIASUBTYPE_UYVY, -1}};
    for (const auto& row : reads) {
        SCOPED_TRACE(row.code);
        SetCurrent(camera->config, row.subtype, 320, 240, 16);
        VideoFormat format;
        ASSERT_EQ(S_OK, cam->GetVideoFormat(&format, 1));
        EXPECT_EQ(row.code, format.format);
        EXPECT_EQ(320, format.bmiHeader.biWidth);
    }
    struct
    {
        LONG code;
        GUID subtype;
    } writes[] = {{0, MEDIASUBTYPE_RGB555}, {1, MEDIASUBTYPE_RGB24}, {2, MEDIASUBTYPE_YUY2},
                  {3, MEDIASUBTYPE_YVU9},   {4, MEDIASUBTYPE_YV12},  {5, kI420},
                  {6, MEDIASUBTYPE_YUY2},   {-1, MEDIASUBTYPE_YUY2}};
    for (const auto& row : writes) {
        SCOPED_TRACE(row.code);
        VideoFormat format = {};
        format.format = row.code;
        format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        format.bmiHeader.biWidth = 160;
        format.bmiHeader.biHeight = 120;
        format.bmiHeader.biBitCount = 16;
        ASSERT_EQ(S_OK, cam->SetVideoFormat(format, 1));
        EXPECT_TRUE(IsEqualGUID(row.subtype, camera->config.current.subtype));
    }
}

// Above 640 x 480 in either dimension the camera gets 640 x 480, in the
// colour format it has.
TEST_F(CameraFilters, SetResolutionCapsAtVga)
{
    ComPtr<FakeCamera> camera;
    camera.Attach(new FakeCamera({MEDIASUBTYPE_YUY2}));
    auto cam = MakeCamera(camera.Get());
    ASSERT_NE(nullptr, cam);
    struct
    {
        GUID subtype;
        WORD bits;
        int width, height;
        LONG setWidth, setHeight;
        DWORD imageBytes;
    } rows[] = {
        {MEDIASUBTYPE_YUY2, 16, 800, 600, 640, 480, 640 * 480 * 2},
        {MEDIASUBTYPE_YUY2, 16, 320, 481, 640, 480, 640 * 480 * 2},
        {MEDIASUBTYPE_YUY2, 16, 641, 100, 640, 480, 640 * 480 * 2},
        {MEDIASUBTYPE_YUY2, 16, 320, 240, 320, 240, 320 * 240 * 2},
        {MEDIASUBTYPE_RGB24, 24, 640, 480, 640, 480, 640 * 480 * 3},
        {kI420, 12, 352, 288, 352, 288, 352 * 288 * 3 / 2},  // stays I420
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.width << " x " << row.height);
        SetCurrent(camera->config, row.subtype, 720, 576, row.bits);
        ASSERT_TRUE(cam->SetResolution(row.width, row.height));
        const VIDEOINFOHEADER* vih = reinterpret_cast<const VIDEOINFOHEADER*>(camera->config.current.Format());
        EXPECT_EQ(row.setWidth, vih->bmiHeader.biWidth);
        EXPECT_EQ(row.setHeight, vih->bmiHeader.biHeight);
        EXPECT_EQ(row.imageBytes, vih->bmiHeader.biSizeImage);
        EXPECT_TRUE(IsEqualGUID(row.subtype, camera->config.current.subtype));
    }
    int before = camera->config.formatsSet;
    EXPECT_FALSE(cam->SetResolution(0, 240));
    EXPECT_FALSE(cam->SetResolution(320, -240));
    EXPECT_EQ(before, camera->config.formatsSet);

    // Without a graph to find the stream configuration: nothing set, FALSE.
    auto loose = MakeCardByName<CUsbCamFilter>("Usb_Cam_Capture", camera.Get());
    ASSERT_NE(nullptr, loose);
    EXPECT_FALSE(loose->SetResolution(320, 240));
    EXPECT_EQ(before, camera->config.formatsSet);
}

// I420 is looked for among the first output pin's types; a filter whose
// pins cannot be listed does not offer it.
TEST_F(CameraFilters, SupportsI420)
{
    struct
    {
        std::vector<GUID> subtypes;
        bool i420;
    } rows[] = {
        {{MEDIASUBTYPE_YUY2, kI420}, true},
        {{kI420}, true},
        {{MEDIASUBTYPE_YUY2, MEDIASUBTYPE_RGB24}, false},
        {{}, false},
    };
    for (const auto& row : rows) {
        ComPtr<FakeCamera> camera;
        camera.Attach(new FakeCamera(row.subtypes));
        auto cam = MakeCamera(camera.Get());
        ASSERT_NE(nullptr, cam);
        EXPECT_EQ(row.i420, cam->SupportsI420() != FALSE);
        EXPECT_TRUE(cam->InitCamera());
        EXPECT_EQ(row.i420, cam->OffersI420() != FALSE);
    }
    FakeCaptureFilter noPins(NULL);  // EnumPins fails
    auto cam = MakeCamera(&noPins);
    ASSERT_NE(nullptr, cam);
    EXPECT_FALSE(cam->SupportsI420());
}

TEST_F(CameraFilters, PropertyPagesNotWhileTheGraphRuns)
{
    ComPtr<FakeCamera> camera;
    camera.Attach(new FakeCamera({MEDIASUBTYPE_YUY2}));
    auto cam = MakeCamera(camera.Get());
    ASSERT_NE(nullptr, cam);
    // Neither the camera nor its stream configuration has pages to show.
    EXPECT_FALSE(cam->ShowPropertyPage(0, NULL, "Camera", 1));
    EXPECT_FALSE(cam->ShowPropertyPage(1, NULL, "Camera", 1));
    ASSERT_TRUE(m_graph.Run());
    ASSERT_EQ(1, m_graph.GetState());
    EXPECT_FALSE(cam->ShowPropertyPage(0, NULL, "Camera", 1));
    ASSERT_TRUE(m_graph.Stop());
}
