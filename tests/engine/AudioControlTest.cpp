// The sound mixer layer: its scales as tables, the variant chosen by the
// Windows version, the XP variant against Wine's winmm mixer on the ALSA
// null device of the test prefix, and the Vista variant where Wine has no
// device topology. Volumes set here are the test process's own and are put
// back.
#include "engine/AudioControl.h"
#include "engine/MixerHelper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

TEST(MixerScale, PercentToRawAndBack)
{
    struct Case
    {
        int percent;
        DWORD raw;
    } toRaw[] = {{0, 0}, {100, 65535}, {50, 32767}, {1, 655}, {-5, 0}, {150, 65535}};
    for (const Case& c : toRaw)
        EXPECT_EQ(c.raw, MixerRawFromPercent(c.percent)) << c.percent;

    struct Back
    {
        DWORD raw;
        int percent;
    } fromRaw[] = {{0, 0}, {65535, 100}, {32767, 49}, {655, 0}, {656, 1}, {0xFFFFFFFF, 100}};
    for (const Back& c : fromRaw)
        EXPECT_EQ(c.percent, MixerPercentFromRaw(c.raw)) << c.raw;
}

TEST(MixerScale, CoreAudioLevelsAndGuards)
{
    EXPECT_FLOAT_EQ(-48.0f, VistaLevelFromPercent(-96.0f, 0.0f, 50));
    EXPECT_FLOAT_EQ(0.0f, VistaLevelFromPercent(-96.0f, 0.0f, 150));
    EXPECT_FLOAT_EQ(-96.0f, VistaLevelFromPercent(-96.0f, 0.0f, -3));

    struct Case
    {
        float level, minimum, maximum, step;
        BOOL ok;
        int percent;
    } cases[] = {
        {-96, -96, 0, 0.5f, TRUE, 0},
        {0, -96, 0, 0.5f, TRUE, 100},
        {-48, -96, 0, 0.5f, TRUE, 50},
        // An odd number of steps: 20/3 steps of 10, cut toward zero.
        {-10, -30, 0, 3, TRUE, 66},
        {-40, -30, 0, 3, TRUE, 0},    // below the range: 0
        {5, -30, 0, 3, TRUE, 100},    // above it: 100
        {-10, -30, 0, 0, FALSE, -1},  // no step
        {-10, -30, 0, -1, FALSE, -1},
        {-10, -30, -30, 1, FALSE, -1},  // no range
        {NAN, -30, 0, 1, FALSE, -1},
        {-10, -30, INFINITY, 1, FALSE, -1},
    };
    for (const Case& c : cases) {
        int percent = -1;
        EXPECT_EQ(c.ok, VistaPercentFromLevel(c.level, c.minimum, c.maximum, c.step, &percent))
            << c.level << " " << c.minimum << " " << c.maximum << " " << c.step;
        EXPECT_EQ(c.percent, percent);
    }
}

TEST(AudioControlFactory, VariantByWindowsMajorVersion)
{
    struct Case
    {
        BOOL read;
        DWORD major;
        bool vista;
    } cases[] = {{TRUE, 5, false}, {TRUE, 6, true}, {TRUE, 10, true}, {FALSE, 10, false}, {TRUE, 0, false}};
    for (const Case& c : cases) {
        std::unique_ptr<Audio_Control> control(CreateAudioControlFor(c.read, c.major));
        ASSERT_NE(nullptr, control);
        EXPECT_EQ(c.vista, dynamic_cast<Audio_Vista*>(control.get()) != nullptr) << c.major;
        EXPECT_EQ(!c.vista, dynamic_cast<Audio_XP*>(control.get()) != nullptr) << c.major;
    }
    // Wine reports Windows 10.
    std::unique_ptr<Audio_Control> running(CreateAudioControl());
    EXPECT_NE(nullptr, dynamic_cast<Audio_Vista*>(running.get()));
}

class WineMixer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CMixerHelper mixer;
        if (!mixer.Open(NULL, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, NULL))
            GTEST_SKIP() << "no mixer with speakers in this prefix (the ALSA null device is missing)";
        m_destination = mixer.DestinationName();
        ASSERT_TRUE(m_xp.GetDevices(m_devices, m_device));
        ASSERT_GT(m_devices.GetSize(), 0);
    }

    Audio_XP m_xp;
    CStringArray m_devices;
    CString m_device;
    CString m_destination;
};

TEST_F(WineMixer, DevicesKeepAListedSelectionAndReplaceAGoneOne)
{
    CString selected = m_devices[0];
    CStringArray devices;
    devices.Add("left over");
    ASSERT_TRUE(m_xp.GetDevices(devices, selected));
    EXPECT_EQ(m_devices.GetSize(), devices.GetSize());
    EXPECT_TRUE(selected == m_devices[0]);
    selected = "A sound card since removed";
    ASSERT_TRUE(m_xp.GetDevices(devices, selected));
    EXPECT_TRUE(selected == devices[0]);
}

