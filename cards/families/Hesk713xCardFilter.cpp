#include "cards/families/Hesk713xCardFilter.h"

#include "hw/access/HeskAccess.h"
#include "hw/access/NameMutex.h"

#include <new>

namespace {

const int kCardType = 22;
// The BDA card's EEPROM: maker letter at 0x68, driver tuner id at 0x41
// (low byte) and 0x42 (high byte).
const BYTE kBrandSubAddr = 0x68;
const BYTE kTunerIdSubAddr = 0x41;

} // namespace

BOOL CHesk713xCardFilter::Init()
{
    ClearOpenState();
    m_nBrandSubAddr = kBrandSubAddr;
    m_nTypeSubAddr = kTunerIdSubAddr;
    if (!CRootFilter::Init())
        return FALSE;
    CNameMutex mutex("Mutex_Remote_Control", FALSE);
    if (!mutex.Lock())
        return FALSE;
    // A card whose access object could not be made still gives video: it
    // opens without a tuner rather than failing.
    OpenAccess();
    FindCapturePins();
    BOOL ok = TRUE;
    if (m_pAccess) {
        ReadTunerInfo();
        ok = CreateTunerFromType();
    }
    mutex.Unlock();
    return ok;
}

HRESULT CHesk713xCardFilter::OpenAccess()
{
    m_pAccess = NULL;
    m_nCardType = 0;
    if (!m_pFilter)
        return E_POINTER;
    CHeskAccess* access = new (std::nothrow) CHeskAccess();
    if (!access)
        return E_OUTOFMEMORY;
    // Kept even when the driver lacks a part of what Attach asks for: its
    // operations then fail one by one.
    m_pAccess = access;
    m_nCardType = kCardType;
    return access->Attach(m_pFilter, AccessOwnerWord());
}

BOOL CHesk713xCardFilter::ReadRemoteKey(BYTE* key)
{
    return m_pAccess && key && m_pAccess->ReadRemoteCode(key) == S_OK;
}

int CHesk713xCardFilter::ReadTunerInfo()
{
    m_nTunerBrand = 'N';
    m_nTunerType = 0;
    return ReadTunerInfoFromEeprom(&m_nTunerBrand, &m_nTunerType);
}

HRESULT CHesk713xCardFilter::ReadTunerInfoFromEeprom(int* brand, int* type)
{
    if (!m_pAccess || !brand || !type)
        return E_POINTER;
    ReadBrandByte(brand);
    BYTE low = 0, high = 0;
    HRESULT hr = m_pAccess->ReadI2CByte(m_nEepromAddr, m_nTypeSubAddr, &low);
    if (hr == S_OK)
        hr = m_pAccess->ReadI2CByte(m_nEepromAddr, m_nTypeSubAddr + 1, &high);
    if (hr != S_OK)
        return hr;
    auto found = m_TunerIdMap.find(low | (high << 8));
    *type = found == m_TunerIdMap.end() ? 0 : found->second;
    return S_OK;
}
