// The card filter over a fake capture filter whose IKsPropertySet speaks
// the common property set to the simulated card: opening, the tuner chosen
// from the EEPROM, tuning, the I2C helpers, remote polling, closing; and the
// crossbar's routing over a fake IAMCrossbar.
#include "cards/CrossBarFilter.h"
#include "cards/RemoteThread.h"
#include "cards/TVCardFilter.h"
#include "hw/access/878Access.h"
#include "hw/access/CommonPropertySet.h"
#include "hw/access/NameMutex.h"
#include "hw/tuners/ModuleTuner.h"
#include "platform/virtualcard/model/GpioDevice.h"
#include "tests/support/FakeClock.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/Stress.h"

#include "FakeCaptureFilter.h"

#include <gtest/gtest.h>

#include <limits.h>

#include <memory>
#include <string>
#include <thread>
#include <typeinfo>

namespace {

using virtualcard::CardModel;

// A card filter built the way the registry builds one: construct, take the
// driver's filter, then SetDefaults and Init once.
std::unique_ptr<CTVCardFilter> OpenCard(IBaseFilter* filter)
{
    std::unique_ptr<CTVCardFilter> card(new CTVCardFilter(NULL, static_cast<const CLSID*>(NULL)));
    card->AttachFilter(filter);
    card->InitOnce();
    return card;
}

const char* TunerClass(CTVTuner* tuner)
{
    CModuleTuner* module = dynamic_cast<CModuleTuner*>(tuner);
    return module ? module->Module().className : "";
}

class CardFilterTest : public ::testing::Test
{
protected:
    CardModel m_card;
    FakeKsPropertySet m_set{&m_card};
    FakeCaptureFilter m_filter{&m_set, &m_card};
};

TEST_F(CardFilterTest, InitChoosesTheTunerFromTheEeprom)
{
    struct Case
    {
        char brandByte;
        BYTE typeByte;
        int brand;
        int type;
        const char* tunerClass;
    } cases[] = {
        {'T', 1, 'T', 1, "CTCL2002N_1"},
        {'P', 92, 'P', 92, "CPhilips1216"},
        // Unknown maker letter and "no type": the fallback module.
        {'Q', 255, 'T', 4, "CTCL2002MI_3"},
        {'A', 0, 'A', 4, "CTCL2002MI_3"},
        // A type no module carries falls back too, with its maker.
        {'A', 6, 'T', 6, "CTCL2002MI_3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.brandByte) + std::to_string(c.typeByte));
        m_card.SetEepromFacts((uint8_t)c.brandByte, c.typeByte, 0x42, 2);
        std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);
        ASSERT_TRUE(card->IsValid());
        EXPECT_EQ(2, card->GetCardType());
        ASSERT_NE(nullptr, card->GetAccess());
        EXPECT_EQ(c.brand, card->GetTunerBrand());
        EXPECT_EQ(c.type, card->GetTunerType());
        ASSERT_NE(nullptr, card->GetTuner());
        EXPECT_STREQ(c.tunerClass, TunerClass(card->GetTuner()));
        EXPECT_EQ(0x42, card->ReadConfigByte());
        EXPECT_EQ(2, card->GetBoardVariant());
    }
}

TEST_F(CardFilterTest, TunesThroughItsTunerAndReportsRefusals)
{
    m_card.SetEepromFacts('P', 92, 0, 0);
    m_card.FitIfDemodulator();  // this module programs one
    m_card.SetCarriers({471250});
    std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);
    ASSERT_TRUE(card->IsValid());
    EXPECT_TRUE(card->SetTVFrequency(471250.0f));
    EXPECT_TRUE(card->IsTVTuned());
    EXPECT_TRUE(m_card.SignalLocked());
    // A tuning the bus refuses stays a failure, also for a tuner that
    // re-applies its standard (which would succeed) after each tune.
    card->GetTuner()->m_bReapplyStandard = 1;
    m_set.FailProperty(COMMONCARD_I2C_BLOCK, E_FAIL);
    EXPECT_FALSE(card->SetTVFrequency(479250.0f));
    m_set.FailProperty(COMMONCARD_I2C_BLOCK, S_OK);
    EXPECT_TRUE(card->SetTVFrequency(471250.0f));
}

