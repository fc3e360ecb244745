// The virtual card under its second personality: the same card registered
// under the BDA driver's names, answering the BDA driver's property sets
// through the program's Hesk access class, with the power-on controller on
// its GPIO lines shared by both personalities.
#include "DeviceBinding.h"

#include "cards/McuLink.h"
#include "hw/access/CommonPropertySet.h"
#include "hw/access/HeskAccess.h"
#include "hw/access/HeskPropertySets.h"
#include "hw/access/TV_IOAccess.h"
#include "platform/dshow/ComPtr.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksproxy.h>

using dshow::ComPtr;

namespace {

class BdaPersonality : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, BindDevice(CLSID_VideoInputDeviceCategory, virtualcard::kBdaCaptureName,
                                   capture.Receive()))
            << "the virtual card is not registered in this Wine prefix (the test command does it)";
        ASSERT_EQ(S_OK, access.Attach(capture.Get(), 0));
    }

    ComPtr<IBaseFilter> capture;
    CHeskAccess access;
};

} // namespace

TEST_F(BdaPersonality, RegisteredUnderTheBdaNames)
{
    ComPtr<IBaseFilter> crossbar, audio;
    ASSERT_EQ(S_OK, BindDevice(virtualcard::kCategoryCrossbar, virtualcard::kBdaCrossbarName,
                               crossbar.Receive()));
    ComPtr<IAMCrossbar> xbar;
    EXPECT_EQ(S_OK, xbar.QueryFrom(crossbar.Get(), IID_IAMCrossbar));
    ASSERT_EQ(S_OK, BindDevice(virtualcard::kCategoryTVAudio, virtualcard::kBdaTVAudioName,
                               audio.Receive()));
    ComPtr<IAMTVAudio> tvAudio;
    ASSERT_EQ(S_OK, tvAudio.QueryFrom(audio.Get(), IID_IAMTVAudio));

    // The sound mode is the card's: a second filter sees the first one's.
    ASSERT_EQ(S_OK, tvAudio->put_TVAudioMode(AMTVAUDIO_MODE_LANG_B));
    EXPECT_EQ(E_INVALIDARG, tvAudio->put_TVAudioMode(AMTVAUDIO_MODE_MONO | AMTVAUDIO_MODE_STEREO));
    EXPECT_EQ(E_INVALIDARG, tvAudio->put_TVAudioMode(0x100));
    tvAudio.Reset();
    audio.Reset();
    ASSERT_EQ(S_OK, BindDevice(virtualcard::kCategoryTVAudio, virtualcard::kBdaTVAudioName,
                               audio.Receive()));
    ASSERT_EQ(S_OK, tvAudio.QueryFrom(audio.Get(), IID_IAMTVAudio));
    long mode = 0;
    ASSERT_EQ(S_OK, tvAudio->get_TVAudioMode(&mode));
    EXPECT_EQ(AMTVAUDIO_MODE_LANG_B, mode);
    ASSERT_EQ(S_OK, tvAudio->put_TVAudioMode(AMTVAUDIO_MODE_STEREO));
}

// Each driver answers its own property sets only, so the card filters'
// probes tell the two apart.
TEST_F(BdaPersonality, EachDriverAnswersItsOwnSets)
{
    ComPtr<IKsPropertySet> bda;
    ASSERT_EQ(S_OK, bda.QueryFrom(capture.Get(), IID_IKsPropertySet));
    ComPtr<IKsControl> control;
    EXPECT_EQ(S_OK, control.QueryFrom(capture.Get(), IID_IKsControl));
    DWORD support = 0;
    EXPECT_EQ(S_OK, bda->QuerySupported(KSPROPSETID_HeskRegister, HESK_REGISTER, &support));
    EXPECT_EQ(static_cast<DWORD>(KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET), support);
    EXPECT_EQ(S_OK, bda->QuerySupported(KSPROPSETID_HeskRemote, HESK_REMOTE_CODE, &support));
    EXPECT_EQ(static_cast<DWORD>(KSPROPERTY_SUPPORT_GET), support);
    EXPECT_TRUE(FAILED(bda->QuerySupported(KSPROPSETID_CommonCard, COMMONCARD_BOARD_ID, &support)));

    ComPtr<IBaseFilter> wdm;
    ASSERT_EQ(S_OK, BindDevice(CLSID_VideoInputDeviceCategory, virtualcard::kCaptureName, wdm.Receive()));
    ComPtr<IKsPropertySet> common;
    ASSERT_EQ(S_OK, common.QueryFrom(wdm.Get(), IID_IKsPropertySet));
    EXPECT_EQ(S_OK, common->QuerySupported(KSPROPSETID_CommonCard, COMMONCARD_BOARD_ID, &support));
    EXPECT_TRUE(FAILED(common->QuerySupported(KSPROPSETID_HeskI2C, HESK_I2C_TRANSFER, &support)));
    ComPtr<IKsControl> none;
    EXPECT_EQ(E_NOINTERFACE, none.QueryFrom(wdm.Get(), IID_IKsControl));
}

