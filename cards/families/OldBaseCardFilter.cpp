#include "cards/families/OldBaseCardFilter.h"

#include "cards/GpioKey.h"
#include "cards/families/CardRecords.h"
#include "cards/families/TvavCardFilter.h"

namespace {

const int kBt878CardType = 1;
const DWORD kReceiverPins = 0x1FF;
const int kRemoteIntervalMs = 140;
// Tuner write addresses, probed in this order.
const BYTE kFirstTunerAddress = 0xC0;
const BYTE kLastTunerAddress = 0xC8;

// The second card's names are GB2312 text.
#define KAITONG_NAME "\xBF\xAC\xCD\xA8\xB5\xE7\xCA\xD3\xCD\xA8"

FilterCreatorRecord g_records[] = {
    CAPTURE_RECORD("Corvane Pellamar Capture", COldCardFilter),
    CROSSBAR_RECORD("Corvane Pellamar Crossbar", COldCrossBarFilter),
    CAPTURE_RECORD(KAITONG_NAME " Capture", CKaitongCardFilter),
    CROSSBAR_RECORD(KAITONG_NAME " Crossbar", CKaitongCrossBarFilter),
    CAPTURE_RECORD("Boser 630 TV Capture", CBoserCardFilter),
    CROSSBAR_RECORD("Boser 630 TV Crossbar", CBoserCrossbarFilter),
    CAPTURE_RECORD("ReWell RV5200 TV Capture", CReWellTVCardFilter),
    CROSSBAR_RECORD("ReWell RV5200 TV Crossbar", CReWellCrossBarFilter),
    CAPTURE_RECORD("Joravan TV Card Capture", CJoravanCardFilter),
    CROSSBAR_RECORD("Joravan TV Card Crossbar", CJoravanCrossbarFilter),
    CAPTURE_RECORD("TV AV Capture", CTvavCardFilter),
    CROSSBAR_RECORD("TV AV Capture Crossbar", CTvavCrossBarFilter),
    CAPTURE_RECORD("TFTV Capture", CTFCardFilter),
    CROSSBAR_RECORD("TFTV Crossbar", CTFCrossBarFilter),
};
static_assert(sizeof(g_records) / sizeof(g_records[0]) == 14, "seven cards, seven crossbars");

} // namespace

void RegisterOldCardFilters() { RegisterRecords(g_records); }
void UnregisterOldCardFilters() { UnregisterRecords(g_records); }

void COldBaseCardFilter::SetDefaults()
{
    m_nRemoteInterval = kRemoteIntervalMs;
}

BOOL COldBaseCardFilter::ReadRemoteKey(BYTE* key)
{
    DWORD pins = 0;
    if (!m_pAccess || !key || m_pAccess->ReadGPIO(&pins) != S_OK)
        return FALSE;  // a failed read is no key, not key 0xFF
    if (m_nCardType == kBt878CardType)
        m_pAccess->WriteGPIO(pins | kReceiverPins, 0);
    return DecodeGpioKey(kGpioKeyNineBitWiring, pins, key);
}

void COldBaseCardFilter::ScanI2C(CTVTuner* tuner)
{
    if (!tuner)
        return;
    for (int address = kFirstTunerAddress; address <= kLastTunerAddress; address += 2) {
        if (ProbeI2C(address)) {
            tuner->m_byAddr = static_cast<BYTE>(address);
            tuner->m_byStatusAddr = static_cast<BYTE>(address | 1);
            return;
        }
    }
}