TEST_F(CardFilterTest, DecoderStandardAndLock)
{
    m_card.SetEepromFacts('T', 1, 0, 0);
    std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);
    long current = 0, available = 0;
    EXPECT_EQ(S_OK, card->PutTVFormat(AnalogVideo_NTSC_M));
    EXPECT_EQ(S_OK, card->GetTVFormats(&current, &available));
    EXPECT_EQ(AnalogVideo_NTSC_M, current);
    EXPECT_NE(0, available & AnalogVideo_PAL_B);
    EXPECT_EQ(E_INVALIDARG, card->PutTVFormat(AnalogVideo_SECAM_L));
    long locked = -1;
    EXPECT_EQ(S_OK, card->IsSignalLocked(&locked));
    EXPECT_EQ(0, locked);
    // No graph: no stream format to read.
    VideoFormat format;
    EXPECT_EQ(E_INVALIDARG, card->GetVideoFormat(&format, 1));
    AM_MEDIA_TYPE* mt = NULL;
    EXPECT_EQ(E_INVALIDARG, card->GetStreamFormat(&mt, 1));
    EXPECT_EQ(nullptr, mt);
}

// A Bt878 card opens over the driver's kernel device control: its access
// object takes the capture filter's kernel handle, and the tuner named in
// the EEPROM is programmed byte by byte over the driver's I2C operations.
TEST(Bt878CardTest, OpensOverTheKernelDeviceControl)
{
    CardModel model;
    model.SetEepromFacts('P', 92, 0, 0);
    model.FitIfDemodulator();  // the module programs one
    model.SetCarriers({471250});
    FakeBt878Driver driver(&model);
    ScopedReplacement<IKsDeviceControl> installed(KsDeviceControlSeam(), &driver);
    FakeBt878Capture filter(&model);

    std::unique_ptr<CTVCardFilter> card = OpenCard(&filter);
    ASSERT_TRUE(card->IsValid());
    EXPECT_EQ(1, card->GetCardType());
    ASSERT_NE(nullptr, card->GetAccess());
    EXPECT_EQ(typeid(C878Access), typeid(*card->GetAccess()));
    EXPECT_EQ('P', card->GetTunerBrand());
    EXPECT_EQ(92, card->GetTunerType());
    EXPECT_STREQ("CPhilips1216", TunerClass(card->GetTuner()));
    // The open's first request: the driver's control byte cleared.
    ASSERT_FALSE(driver.Ops().empty());
    EXPECT_EQ("control 00", driver.Ops()[0]);

    driver.Clear();
    EXPECT_TRUE(card->SetTVFrequency(471250.0f));
    EXPECT_TRUE(card->IsTVTuned());
    EXPECT_TRUE(model.SignalLocked());
    EXPECT_FALSE(model.I2CRecord(0xC0).empty());
    EXPECT_EQ("start", driver.Ops().front());
    EXPECT_EQ(0, card->Close());
}

TEST_F(CardFilterTest, FilterWithoutThePropertySetsIsInvalid)
{
    FakeCaptureFilter bare(NULL);
    std::unique_ptr<CTVCardFilter> card = OpenCard(&bare);
    EXPECT_FALSE(card->IsValid());
    EXPECT_EQ(0, card->GetCardType());
    EXPECT_EQ(nullptr, card->GetAccess());
    // Operations on a card that never opened fail instead of crashing.
    EXPECT_FALSE(card->SetTVFrequency(471250.0f));
    EXPECT_FALSE(card->IsSearching());
    EXPECT_EQ(nullptr, card->GetTunerStandards());
    EXPECT_EQ(0, card->Close());
    EXPECT_EQ(0, card->Close());
}

TEST_F(CardFilterTest, CloseStopsPollingAndDropsTunerAndAccess)
{
    m_card.SetEepromFacts('T', 1, 0, 0);
    std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);
    MessageWindow window;
    card->m_hNotifyWnd = window.Handle();
    ASSERT_TRUE(card->StartRemote());
    EXPECT_TRUE(card->IsRemoteRunning());
    EXPECT_EQ(0, card->Close());
    EXPECT_FALSE(card->IsRemoteRunning());
    EXPECT_EQ(nullptr, card->GetTuner());
    EXPECT_EQ(nullptr, card->GetAccess());
    EXPECT_EQ(0, card->GetCardType());
    EXPECT_FALSE(card->StartRemote() && card->IsRemoteRunning() && card->GetAccess());
    card->StopRemote();
    card.reset();
    EXPECT_EQ(1u, m_filter.Refs());
}

