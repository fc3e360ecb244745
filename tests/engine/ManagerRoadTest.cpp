// The manager brought up on the virtual card as the program does it: from a
// settings file to the live picture, a channel tuned from the table, a scan
// that finds the card's carriers and nothing else, the table saved and read
// back; each missing device's start-up error with the channel files left as
// they were; a scan stopped half-way and a second one.
#include "FakeDisks.h"
#include "FakeRecordGraphs.h"
#include "RecordingUi.h"
#include "ScreenPicture.h"

#include "cards/TVCardFilter.h"
#include "engine/TVManager.h"
#include "graph/FilterCreatorRecord.h"
#include "graph/Guids.h"
#include "graph/wrappers/DeinterlaceFilter.h"
#include "graph/WindowMessages.h"
#include "platform/timing/Timing.h"
#include "platform/virtualcard/Carriers.h"
#include "tests/support/FakeFilter.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestClassObject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// A frequency between the card's carriers, at least a scan window away.
const double kEmptyMHz[] = {180.0, 300.0, 520.0, 700.0};
const CLSID kMissingClass = {0x5d1e7a90, 0x33b2, 0x4c61, {0x9f, 0x0a, 0x6e, 0x21, 0x84, 0xc7, 0x52, 0x1a}};

// An object that answers to every interface and is never called: the
// control interface a wrapper only asks for.
struct AnyInterface : IUnknown
{
    STDMETHODIMP QueryInterface(REFIID, void** out) override
    {
        *out = this;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
};

BOOL NoAudioDevices(CStringArray&, LPCSTR)
{
    return TRUE;
}

// The carriers the virtual card receives in this prefix (its settings file
// beside the DLL, or its default list).
std::vector<double> CardCarriers()
{
    char path[MAX_PATH] = {0};
    HMODULE card = GetModuleHandleA("VirtualCard.dll");
    if (!card || !GetModuleFileNameA(card, path, MAX_PATH))
        return virtualcard::DefaultCarriers();
    return virtualcard::LoadCarriers(virtualcard::SettingsPathBeside(path));
}

class ManagerRoad : public ::testing::Test
{
protected:
    void TearDown() override { manager.reset(); }

    // The settings and channel files of a user in Germany, scanning the
    // cable points of "ChannelPoint.ini".
    void WriteFiles(const std::vector<double>& pointsMHz)
    {
        dir.Write("TVParam.ini", "[Channel]\r\nTVInput=0\r\nCountryCode=49\r\n"
                                 "[Device]\r\nTunerStandard=32\r\nVideoSource=0\r\n");
        std::string points = "[49,0," + std::to_string(pointsMHz.size()) + ",Germany]\r\n";
        for (size_t i = 0; i < pointsMHz.size(); ++i)
            points += std::to_string(i + 1) + "=" + std::to_string(pointsMHz[i]) + "\r\n";
        dir.Write("ChannelPoint.ini", points);
        CChannelTable tv, fm;
        tv.SetFM(FALSE);
        fm.SetFM(TRUE);
        tv.AddChannel(CChannel(1, 175250, "E5", CHANNEL_VALID));
        tv.AddChannel(CChannel(2, 471250, "E21", CHANNEL_VALID));
        fm.AddChannel(CChannel(1, 98500, "Radio", CHANNEL_VALID));
        ASSERT_TRUE(tv.SaveToFile(dir.File("TVChannel.tvc").c_str()));
        ASSERT_TRUE(fm.SaveToFile(dir.File("FMChannel.fmc").c_str()));
    }

    // The application's bring-up, up to the manager's start-up.
    BOOL BringUp(const PreviewDevices& devices = kPreviewDevices)
    {
        manager.reset(new CTVManager(dir.Path().c_str(), &ui));
        manager->GetHardware().SetDevices(devices);
        manager->GetHardware().SetVideoWindow(host.Handle());
        manager->InitNameTables();
        manager->InitResourceIdMaps();
        manager->LoadSettings();
        manager->ApplyLoadedSettings();
        return manager->Startup();
    }

