// The DV camcorder access over a fake DV filter: the three interfaces it
// needs, the device type and transport reads, the timecode unpacked, the
// polls that notice changes, and the polling thread's WM_DV_STATUS posts to
// a message-only window.
#include "hw/access/1394Access.h"
#include "tests/support/FakeDvFilter.h"
#include "tests/support/MessageWindow.h"

#include <gtest/gtest.h>
#include <edevdefs.h>

#include <math.h>

#include <memory>

namespace {

// Owner of a polling thread in the tests.
struct Owner : public I1394Owner
{
    C1394Access* access = NULL;
    HWND window = NULL;
    C1394Access* GetDvAccess() override { return access; }
    HWND GetDvNotifyWindow() override { return window; }
};

} // namespace

TEST(C1394Access, AttachNeedsAllThreeInterfaces)
{
    for (int missing = 0; missing < 4; missing++) {
        SCOPED_TRACE(missing);
        FakeDvFilter dv;
        dv.offersDevice = missing != 1;
        dv.offersTransport = missing != 2;
        dv.offersTimecode = missing != 3;
        {
            C1394Access access;
            EXPECT_EQ(missing == 0, access.Attach(&dv) != FALSE);
            DWORD type = 0;
            EXPECT_EQ(missing == 0, access.GetDeviceType(&type) != FALSE);
        }
        EXPECT_EQ(1u, dv.Refs());
    }
    C1394Access access;
    EXPECT_FALSE(access.Attach(NULL));
    DWORD value = 7;
    BYTE tc[4] = {1, 2, 3, 4};
    long rate = 0;
    EXPECT_FALSE(access.GetDeviceType(&value));
    EXPECT_FALSE(access.GetTransportMode(&value));
    EXPECT_FALSE(access.SetTransportMode(1));
    EXPECT_FALSE(access.GetTimecode(tc));
    EXPECT_EQ(0, tc[0] | tc[1] | tc[2] | tc[3]);
    EXPECT_FALSE(access.GetAbsoluteTrack(&value));
    EXPECT_EQ(0u, value);
    EXPECT_FALSE(access.GetTransportRate(&rate));
}

TEST(C1394Access, ReadsTheCamcorder)
{
    FakeDvFilter dv;
    C1394Access access;
    ASSERT_TRUE(access.Attach(&dv));
    FakeDvFilter::State state;

    struct
    {
        LONG reported;
        DWORD type;
    } types[] = {{0, DV_DEVICE_NONE}, {ED_DEVTYPE_VCR, DV_DEVICE_VCR}, {ED_DEVTYPE_LASERDISK, DV_DEVICE_OTHER}};
    for (const auto& row : types) {
        state.deviceType = row.reported;
        dv.Set(state);
        DWORD type = 0;
        ASSERT_TRUE(access.GetDeviceType(&type));
        EXPECT_EQ(row.type, type);
    }

    state.timecode = 0x01020304;
    state.atn = 0x00ABCDEF;
    state.user = 1;
    state.mode = 0x2C2;
    state.status = 77;
    dv.Set(state);
    BYTE tc[4] = {};
    DWORD user = 0, atn = 0, mode = 0;
    ASSERT_TRUE(access.GetTimecodeWithUser(tc, &user));
    EXPECT_EQ(ED_DEVCAP_TIMECODE_READ, dv.LastTimecodeFlags());
    EXPECT_EQ(1, tc[0]);  // hours
    EXPECT_EQ(4, tc[3]);  // frames
    EXPECT_EQ(1u, user);
    ASSERT_TRUE(access.GetAbsoluteTrack(&atn));
    EXPECT_EQ(5047u, dv.LastTimecodeFlags());
    EXPECT_EQ(0x00ABCDEFu, atn);
    ASSERT_TRUE(access.GetTransportMode(&mode));
    EXPECT_EQ(0x2C2u, mode);
    ASSERT_TRUE(access.SetTransportMode(0x2C5));
    EXPECT_EQ(0x2C5, dv.LastPutMode());
    long status = 0;
    ASSERT_TRUE(access.GetTransportStatus(1, &status));
    EXPECT_EQ(77, status);
    EXPECT_FALSE(access.GetTransportStatus(1, NULL));

    // Rates truncated toward zero; one that fits no long is refused.
    struct
    {
        double rate;
        bool read;
        long truncated;
    } rates[] = {{1.9, true, 1}, {-0.5, true, 0}, {-1.9, true, -1}, {1e12, false, 0}, {NAN, false, 0}};
    for (const auto& row : rates) {
        SCOPED_TRACE(row.rate);
        state.rate = row.rate;
        dv.Set(state);
        long rate = 99;
        EXPECT_EQ(row.read, access.GetTransportRate(&rate) != FALSE);
        EXPECT_EQ(row.read ? row.truncated : 99, rate);
    }

    // A failing device: failures, outputs left alone (the timecode cleared).
    state.result = E_FAIL;
    dv.Set(state);
    DWORD type = 42;
    EXPECT_FALSE(access.GetDeviceType(&type));
    EXPECT_EQ(42u, type);
    EXPECT_FALSE(access.GetTimecode(tc));
    EXPECT_EQ(0, tc[0] | tc[1] | tc[2] | tc[3]);
}