TEST_F(CardFilterTest, ReplacingTheTuner)
{
    m_card.SetEepromFacts('T', 1, 0, 0);
    std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);
    CTVTuner* first = card->GetTuner();
    first->SetNotifyWindow(reinterpret_cast<HWND>(0x1234));
    // No module for 6: nothing changes.
    EXPECT_FALSE(card->SetTunerType(6));
    EXPECT_EQ(first, card->GetTuner());
    EXPECT_EQ(1, card->GetTunerType());
    ASSERT_TRUE(card->SetTunerType(92));
    EXPECT_STREQ("CPhilips1216", TunerClass(card->GetTuner()));
    EXPECT_EQ('P', card->GetTunerBrand());
    EXPECT_EQ(reinterpret_cast<HWND>(0x1234), card->GetTuner()->GetNotifyWindow());
    // Replacing it with itself keeps it alive.
    CTVTuner* current = card->GetTuner();
    EXPECT_TRUE(card->ReplaceTuner(current));
    EXPECT_EQ(current, card->GetTuner());
    EXPECT_TRUE(card->SetSettleTime(20));
    EXPECT_FALSE(card->ReplaceTuner(NULL));
}

TEST_F(CardFilterTest, ScanPicksTheTunerAddresses)
{
    struct Case
    {
        std::vector<uint8_t> devices;  // besides the EEPROM; the PLL is removed
        BYTE read, write;
    } cases[] = {
        {{}, 0xC1, 0xC0},
        {{0xC0}, 0xC1, 0xC0},
        // One device at 0xC2: it keeps its own address.
        {{0xC2}, 0xC3, 0xC2},
        // Devices answer at both addresses, so these list four or more:
        // the first known pair present wins, else the larger of the first two.
        {{0xC2, 0xC6}, 0xC3, 0xC2},
        {{0xC6}, 0xC7, 0xC6},
        {{0x60, 0x86}, 0x87, 0xC0},
        {{0x60, 0x62}, 0x61, 0x60},
    };
    m_card.SetEepromFacts('T', 1, 0, 0);
    std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.devices.size());
        m_card.RemoveDevice(0xC0);
        for (uint8_t a : c.devices)
            m_card.AddDevice(a, std::make_shared<virtualcard::RegisterChip>());
        CTVTuner* tuner = card->GetTuner();
        card->ScanI2C(tuner);
        EXPECT_EQ(c.read, tuner->m_byStatusAddr);
        EXPECT_EQ(c.write, tuner->m_byAddr);
        for (uint8_t a : c.devices)
            m_card.RemoveDevice(a);
    }
    card->ScanI2C(NULL);
}

TEST_F(CardFilterTest, EepromReadsAndWritesAreBounded)
{
    m_card.SetEepromFacts('T', 1, 0, 0);
    for (int i = 250; i < 256; i++)
        m_card.SetEepromByte((uint8_t)i, (uint8_t)(i - 200));
    std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);
    BYTE buf[8] = {};
    int count = 7;
    EXPECT_EQ(E_INVALIDARG, card->I2CRead(buf, 250, &count));
    count = 6;
    EXPECT_EQ(S_OK, card->I2CRead(buf, 250, &count));
    EXPECT_EQ(6, count);
    EXPECT_EQ(50, buf[0]);
    EXPECT_EQ(55, buf[5]);
    count = 0;
    EXPECT_EQ(E_INVALIDARG, card->I2CRead(buf, 0, &count));

    const BYTE data[4] = {1, 2, 3, 4};
    count = 4;
    EXPECT_EQ(E_INVALIDARG, card->I2CWrite(data, 253, &count, 0));
    // The third byte fails: the write stops there and says how far it got.
    m_set.FailProperty(COMMONCARD_I2C_BYTE, E_FAIL, 2);
    count = 4;
    EXPECT_EQ(E_FAIL, card->I2CWrite(data, 16, &count, 0));
    EXPECT_EQ(2, count);
    m_set.FailProperty(COMMONCARD_I2C_BYTE, S_OK);

    BYTE block[3] = {0xC0, 0x10, 0x20};
    EXPECT_EQ(E_INVALIDARG, card->I2CWriteBlock(NULL, 3));
    EXPECT_EQ(E_FAIL, card->I2CWriteBlock(block, 1));
    EXPECT_EQ(E_FAIL, card->I2CWriteBlock(block, 257));
}

