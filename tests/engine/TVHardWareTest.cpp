// The hardware object without a card: capture sizes by standard, the
// caches its controls keep, graph steps that find filters missing, the
// wallpaper taken away and put back (also after a run that ended without
// doing so), the teletext program found by its window, and the tuner's
// country handed to the first device of the right name.
#include "engine/TVHardWare.h"
#include "engine/TVManager.h"
#include "graph/ComObject.h"

#include "graph/wrappers/DeinterlaceFilter.h"
#include "tests/support/FakeFilter.h"
#include "tests/support/TestClassObject.h"
#include "tests/support/TestDevices.h"

#include <gtest/gtest.h>

#include <ks.h>
#include <ksmedia.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TEST(TVHardWare, MapVideoSizeFollowsTheLineCount)
{
    const struct { SIZE asked; SIZE on625; SIZE on525; } cases[] = {
        {{160, 100}, {176, 144}, {160, 120}},
        {{176, 600}, {176, 144}, {160, 120}},
        {{320, 240}, {352, 288}, {352, 240}},
        {{352, 480}, {352, 576}, {352, 480}},
        {{480, 100}, {480, 576}, {480, 480}},
        {{640, 576}, {640, 480}, {640, 480}},
        {{704, 288}, {704, 288}, {720, 240}},
        {{704, 576}, {704, 576}, {720, 480}},
        {{720, 288}, {720, 288}, {720, 240}},  // one field of each standard
        {{720, 479}, {720, 288}, {720, 240}},
        {{720, 480}, {720, 576}, {720, 480}},
        {{500, 300}, {500, 300}, {500, 300}},  // not a card size: as asked
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.asked.cx << "x" << c.asked.cy);
        EXPECT_EQ(CSize(c.on625), CTVHardWare::MapVideoSize(CSize(c.asked), FALSE));
        EXPECT_EQ(CSize(c.on525), CTVHardWare::MapVideoSize(CSize(c.asked), TRUE));
    }
    const DWORD lines525[] = {AnalogVideo_NTSC_M, AnalogVideo_NTSC_M_J, AnalogVideo_NTSC_433, AnalogVideo_PAL_M,
                              AnalogVideo_PAL_60};
    const DWORD lines625[] = {AnalogVideo_PAL_B, AnalogVideo_PAL_N, AnalogVideo_SECAM_L, 0};
    for (DWORD standard : lines525)
        EXPECT_TRUE(CTVHardWare::Is525LineStandard(standard)) << standard;
    for (DWORD standard : lines625)
        EXPECT_FALSE(CTVHardWare::Is525LineStandard(standard)) << standard;
}

TEST(TVHardWare, WithoutACardControlsAreCachedAndTheGraphIsNotBuilt)
{
    CTVHardWare hw;
    EXPECT_FALSE(hw.SetVideoProperty(2, -20));
    EXPECT_EQ(-20, hw.GetCachedVideoProperty(2));
    EXPECT_FALSE(hw.SetOverlayProperty(1, 5000));  // no overlay mixer
    EXPECT_EQ(5000, hw.GetCachedOverlayProperty(1));
    EXPECT_FALSE(hw.SetTVAudioMode(5));
    EXPECT_EQ(5, hw.GetTVAudioMode());
    EXPECT_FALSE(hw.SetDeinterlace(TRUE));
    EXPECT_FALSE(hw.TakeSnapshot("x.bmp", 1, 80));
    EXPECT_FALSE(hw.EnableOpenComputer(30, TRUE));
    EXPECT_FALSE(hw.StartScan(TRUE, FALSE));
    EXPECT_FALSE(hw.IsScanning());
    const float points[] = {471.25f};
    EXPECT_FALSE(hw.SetFrequencyPoints(points, 1));
    EXPECT_FALSE(hw.SetNotifyWindow(NULL));

    // Every step finds its filters missing and says so, never touching them.
    EXPECT_FALSE(hw.BuildPreviewGraph());
    EXPECT_FALSE(hw.SelectInput(1));
    EXPECT_EQ(1, hw.GetInputMode());
    EXPECT_FALSE(hw.IsCaptureConnected());
    EXPECT_FALSE(hw.HasAudioPin());
    hw.CloseDevice();
    EXPECT_FALSE(hw.RunPreview());
    EXPECT_TRUE(hw.SetVideoSize(CSize(320, 240)));  // kept for the next preview
    EXPECT_EQ(CSize(352, 288), hw.GetVideoSize());
}