TEST_F(WineMixer, LineVolumeAndMuteSetAndReadBack)
{
    int saved = -1;
    ASSERT_TRUE(m_xp.GetVolume(m_destination, m_device, &saved));

    // Written as percent x 655.35 and read back cut toward zero.
    struct Case
    {
        int set, read;
    } cases[] = {{100, 100}, {0, 0}, {50, 49}, {150, 100}, {-20, 0}};
    for (const Case& c : cases) {
        int volume = -1;
        ASSERT_TRUE(m_xp.SetVolume(m_destination, m_device, c.set));
        ASSERT_TRUE(m_xp.GetVolume(m_destination, m_device, &volume));
        EXPECT_EQ(c.read, volume) << c.set;
    }
    // The destination's name in another case is still the destination.
    char upper[MIXER_LONG_NAME_CHARS];
    lstrcpynA(upper, m_destination, sizeof(upper));
    CharUpperA(upper);
    ASSERT_TRUE(m_xp.SetVolume(upper, m_device, 100));
    int volume = -1;
    ASSERT_TRUE(m_xp.GetVolume(m_destination, m_device, &volume));
    EXPECT_EQ(100, volume);

    BOOL mute = FALSE;
    ASSERT_TRUE(m_xp.SetMute(m_destination, m_device, TRUE));
    ASSERT_TRUE(m_xp.GetMute(m_destination, m_device, &mute));
    EXPECT_TRUE(mute);
    ASSERT_TRUE(m_xp.SetMute(m_destination, m_device, FALSE));
    ASSERT_TRUE(m_xp.GetMute(m_destination, m_device, &mute));
    EXPECT_FALSE(mute);
    EXPECT_TRUE(m_xp.SetVolume(m_destination, m_device, saved));
}

TEST_F(WineMixer, MissingLinesAndDevicesAreRefused)
{
    int volume = 7;
    BOOL mute = TRUE;
    EXPECT_FALSE(m_xp.GetVolume("No Such Line", m_device, &volume));
    EXPECT_FALSE(m_xp.SetVolume("No Such Line", m_device, 10));
    EXPECT_FALSE(m_xp.SetMute("No Such Line", m_device, TRUE));
    EXPECT_FALSE(m_xp.GetVolume(m_destination, "No Such Device", &volume));
    EXPECT_FALSE(m_xp.GetMute(m_destination, "No Such Device", &mute));
    EXPECT_EQ(7, volume);
    EXPECT_TRUE(mute);

    CStringArray lines;
    lines.Add("kept");
    CString selected = "kept";
    EXPECT_FALSE(m_xp.GetLines(lines, selected, "No Such Device"));
    EXPECT_EQ(1, lines.GetSize());
}

TEST_F(WineMixer, LinesListTheDestinationFirstAndFixTheSelection)
{
    CStringArray lines;
    lines.Add("left over");
    CString selected = "Not a line";
    ASSERT_TRUE(m_xp.GetLines(lines, selected, m_device));
    ASSERT_GT(lines.GetSize(), 0);
    EXPECT_TRUE(lines[0] == m_destination);
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
        EXPECT_FALSE(lines[i] == "left over");
    EXPECT_TRUE(selected == lines[0]);
}

TEST(CoreAudioOnWine, ListsEndpointsAndRefusesLineOperationsWithoutATopology)
{
    Audio_Vista vista;
    CStringArray devices;
    devices.Add("left over");
    CString selected = "kept";
    ASSERT_TRUE(vista.GetDevices(devices, selected));
    EXPECT_TRUE(selected == "kept");
    if (devices.GetSize() == 0)
        GTEST_SKIP() << "no render endpoint in this prefix (the ALSA null device is missing)";
    EXPECT_FALSE(devices[0] == "left over");

    // Wine has no IDeviceTopology: nothing can be done, and nothing is
    // claimed. Out values stay as they were.
    int volume = 33;
    BOOL mute = TRUE;
    EXPECT_FALSE(vista.SetVolume("Master Volume", devices[0], 50));
    EXPECT_FALSE(vista.GetVolume("Master Volume", devices[0], &volume));
    EXPECT_FALSE(vista.SetMute("Master Volume", devices[0], FALSE));
    EXPECT_FALSE(vista.GetMute("Master Volume", devices[0], &mute));
    EXPECT_EQ(33, volume);
    EXPECT_TRUE(mute);
    CStringArray lines;
    lines.Add("left over");
    EXPECT_FALSE(vista.GetLines(lines, selected, devices[0]));
    EXPECT_EQ(0, lines.GetSize());
}

} // namespace