TEST_F(CardFilterTest, I2CCountsThatWouldWrapAreRefused)
{
    m_card.SetEepromFacts('T', 1, 0, 0);
    std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);
    // Counts near INT_MAX must not wrap the bound check and run off buf.
    struct Case
    {
        BYTE sub;
        int count;
    } cases[] = {{1, INT_MAX}, {255, INT_MAX}, {255, INT_MAX - 254}, {0, 257}, {255, 2}};
    BYTE buf[4] = {};
    for (const Case& c : cases) {
        m_set.ClearCalls();
        int count = c.count;
        EXPECT_EQ(E_INVALIDARG, card->I2CRead(buf, c.sub, &count)) << (int)c.sub << " " << c.count;
        EXPECT_EQ(c.count, count);
        EXPECT_EQ(E_INVALIDARG, card->I2CWrite(buf, c.sub, &count, 0)) << (int)c.sub;
        EXPECT_EQ(c.count, count);
        EXPECT_TRUE(m_set.Calls().empty()) << "the driver was asked";
    }
    // The last byte of the EEPROM is still reachable.
    int count = 1;
    EXPECT_EQ(S_OK, card->I2CRead(buf, 255, &count));
    EXPECT_EQ(1, count);
}

// A line on GPIO bit 8 that some chip raises at a given tick.
class RisingLine : public virtualcard::GpioDevice
{
public:
    void OnPinsWritten(uint32_t, uint32_t, uint32_t) override {}
    uint32_t DrivenPins(uint32_t now, uint32_t* levels) const override
    {
        *levels = (m_high && static_cast<int32_t>(now - m_riseAt) >= 0) ? 0x100 : 0;
        return 0x100;
    }
    void RiseAt(uint32_t tick) { m_high = true; m_riseAt = tick; }
    void StayLow() { m_high = false; }

private:
    bool m_high = false;
    uint32_t m_riseAt = 0;
};

TEST_F(CardFilterTest, WaitGpioLevelPollsAtMostAHundredTimes)
{
    FakeClock clock;
    m_card.SetTickSource([] { return static_cast<uint32_t>(zunk::GetTickCount()); });
    auto line = std::make_shared<RisingLine>();
    m_card.AttachGpioDevice(line);
    m_card.SetEepromFacts('T', 1, 0, 0);
    std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);

    const int kNever = -1;
    struct Case
    {
        BOOL level, settle;
        int riseAfterMs;  // kNever: the line stays low
        bool readFails;
        int result;
        DWORD slept;  // the wait plus the settle pause make 100 ms
    } cases[] = {
        {TRUE, FALSE, 0, false, 1, 0},        {TRUE, TRUE, 0, false, 1, 100},
        {TRUE, FALSE, 30, false, 1, 30},      {TRUE, TRUE, 30, false, 1, 100},
        {TRUE, FALSE, kNever, false, 0, 100}, {TRUE, TRUE, kNever, false, 0, 100},
        {FALSE, TRUE, kNever, false, 1, 100}, {FALSE, FALSE, 0, false, 0, 100},
        {TRUE, TRUE, 0, true, 0, 0},
    };
    for (const Case& c : cases) {
        if (c.riseAfterMs == kNever)
            line->StayLow();
        else
            line->RiseAt(zunk::GetTickCount() + c.riseAfterMs);
        if (c.readFails)
            m_set.FailProperty(COMMONCARD_REGISTER, E_FAIL);  // the GPIO pins are registers
        const DWORD before = clock.TotalSlept();
        EXPECT_EQ(c.result, card->WaitGpioLevel(c.level, c.settle))
            << c.level << c.settle << " " << c.riseAfterMs;
        EXPECT_EQ(c.slept, clock.TotalSlept() - before) << c.level << c.settle << " " << c.riseAfterMs;
        m_set.FailProperty(COMMONCARD_REGISTER, S_OK);
    }
    m_card.AttachGpioDevice(nullptr);
}

