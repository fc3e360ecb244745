// The Empia bridge access over the simulated card behind a fake of the
// bridge driver: the device look-up by name prefix and the built-in names,
// the driver's registry names, the select-then-data wire, GPIO keep mask,
// indexed words, controls, bounded block transfers and bus scan, and the
// access object's open and close.
#include "hw/access/Em2800Access.h"
#include "hw/access/Em28xxDevice.h"
#include "graph/DeviceEnum.h"
#include "tests/support/SimulatedEmpiaBox.h"

#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <string>

using virtualcard::RegisterChip;

namespace {

IEm28xxControl* ControlOf(SimulatedEmpiaBox& box)
{
    return static_cast<IEm28xxControl*>(&box.bridge);
}

// An access object opened on the box by name.
std::unique_ptr<CEm2800Access> OpenAccess(const char* name = "USB 2820 Video")
{
    std::unique_ptr<CEm2800Access> access(new CEm2800Access());
    access->SetDeviceName(name);
    EXPECT_EQ(S_OK, access->Attach(NULL, 0));
    return access;
}

// HKLM "Software\USB2800" with the given values for one test; removed after.
class DriverKeys
{
public:
    DriverKeys() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\USB2800"); }
    ~DriverKeys() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\USB2800"); }
    void Set(const char* key, const char* value, DWORD type, const void* data, DWORD bytes)
    {
        HKEY handle = NULL;
        std::string path = std::string("Software\\USB2800\\") + key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, NULL, 0,
                                                 KEY_WRITE, NULL, &handle, NULL));
        RegSetValueExA(handle, value, 0, type, static_cast<const BYTE*>(data), bytes);
        RegCloseKey(handle);
    }
    void SetText(const char* key, const char* value, const std::string& text)
    {
        Set(key, value, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
};

} // namespace

// The first device whose name begins with the one asked for; when none
// does, the first built-in name that a device begins with, in the list's
// order (not the devices').
TEST(Em28xxDevice, LooksUpByPrefixThenTheBuiltInNames)
{
    SimulatedEmpiaBox later({L"USB 2821 Video"}, 1);
    SimulatedEmpiaBox earlier({L"USB 2801 Video Capture"}, 2);
    SimulatedEmpiaBox prefixed({L"Corvane USB TV Box Video (B)"}, 3);
    struct
    {
        const char* asked;
        SimulatedEmpiaBox* opened;
    } rows[] = {
        {"USB 2821 Video", &later},
        {"USB 2821", &later},
        {"Corvane USB TV Box Video", &prefixed},
        {"Corvane USB TV Box Video (B) and more", &earlier},  // found names are not prefixes
        {"No such box", &earlier},                            // 2801 comes before 2821 in the list
        {"", &earlier},
        {NULL, &earlier},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.asked ? row.asked : "(null)");
        CEm28xxDevice device;
        EXPECT_EQ(ControlOf(*row.opened), device.Open(row.asked));
        EXPECT_TRUE(device.IsOpen());
    }
    EXPECT_EQ(1u, later.bridge.Refs());
    EXPECT_EQ(1u, earlier.bridge.Refs());
}

TEST(Em28xxDevice, NothingToOpen)
{
    // A box under a name outside the list is found only by its own name.
    SimulatedEmpiaBox box({L"USB 2999 Video"});
    CEm28xxDevice device;
    EXPECT_EQ(nullptr, device.Open("No such box"));
    EXPECT_FALSE(device.IsOpen());
    BYTE value = 0;
    EXPECT_EQ(EM28XX_NOT_OPEN, device.ReadRegister(8, 1, &value));
    EXPECT_EQ(EM28XX_NOT_OPEN, device.WriteI2C(0x60, 0, 1, &value));
    EXPECT_FALSE(device.IsSignalPresent());

    // Probe tells, and leaves what is held alone.
    EXPECT_TRUE(device.Probe("USB 2999"));
    EXPECT_FALSE(device.IsOpen());
    ASSERT_EQ(ControlOf(box), device.Open("USB 2999 Video"));
    EXPECT_FALSE(device.Probe("No such box"));
    EXPECT_TRUE(device.IsOpen());
    device.Close();
    EXPECT_EQ(1u, box.bridge.Refs());
}

