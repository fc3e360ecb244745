#include "cards/families/EncoderBoxFilter.h"

#include "cards/families/CardRecords.h"
#include "hw/access/EncoderBoxWire.h"
#include "hw/access/EstrelBoxDataAcces.h"
#include "hw/access/Mpeg2BoxAccess.h"
#include "hw/access/Mpeg2BoxDataAccess.h"

#include <new>

namespace {

FilterCreatorRecord g_records[] = {
    CAPTURE_RECORD("Corvane MPEG-2 Box", CMpeg2BoxFilter),
    CROSSBAR_RECORD("Corvane MPEG-2 Box Crossbar", CMpeg2BoxCrossbarFilter),
    CAPTURE_RECORD("Corvane Estrel Device", CEstrelBoxFilter),
    CROSSBAR_RECORD("Corvane Estrel Crossbar", CEstrelBoxCrossbarFilter),
};
static_assert(sizeof(g_records) / sizeof(g_records[0]) == 4, "two boxes, two crossbars");

const BYTE kBoxEepromAddress = 0xA2;
const int kRemoteIntervalMs = 100;

// The remote controller in the box, as the box's I2C transfer addresses it.
const DWORD kRemoteDevice = 0x5D;
const DWORD kKeyWaitingRegister = 0x30;
const DWORD kKeyRegister = 0x31;

const int kTunerInputPins = 5;  // a crossbar with more pins has a tuner input

} // namespace

void RegisterEncoderBoxFilters() { RegisterRecords(g_records); }
void UnregisterEncoderBoxFilters() { UnregisterRecords(g_records); }

BOOL CEncoderBoxFilter::ReadRemoteKey(BYTE* key)
{
    if (!key || !m_pFilter)
        return FALSE;
    DWORD waiting = 0, code = 0;
    CMpeg2BoxAccess::I2CTransfer(m_pFilter, kRemoteDevice, ENCBOX_I2C_READ_REG, kKeyWaitingRegister, &waiting);
    if (static_cast<BYTE>(waiting) != 1)
        return FALSE;
    if (!CMpeg2BoxAccess::I2CTransfer(m_pFilter, kRemoteDevice, ENCBOX_I2C_READ_REG, kKeyRegister, &code))
        return FALSE;
    *key = static_cast<BYTE>(code);
    return TRUE;
}

// --- MPEG-2 box -----------------------------------------------------------------

CMpeg2BoxFilter::~CMpeg2BoxFilter()
{
    Close();
    m_pKsPropertySet.Reset();
}

void CMpeg2BoxFilter::SetDefaults()
{
    m_nEepromAddr = kBoxEepromAddress;
    m_nRemoteInterval = kRemoteIntervalMs;
}

BOOL CMpeg2BoxFilter::Init()
{
    if (!CEncoderBoxFilter::Init())
        return FALSE;
    return SUCCEEDED(m_pKsPropertySet.QueryFrom(m_pFilter, IID_IKsPropertySet)) && m_pKsPropertySet;
}

HRESULT CMpeg2BoxFilter::OpenAccess()
{
    return AttachAccess(new (std::nothrow) CMpeg2BoxDataAccess(), kCardType);
}

// --- Estrel box ---------------------------------------------------------------------

void CEstrelBoxFilter::SetDefaults()
{
    m_strTunerDevice = "Corvane Estrel TvTuner";
    m_nEepromAddr = kBoxEepromAddress;
    m_nBrandSubAddr = 0xA0;
    m_nTypeSubAddr = 0xA1;
}

HRESULT CEstrelBoxFilter::OpenAccess()
{
    return AttachAccess(new (std::nothrow) CEstrelBoxDataAcces(), kCardType);
}

// --- crossbars --------------------------------------------------------------------------

BOOL CEncoderBoxCrossbarFilter::HasTunerInput() const
{
    return GetPinCount() > kTunerInputPins;
}

void CMpeg2BoxCrossbarFilter::SetPinMap()
{
    static const int kWithTuner[kInputCount] = {2, 0, 1, 4, 3, -1};
    static const int kWithoutTuner[kInputCount] = {-1, 0, 1, -1, 2, -1};
    if (HasTunerInput())
        SetPinMapFrom(kWithTuner);
    else
        SetPinMapFrom(kWithoutTuner);
}