TEST_F(CardFilterTest, AudioMultiplexerBits)
{
    m_card.SetEepromFacts('T', 1, 0, 0);
    std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);
    struct Case
    {
        int input;
        BOOL on;
        DWORD bits;
    } cases[] = {{0, TRUE, 0}, {1, TRUE, 0x1000}, {2, TRUE, 0x2000}, {1, FALSE, 0x3000}};
    for (const Case& c : cases) {
        EXPECT_EQ(S_OK, card->SelectAudioInput(c.input, c.on));
        EXPECT_EQ(c.bits, m_card.GpioOutputs() & 0x3000) << c.input << c.on;
    }
    EXPECT_EQ(S_OK, card->SelectAudioLine(3, TRUE));
    EXPECT_EQ(0x3000u, m_card.GpioOutputs() & 0x7000);
    EXPECT_EQ(S_OK, card->SelectAudioLine(1, FALSE));
    EXPECT_EQ(0x4000u, m_card.GpioOutputs() & 0x4000);
}

TEST_F(CardFilterTest, RemoteKeyArrivesOnceAndWaitsForTheMutex)
{
    m_card.SetEepromFacts('T', 1, 0, 0);
    std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);
    MessageWindow window;
    card->m_hNotifyWnd = window.Handle();
    EXPECT_FALSE(card->SetRemoteInterval(0));
    ASSERT_TRUE(card->SetRemoteInterval(10));
    ASSERT_TRUE(card->StartRemote());
    ASSERT_TRUE(card->StartRemote());  // a second start leaves one thread

    m_card.PressRemoteKey(CardModel::GpioRemotePins(0x15), CardModel::kGpioRemoteMask, 150);
    ASSERT_TRUE(window.WaitFor(WM_REMOTE_KEY, 3000));
    window.WaitFor(WM_REMOTE_KEY, 400, 2);
    ASSERT_EQ(1u, window.CountOf(WM_REMOTE_KEY));
    EXPECT_EQ(0x15u, window.MessagesOf(WM_REMOTE_KEY)[0].wParam);

    // Another holder of the mutex delays the read; the key is not lost.
    window.Clear();
    CNameMutex other("Mutex_Remote_Control", FALSE);
    std::thread holder([&other, this] {
        other.Lock();
        m_card.PressRemoteKey(CardModel::GpioRemotePins(0x2A), CardModel::kGpioRemoteMask, 700);
        Sleep(300);
        other.Unlock();
    });
    ASSERT_TRUE(window.WaitFor(WM_REMOTE_KEY, 3000));
    holder.join();
    window.WaitFor(WM_REMOTE_KEY, 600, 2);
    ASSERT_EQ(1u, window.CountOf(WM_REMOTE_KEY));
    EXPECT_EQ(0x2Au, window.MessagesOf(WM_REMOTE_KEY)[0].wParam);
    card->StopRemote();
    EXPECT_FALSE(card->IsRemoteRunning());
}

