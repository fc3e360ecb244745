#include "cards/families/UsbTVFilter.h"

#include "cards/families/CardRecords.h"
#include "hw/access/Em2800Access.h"
#include "hw/access/Em28xxDevice.h"
#include "hw/tuners/Em2800Tuner.h"
#include "hw/tuners/TunerModules.h"

#include <new>
#include <string>

namespace {

//                                 tuner device                 bridge            card type, remote
const UsbBoxModel kUsbBox       = {"USB 2800 Video",             NULL,             4, &kI2CKeyUsbBoxWiring};
const UsbBoxModel kEm2800Box    = {"USB 2800 Video",             NULL,             4, &kI2CKeyUsbBoxWiring};
const UsbBoxModel kQor2800Box   = {"Corvane USB TV Box Video",   NULL,             4, &kI2CKeyCorvaneWiring};
const UsbBoxModel kEm2820Box    = {"USB 2820 Video",             NULL,             4, &kI2CKeyUsbBoxWiring};
const UsbBoxModel kEm2821Box    = {"USB 2821 Video",             NULL,             4, &kI2CKeyUsbBoxWiring};
const UsbBoxModel kEm2880Box    = {"USB 2881 TVTuner",           "USB 2881 Video", 8, &kI2CKeyUsbBoxWiring};

//                                       video tuner, composite, S-video; audio tuner, composite, S-video
const UsbCrossbarModel kUsbCrossbar     = {{0, 1, 2, 4, 5, 6}, "USB 2800 TVTuner", false};
const UsbCrossbarModel kEm2800Crossbar  = {{0, 1, 2, 4, 5, 6}, "USB 2800 TVTuner", false};
const UsbCrossbarModel kQor2800Crossbar = {{0, 1, 2, 4, 5, 6}, "Corvane USB TV Box TVTuner", false};
const UsbCrossbarModel kEm2820Crossbar  = {{1, 2, 3, 4, 5, 6}, "USB 2820 Crossbar", true};
const UsbCrossbarModel kEm2821Crossbar  = {{0, 1, 2, 4, 5, 6}, "USB 2821 Crossbar", false};
const UsbCrossbarModel kEm2880Crossbar  = {{1, 2, 3, 4, 5, 6}, "USB 2800 TVTuner", false};

// The box's controller at 0x60: register 50 names the tuner module.
const BYTE kBoxController = 0x60;
const BYTE kTunerCodeRegister = 50;

// Controller tuner codes -> TunerType; 0 means "see the card EEPROM", any
// code not listed the generic PAL module.
const int kTunerCodes[][2] = {{1, 3}, {2, 2}, {3, 1}, {4, 14}, {5, 5}, {6, 11}};
const int kOtherCodeType = 4;
// The module the EEPROM path falls back to (the box's usual Philips module).
const int kEepromFallbackType = 93;
// A card EEPROM naming this module overrides the controller's code.
const int kEepromOverrideType = 69;
const int kFQ1216ME5Type = 97;

const BYTE kTunerWriteAddress = 0xC6;
// The video decoder: at 0x42 on most boxes, else at 0x4A/0x4B.
const BYTE kDecoderAddress = 0x42;
const BYTE kOtherDecoderAddress = 0x4B;

// The audio multiplexer on the bridge's GPIO byte.
const DWORD kAudioKeptBits = 0x0C;
const DWORD kAudioOffBits = 0x07;

// The decoder's input register (register 2): the low nibble selects the
// input mode, the high nibble is kept.
const BYTE kDecoderRead = 0x4B;
const BYTE kDecoderWrite = 0x4A;
const BYTE kInputRegister = 2;

FilterCreatorRecord g_records[] = {
    CAPTURE_RECORD("USB 2800 Video", CEm2800CardFilter),
    CROSSBAR_RECORD("USB 2800 Crossbar", CEm2800CrossBarFilter),
    CAPTURE_RECORD("Corvane USB TV Box Video", CQor2800CardFilter),
    CROSSBAR_RECORD("Corvane USB TV Box Crossbar", CQor2800CrossBarFilter),
    CAPTURE_RECORD("USB 2820 Video", CEm2820CardFilter),
    CROSSBAR_RECORD("USB 2820 Crossbar", CEm2820CrossBarFilter),
    CAPTURE_RECORD("USB 2821 Video", CEm2821CardFilter),
    CROSSBAR_RECORD("USB 2821 Crossbar", CEm2821CrossBarFilter),
    CAPTURE_RECORD("USB 2881 Video", CEm2880CardFilter),
    CROSSBAR_RECORD("USB 2881 Crossbar", CEm2880CrossBarFilter),
};
static_assert(sizeof(g_records) / sizeof(g_records[0]) == 10, "five boxes, five crossbars");

// The decoder address field of the two tuner classes the boxes use.
BYTE* DecoderAddressOf(CTVTuner* tuner)
{
    if (CEm2800Tuner* em = dynamic_cast<CEm2800Tuner*>(tuner))
        return &em->m_byDecoderAddr;
    if (CFQ1216ME_5* fq = dynamic_cast<CFQ1216ME_5*>(tuner))
        return &fq->m_byStatusRegAddr;
    return NULL;
}

} // namespace