// A poll says whether the value changed since the last poll that read one.
TEST(C1394Access, PollsNoticeChanges)
{
    FakeDvFilter dv;
    C1394Access access;
    ASSERT_TRUE(access.Attach(&dv));
    FakeDvFilter::State state;
    state.mode = 0;
    dv.Set(state);
    DWORD type = 0, mode = 0;
    EXPECT_TRUE(access.PollDeviceType(&type));   // first read
    EXPECT_FALSE(access.PollDeviceType(&type));  // unchanged, still written
    EXPECT_EQ(static_cast<DWORD>(DV_DEVICE_VCR), type);
    EXPECT_TRUE(access.PollTransportMode(&mode));  // 0 differs from "nothing seen"
    state.mode = 0x2C2;
    dv.Set(state);
    EXPECT_TRUE(access.PollTransportMode(&mode));
    EXPECT_EQ(0x2C2u, mode);
    EXPECT_FALSE(access.PollTransportMode(&mode));
    state.result = E_FAIL;
    dv.Set(state);
    EXPECT_FALSE(access.PollTransportMode(&mode));

    DWORD request = 0;
    BOOL pending = TRUE;
    access.GetRequest(&request, &pending);
    EXPECT_FALSE(pending);
    EXPECT_TRUE(access.SetRequest(9));
    access.GetRequest(&request, &pending);
    EXPECT_EQ(9u, request);
    EXPECT_TRUE(pending);
}

// Every 200 ms the type (high word), a VCR's mode (low word) and timecode
// (hours in the low byte) are posted, changed or not.
TEST(C1394AccessThread, PostsTheTransportState)
{
    MessageWindow window;
    FakeDvFilter dv;
    C1394Access access;
    ASSERT_TRUE(access.Attach(&dv));
    Owner owner;
    owner.access = &access;
    owner.window = window.Handle();
    struct
    {
        LONG deviceType;
        LONG mode;
        DWORD timecode;
        HRESULT result;
        WPARAM wParam;
        LPARAM lParam;
    } rows[] = {
        {ED_DEVTYPE_VCR, 0x2C2, 0x01020304, S_OK, 0x000202C2, 0x04030201},
        {0, 0x2C2, 0x01020304, S_OK, 0x00010000, 0},
        {ED_DEVTYPE_ATR, 0x2C2, 0x01020304, S_OK, 0x00030000, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.deviceType);
        FakeDvFilter::State state;
        state.deviceType = row.deviceType;
        state.mode = row.mode;
        state.timecode = row.timecode;
        state.result = row.result;
        dv.Set(state);
        window.Clear();
        C1394AccessThread thread(&owner);
        thread.Resume();
        ASSERT_TRUE(window.WaitFor(WM_DV_STATUS, 5000, 2));  // also when nothing changed
        auto posted = window.MessagesOf(WM_DV_STATUS);
        EXPECT_EQ(row.wParam, posted[1].wParam);
        EXPECT_EQ(row.lParam, posted[1].lParam);
    }

    // A type that can no longer be read stays the last one read; a mode
    // that cannot be read is 0, and an unreadable timecode leaves lParam 0.
    FakeDvFilter::State state;
    state.mode = 0x2C2;
    dv.Set(state);
    window.Clear();
    C1394AccessThread thread(&owner);
    thread.Resume();
    ASSERT_TRUE(window.WaitFor(WM_DV_STATUS, 5000, 1));
    state.result = E_FAIL;
    dv.Set(state);
    window.Clear();
    ASSERT_TRUE(window.WaitFor(WM_DV_STATUS, 5000, 2));
    auto posted = window.MessagesOf(WM_DV_STATUS);
    EXPECT_EQ(0x00020000u, static_cast<DWORD>(posted[1].wParam));
    EXPECT_EQ(0, posted[1].lParam);
}

TEST(C1394AccessThread, NeedsAnOwnerWithAccessAndWindow)
{
    Owner none;
    C1394AccessThread noAccess(&none);
    EXPECT_FALSE(noAccess.InitInstance());
    C1394AccessThread noOwner(NULL);
    EXPECT_FALSE(noOwner.InitInstance());

    // Without a window the thread ends at once; stopping it is immediate.
    FakeDvFilter dv;
    C1394Access access;
    ASSERT_TRUE(access.Attach(&dv));
    Owner owner;
    owner.access = &access;
    std::unique_ptr<C1394AccessThread> thread(new C1394AccessThread(&owner));
    ASSERT_TRUE(thread->InitInstance());
    thread->Resume();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread->GetThreadHandle(), 5000));
    thread.reset();
}