TEST(Em28xxDevice, DriverRegistryNames)
{
    struct Row
    {
        const char* realName;   // NULL: not set
        const char* dsName;
        const char* twain;
        const char* audioName;
        const char* audio;
    } rows[] = {
        {NULL, NULL, "USB 2820 Video", NULL, "USB EMP Audio Device"},
        {"Corvane Video", "USB 2861 Video", "Corvane Video", "Box Audio", "Box Audio"},
        {NULL, "USB 2861 Video", "USB 2861 Video", "", "USB EMP Audio Device"},
        {"", "USB 2861 Video", "USB 2861 Video", NULL, "USB EMP Audio Device"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.twain);
        DriverKeys keys;
        if (row.realName)
            keys.SetText("TwainDS", "RealDSName", row.realName);
        if (row.dsName)
            keys.SetText("TwainDS", "DSName", row.dsName);
        if (row.audioName)
            keys.SetText("Audio", "DeviceName", row.audioName);
        char name[128];
        CEm28xxDevice::ReadTwainName(name, sizeof(name));
        EXPECT_STREQ(row.twain, name);
        CEm28xxDevice::ReadAudioName(name, sizeof(name));
        EXPECT_STREQ(row.audio, name);
    }

    // Values that are no text, too long for the name, or unterminated give
    // the default.
    DriverKeys keys;
    DWORD number = 7;
    keys.Set("TwainDS", "RealDSName", REG_DWORD, &number, sizeof(number));
    keys.SetText("TwainDS", "DSName", std::string(300, 'x'));
    char name[128];
    CEm28xxDevice::ReadTwainName(name, sizeof(name));
    EXPECT_STREQ("USB 2820 Video", name);
    const char unterminated[4] = {'A', 'u', 'd', 'i'};
    keys.Set("Audio", "DeviceName", REG_SZ, unterminated, sizeof(unterminated));
    CEm28xxDevice::ReadAudioName(name, sizeof(name));
    EXPECT_STREQ("Audi", name);
    char tiny[4];
    CEm28xxDevice::ReadAudioName(tiny, sizeof(tiny));
    EXPECT_STREQ("USB", tiny);  // the default, cut to the room given

    // OpenDefault opens the box the registry names.
    SimulatedEmpiaBox box({L"USB 2861 Video"});
    keys.SetText("TwainDS", "DSName", "USB 2861 Video");
    CEm28xxDevice device;
    EXPECT_EQ(ControlOf(box), device.OpenDefault());
}