void RegisterUsbTVFilters() { RegisterRecords(g_records); }
void UnregisterUsbTVFilters() { UnregisterRecords(g_records); }

CUsbTVFilter::CUsbTVFilter(CRootGraph* owner, const GUID* category, const char* friendlyName,
                           BOOL firstMatch)
    : CTVCardFilter(owner, category, friendlyName, firstMatch), m_bTunerFromEeprom(FALSE)
{
    m_nBrandSubAddr = 0xC0;
    m_nTypeSubAddr = 0xC1;
}

CUsbTVFilter::CUsbTVFilter(CRootGraph* owner, const CLSID* clsid)
    : CTVCardFilter(owner, clsid), m_bTunerFromEeprom(FALSE)
{
    m_nBrandSubAddr = 0xC0;
    m_nTypeSubAddr = 0xC1;
}

const UsbBoxModel& CUsbTVFilter::Model() const { return kUsbBox; }
const UsbBoxModel& CEm2800CardFilter::Model() const { return kEm2800Box; }
const UsbBoxModel& CQor2800CardFilter::Model() const { return kQor2800Box; }
const UsbBoxModel& CEm2820CardFilter::Model() const { return kEm2820Box; }
const UsbBoxModel& CEm2821CardFilter::Model() const { return kEm2821Box; }
const UsbBoxModel& CEm2880CardFilter::Model() const { return kEm2880Box; }

CEm2800Access* CUsbTVFilter::Bridge() const
{
    // OpenAccess is the only maker of our access object.
    return static_cast<CEm2800Access*>(m_pAccess);
}

void CUsbTVFilter::SetDefaults()
{
    m_strTunerDevice = Model().tunerDevice;
    CTVCardFilter::SetDefaults();
}

HRESULT CUsbTVFilter::OpenAccess()
{
    const UsbBoxModel& model = Model();
    CEm2800Access* access = new (std::nothrow) CEm2800Access();
    m_pAccess = access;
    if (!access) {
        m_nCardType = 0;
        return E_OUTOFMEMORY;
    }
    m_nCardType = model.cardType;
    access->SetDeviceName(model.bridgeName ? model.bridgeName : m_strTunerDevice.c_str());
    return access->Attach(NULL, 0);
}

BOOL CUsbTVFilter::ReadRemoteKey(BYTE* key)
{
    return ReadI2CKey(m_pAccess, *Model().remote, key);
}

HRESULT CUsbTVFilter::SelectAudioInput(int input, BOOL on)
{
    DWORD pins = 0;
    HRESULT hr = SettleAndReadGpio(&pins);
    if (FAILED(hr))
        return hr;
    DWORD value = pins;
    if (!on)
        value = pins | kAudioOffBits;
    else if (input == 0)
        value = (pins & kAudioKeptBits) | 1;
    else if (input == 1)
        value = (pins & kAudioKeptBits) | 2;
    else if (input == 2)
        value = pins & kAudioKeptBits;
    return m_pAccess->WriteGPIO(value, 0);
}

HRESULT CUsbTVFilter::ReadTunerInfoFromEeprom(int* brand, int* type)
{
    if (!brand || !type)
        return E_POINTER;
    *brand = 'N';
    *type = 0;
    BYTE code = 0;  // an unreadable controller counts as "see the EEPROM"
    if (!m_pAccess || m_pAccess->ReadI2CByte(kBoxController, kTunerCodeRegister, &code) != S_OK)
        code = 0;
    m_bTunerFromEeprom = FALSE;
    m_nTunerBrand = 'T';
    if (code != 0) {
        *type = kOtherCodeType;
        for (const auto& pair : kTunerCodes) {
            if (pair[0] == code)
                *type = pair[1];
        }
        return S_OK;
    }
    if (FAILED(CTVCardFilter::ReadTunerInfoFromEeprom(brand, type))) {
        *type = kEepromFallbackType;
        return S_OK;
    }
    m_bTunerFromEeprom = TRUE;
    std::string name;
    if (*type == 0 || !GetTunerName(*type, &name) || name.empty())
        *type = kEepromFallbackType;
    return S_OK;
}

int CUsbTVFilter::ReadTunerInfo()
{
    m_nTunerBrand = 'N';
    m_nTunerType = 0;
    ReadTunerInfoFromEeprom(&m_nTunerBrand, &m_nTunerType);
    int brand = 'N', type = 0;
    HRESULT hr = CTVCardFilter::ReadTunerInfoFromEeprom(&brand, &type);
    if (SUCCEEDED(hr) && type == kEepromOverrideType) {
        m_nTunerBrand = brand;
        m_nTunerType = type;
    }
    return hr;
}

