#include "platform/virtualcard/VirtualCard.h"

#include "graph/AutoMutex.h"
#include "hw/access/CommonPropertySet.h"
#include "platform/virtualcard/Carriers.h"

#include <string>

namespace virtualcard {

namespace {

// The proc amp of the card's decoder, in the decoder family's own units:
// brightness 128 adds nothing, contrast and saturation 64 are unity gain,
// hue 0 turns nothing (-128..127 is half a turn each way), sharpness 0 is
// neutral (above it the edges peak).
const ProcAmpRange kProcAmpRanges[] = {
    {VideoProcAmp_Brightness, 0, 255, 1, 128},
    {VideoProcAmp_Contrast, 0, 127, 1, 64},
    {VideoProcAmp_Hue, -128, 127, 1, 0},
    {VideoProcAmp_Saturation, 0, 127, 1, 64},
    {VideoProcAmp_Sharpness, 0, 15, 1, 0},
};
static_assert(sizeof(kProcAmpRanges) / sizeof(kProcAmpRanges[0]) == 5, "five proc-amp controls");

// The standards of an SAA713x decoder.
const long kAvailableStandards =
    AnalogVideo_NTSC_M | AnalogVideo_NTSC_M_J | AnalogVideo_NTSC_433 | AnalogVideo_PAL_B |
    AnalogVideo_PAL_D | AnalogVideo_PAL_G | AnalogVideo_PAL_H | AnalogVideo_PAL_I |
    AnalogVideo_PAL_M | AnalogVideo_PAL_N | AnalogVideo_PAL_60 | AnalogVideo_SECAM_B |
    AnalogVideo_SECAM_D | AnalogVideo_SECAM_G | AnalogVideo_SECAM_H | AnalogVideo_SECAM_K |
    AnalogVideo_SECAM_K1 | AnalogVideo_SECAM_L | AnalogVideo_SECAM_L1 | AnalogVideo_PAL_N_COMBO;
// The 525-line standards run at 30000/1001 frames a second.
const long k525LineStandards = AnalogVideo_NTSC_M | AnalogVideo_NTSC_M_J | AnalogVideo_NTSC_433 |
                               AnalogVideo_PAL_M | AnalogVideo_PAL_60;
const REFERENCE_TIME k625LineInterval = 400000;   // 25 frames a second
const REFERENCE_TIME k525LineInterval = 333667;   // 1001/30000 s

// Register addresses the driver answers; the SAA713x maps 4 KB of them.
const uint32_t kRegisterSpace = 0x1000;

// EEPROM facts of the virtual card: a 'T' tuner of type 4, the card
// family's fallback tuner, whose PLL the model decodes (38.9 MHz IF,
// 62.5 kHz steps).
const uint8_t kTunerBrand = 'T';
const uint8_t kTunerType = 4;
// Driver tuner id 35 names the B/G sister of that module (TunerType 5):
// the same PLL, IF and steps.
const uint8_t kBdaTunerId = 35;
const uint8_t kBdaBrandOffset = 0x68;
const uint8_t kBdaTunerIdOffset = 0x41;

std::string ModulePath()
{
    // The module this code lives in: the card's DLL, or a test program.
    HMODULE module = NULL;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModulePath), &module);
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    return std::string(path, length);
}

} // namespace

CVirtualCard& CVirtualCard::Instance()
{
    static CVirtualCard card;
    return card;
}

CVirtualCard::CVirtualCard()
    : m_hesk(&m_model), m_mcu(std::make_shared<McuController>(McuPins::kLowByteBoard)),
      m_videoInput(kInputTuner), m_audioInput(3), m_standard(AnalogVideo_PAL_B),
      m_tvAudioMode(AMTVAUDIO_MODE_STEREO),
      m_brightness(128), m_contrast(64), m_hue(0), m_saturation(64), m_sharpness(0)
{
    InitializeCriticalSection(&m_cs);
    // Like a card in its slot, the card keeps its state (tuning, routing,
    // a pending key) for the life of the process: the module stays loaded
    // even when every filter has been released.
    HMODULE self = NULL;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&ModulePath), &self);
    m_model.SetEepromFacts(kTunerBrand, kTunerType, 0, 0);
    // The BDA card keeps its facts elsewhere: the maker letter at 0x68 and
    // a driver tuner id at 0x41/0x42.
    m_model.SetEepromByte(kBdaBrandOffset, kTunerBrand);
    m_model.SetEepromByte(kBdaTunerIdOffset, kBdaTunerId);
    m_model.SetEepromByte(kBdaTunerIdOffset + 1, 0);
    m_model.AttachGpioDevice(m_mcu);
    m_model.SetCarriers(LoadCarriers(SettingsPathBeside(ModulePath())));
}

CVirtualCard::~CVirtualCard()
{
    DeleteCriticalSection(&m_cs);
}