TEST(TVHardWare, RebuildsAreRefusedWhileARecordingRuns)
{
    CTVHardWare hw;
    hw.SetRecording(TRUE);
    EXPECT_FALSE(hw.SetVideoSize(CSize(320, 240)));
    EXPECT_EQ(CSize(720, 576), hw.GetVideoSize());
    EXPECT_FALSE(hw.SetUseOverlay(FALSE));
    EXPECT_TRUE(hw.IsOverlayInUse());
    EXPECT_FALSE(hw.SetAudioDevice("Some Device"));
    hw.SetRecording(FALSE);
    hw.SetTFRunning(TRUE);
    EXPECT_FALSE(hw.SetVideoSize(CSize(320, 240)));
    EXPECT_FALSE(hw.SetUseOverlay(FALSE));
}

// A desktop whose wallpaper is a string.
class FakeWallpaper : public IWallpaper
{
public:
    BOOL GetWallpaper(CString& path) override
    {
        path = current.c_str();
        return readable;
    }
    BOOL SetWallpaper(LPCSTR path) override
    {
        sets.push_back(path);
        if (!writable)
            return FALSE;
        current = path;
        return TRUE;
    }
    std::string current;
    std::vector<std::string> sets;
    BOOL readable = TRUE;
    BOOL writable = TRUE;
};

class WallpaperTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The values go below a key of ours in the current user's hive.
        RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath().c_str());
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath().c_str()); }
    std::unique_ptr<CTVHardWare> Make(FakeWallpaper& desktop)
    {
        std::unique_ptr<CTVHardWare> hw(new CTVHardWare);
        hw->SetRegistryRoot(HKEY_CURRENT_USER);
        hw->SetWallpaper(&desktop);
        return hw;
    }
    static std::string KeyPath() { return "SOFTWARE\\" + std::string(CTVManager::GetAppTitle()); }
    static std::string Remembered()
    {
        char value[MAX_PATH] = {0};
        DWORD size = sizeof value;
        if (RegGetValueA(HKEY_CURRENT_USER, (KeyPath() + "\\Common").c_str(), "SavedWallpaper", RRF_RT_REG_SZ,
                         NULL, value, &size) != ERROR_SUCCESS)
            return "(none)";
        return value;
    }
    FakeWallpaper desktop;
};

TEST_F(WallpaperTest, TakenAwayOnceAndPutBack)
{
    desktop.current = "C:\\pictures\\beach.bmp";
    auto hw = Make(desktop);
    EXPECT_FALSE(hw->RestoreWallpaper());  // nothing saved
    ASSERT_TRUE(hw->ApplyDesktopWallpaper());
    EXPECT_EQ("", desktop.current);
    EXPECT_EQ("C:\\pictures\\beach.bmp", Remembered());
    // Again while it is away: the user's wallpaper stays remembered.
    EXPECT_FALSE(hw->ApplyDesktopWallpaper());
    EXPECT_EQ("C:\\pictures\\beach.bmp", std::string(hw->GetSavedWallpaper()));
    ASSERT_TRUE(hw->RestoreWallpaper());
    EXPECT_EQ("C:\\pictures\\beach.bmp", desktop.current);
    EXPECT_EQ("(none)", Remembered());
    EXPECT_FALSE(hw->RestoreWallpaper());

    // No wallpaper: nothing to take away.
    desktop.current.clear();
    EXPECT_FALSE(hw->ApplyDesktopWallpaper());
    EXPECT_EQ("(none)", Remembered());
}