CTVTuner* CUsbTVFilter::MakeBoxTuner(int type)
{
    if (type == 0 || !m_pAccess)
        return NULL;
    CTVTuner* tuner = NULL;
    CTVTuner* module = CreateTuner(type);
    if (type == kFQ1216ME5Type) {
        CFQ1216ME_5* fq = new (std::nothrow) CFQ1216ME_5(m_pAccess);
        if (fq && module)
            fq->CopyModuleTable(*module);
        tuner = fq;
    } else {
        CEm2800Tuner* em = new (std::nothrow) CEm2800Tuner(m_pAccess);
        // No module of that type: the tuner keeps its own description.
        if (em && module)
            em->CopyModuleTable(*module);
        tuner = em;
    }
    delete module;
    if (!tuner)
        return NULL;
    tuner->SetOwner(this);
    tuner->m_byAddr = kTunerWriteAddress;
    ProbeDecoderAddress(tuner);
    return tuner;
}

void CUsbTVFilter::ProbeDecoderAddress(CTVTuner* tuner)
{
    BYTE* decoder = DecoderAddressOf(tuner);
    if (decoder && !ProbeI2C(kDecoderAddress) && ProbeI2C(kOtherDecoderAddress))
        *decoder = kOtherDecoderAddress;
}

BOOL CUsbTVFilter::CreateTunerFromType()
{
    CTVTuner* tuner = MakeBoxTuner(m_nTunerType);
    if (!tuner)
        return FALSE;
    if (m_pTuner)
        tuner->SetNotifyWindow(m_pTuner->GetNotifyWindow());
    return ReplaceTuner(tuner);
}

BOOL CUsbTVFilter::SetTunerType(int type)
{
    // The new tuner first: when none can be made the old one stays.
    CTVTuner* tuner = MakeBoxTuner(type);
    if (!tuner)
        return FALSE;
    if (m_pTuner)
        tuner->SetNotifyWindow(m_pTuner->GetNotifyWindow());
    ReplaceTuner(tuner);
    m_nTunerType = type;
    LookUpTunerBrand(type, &m_nTunerBrand);
    return TRUE;
}

size_t CUsbTVFilter::ScanTunerBus(BYTE* found, size_t capacity, DWORD last)
{
    if (!m_pAccess || !m_pTuner)
        return 0;
    return Bridge()->ScanI2CBus(found, capacity, last, m_pTuner->m_byStatusMask);
}

BOOL CUsbTVFilter::GetDecoderAddress(BYTE* address)
{
    BYTE* decoder = DecoderAddressOf(m_pTuner);
    if (!decoder || !address)
        return FALSE;
    *address = *decoder;
    return TRUE;
}

// --- the EM2821 box -----------------------------------------------------------------

BOOL CEm2821CardFilter::CreateTunerFromType()
{
    m_nBrandSubAddr = 0xD0;
    m_nTypeSubAddr = 0xD1;
    return CUsbTVFilter::CreateTunerFromType();
}

BOOL CEm2821CardFilter::ReadIndexedByte(BYTE index, WORD* value)
{
    return m_pAccess && Bridge()->ReadIndexedWord(index, value) == EM28XX_OK;
}

BOOL CEm2821CardFilter::SetControlValue(DWORD id, void* data)
{
    return m_pAccess && Bridge()->SetControlValue(id, data) == EM28XX_OK;
}

BOOL CEm2821CardFilter::GetControlValue(DWORD id, void* data)
{
    return m_pAccess && Bridge()->GetControlValue(id, data) == EM28XX_OK;
}

// --- crossbars -----------------------------------------------------------------------

const UsbCrossbarModel& CUsbTVCrossBarFitler::Model() const { return kUsbCrossbar; }
const UsbCrossbarModel& CEm2800CrossBarFilter::Model() const { return kEm2800Crossbar; }
const UsbCrossbarModel& CQor2800CrossBarFilter::Model() const { return kQor2800Crossbar; }
const UsbCrossbarModel& CEm2820CrossBarFilter::Model() const { return kEm2820Crossbar; }
const UsbCrossbarModel& CEm2821CrossBarFilter::Model() const { return kEm2821Crossbar; }
const UsbCrossbarModel& CEm2880CrossBarFilter::Model() const { return kEm2880Crossbar; }

void CUsbTVCrossBarFitler::SetPinMap()
{
    for (int i = 0; i < kInputCount; i++)
        m_nPinMap[i] = Model().pinMap[i];
}

BOOL CUsbTVCrossBarFitler::RouteVideoInput(int input)
{
    const UsbCrossbarModel& model = Model();
    if (model.crossbarFirst)
        CCrossBarFilter::RouteVideoInput(input);
    // The decoder's input modes: 2 the tuner, 0 composite, 9 S-video.
    BYTE mode = input == 0 ? 2 : input == 2 ? 9 : 0;
    CEm28xxDevice bridge;
    bridge.Open(model.bridgeName);
    BYTE value = 0;
    if (bridge.ReadI2C(kDecoderRead, kInputRegister, 1, &value) != EM28XX_OK)
        value = 0;
    value = static_cast<BYTE>((value & 0xF0) | mode);
    return bridge.WriteI2C(kDecoderWrite, kInputRegister, 1, &value) == EM28XX_OK;
}