// Remote polling runs while the user wants it and no sweep holds it
// paused, whatever the user does during a sweep and whenever: a stop stays a
// stop when the sweep ends, a start made during the sweep takes effect when
// it ends, and a tuner replaced during the sweep (which ends that sweep)
// gives polling back.
TEST_F(CardFilterTest, PollingFollowsTheUserAcrossSweeps)
{
    enum Action { kNothing, kUserStops, kUserStarts, kTunerReplaced, kStopsAndReplaced };
    struct Case
    {
        const char* name;
        bool pollingBefore;
        Action action;
        bool pollingAfter;
    } cases[] = {
        {"untouched", true, kNothing, true},
        {"user stops", true, kUserStops, false},
        {"user starts", false, kUserStarts, true},
        {"tuner replaced", true, kTunerReplaced, true},
        {"user stops, tuner replaced", true, kStopsAndReplaced, false},
        {"never polled", false, kTunerReplaced, false},
    };
    m_card.SetEepromFacts('T', 1, 0, 0);
    std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);
    MessageWindow window;
    card->m_hNotifyWnd = window.Handle();
    const int rounds = StressRounds(5);
    for (const Case& c : cases) {
        for (int round = 0; round < rounds; ++round) {
            SCOPED_TRACE(std::string(c.name) + ", round " + std::to_string(round));
            if (c.pollingBefore) {
                ASSERT_TRUE(card->StartRemote());
            } else {
                card->StopRemote();
            }
            CTVTuner* tuner = card->GetTuner();
            tuner->SetNotifyWindow(window.Handle());
            // One window of three candidates, 10 ms each.
            tuner->SetSettleTime(10);
            ASSERT_TRUE(card->SetSweepRange(100000, 100500));
            ASSERT_TRUE(card->SetSweepSteps(3000, 250));
            m_card.ClearRecord();
            ASSERT_TRUE(tuner->StartSearch(TRUE, TRUE));
            // The action lands at the sweep's first tuning or later in it;
            // every fifth round after its end.
            ASSERT_TRUE(WaitUntil([&] { return !m_card.I2CRecord(0xC0).empty(); }));
            if (round % 5 == 4) {
                ASSERT_TRUE(WaitUntil([&] { return !card->IsSearching(); }));
            } else {
                Sleep((round * 7) % 25);
            }
            if (c.action == kUserStops || c.action == kStopsAndReplaced)
                card->StopRemote();
            if (c.action == kUserStarts) {
                EXPECT_TRUE(card->StartRemote());
            }
            if (c.action == kTunerReplaced || c.action == kStopsAndReplaced) {
                ASSERT_TRUE(card->SetTunerType(1));
            }
            ASSERT_TRUE(WaitUntil([&] { return !card->IsSearching(); }));
            EXPECT_EQ(c.pollingAfter, card->IsRemoteRunning() != FALSE);
            window.Pump();
        }
    }
    // Closing during a sweep leaves polling off, and the card still opens.
    ASSERT_TRUE(card->StartRemote());
    card->GetTuner()->SetSettleTime(60000);
    ASSERT_TRUE(card->GetTuner()->StartSearch(TRUE, TRUE));
    ASSERT_TRUE(WaitUntil([&] { return !card->IsRemoteRunning(); }));
    EXPECT_EQ(0, card->Close());
    EXPECT_FALSE(card->IsRemoteRunning());
}

TEST_F(CardFilterTest, PollingWithoutAWindowEndsAtOnce)
{
    m_card.SetEepromFacts('T', 1, 0, 0);
    std::unique_ptr<CTVCardFilter> card = OpenCard(&m_filter);
    CRemoteThread thread(card.get());
    thread.Resume();
    ASSERT_NE(nullptr, thread.GetThreadHandle());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.GetThreadHandle(), 2000));
    DWORD code = 99;
    GetExitCodeThread(thread.GetThreadHandle(), &code);
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(thread.SetInterval(0));
}

// A family crossbar without an S-video input.
class CNoSVideoCrossBar : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
    void SetPinMap() override
    {
        const int map[kInputCount] = {0, 1, -1, 2, 3, -1};
        for (int i = 0; i < kInputCount; i++)
            m_nPinMap[i] = map[i];
    }
};