void CVirtualCard::PollRemoteLocked()
{
    uint8_t key = 0;
    DWORD holdMs = 0;
    if (m_remote.TakePress(&key, &holdMs))
        m_model.PressRemoteKey(CardModel::GpioRemotePins(key), CardModel::kGpioRemoteMask, holdMs);
}

HRESULT CVirtualCard::GetCommon(DWORD id, BYTE* data, ULONG)
{
    CAutoMutex lock(&m_cs);
    HRESULT hr = S_OK;
    switch (id) {
    case COMMONCARD_BOARD_ID: {
        CommonCardWords* r = reinterpret_cast<CommonCardWords*>(data);
        r->first = MAKELONG(m_model.BoardIdFirst(), m_model.BoardIdSecond());
        break;
    }
    case COMMONCARD_I2C_BYTE: {
        CommonCardI2CByte* r = reinterpret_cast<CommonCardI2CByte*>(data);
        uint8_t value = 0;
        if (r->subAddress < 0 || r->subAddress > 0xFF)
            hr = E_INVALIDARG;
        else if (!m_model.I2CReadByte(r->address, static_cast<uint8_t>(r->subAddress), &value))
            hr = E_FAIL;
        else
            r->value = value;
        break;
    }
    case COMMONCARD_I2C_BLOCK: {
        // The reply overwrites the message from its first byte.
        CommonCardI2CBlock* r = reinterpret_cast<CommonCardI2CBlock*>(data);
        if (r->length < 1 || r->length > kCommonCardBlockBytes)
            hr = E_INVALIDARG;
        else if (!m_model.I2CRead(r->message[0], r->message, static_cast<size_t>(r->length)))
            hr = E_FAIL;
        break;
    }
    case COMMONCARD_GPIO: {
        PollRemoteLocked();
        reinterpret_cast<CommonCardWords*>(data)->second = m_model.ReadGpio();
        break;
    }
    case COMMONCARD_REGISTER: {
        CommonCardWords* r = reinterpret_cast<CommonCardWords*>(data);
        uint32_t value = 0;
        if (r->first >= kRegisterSpace) {
            hr = E_INVALIDARG;
            break;
        }
        if (r->first == CardModel::kGpioStatus)
            PollRemoteLocked();
        if (!m_model.ReadRegister(r->first, &value))
            hr = E_FAIL;
        else
            r->second = value;
        break;
    }
    default:
        hr = E_PROP_ID_UNSUPPORTED;
        break;
    }
    // Nobody reads the model's transaction record here: keep it from growing.
    m_model.ClearRecord();
    return hr;
}

HRESULT CVirtualCard::SetCommon(DWORD id, BYTE* data, ULONG)
{
    CAutoMutex lock(&m_cs);
    HRESULT hr = S_OK;
    switch (id) {
    case COMMONCARD_I2C_BYTE: {
        const CommonCardI2CByte* r = reinterpret_cast<const CommonCardI2CByte*>(data);
        if (r->subAddress < 0 || r->subAddress > 0xFF)
            hr = E_INVALIDARG;
        else if (!m_model.I2CWriteByte(r->address, static_cast<uint8_t>(r->subAddress), r->value))
            hr = E_FAIL;
        break;
    }
    case COMMONCARD_I2C_BLOCK: {
        const CommonCardI2CBlock* r = reinterpret_cast<const CommonCardI2CBlock*>(data);
        if (r->length < 1 || r->length > kCommonCardBlockBytes)
            hr = E_INVALIDARG;
        else if (!m_model.I2CWrite(r->message[0], r->message + 1, static_cast<size_t>(r->length - 1)))
            hr = E_FAIL;
        break;
    }
    case COMMONCARD_GPIO: {
        const CommonCardWords* r = reinterpret_cast<const CommonCardWords*>(data);
        m_model.WriteGpio(r->second, r->first);
        break;
    }
    case COMMONCARD_REGISTER: {
        const CommonCardWords* r = reinterpret_cast<const CommonCardWords*>(data);
        if (r->first >= kRegisterSpace)
            hr = E_INVALIDARG;
        else if (!m_model.WriteRegister(r->first, r->second))
            hr = E_FAIL;
        break;
    }
    case COMMONCARD_CONTROL1:
    case COMMONCARD_CONTROL3:
        m_model.SetControl(id, data[kCommonCardHeaderRoom]);
        break;
    case COMMONCARD_CONTROL9:
        m_model.SetControl(id, 0);
        break;
    case COMMONCARD_CONTROL7:
    case COMMONCARD_CONTROL8:
    case COMMONCARD_CONTROL10:
        m_model.SetControl(id, reinterpret_cast<const CommonCardWords*>(data)->first);
        break;
    default:
        hr = E_PROP_ID_UNSUPPORTED;
        break;
    }
    m_model.ClearRecord();
    return hr;
}