// Each operation is a select and a data call; a failure clears the select.
TEST(Em28xxDevice, SelectThenDataOnTheWire)
{
    SimulatedEmpiaBox box;
    auto decoder = std::make_shared<RegisterChip>();
    box.model.AddDevice(0x4A, decoder);
    decoder->SetReg(2, 0xC3);
    CEm28xxDevice device;
    ASSERT_NE(nullptr, device.Open("USB 2820 Video"));
    using Call = FakeEm28xxBridge::Call;
    auto same = [](const std::vector<Call>& got, const std::vector<Call>& want) {
        ASSERT_EQ(want.size(), got.size());
        for (size_t i = 0; i < want.size(); i++) {
            EXPECT_EQ(want[i].id, got[i].id) << i;
            EXPECT_EQ(want[i].set, got[i].set) << i;
            EXPECT_EQ(want[i].value, got[i].value) << i;
        }
    };

    BYTE value = 0;
    ASSERT_EQ(EM28XX_OK, device.ReadI2C(0x4B, 2, 1, &value));
    EXPECT_EQ(0xC3, value);
    same(box.bridge.Calls(), {{EM28XX_SELECT_I2C, true, 0x014B0201}, {EM28XX_I2C_DATA, false, 0}});
    box.bridge.ClearCalls();
    const BYTE bytes[2] = {0x11, 0x22};
    ASSERT_EQ(EM28XX_OK, device.WriteI2CNoSub(0x4A, 2, bytes));
    EXPECT_EQ(0x22, decoder->Reg(0x11));
    same(box.bridge.Calls(), {{EM28XX_SELECT_I2C, true, 0x004A0002}, {EM28XX_I2C_DATA, true, 0}});
    box.bridge.ClearCalls();
    ASSERT_EQ(EM28XX_OK, device.WriteRegister(12, 1, bytes));
    same(box.bridge.Calls(), {{EM28XX_SELECT_REGISTER, true, 0x0C01}, {EM28XX_REGISTER_DATA, true, 0}});

    // A refused data call: its HRESULT, and the select cleared.
    box.bridge.ClearCalls();
    box.bridge.Fail(EM28XX_I2C_DATA, E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, device.ReadI2C(0x4B, 2, 1, &value));
    EXPECT_EQ(E_ACCESSDENIED, device.GetLastResult());
    same(box.bridge.Calls(), {{EM28XX_SELECT_I2C, true, 0x014B0201},
                              {EM28XX_I2C_DATA, false, 0},
                              {EM28XX_SELECT_I2C, true, 0}});
    // A refused select: no data call follows.
    box.bridge.Fail(EM28XX_I2C_DATA, S_OK);
    box.bridge.Fail(EM28XX_SELECT_REGISTER, E_FAIL, 0, 1);
    box.bridge.ClearCalls();
    EXPECT_EQ(E_FAIL, device.ReadRegister(12, 1, &value));
    same(box.bridge.Calls(), {{EM28XX_SELECT_REGISTER, true, 0x0C01}, {EM28XX_SELECT_REGISTER, true, 0}});

    // A device that NAKs fails the transfer; null data and zero counts are
    // refused before the driver is asked.
    EXPECT_NE(EM28XX_OK, device.ReadI2C(0x90, 0, 1, &value));
    box.bridge.ClearCalls();
    EXPECT_EQ(E_POINTER, device.ReadRegister(12, 1, NULL));
    EXPECT_EQ(E_INVALIDARG, device.ReadI2C(0x4B, 2, 0, &value));
    EXPECT_TRUE(box.bridge.Calls().empty());
}

TEST(Em28xxDevice, GpioKeepMask)
{
    SimulatedEmpiaBox box;
    CEm28xxDevice device;
    ASSERT_NE(nullptr, device.Open("USB 2820 Video"));
    box.model.WriteGpio(0x01, 0xFF);
    ASSERT_EQ(EM28XX_OK, device.SetGpioKeepMask(0x40));
    EXPECT_EQ(0x41u, box.model.GpioOutputs() & 0xFF);

    // A value without a kept bit is refused and nothing is written.
    box.bridge.ClearCalls();
    BYTE value = 0x0F;
    EXPECT_EQ(EM28XX_REFUSED, device.WriteGPIO(&value));
    EXPECT_TRUE(box.bridge.Calls().empty());
    EXPECT_EQ(0x41u, box.model.GpioOutputs() & 0xFF);
    value = 0x4F;
    ASSERT_EQ(EM28XX_OK, device.WriteGPIO(&value));
    EXPECT_EQ(0x4Fu, box.model.GpioOutputs() & 0xFF);

    // Reads refuse while the outputs lack a kept bit; else the pin levels.
    BYTE pins = 0;
    ASSERT_EQ(EM28XX_OK, device.ReadGPIO(&pins));
    EXPECT_EQ(0x4F, pins);
    box.model.WriteGpio(0x0F, 0xFF);
    EXPECT_EQ(EM28XX_REFUSED, device.ReadGPIO(&pins));
}

