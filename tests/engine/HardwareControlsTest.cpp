// The hardware object's controls on the virtual card, and the manager's
// picture controls over it: the TV sound mode, deinterlace options and
// snapshots, the power-on timer, remote polling, the scan set-up with a
// list the tuner keeps for itself, and the range-checked setters.
#include "ScreenPicture.h"

#include "cards/TVCardFilter.h"
#include "engine/TVHardWare.h"
#include "engine/TVManager.h"
#include "graph/ComPtr.h"
#include "graph/wrappers/DeinterlaceFilter.h"
#include "graph/WindowMessages.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <ks.h>
#include <ksmedia.h>

#include <memory>
#include <vector>

namespace {

class Controls : public ::testing::Test
{
protected:
    void SetUp() override
    {
        hw.reset(new CTVHardWare);
        hw->SetVideoWindow(host.Handle());
        ASSERT_TRUE(hw->CreatePreviewFilter()) << std::hex << GetStartupErrorCode();
        ASSERT_TRUE(hw->SetVideoStandard(AnalogVideo_PAL_B));
        card = hw->GetCardFilter();
    }
    void TearDown() override { hw.reset(); }

    PreviewHost& host = SharedPreviewHost();
    std::unique_ptr<CTVHardWare> hw;
    CTVCardFilter* card = nullptr;
};

TEST_F(Controls, TheSoundModeReachesTheCardsTVAudio)
{
    ComPtr<IBaseFilter> filter;
    ASSERT_EQ(S_OK, CRootFilter::FindDeviceFilter(AM_KSCATEGORY_TVAUDIO, "713x BDA Analog TV Audio", &filter));
    ComPtr<IAMTVAudio> audio;
    ASSERT_EQ(S_OK, filter->QueryInterface(IID_IAMTVAudio, audio.ReceiveVoid()));
    const long modes[] = {AMTVAUDIO_MODE_MONO, AMTVAUDIO_MODE_STEREO, AMTVAUDIO_MODE_LANG_A,
                          AMTVAUDIO_MODE_LANG_B, AMTVAUDIO_MODE_LANG_C};
    for (int index = 0; index < 5; ++index) {
        EXPECT_TRUE(hw->SetTVAudioMode(index)) << index;
        long mode = 0;
        ASSERT_EQ(S_OK, audio->get_TVAudioMode(&mode));
        EXPECT_EQ(modes[index], mode) << index;
    }
    EXPECT_FALSE(hw->SetTVAudioMode(5));  // kept, nothing sent
    EXPECT_EQ(5, hw->GetTVAudioMode());
    long mode = 0;
    audio->get_TVAudioMode(&mode);
    EXPECT_EQ(AMTVAUDIO_MODE_LANG_C, mode);
    // The temporary filter is gone again.
    EXPECT_EQ(NULL, hw->GetGraph().FindFilterByName("TV Audio"));

    // Without the BDA driver's TV audio filter nothing can be sent.
    PreviewDevices devices = kPreviewDevices;
    devices.tvAudio = "713x Missing TV Audio";
    hw->SetDevices(devices);
    EXPECT_FALSE(hw->SetTVAudioMode(1));
}

TEST_F(Controls, DeinterlaceOptionsAndSnapshots)
{
    ASSERT_TRUE(hw->RunPreview());
    CDeinterlaceFilter* deinterlace = hw->GetDeinterlaceFilter();
    ASSERT_TRUE(deinterlace);
    // The preview handed over the defaults.
    BOOL on = FALSE;
    int level = 0;
    ASSERT_TRUE(deinterlace->GetNoiseReduce(&on));
    EXPECT_TRUE(on);
    ASSERT_TRUE(deinterlace->GetReduceValue(&level));
    EXPECT_EQ(6, level);

    EXPECT_TRUE(hw->SetNoiseReduce(FALSE));
    EXPECT_TRUE(hw->SetHalfRate(FALSE));
    EXPECT_TRUE(hw->SetReduceValue(3));
    EXPECT_FALSE(hw->SetReduceValue(11));
    deinterlace->GetNoiseReduce(&on);
    EXPECT_FALSE(on);
    deinterlace->GetHalfRate(&on);
    EXPECT_FALSE(on);
    deinterlace->GetReduceValue(&level);
    EXPECT_EQ(3, level);

    TempFolder folder;
    const std::string path = folder.File("snap.bmp");
    BOOL taken = FALSE;
    for (DWORD start = GetTickCount(); !taken && GetTickCount() - start < 5000; Sleep(50))
        taken = hw->TakeSnapshot(path.c_str(), 1, 0);
    EXPECT_TRUE(taken);
    EXPECT_EQ("BM", folder.Read("snap.bmp").substr(0, 2));
}

// The controller answers within its handshake's time; on a loaded machine a
// read may miss it and is asked again.
WORD ReadPowerOnMinutes(CTVCardFilter* card)
{
    WORD minutes = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (card->GetOpenComputerTime(&minutes))
            return minutes;
    }
    ADD_FAILURE() << "the card's controller did not answer";
    return 0;
}

