// The audio capture device functions over two fake devices of one name
// listed in the test prefix's audio input category (their filters made in
// this process), and over Wine's own device.
#include "engine/AudioCapture.h"

#include "../support/FakeAudioMixer.h"
#include "../support/FakeFilter.h"
#include "../support/TestClassObject.h"
#include "../support/TestDevices.h"

#include <gtest/gtest.h>
#include <uuids.h>

#include <cmath>
#include <memory>

namespace {

// {5E2A1C70-4B8D-4F0E-9C3A-7D6B2E1F0A31}: the fake capture devices' class.
const CLSID kFakeCapture = {0x5e2a1c70, 0x4b8d, 0x4f0e, {0x9c, 0x3a, 0x7d, 0x6b, 0x2e, 0x1f, 0x0a, 0x31}};
const char kName[] = "Pellamar Test Capture";

class AudioCaptureDevices : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Both devices bind to this one filter, so a level set on both shows
        // as two writes to its mixers.
        m_filter.Attach(new FakeFilter(kFakeCapture, L"Fake capture"));
        FakeFilter::AddPinInterface(m_filter->AddPin(L"Line In", PINDIR_INPUT), IID_IAMAudioInputMixer, &m_lineIn);
        FakeFilter::AddPinInterface(m_filter->AddPin(L"Mic", PINDIR_INPUT), IID_IAMAudioInputMixer, &m_mic);
        m_filter->AddPin(L"CD", PINDIR_INPUT);  // no input mixer
        m_filter->AddPin(L"Capture", PINDIR_OUTPUT);
        m_class.reset(new TestClassObject(kFakeCapture, m_filter.Get()));
        ASSERT_TRUE(m_class->Ok());
        m_devices.reset(new TestDeviceCategory(CLSID_AudioInputDeviceCategory,
                                               {{L"PellamarTestCapture1", L"Pellamar Test Capture", &kFakeCapture},
                                                {L"PellamarTestCapture2", L"Pellamar Test Capture", &kFakeCapture}}));
        ASSERT_TRUE(m_devices->Ok());
    }
    void TearDown() override
    {
        m_devices.reset();
        m_class.reset();
        m_filter.Reset();
    }

    FakeAudioMixer m_lineIn, m_mic;
    ComPtr<FakeFilter> m_filter;
    std::unique_ptr<TestClassObject> m_class;
    std::unique_ptr<TestDeviceCategory> m_devices;
};

TEST_F(AudioCaptureDevices, NamesOfDevicesAndTheirInputsAreAppended)
{
    CStringArray names;
    names.Add("kept");
    ASSERT_TRUE(AudioCapture_GetDeviceNames(names, NULL));
    EXPECT_TRUE(names[0] == "kept");
    int ours = 0;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        ours += names[i] == kName ? 1 : 0;
    EXPECT_EQ(2, ours);  // duplicates kept

    CStringArray inputs;
    ASSERT_TRUE(AudioCapture_GetInputNames(inputs, NULL, kName));
    // Both devices' inputs, outputs left out.
    ASSERT_EQ(6, inputs.GetSize());
    const char* expected[] = {"Line In", "Mic", "CD", "Line In", "Mic", "CD"};
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(inputs[i] == expected[i]) << i;
}

TEST_F(AudioCaptureDevices, MixLevelsReachEveryMatchingPin)
{
    ASSERT_TRUE(AudioCapture_SetMixLevel(kName, "Line In", 50));
    EXPECT_DOUBLE_EQ(0.5, m_lineIn.level);
    EXPECT_EQ(2, m_lineIn.levelWrites);
    EXPECT_EQ(0, m_mic.levelWrites);
    // Out of range: clamped.
    ASSERT_TRUE(AudioCapture_SetMixLevel(kName, "Mic", 150));
    EXPECT_DOUBLE_EQ(1.0, m_mic.level);
    ASSERT_TRUE(AudioCapture_SetMixLevel(kName, "Mic", -4));
    EXPECT_DOUBLE_EQ(0.0, m_mic.level);

    int level = -1;
    m_lineIn.level = 0.333;
    ASSERT_TRUE(AudioCapture_GetMixLevel(kName, "Line In", &level));
    EXPECT_EQ(33, level);
    m_lineIn.level = NAN;
    level = 12;
    ASSERT_TRUE(AudioCapture_GetMixLevel(kName, "Line In", &level));
    EXPECT_EQ(12, level);
    // A pin without an input mixer, or no such pin: TRUE, nothing read.
    ASSERT_TRUE(AudioCapture_GetMixLevel(kName, "CD", &level));
    ASSERT_TRUE(AudioCapture_GetMixLevel(kName, "Aux", &level));
    EXPECT_EQ(12, level);
}

TEST_F(AudioCaptureDevices, UnknownDeviceChangesNothing)
{
    CStringArray inputs;
    int level = 7;
    EXPECT_TRUE(AudioCapture_GetInputNames(inputs, NULL, "No Such Device"));
    EXPECT_TRUE(AudioCapture_SetMixLevel("No Such Device", "Line In", 80));
    EXPECT_TRUE(AudioCapture_GetMixLevel("No Such Device", "Line In", &level));
    EXPECT_EQ(0, inputs.GetSize());
    EXPECT_EQ(7, level);
    EXPECT_EQ(0, m_lineIn.levelWrites);
}

} // namespace