TEST_F(WallpaperTest, ARunThatEndsWithoutPuttingItBackLeavesItToTheNextStart)
{
    desktop.current = "C:\\pictures\\forest.bmp";
    {
        auto crashed = Make(desktop);
        ASSERT_TRUE(crashed->ApplyDesktopWallpaper());
    }   // no RestoreWallpaper: as after a crash
    EXPECT_EQ("", desktop.current);
    auto next = Make(desktop);
    ASSERT_TRUE(next->RestoreSavedWallpaper());
    EXPECT_EQ("C:\\pictures\\forest.bmp", desktop.current);
    EXPECT_EQ("(none)", Remembered());
    EXPECT_FALSE(next->RestoreSavedWallpaper());

    // A desktop that refuses the empty wallpaper keeps the user's, and
    // nothing is remembered.
    desktop.writable = FALSE;
    EXPECT_FALSE(next->ApplyDesktopWallpaper());
    EXPECT_EQ("(none)", Remembered());
    EXPECT_TRUE(next->GetSavedWallpaper().IsEmpty());
}

const char kTeletextWindow[] = "PC Text Pro Light Version";

bool WaitForWindow(bool present, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20)) {
        if ((FindWindowA(NULL, kTeletextWindow) != NULL) == present)
            return true;
    }
    return false;
}

TEST(TVHardWare, TheTeletextProgramStartsOnceAndCloses)
{
    char module[MAX_PATH] = {0};
    GetModuleFileNameA(NULL, module, MAX_PATH);
    std::string standin = module;
    standin = standin.substr(0, standin.find_last_of('\\') + 1) + "teletext_standin.exe";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(standin.c_str()));

    CTVHardWare hw;
    EXPECT_FALSE(hw.IsTeletextRunning());
    EXPECT_FALSE(hw.CloseTeletext());
    EXPECT_FALSE(hw.ActivateTeletext());
    hw.SetTeletextProgram("C:\\no\\such\\teletext.exe");
    EXPECT_FALSE(hw.StartTeletext());

    hw.SetTeletextProgram(standin.c_str());
    ASSERT_TRUE(hw.StartTeletext());
    ASSERT_TRUE(WaitForWindow(true, 10000));
    EXPECT_TRUE(hw.IsTeletextRunning());
    EXPECT_FALSE(hw.StartTeletext());  // already running: not a second one
    EXPECT_TRUE(hw.CloseTeletext());
    EXPECT_TRUE(WaitForWindow(false, 10000));
}

