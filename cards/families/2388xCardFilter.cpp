#include "cards/families/2388xCardFilter.h"

#include "cards/GpioKey.h"
#include "cards/families/23881BootCardFilter.h"
#include "cards/families/CardRecords.h"
#include "hw/access/2388xAccess.h"

#include <new>

namespace {

const DWORD kAudioInputPins = 0x3000;
const DWORD kAudioWriteMask = 0x7000;

FilterCreatorRecord g_records[] = {
    CAPTURE_RECORD("Conexant 2388x Video Capture", C23881CardFilter),
    CROSSBAR_RECORD("Conexant 2388x Crossbar", C23881CrossBarFilter),
    CAPTURE_RECORD("Conexant 2388x_1 Video Capture", C23881BootCardFilter),
    CROSSBAR_RECORD("Conexant 2388x_1 Crossbar", C23881BootCrossBarFilter),
    CAPTURE_RECORD("Conexant 2388x_3 Video Capture", C23881ImberCardFilter),
    CROSSBAR_RECORD("Conexant 2388x_3 Crossbar", C23881ImberCrossBarFilter),
    CAPTURE_RECORD("Arvel Capture Card", CArvelCardFilter),
    CROSSBAR_RECORD("Arvel Crossbar", CArvelCrossBarFilter),
    CAPTURE_RECORD("2388x Video Capture", CTV2388xCardFilter),
    CROSSBAR_RECORD("2388x Crossbar", CTV2388xCrossBarFilter),
};
static_assert(sizeof(g_records) / sizeof(g_records[0]) == 10, "five cards, five crossbars");

} // namespace

void Register2388xFilters() { RegisterRecords(g_records); }
void Unregister2388xFilters() { UnregisterRecords(g_records); }

void C2388xCardFilter::SetDefaults()
{
    m_strTunerDevice = TunerDevice();
}

CCustomDataAccess* C2388xCardFilter::MakeAccess() const
{
    return new (std::nothrow) C2388xBootAccess();
}

HRESULT C2388xCardFilter::OpenAccess()
{
    m_nCardType = kCardType;
    m_pAccess = MakeAccess();
    if (!m_pAccess)
        return E_OUTOFMEMORY;
    if (m_pTVTuner) {
        m_pTVTuner->Release();
        m_pTVTuner = NULL;
    }
    // The driver answers on its tuner filter, not on the capture filter.
    HRESULT hr = CRootFilter::FindDeviceFilter(AM_KSCATEGORY_TVTUNER, m_strTunerDevice.c_str(),
                                               &m_pTVTuner);
    if (hr != S_OK)
        return FAILED(hr) ? hr : VFW_E_NOT_FOUND;  // S_FALSE: no device of that name
    hr = m_pAccess->Attach(m_pTVTuner, 0);
    if (FAILED(hr)) {
        delete m_pAccess;
        m_pAccess = NULL;
    }
    return hr;
}

HRESULT C2388xCardFilter::SelectAudioInput(int input, BOOL on)
{
    DWORD pins = 0;
    HRESULT hr = SettleAndReadGpio(&pins);
    if (FAILED(hr))
        return hr;
    if (!on)
        pins |= kAudioInputPins;
    else if (input >= 0 && input <= 2)
        pins = (pins & ~kAudioInputPins) | (static_cast<DWORD>(input) << 12);
    return m_pAccess->WriteGPIO(pins, kAudioWriteMask);
}

CCustomDataAccess* C23881CardFilter::MakeAccess() const
{
    return new (std::nothrow) C2388xAccess();
}

BOOL C23881CardFilter::ReadRemoteKey(BYTE* key)
{
    return ReadGpioKey(m_pAccess, kGpioKeyNineBitWiring, key);
}

void C23881CrossBarFilter::SetPinMap()
{
    static const int kPins[kInputCount] = {1, 2, 0, 4, 5, 6};
    for (int i = 0; i < kInputCount; i++)
        m_nPinMap[i] = kPins[i];
}
