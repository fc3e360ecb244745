#include "cards/families/DelvinCardFilter.h"

#include "cards/McuLink.h"
#include "cards/families/CardRecords.h"
#include "hw/access/DelvorAccess.h"
#include "hw/access/TV_IOAccess.h"

#include <new>

namespace {

const int kCardType = 2;  // SAA713x on the common property set
const char kTunerDevice[] = "PhTVTune";
const BYTE kBrandSubAddr = 0xA0;
const BYTE kTypeSubAddr = 0xA1;
const DWORD kAudioPins = 0x7000;
const DWORD kExternalInput = 0x1000;
const DWORD kPatternWaitMs = 500;

FilterCreatorRecord g_records[] = {
    CAPTURE_RECORD("Delvin Video Capture", CDelvinCardFilter),
    CROSSBAR_RECORD("Delvin Crossbar", CDelvinCrossBarFilter),
    CAPTURE_RECORD("Delvor Video Capture", CDelvorCardFilter),
    CROSSBAR_RECORD("Delvor Crossbar", CDelvorCrossBarFilter),
};
static_assert(sizeof(g_records) / sizeof(g_records[0]) == 4, "two cards, two crossbars");

} // namespace

void RegisterDelvinFilters() { RegisterRecords(g_records); }
void UnregisterDelvinFilters() { UnregisterRecords(g_records); }

BOOL CDelvinCardFilter::Init()
{
    m_strTunerDevice = kTunerDevice;
    m_nBrandSubAddr = kBrandSubAddr;
    m_nTypeSubAddr = kTypeSubAddr;
    return CTVCardFilter::Init();
}

CCustomDataAccess* CDelvinCardFilter::MakeAccess() const
{
    return new (std::nothrow) CTV_IOAccess();
}

CCustomDataAccess* CDelvorCardFilter::MakeAccess() const
{
    return new (std::nothrow) CDelvorAccess();
}

HRESULT CDelvinCardFilter::OpenAccess()
{
    return AttachAccess(MakeAccess(), kCardType);
}

HRESULT CDelvinCardFilter::SelectAudioInput(int input, BOOL on)
{
    DWORD pins = 0;
    HRESULT hr = SettleAndReadGpio(&pins);
    if (FAILED(hr))
        return hr;
    pins &= ~kAudioPins;
    if (!on)
        pins |= kAudioPins;
    else if (input >= 0 && input <= 2)
        pins |= kExternalInput;
    return m_pAccess->WriteGPIO(pins, kAudioPins);
}

BOOL CDelvinCardFilter::WaitGpioPattern(DWORD* value, DWORD mask, DWORD pattern)
{
    return ::WaitGpioPattern(m_pAccess, value, mask, pattern, kPatternWaitMs);
}