// A TV tuner filter that keeps the country it was given.
class CountryTuner : public ComCounted<IAMTVTuner>
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        using Row = ComInterface<CountryTuner>;
        static constexpr Row kRows[] = {
            Row::Via<IAMTVTuner>(IID_IUnknown),
            Row::Via<IAMTVTuner>(IID_IAMTuner),
            Row::Via<IAMTVTuner>(IID_IAMTVTuner),
        };
        return QueryInterfaceTable(this, kRows, iid, out);
    }
    STDMETHODIMP put_CountryCode(long code) override
    {
        country = code;
        return S_OK;
    }
    STDMETHODIMP get_CountryCode(long* code) override
    {
        *code = country;
        return S_OK;
    }
    STDMETHODIMP put_Channel(long, long, long) override { return E_NOTIMPL; }
    STDMETHODIMP get_Channel(long*, long*, long*) override { return E_NOTIMPL; }
    STDMETHODIMP ChannelMinMax(long*, long*) override { return E_NOTIMPL; }
    STDMETHODIMP put_TuningSpace(long) override { return E_NOTIMPL; }
    STDMETHODIMP get_TuningSpace(long*) override { return E_NOTIMPL; }
    STDMETHODIMP Logon(HANDLE) override { return E_NOTIMPL; }
    STDMETHODIMP Logout() override { return E_NOTIMPL; }
    STDMETHODIMP SignalPresent(long*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Mode(AMTunerModeType) override { return E_NOTIMPL; }
    STDMETHODIMP get_Mode(AMTunerModeType*) override { return E_NOTIMPL; }
    STDMETHODIMP GetAvailableModes(long*) override { return E_NOTIMPL; }
    STDMETHODIMP RegisterNotificationCallBack(IAMTunerNotification*, long) override { return E_NOTIMPL; }
    STDMETHODIMP UnRegisterNotificationCallBack(IAMTunerNotification*) override { return E_NOTIMPL; }
    STDMETHODIMP get_AvailableTVFormats(long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_TVFormat(long*) override { return E_NOTIMPL; }
    STDMETHODIMP AutoTune(long, long*) override { return E_NOTIMPL; }
    STDMETHODIMP StoreAutoTune() override { return E_NOTIMPL; }
    STDMETHODIMP get_NumInputConnections(long*) override { return E_NOTIMPL; }
    STDMETHODIMP put_InputType(long, TunerInputType) override { return E_NOTIMPL; }
    STDMETHODIMP get_InputType(long, TunerInputType*) override { return E_NOTIMPL; }
    STDMETHODIMP put_ConnectInput(long) override { return E_NOTIMPL; }
    STDMETHODIMP get_ConnectInput(long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_VideoFrequency(long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_AudioFrequency(long*) override { return E_NOTIMPL; }

    long country = 0;
};

// {9E3A1C52-7D14-4B8E-A0F6-2C5B8D9E1A01}: a private tuner category, and the
// class ids of its two devices.
const GUID kTunerCategory = {0x9e3a1c52, 0x7d14, 0x4b8e, {0xa0, 0xf6, 0x2c, 0x5b, 0x8d, 0x9e, 0x1a, 0x01}};
const CLSID kShortNameTuner = {0x9e3a1c52, 0x7d14, 0x4b8e, {0xa0, 0xf6, 0x2c, 0x5b, 0x8d, 0x9e, 0x1a, 0x02}};
const CLSID kFullNameTuner = {0x9e3a1c52, 0x7d14, 0x4b8e, {0xa0, 0xf6, 0x2c, 0x5b, 0x8d, 0x9e, 0x1a, 0x03}};

TEST(TVHardWare, TheCountryGoesToTheFirstTunerWithTheWholeName)
{
    CountryTuner shortTuner, fullTuner;
    FakeFilter* shortFilter = new FakeFilter(kShortNameTuner, L"Short");
    FakeFilter* fullFilter = new FakeFilter(kFullNameTuner, L"Full");
    shortFilter->AddInterface(IID_IAMTVTuner, &shortTuner);
    fullFilter->AddInterface(IID_IAMTVTuner, &fullTuner);
    {
        TestClassObject shortClass(kShortNameTuner, shortFilter);
        TestClassObject fullClass(kFullNameTuner, fullFilter);
        // Listed first, the device whose name is only the start of the one
        // asked for; a comparison over the shorter name would take it.
        TestDeviceCategory devices(kTunerCategory, {{L"Tuner 1", L"713x BDA", &kShortNameTuner},
                                                    {L"Tuner 2", L"713x BDA Analog TV Tuner", &kFullNameTuner}});
        ASSERT_TRUE(shortClass.Ok() && fullClass.Ok() && devices.Ok());

        PreviewDevices table = kPreviewDevices;
        table.tunerCategory = &kTunerCategory;
        CTVHardWare hw;
        hw.SetDevices(table);
        EXPECT_TRUE(hw.CreateTunerFilter(852));
        EXPECT_EQ(852, fullTuner.country);
        EXPECT_EQ(0, shortTuner.country);

        table.tvTuner = "";  // an empty name matches nothing
        hw.SetDevices(table);
        EXPECT_FALSE(hw.CreateTunerFilter(49));
        table.tvTuner = "713x BDA Analog TV Tuner (2)";  // longer than any device
        hw.SetDevices(table);
        EXPECT_FALSE(hw.CreateTunerFilter(49));
        EXPECT_EQ(852, fullTuner.country);
        EXPECT_EQ(0, shortTuner.country);
    }
    shortFilter->Release();
    fullFilter->Release();
}

} // namespace