TEST_F(Controls, PowerOnTimerAndRemotePolling)
{
    EXPECT_TRUE(hw->EnableOpenComputer(90, TRUE));
    EXPECT_EQ(90, ReadPowerOnMinutes(card));
    // No minutes: only armed, the time stays.
    EXPECT_TRUE(hw->EnableOpenComputer(0, TRUE));
    EXPECT_EQ(90, ReadPowerOnMinutes(card));
    EXPECT_TRUE(hw->EnableOpenComputer(0, FALSE));

    EXPECT_TRUE(hw->StartRemote());
    EXPECT_TRUE(card->IsRemoteRunning());
    EXPECT_EQ(50, card->GetRemoteInterval());
    hw->StopRemote();
    EXPECT_FALSE(card->IsRemoteRunning());
}

TEST_F(Controls, TheScanTriesTheListTheTunerWasGiven)
{
    MessageWindow window;
    ASSERT_TRUE(hw->SetNotifyWindow(window.Handle()));
    {
        // The caller's list goes before the scan ends: the tuner has its own.
        std::vector<float> list = {175.25f, 180.0f, 471.25f};
        ASSERT_TRUE(hw->SetFrequencyPoints(list.data(), (int)list.size()));
        list.assign(list.size(), 999.0f);
    }
    ASSERT_TRUE(hw->StartScan(TRUE, FALSE));
    EXPECT_TRUE(hw->IsScanning());
    CTVTuner* tuner = hw->GetTuner();
    EXPECT_EQ(100, tuner->m_nSettleMs);
    EXPECT_EQ(251, tuner->m_nSearchWindow);
    EXPECT_EQ(100, tuner->m_nFMSkip);
    EXPECT_EQ(4000, tuner->m_nSweepJump);
    EXPECT_EQ(250, tuner->m_nSweepHalfWindow);
    const float other = 55.25f;
    EXPECT_FALSE(hw->SetFrequencyPoints(&other, 1));  // not while it reads the list
    EXPECT_FALSE(hw->StartScan(TRUE, FALSE));

    ASSERT_TRUE(window.WaitFor(WM_SEARCH_END, 20000));
    std::vector<PostedMessage> points = window.MessagesOf(WM_SEARCH_POINT);
    ASSERT_EQ(3u, points.size());
    EXPECT_EQ(175250u, points[0].wParam);
    EXPECT_EQ(1, points[0].lParam);
    EXPECT_EQ(0, points[1].lParam);
    EXPECT_EQ(471250u, points[2].wParam);
    EXPECT_EQ(1, points[2].lParam);
    EXPECT_FALSE(hw->IsScanning());
    hw->StopScan();
}

class ManagerVideo : public ::testing::Test
{
protected:
    // The enhanced renderer shows the preview in a window only.
    void SetUp() override
    {
        manager.reset(new CTVManager(dir.Path().c_str()));
        manager->GetHardware().SetVideoWindow(host.Handle());
    }
    void TearDown() override { manager.reset(); }
    long CardValue(long property)
    {
        long value = 0, flags = 0;
        ComPtr<IAMVideoProcAmp> amp;
        CTVCardFilter* card = manager->GetHardware().GetCardFilter();
        if (card && SUCCEEDED(card->GetFilter()->QueryInterface(IID_IAMVideoProcAmp, amp.ReceiveVoid())))
            amp->Get(property, &value, &flags);
        return value;
    }

    TempFolder dir;
    MessageBoxCapture boxes;
    PreviewHost& host = SharedPreviewHost();
    std::unique_ptr<CTVManager> manager;
};