HRESULT CVirtualCard::GetHesk(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                              void* data, DWORD dataLength, DWORD* returned)
{
    CAutoMutex lock(&m_cs);
    PollRemoteLocked();
    HRESULT hr = m_hesk.Get(set, id, instance, instanceLength, data, dataLength, returned);
    m_model.ClearRecord();
    return hr;
}

HRESULT CVirtualCard::SetHesk(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                              void* data, DWORD dataLength)
{
    CAutoMutex lock(&m_cs);
    HRESULT hr = m_hesk.Set(set, id, instance, instanceLength, data, dataLength);
    m_model.ClearRecord();
    return hr;
}

HRESULT CVirtualCard::QueryHesk(REFGUID set, DWORD id, DWORD* support)
{
    return m_hesk.QuerySupported(set, id, support);
}

long CVirtualCard::TVAudioMode()
{
    CAutoMutex lock(&m_cs);
    return m_tvAudioMode;
}

void CVirtualCard::SetTVAudioMode(long mode)
{
    CAutoMutex lock(&m_cs);
    m_tvAudioMode = mode;
}

uint16_t CVirtualCard::PowerOnMinutes()
{
    CAutoMutex lock(&m_cs);
    return m_mcu->Minutes();
}

bool CVirtualCard::PowerOnArmed()
{
    CAutoMutex lock(&m_cs);
    return m_mcu->Armed();
}

void CVirtualCard::SetVideoInput(int input)
{
    CAutoMutex lock(&m_cs);
    m_videoInput = input;
}

int CVirtualCard::VideoInput()
{
    CAutoMutex lock(&m_cs);
    return m_videoInput;
}

void CVirtualCard::SetAudioInput(int input)
{
    CAutoMutex lock(&m_cs);
    m_audioInput = input;
}

int CVirtualCard::AudioInput()
{
    CAutoMutex lock(&m_cs);
    return m_audioInput;
}

long CVirtualCard::AvailableStandards()
{
    return kAvailableStandards;
}

long CVirtualCard::Standard()
{
    CAutoMutex lock(&m_cs);
    return m_standard;
}

HRESULT CVirtualCard::SetStandard(long standard)
{
    // Exactly one bit, and one the decoder has.
    if (standard == 0 || (standard & (standard - 1)) != 0 || !(standard & kAvailableStandards))
        return E_INVALIDARG;
    CAutoMutex lock(&m_cs);
    m_standard = standard;
    return S_OK;
}

bool CVirtualCard::HorizontalLocked()
{
    CAutoMutex lock(&m_cs);
    // The line inputs always carry a picture; the tuner only on a carrier.
    if (m_videoInput != kInputTuner)
        return true;
    return m_model.SignalLocked();
}

REFERENCE_TIME CVirtualCard::FrameIntervalOf(long standard)
{
    return (standard & k525LineStandards) ? k525LineInterval : k625LineInterval;
}

REFERENCE_TIME CVirtualCard::FrameInterval()
{
    return FrameIntervalOf(Standard());
}

const ProcAmpRange* CVirtualCard::FindProcAmpRange(long property)
{
    for (const ProcAmpRange& range : kProcAmpRanges) {
        if (range.property == property)
            return &range;
    }
    return NULL;
}

long* CVirtualCard::ProcAmpSlot(long property)
{
    switch (property) {
    case VideoProcAmp_Brightness: return &m_brightness;
    case VideoProcAmp_Contrast: return &m_contrast;
    case VideoProcAmp_Hue: return &m_hue;
    case VideoProcAmp_Saturation: return &m_saturation;
    case VideoProcAmp_Sharpness: return &m_sharpness;
    default: return NULL;
    }
}

HRESULT CVirtualCard::GetProcAmp(long property, long* value)
{
    CAutoMutex lock(&m_cs);
    long* slot = ProcAmpSlot(property);
    if (!slot)
        return E_PROP_ID_UNSUPPORTED;
    *value = *slot;
    return S_OK;
}

HRESULT CVirtualCard::SetProcAmp(long property, long value)
{
    const ProcAmpRange* range = FindProcAmpRange(property);
    if (!range)
        return E_PROP_ID_UNSUPPORTED;
    if (value < range->minimum || value > range->maximum)
        return E_INVALIDARG;
    CAutoMutex lock(&m_cs);
    *ProcAmpSlot(property) = value;
    return S_OK;
}

PictureState CVirtualCard::Snapshot()
{
    CAutoMutex lock(&m_cs);
    PictureState state;
    state.input = m_videoInput;
    std::shared_ptr<Air> air = m_model.GetAir();
    state.tuned = air->IsTuned();
    state.kHz = air->TunedKHz();
    state.fm = air->TunedFM();
    state.locked = m_model.SignalLocked();
    state.standard = m_standard;
    state.brightness = m_brightness;
    state.contrast = m_contrast;
    state.hue = m_hue;
    state.saturation = m_saturation;
    state.sharpness = m_sharpness;
    return state;
}

} // namespace virtualcard