TEST(CrossBarFilterTest, RoutesThroughThePinMapWithinBounds)
{
    FakeCrossbarFilter fake(2, 6);
    CCrossBarFilter crossbar(NULL, static_cast<const CLSID*>(NULL));
    crossbar.AttachFilter(&fake);
    ASSERT_TRUE(crossbar.InitOnce());

    struct Case
    {
        int input, output;
        BOOL result;
    } routes[] = {{6, 0, FALSE}, {-1, 0, FALSE}, {0, 2, FALSE}, {0, -1, FALSE}, {5, 1, TRUE}};
    for (const Case& c : routes) {
        fake.routes.clear();
        EXPECT_EQ(c.result, crossbar.Route(c.input, c.output)) << c.input << "," << c.output;
        // Refusals never reach the driver.
        EXPECT_EQ(c.result ? 1u : 0u, fake.routes.size());
    }
    EXPECT_EQ((std::pair<long, long>(1, 5)), fake.routes[0]);

    struct Logical
    {
        bool video;
        int which;
        long output, input;
    } logical[] = {{true, 7, 0, 0}, {true, 1, 0, 1}, {true, 2, 0, 2},
                   {false, 0, 1, 3}, {false, 1, 1, 4}, {false, 2, 1, 5}};
    for (const Logical& c : logical) {
        fake.routes.clear();
        EXPECT_TRUE(c.video ? crossbar.RouteVideoInput(c.which) : crossbar.RouteAudioInput(c.which));
        ASSERT_EQ(1u, fake.routes.size());
        EXPECT_EQ((std::pair<long, long>(c.output, c.input)), fake.routes[0]);
    }

    CNoSVideoCrossBar family(NULL, static_cast<const CLSID*>(NULL));
    family.AttachFilter(&fake);
    ASSERT_TRUE(family.InitOnce());
    fake.routes.clear();
    EXPECT_FALSE(family.RouteVideoInput(2));
    EXPECT_FALSE(family.RouteAudioInput(2));
    EXPECT_TRUE(family.RouteAudioInput(1));
    ASSERT_EQ(1u, fake.routes.size());
    EXPECT_EQ((std::pair<long, long>(1, 3)), fake.routes[0]);
}

// A family that found the driver's TV tuner filter upstream.
class CUpstreamTunerCard : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    void TakeTVTuner(IBaseFilter* filter)
    {
        if (filter)
            filter->AddRef();
        if (m_pTVTuner)
            m_pTVTuner->Release();
        m_pTVTuner = filter;
    }
};

TEST(TVTunerTest, QueryTVTunerHandsOutTheUpstreamTunerCounted)
{
    FakeTVTunerFilter tunerFilter;
    FakeCaptureFilter notATuner(NULL);
    {
        CUpstreamTunerCard card(NULL, static_cast<const CLSID*>(NULL));
        void* out = &out;
        EXPECT_EQ(E_POINTER, card.QueryTVTuner(&out));  // none found

        card.TakeTVTuner(&tunerFilter);
        EXPECT_EQ(E_POINTER, card.QueryTVTuner(NULL));
        ASSERT_EQ(S_OK, card.QueryTVTuner(&out));
        EXPECT_EQ(static_cast<void*>(static_cast<IAMTVTuner*>(&tunerFilter)), out);
        EXPECT_EQ(3u, tunerFilter.Refs());  // ours, the card's, the caller's
        static_cast<IAMTVTuner*>(out)->Release();

        card.TakeTVTuner(&notATuner);
        EXPECT_EQ(E_NOINTERFACE, card.QueryTVTuner(&out));
        EXPECT_EQ(nullptr, out);
        card.TakeTVTuner(&tunerFilter);
    }
    // The card released the tuner filter when it went away.
    EXPECT_EQ(1u, tunerFilter.Refs());
    EXPECT_EQ(1u, notATuner.Refs());
}

TEST(TVTunerTest, PutCountryCodeReachesTheDriver)
{
    FakeTVTunerFilter fake;
    fake.refusedCountry = 999;
    {
        CTVTunerFilter tuner(NULL, static_cast<const CLSID*>(NULL));
        ASSERT_TRUE(tuner.AttachFilter(&fake));
        EXPECT_TRUE(tuner.PutCountryCode(49));
        LONG country = 0;
        EXPECT_EQ(S_OK, fake.get_CountryCode(&country));
        EXPECT_EQ(49, country);
        EXPECT_FALSE(tuner.PutCountryCode(999));
        EXPECT_EQ(S_OK, fake.get_CountryCode(&country));
        EXPECT_EQ(49, country);
    }
    EXPECT_EQ(1u, fake.Refs());
}

TEST(CrossBarFilterTest, TunerFilterWithoutTheInterface)
{
    FakeCrossbarFilter fake(2, 6);
    CTVTunerFilter tuner(NULL, static_cast<const CLSID*>(NULL));
    tuner.AttachFilter(&fake);
    EXPECT_FALSE(tuner.PutCountryCode(49));
    FakeCaptureFilter noCrossbar(NULL);
    CCrossBarFilter crossbar(NULL, static_cast<const CLSID*>(NULL));
    crossbar.AttachFilter(&noCrossbar);
    crossbar.InitOnce();
    EXPECT_FALSE(crossbar.Route(0, 0));
}

} // namespace