TEST_F(ManagerVideo, CardControlsAreCheckedAgainstTheirRanges)
{
    // Without a card the range's default stands for the card's value.
    EXPECT_EQ(-6, manager->GetCardVideoProperty(4));
    ASSERT_TRUE(manager->GetHardware().CreatePreviewFilter()) << std::hex << GetStartupErrorCode();
    EXPECT_EQ(128, manager->SetBrightness(300));
    EXPECT_EQ(128, manager->GetBrightness());
    EXPECT_EQ(128, manager->SetBrightness(200));
    EXPECT_EQ(200, manager->GetBrightness());
    EXPECT_EQ(200, CardValue(VideoProcAmp_Brightness));
    EXPECT_EQ(200, manager->GetCardVideoProperty(0));
    manager->SetBrightness(128);

    const struct { int value; bool taken; } sharpness[] = {{-8, true}, {7, true}, {-9, false}, {8, false}};
    for (const auto& s : sharpness) {
        const int before = manager->GetSharpness();
        EXPECT_EQ(before, manager->SetSharpness(s.value)) << s.value;
        EXPECT_EQ(s.taken ? s.value : before, manager->GetSharpness()) << s.value;
    }
    EXPECT_EQ(-128, manager->GetCardRange(2).Min);

    // The channel tables tune through the manager, within the tuner's range.
    long minKHz = 0, maxKHz = 0;
    manager->GetFrequencyRange(FALSE, minKHz, maxKHz);
    EXPECT_EQ(manager->GetHardware().GetTuner()->m_nMinFreq, minKHz);
    EXPECT_EQ(manager->GetHardware().GetTuner()->m_nMaxFreq, maxKHz);
    EXPECT_TRUE(manager->TuneFrequency(FALSE, 471250));
    EXPECT_FALSE(manager->TuneFrequency(FALSE, maxKHz + 100000));

    // Unchecked: the card's answer, cached whatever it is.
    EXPECT_TRUE(manager->SetVideoProperty(1, 100));
    EXPECT_EQ(100, manager->GetContrast());
    EXPECT_EQ(100, CardValue(VideoProcAmp_Contrast));
    manager->ResetVideoProperties();
    EXPECT_EQ(68, manager->GetContrast());
    EXPECT_EQ(68, CardValue(VideoProcAmp_Contrast));
}

TEST_F(ManagerVideo, OverlayAndDeinterlaceOptions)
{
    EXPECT_FALSE(manager->SetOverlayHue(181));
    EXPECT_EQ(0, manager->GetOverlayHue());
    EXPECT_FALSE(manager->SetOverlayHue(90));  // in range, but no overlay mixer took it
    EXPECT_EQ(90, manager->GetOverlayHue());
    manager->ResetOverlayProperties();
    EXPECT_EQ(0, manager->GetOverlayHue());
    EXPECT_EQ(750, manager->GetOverlayBrightness());

    ASSERT_TRUE(manager->GetHardware().CreatePreviewFilter()) << std::hex << GetStartupErrorCode();
    EXPECT_EQ(5, manager->SetReduceValue(11));  // ignored
    EXPECT_EQ(5, manager->GetReduceValue());
    EXPECT_EQ(5, manager->SetReduceValue(3));
    EXPECT_EQ(3, manager->GetReduceValue());
    int level = 0;
    ASSERT_TRUE(manager->GetHardware().GetDeinterlaceFilter()->GetReduceValue(&level));
    EXPECT_EQ(3, level);
    EXPECT_TRUE(manager->SetNoiseReduce(FALSE));  // the previous value
    EXPECT_FALSE(manager->GetNoiseReduce());
    EXPECT_FALSE(manager->SetNoiseReduce(FALSE)); // unchanged: returned as it is
    EXPECT_TRUE(manager->SetHightQuality(FALSE));
    EXPECT_FALSE(manager->GetHightQuality());

    // The overlay is not part of the preview: the option changes, and the
    // preview is built again on the same filters.
    EXPECT_TRUE(manager->SetUseOverlay(TRUE));  // unchanged
    EXPECT_TRUE(manager->SetUseOverlay(FALSE));
    // The window's messages flow between commands, as in the program's
    // loop (Wine's renderer hangs its graph's teardown without them).
    PreviewHost::Pump(200);
    EXPECT_FALSE(manager->IsOverlayInUse());
    EXPECT_FALSE(manager->GetSettings().UseOverlay);
    // Desktop video needs the overlay.
    EXPECT_FALSE(manager->SetOverlayDesktop(TRUE));
    EXPECT_FALSE(manager->GetOverlayDesktop());
}

} // namespace