TEST(Em28xxDevice, IndexedWordsAndControls)
{
    SimulatedEmpiaBox box;
    CEm28xxDevice device;
    ASSERT_NE(nullptr, device.Open("USB 2820 Video"));
    WORD word = 0xBEEF;
    ASSERT_EQ(EM28XX_OK, device.WriteIndexedWord(0x12, &word));
    EXPECT_EQ(0xBEEF, box.bridge.IndexedWord(0x12));
    box.bridge.SetIndexedWord(0x13, 0x1234);
    ASSERT_EQ(EM28XX_OK, device.ReadIndexedWord(0x13, &word));
    EXPECT_EQ(0x1234, word);

    // A busy flag that never clears: 5 after exactly 2000 polls, either way.
    box.bridge.HoldIndexBusy(true);
    int before = box.bridge.IndexBusyReads();
    EXPECT_EQ(EM28XX_REFUSED, device.ReadIndexedWord(0x13, &word));
    EXPECT_EQ(before + CEm28xxDevice::kIndexBusyPolls, box.bridge.IndexBusyReads());
    EXPECT_EQ(EM28XX_REFUSED, device.WriteIndexedWord(0x12, &word));
    box.bridge.HoldIndexBusy(false);
    box.bridge.Fail(EM28XX_REGISTER_DATA, E_FAIL, 1, 1);  // the busy poll's read fails
    EXPECT_EQ(EM28XX_REFUSED, device.ReadIndexedWord(0x13, &word));

    // Controls: absent ones give 21 without a value read.
    box.bridge.SetControl(7, 0x55, true);
    box.bridge.SetControl(8, 0x66, false);
    DWORD value = 0;
    ASSERT_EQ(EM28XX_OK, device.ReadControl(7, &value));
    EXPECT_EQ(0x55u, value);
    value = 0;
    EXPECT_EQ(EM28XX_NO_CONTROL, device.ReadControl(8, &value));
    EXPECT_EQ(0u, value);

    // Register 12's bit 5, and the signal.
    box.bridge.SetRegister(12, 0x21);
    EXPECT_TRUE(device.ClearControlBit5());
    EXPECT_EQ(0x01, box.bridge.Register(12));
    EXPECT_FALSE(device.ClearControlBit5());
    box.model.SetCarriers({55250});
    EXPECT_FALSE(device.IsSignalPresent());
    box.model.GetAir()->NoteTuned(55250, false);
    EXPECT_TRUE(device.IsSignalPresent());
}

// The access object: a name first, then Attach; it reports whether the box
// opened and keeps the name for a later open.
TEST(Em2800Access, OpensByTheNameGiven)
{
    VideoDeviceListHold hold;  // no other executable's box listed meanwhile
    CEm2800Access access;
    EXPECT_EQ(E_FAIL, access.Attach(NULL, 0));  // no name
    access.SetDeviceName("USB 2861 Video");
    EXPECT_EQ(E_FAIL, access.Attach(NULL, 0));  // no such box yet
    EXPECT_FALSE(access.IsOpen());
    BYTE value = 0;
    EXPECT_EQ(E_FAIL, access.ReadI2CByte(0x60, 48, &value));
    EXPECT_EQ("USB 2861 Video", access.GetDeviceName());

    SimulatedEmpiaBox box({L"USB 2861 Video"});
    EXPECT_EQ(S_OK, access.SetProperty3(0));  // asks for nothing
    EXPECT_FALSE(access.IsOpen());
    ASSERT_EQ(S_OK, access.SetProperty1(1));
    EXPECT_TRUE(access.IsOpen());
    EXPECT_EQ(S_OK, access.SetProperty3(1));
    EXPECT_EQ(2u, box.bridge.Refs());
    ASSERT_EQ(S_OK, access.SetProperty1(0));
    EXPECT_FALSE(access.IsOpen());
    EXPECT_EQ(1u, box.bridge.Refs());
    ASSERT_EQ(S_OK, access.SetProperty3(1));
    EXPECT_TRUE(access.IsOpen());
}