    // The video window's part of a scan: the band's table taken aside and
    // emptied when the scan display opens, every point tried added as a
    // channel (visible when the tuner locked), the manager told at the end.
    void WatchScan()
    {
        ui.onScanDisplay = [this]() {
            previous.RemoveAll();
            previous.CopyChannels(manager->GetTVTable());
            manager->GetTVTable().RemoveAll();
            window.Clear();
        };
    }
    bool FinishScan(DWORD timeoutMs)
    {
        if (!window.WaitFor(WM_SEARCH_END, timeoutMs))
            return false;
        CChannelTable& table = manager->GetTVTable();
        for (const PostedMessage& point : window.MessagesOf(WM_SEARCH_POINT)) {
            const long number = (long)table.GetSize() + 1;
            CChannel channel(number, (long)point.wParam, ("TV-" + std::to_string(number)).c_str(),
                             CHANNEL_VALID);
            channel.SetHidden(point.lParam <= 0);
            table.AddChannel(channel);
        }
        manager->FinishScan(previous);
        return true;
    }
    static std::set<long> Frequencies(const CChannelTable& table, bool visible)
    {
        std::set<long> found;
        for (INT_PTR i = 0; i < table.GetSize(); ++i) {
            if (table.GetChannel((int)i)->IsVisible() == visible)
                found.insert(table.GetChannel((int)i)->Frequency);
        }
        return found;
    }
    std::string WaitForLine(int line, const std::string& expected)
    {
        std::string read;
        Frame picture;
        const CSize size = manager->GetVideoSize();
        for (DWORD start = GetTickCount(); GetTickCount() - start < 8000;) {
            PreviewHost::Pump(80);
            if (ReadPicture(host.Handle(), size.cx, size.cy, &picture)) {
                read = ReadLine(picture, line);
                if (read == expected)
                    break;
            }
        }
        return read;
    }

