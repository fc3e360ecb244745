#include "cards/families/PcieFilter.h"

#include "cards/I2CKey.h"
#include "cards/UpstreamSearch.h"
#include "cards/families/CardRecords.h"
#include "hw/access/PcieAccess.h"

#include <new>

namespace {

FilterCreatorRecord g_records[] = {
    CAPTURE_RECORD("Corvane Dunmar Audio/Video Capture", CPcieFilter),
    TVAUDIO_RECORD("Corvane Dunmar Audio Decoder", CPcieAudioFilter),
    CROSSBAR_RECORD("Corvane Dunmar Crossbar", CPcieCrossBarFilter),
};
static_assert(sizeof(g_records) / sizeof(g_records[0]) == 3, "card, TV audio, crossbar");

// The tuner of every board: an Xceive XC2028.
const int kTunerBrand = 'E';
const int kTunerType = 91;
// No card type: the Xceive driver then sends its messages without the
// device byte, which the card's driver adds itself.
const int kCardType = 0;

// The receiver answers where the USB tunnel cards' does.
const I2CKeyWiring& kRemoteWiring = kI2CKeyTunnelWiring;
const BYTE kNoKey = 0xFF;

// The card parameter: the device's index in bits 1 and up, bit 0 clear for
// the tuner at 0xC2/0xC3.
const int kMaxDeviceIndex = 127;

} // namespace

void RegisterPcieFilters() { RegisterRecords(g_records); }
void UnregisterPcieFilters() { UnregisterRecords(g_records); }

CPcieFilter::~CPcieFilter()
{
    Close();
    m_pTunerControl.Reset();
    CUpstreamSearch::RemoveFilter(GetOwnerGraph(), &m_pTVTuner);
}

BOOL CPcieFilter::OpenUnderLock()
{
    m_pTunerControl.Reset();
    m_nTunerBrand = kTunerBrand;
    m_nTunerType = kTunerType;
    FindCapturePins();
    if (FAILED(OpenAccess()))
        return FALSE;
    CreateTunerFromType();
    m_nCardType = kCardType;
    return TRUE;
}

HRESULT CPcieFilter::OpenAccess()
{
    const int index = FilterCreatorRecord::GetDeviceIndex();
    m_pAccess = new (std::nothrow) CPcieAccess();
    if (!m_pAccess)
        return E_OUTOFMEMORY;
    HRESULT hr = index < 0 || index > kMaxDeviceIndex ? E_INVALIDARG
                                                       : m_pAccess->Attach(m_pFilter, static_cast<DWORD>(index) << 1);
    FindTunerInterface();
    m_nCardType = kCardType;
    return hr;
}

HRESULT CPcieFilter::FindTunerInterface()
{
    return CUpstreamSearch::FindTuner(this, m_pTunerControl, &m_pTVTuner);
}

BOOL CPcieFilter::ReadRemoteKey(BYTE* key)
{
    return ReadI2CKey(m_pAccess, kRemoteWiring, key);
}

BOOL CPcieFilter::ClearRemoteKey()
{
    return m_pAccess && m_pAccess->WriteI2CByte(kRemoteWiring.address, kRemoteWiring.keyRegister, kNoKey) == S_OK;
}

HRESULT CPcieFilter::IsSignalLocked(long* locked)
{
    if (!locked)
        return E_POINTER;
    long strength = AMTUNER_HASNOSIGNALSTRENGTH;
    if (m_pTunerControl && SUCCEEDED(m_pTunerControl->SignalPresent(&strength)) &&
        strength != AMTUNER_HASNOSIGNALSTRENGTH) {
        *locked = strength > AMTUNER_NOSIGNAL ? TRUE : FALSE;
        return S_OK;
    }
    return CTVCardFilter::IsSignalLocked(locked);
}