// Every failure is E_FAIL (never the bridge's positive codes, which would
// pass a SUCCEEDED test); bad arguments are refused.
TEST(Em2800Access, FailuresAreFailures)
{
    SimulatedEmpiaBox box;
    auto access = OpenAccess();
    auto chip = std::make_shared<RegisterChip>();
    box.model.AddDevice(0x60, chip);
    chip->SetReg(48, 1);
    BYTE value = 0;
    ASSERT_EQ(S_OK, access->ReadI2CByte(0x60, 48, &value));
    EXPECT_EQ(1, value);
    ASSERT_EQ(S_OK, access->WriteI2CByte(0x60, 48, 0));
    EXPECT_EQ(0, chip->Reg(48));
    EXPECT_EQ(E_FAIL, access->ReadI2CByte(0x62, 48, &value));  // no device
    EXPECT_EQ(E_INVALIDARG, access->ReadI2CByte(0x60, 256, &value));
    EXPECT_EQ(E_INVALIDARG, access->WriteI2CByte(0x60, -1, 0));
    EXPECT_EQ(E_INVALIDARG, access->ReadI2CByte(0x60, 48, NULL));

    // GPIO through the keep mask: a refused write is a failure.
    box.bridge.ClearCalls();
    DWORD pins = 0;
    ASSERT_EQ(S_OK, access->WriteGPIO(0x1A5, 0));
    EXPECT_EQ(0xA5u, box.model.GpioOutputs() & 0xFF);
    ASSERT_EQ(S_OK, access->ReadGPIO(&pins));
    EXPECT_EQ(0xA5u, pins);
    box.bridge.Fail(EM28XX_REGISTER_DATA, E_FAIL);
    EXPECT_EQ(E_FAIL, access->ReadGPIO(&pins));
    EXPECT_EQ(E_FAIL, access->WriteGPIO(0, 0));
}

// Block transfers are bounded by what one transaction carries; a read
// delivers the bytes in order and leaves the buffer alone when it fails.
TEST(Em2800Access, BoundedBlockTransfers)
{
    SimulatedEmpiaBox box;
    auto access = OpenAccess();
    auto chip = std::make_shared<RegisterChip>();
    box.model.AddDevice(0x86, chip);
    for (int i = 0; i < 4; i++)
        chip->SetReg(static_cast<BYTE>(i), static_cast<BYTE>(0x10 + i));

    BYTE buffer[300] = {0x87};
    ASSERT_EQ(S_OK, access->ReadI2CBlock(buffer, 4));
    EXPECT_EQ(0x10, buffer[0]);
    EXPECT_EQ(0x11, buffer[1]);
    EXPECT_EQ(0x13, buffer[3]);
    BYTE untouched[3] = {0x91, 0x55, 0x66};  // nobody at 0x90
    EXPECT_EQ(E_FAIL, access->ReadI2CBlock(untouched, 3));
    EXPECT_EQ(0x91, untouched[0]);
    EXPECT_EQ(0x66, untouched[2]);

    box.bridge.ClearCalls();
    buffer[0] = 0x87;
    EXPECT_EQ(E_INVALIDARG, access->ReadI2CBlock(buffer, 0));
    EXPECT_EQ(E_INVALIDARG, access->ReadI2CBlock(buffer, 256));
    EXPECT_EQ(E_INVALIDARG, access->ReadI2CBlock(NULL, 1));
    EXPECT_EQ(E_INVALIDARG, access->WriteI2CBlock(buffer, 1));
    EXPECT_EQ(E_INVALIDARG, access->WriteI2CBlock(buffer, 257));
    EXPECT_EQ(E_INVALIDARG, access->WriteI2CBlock(NULL, 3));
    EXPECT_TRUE(box.bridge.Calls().empty());

    BYTE message[256] = {0x86, 0x00};
    for (int i = 1; i < 256; i++)
        message[i] = static_cast<BYTE>(i - 1);
    ASSERT_EQ(S_OK, access->WriteI2CBlock(message, 256));  // 255 bytes: the most
    EXPECT_EQ(0xFE, chip->Reg(0xFD));  // sub-address 0, then 1, 2, ... 254
}