    TempFolder dir;
    MessageBoxCapture boxes;
    RecordingUi ui;
    MessageWindow window;
    PreviewHost& host = SharedPreviewHost();
    std::unique_ptr<CTVManager> manager;
    CChannelTable previous;
};

TEST_F(ManagerRoad, FromTheSettingsFileToAScannedTableReadBack)
{
    const std::vector<double> carriers = virtualcard::DefaultCarriers();
    std::vector<double> points;
    for (double kHz : carriers)
        points.push_back(kHz / 1000);
    points.insert(points.end(), std::begin(kEmptyMHz), std::end(kEmptyMHz));
    std::sort(points.begin(), points.end());
    WriteFiles(points);

    ASSERT_TRUE(BringUp());
    const DWORD code = GetStartupErrorCode();
    EXPECT_TRUE(code == 0 || code == kErrorNoAudioDevice) << std::hex << code;
    ASSERT_TRUE(manager->ValidateSettings());
    EXPECT_EQ(2, manager->GetTVTable().GetSize());  // the channel files were read
    EXPECT_EQ(1, manager->GetFMTable().GetSize());
    EXPECT_EQ(points.size(), manager->GetScanFrequencies().size());
    ASSERT_EQ(carriers, CardCarriers()) << "this prefix's card has carriers of its own";

    // The live picture of a channel of the table, tuned through the
    // manager, in the standard the settings saved.
    ASSERT_TRUE(manager->SetNotifyWindow(window.Handle()));
    ASSERT_TRUE(manager->RunPreview());
    CChannelTable& tv = manager->GetTVTable();
    ASSERT_TRUE(tv.SetCurrentChannel(tv.GetChannel(1)));
    EXPECT_EQ(471250, manager->GetCurrentChannel()->Frequency);
    EXPECT_EQ("TUNER 471.225 MHZ LOCKED", WaitForLine(0, "TUNER 471.225 MHZ LOCKED"));
    EXPECT_EQ("PAL-D 25 FPS", WaitForLine(1, "PAL-D 25 FPS"));

    // The scan: every point tried, the carriers and nothing else found.
    WatchScan();
    ASSERT_TRUE(manager->StartScan(TRUE));
    EXPECT_TRUE(manager->IsScanning());
    EXPECT_EQ(1, ui.scanDisplays);
    ASSERT_TRUE(FinishScan(30000));
    EXPECT_FALSE(manager->IsScanning());
    std::set<long> expected;
    for (double kHz : carriers)
        expected.insert((long)kHz);
    EXPECT_EQ(expected, Frequencies(tv, true));
    EXPECT_EQ(std::set<long>({180000, 300000, 520000, 700000}), Frequencies(tv, false));
    EXPECT_TRUE(tv.IsModified());

    // Saved and read back: the channels found (the file keeps visible
    // channels only).
    ASSERT_TRUE(manager->SaveChannelTables());
    CChannelTable reread;
    ASSERT_TRUE(reread.LoadFromFile(dir.File("TVChannel.tvc").c_str()));
    EXPECT_EQ(expected, Frequencies(reread, true));
    for (INT_PTR i = 0; i < reread.GetSize(); ++i) {
        const CChannel* back = reread.GetChannel((int)i);
        EXPECT_EQ(tv.GetChannel(tv.FindByFrequency(back->Frequency))->Name, back->Name);
    }
    manager->CloseDevice();
}

TEST_F(ManagerRoad, EachMissingDeviceEndsStartUpWithTheChannelFilesUntouched)
{
    WriteFiles({175.25, 471.25});
    const std::string tvBefore = dir.Read("TVChannel.tvc");
    const std::string fmBefore = dir.Read("FMChannel.fmc");

    // A deinterlace filter that takes no picture: the capture probe fails
    // without any device missing.
    const CLSID kDeafDeinterlace = {0x5d1e7a90, 0x33b2, 0x4c61, {0x9f, 0x0a, 0x6e, 0x21, 0x84, 0xc7, 0x52, 0x1b}};
    FakeFilter* filter = new FakeFilter(kDeafDeinterlace, L"Deaf deinterlace");
    filter->AddPin(L"Preview", PINDIR_OUTPUT);
    AnyInterface control;
    filter->AddInterface(IID_IDeinterlaceControl, &control);
    std::unique_ptr<TestClassObject> deaf(new TestClassObject(kDeafDeinterlace, filter));
    ASSERT_TRUE(deaf->Ok());
    FilterCreatorRecord record =
        FILTER_CREATOR_RECORD(&kDeafDeinterlace, NULL, "Deaf Deinterlace", CreateFilterWrapper<CDeinterlaceFilter>);
    FilterCreatorRecord::Register(&record);

    const struct {
        const char* what;
        std::function<void(PreviewDevices&)> take;
        DWORD code;
        BOOL started;
    } cases[] = {
        {"no capture filter", [](PreviewDevices& d) { d.bdaCapture = d.wdmCapture = "713x Missing Capture"; },
         kErrorNoCaptureFilter, FALSE},
        {"no crossbar", [](PreviewDevices& d) { d.bdaCrossbar = "713x Missing Xbar"; }, kErrorNoCrossbar, FALSE},
        {"no enhanced renderer", [](PreviewDevices& d) { d.evr = &kMissingClass; }, kErrorNoVideoRenderer, FALSE},
        {"no deinterlace filter", [](PreviewDevices& d) { d.deinterlace = &kMissingClass; }, kErrorNoDeinterlace,
         FALSE},
        {"a capture that connects to nothing",
         [&](PreviewDevices& d) { d.deinterlace = &kDeafDeinterlace; }, kErrorNoCaptureFilter, FALSE},
        {"no audio capture device (the user may go on)",
         [](PreviewDevices& d) { d.listAudioDevices = &NoAudioDevices; }, kErrorNoAudioDevice, TRUE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PreviewDevices devices = kPreviewDevices;
        c.take(devices);
        EXPECT_EQ(c.started, BringUp(devices));
        EXPECT_EQ(c.code, GetStartupErrorCode()) << std::hex << GetStartupErrorCode();
        if (!c.started) {
            EXPECT_EQ(0, manager->GetTVTable().GetSize());  // never read
        }
        // The exit sequence: the device closed, settings and tables saved.
        manager->CloseDevice();
        EXPECT_TRUE(manager->SaveSettings());
        EXPECT_TRUE(manager->SaveChannelTables());
        manager.reset();
        EXPECT_EQ(tvBefore, dir.Read("TVChannel.tvc"));
        EXPECT_EQ(fmBefore, dir.Read("FMChannel.fmc"));
    }
    FilterCreatorRecord::Unregister(&record);
    deaf.reset();
    filter->Release();
}

TEST_F(ManagerRoad, AScanStoppedHalfWayThenASecondOne)
{
    WriteFiles({175.25, 180.0, 300.0, 471.25, 520.0, 623.25});
    ASSERT_TRUE(BringUp());
    ASSERT_TRUE(manager->SetNotifyWindow(window.Handle()));
    WatchScan();
    // A record disk with room, and the record graphs' calls counted.
    FakeDisks disks;
    disks.Add("P:\\", 5000);
    FakeRecordGraphs graphs;
    manager->SetRecordGraphs(&graphs);
    manager->InitRecordDisk(window.Handle());

    ASSERT_TRUE(manager->StartScan(TRUE));
    // While it runs: no second scan, no recording, and its list stays the
    // tuner's own.
    EXPECT_FALSE(manager->StartScan(TRUE));
    EXPECT_FALSE(manager->StartRecord());
    EXPECT_EQ(0, graphs.runs);
    EXPECT_TRUE(manager->IsScanning());
    ASSERT_TRUE(window.WaitFor(WM_SEARCH_POINT, 10000, 2));
    manager->StopScan();
    EXPECT_FALSE(manager->IsScanning());
    EXPECT_TRUE(manager->StartRecord());
    EXPECT_TRUE(manager->StopRecord());
    manager->SetRecordGraphs(NULL);
    EXPECT_EQ(1, ui.channelButtonUpdates);
    window.Pump();
    const size_t tried = window.CountOf(WM_SEARCH_POINT);
    EXPECT_GE(tried, 2u);
    EXPECT_LT(tried, 6u);

    ASSERT_TRUE(manager->StartScan(TRUE));
    ASSERT_TRUE(FinishScan(30000));
    const std::vector<PostedMessage> points = window.MessagesOf(WM_SEARCH_POINT);
    ASSERT_EQ(6u, points.size());
    EXPECT_EQ(175250u, points.front().wParam);
    EXPECT_EQ(623250u, points.back().wParam);
    EXPECT_EQ(std::set<long>({175250, 471250, 623250}), Frequencies(manager->GetTVTable(), true));
}

// On the way out the card's power-on timer gets the whole minutes left
// until the earliest scheduled start less the lead.
TEST_F(ManagerRoad, ThePowerOnTimerCountsTheMinutesToTheNextRecording)
{
    WriteFiles({175.25});
    ASSERT_TRUE(BringUp());
    ASSERT_TRUE(Timing_Initialize(dir.File("Rec.rec").c_str(), 128));
    const CTime now = CTime::GetCurrentTime();
    // Two hours and five minutes after the lead: 125 minutes, not 5.
    const CTime start = now + CTimeSpan(0, 2, 5, 30) + CTimeSpan(manager->GetStartUpTime());
    _tagTimingParam timing = {start.GetYear(), start.GetMonth(), start.GetDay(), start.GetHour(),
                              start.GetMinute(), start.GetSecond(), 600, 1, 0, 0};
    _tagExcuteParam execute = {44, 0, 600, 0, 0, 175250, 0, 0, {0, 0, 0}};
    ASSERT_NE(nullptr, Timing_InsertItem(0, timing, &execute));
    manager->SetEnableOpen(TRUE);
    EXPECT_TRUE(manager->SetOpenComputerTime(now));
    Timing_Uninitialize();

    CTVCardFilter* card = manager->GetHardware().GetCardFilter();
    ASSERT_NE(nullptr, card);
    WORD minutes = 0;
    bool read = false;
    for (int attempt = 0; attempt < 5 && !read; ++attempt) // the controller may miss its handshake
        read = card->GetOpenComputerTime(&minutes) != FALSE;
    ASSERT_TRUE(read);
    EXPECT_EQ(125, minutes);
}

} // namespace