TEST_F(BdaPersonality, CardFactsThroughTheHeskAccess)
{
    // The BDA card's EEPROM: maker letter at 0x68, driver tuner id at 0x41.
    BYTE brand = 0, idLow = 0, idHigh = 0xFF;
    ASSERT_EQ(S_OK, access.ReadI2CByte(0xA0, 0x68, &brand));
    ASSERT_EQ(S_OK, access.ReadI2CByte(0xA0, 0x41, &idLow));
    ASSERT_EQ(S_OK, access.ReadI2CByte(0xA0, 0x42, &idHigh));
    EXPECT_EQ('T', brand);
    EXPECT_EQ(35, idLow | (idHigh << 8));

    // Tuning through the block write locks the decoder on a carrier.
    const long divider = (175250 + 38900) * 2 / 125;  // E5 in 62.5 kHz steps
    BYTE tune[5] = {0xC0, static_cast<BYTE>(divider >> 8), static_cast<BYTE>(divider), 0x8E, 0x02};
    ASSERT_EQ(S_OK, access.WriteI2CBlock(tune, 5));
    DWORD present = 0;
    ASSERT_EQ(S_OK, access.GetSignalPresent(&present));
    EXPECT_EQ(1u, present);

    // Lengths outside one transfer are refused by the driver too.
    ComPtr<IKsPropertySet> bda;
    ASSERT_EQ(S_OK, bda.QueryFrom(capture.Get(), IID_IKsPropertySet));
    BYTE bytes[300] = {0xA0};
    HeskI2CTransfer record = {0xA0, bytes, 0, bytes, 300, 0};
    HeskI2CData data = {NULL, 0};
    DWORD returned = 0;
    EXPECT_EQ(E_INVALIDARG, bda->Get(KSPROPSETID_HeskI2C, HESK_I2C_TRANSFER, &record, sizeof(record),
                                     &data, sizeof(data), &returned));
    EXPECT_EQ(E_INVALIDARG, bda->Get(KSPROPSETID_HeskI2C, HESK_I2C_TRANSFER, &record, 4, &data,
                                     sizeof(data), &returned));
}

// The power-on controller keeps one time for the card: set over the BDA
// driver, it reads back over the WDM driver, and arms.
TEST_F(BdaPersonality, PowerOnTimerSharedByBothPersonalities)
{
    CMcuLink bdaLink(&access, kMcuHeskWiring);
    ASSERT_TRUE(bdaLink.SetTime(1234));
    ASSERT_TRUE(bdaLink.Enable(TRUE));

    ComPtr<IBaseFilter> wdm;
    ASSERT_EQ(S_OK, BindDevice(CLSID_VideoInputDeviceCategory, virtualcard::kCaptureName, wdm.Receive()));
    CTV_IOAccess common;
    ASSERT_EQ(S_OK, common.Attach(wdm.Get(), 0));
    CMcuLink wdmLink(&common, kMcuBaseWiring);
    WORD minutes = 0;
    ASSERT_TRUE(wdmLink.GetTime(&minutes));
    EXPECT_EQ(1234, minutes);
    EXPECT_TRUE(wdmLink.Enable(FALSE));
}