// The bus scan: addresses 0 to 254 at most, those whose byte has a bit of
// the mask, never more than the room given.
TEST(Em2800Access, ScanI2CBusIsBounded)
{
    SimulatedEmpiaBox box;  // the card's EEPROM at 0xA0 reads 0xFF
    box.model.RemoveDevice(0xC0);
    auto access = OpenAccess();
    auto quiet = std::make_shared<RegisterChip>();
    quiet->SetStatus(0x00);
    box.model.AddDevice(0x42, quiet);
    auto loud = std::make_shared<RegisterChip>();
    loud->SetStatus(0x40);
    box.model.AddDevice(0xFE, loud);

    BYTE found[256] = {};
    size_t count = access->ScanI2CBus(found, sizeof(found), 0xFFFFFFFF, 0xFF);
    ASSERT_EQ(3u, count);  // both addresses of the EEPROM; 0x42 reads 0; 0xFF is not probed
    EXPECT_EQ(0xA0, found[0]);
    EXPECT_EQ(0xA1, found[1]);
    EXPECT_EQ(0xFE, found[2]);
    for (const auto& call : box.bridge.Calls())
        EXPECT_NE(0x00FF0001u, call.value) << "address 255 probed";
    EXPECT_EQ(0u, access->ScanI2CBus(found, sizeof(found), 0xFFFFFFFF, 0x00));

    BYTE two[2] = {};
    EXPECT_EQ(2u, access->ScanI2CBus(two, 2, 254, 0xFF));
    EXPECT_EQ(0xA1, two[1]);
    EXPECT_EQ(0u, access->ScanI2CBus(NULL, 4, 254, 0xFF));
}

// The box's sound: the audio capture filter of the registry's name, a
// second filter of that name, and the wave-out renderer; all or none.
TEST(Em28xxDevice, AudioFiltersAllOrNone)
{
    virtualcard::CardModel model;
    FakeEm28xxBridge stand(&model);  // any filter will do for the three
    const CLSID clsid = SimulatedEmpiaBox::ClassId(9);
    TestClassObject classObject(clsid, static_cast<IBaseFilter*>(&stand));
    TestDeviceCategory renderers(CLSID_AudioRendererCategory,
                                 {{L"~Pellamar test empia renderer", L"Default WaveOut Device", &clsid}});
    ASSERT_TRUE(renderers.Ok());
    {
        TestDeviceCategory one(CLSID_AudioInputDeviceCategory,
                               {{L"~Pellamar test empia audio 0", L"USB EMP Audio Device", &clsid}});
        CEm28xxDevice device;
        EXPECT_FALSE(device.OpenAudio());
        EXPECT_FALSE(device.IsAudioOpen());
        EXPECT_EQ(1u, stand.Refs());
    }
    TestDeviceCategory two(CLSID_AudioInputDeviceCategory,
                           {{L"~Pellamar test empia audio 0", L"USB EMP Audio Device", &clsid},
                            {L"~Pellamar test empia audio 1", L"USB EMP Audio Device", &clsid}});
    CEm28xxDevice device;
    // The system's own renderer of that name, where there is one, is found
    // first; it may not bind on a machine without sound.
    IBaseFilter* renderer = NULL;
    HRESULT bound = zunk::BindFirstDevice(
        CLSID_AudioRendererCategory, [](const char* n) { return strcmp(n, "Default WaveOut Device") == 0; },
        IID_IBaseFilter, reinterpret_cast<void**>(&renderer));
    if (renderer)
        renderer->Release();
    EXPECT_EQ(bound == S_OK, device.OpenAudio() != FALSE);
    device.CloseAudio();
    EXPECT_EQ(1u, stand.Refs());
    EXPECT_EQ(E_POINTER, device.ShowAudioPropertyPages(NULL));
}
