#include "hw/access/RaptorAccess.h"

#include "graph/AutoMutex.h"
#include "graph/Clock.h"
#include "graph/Guids.h"
#include "hw/access/I2CWritePieces.h"

#include <cstring>

namespace {

// Write pieces: the sub-address and up to 15 data bytes fill one record;
// the driver needs 2 ms after each full piece. A write of the sub-address
// alone is a record of its own.
constexpr I2CWritePieces kRaptorWrites = {15, 15, 2 /* ms */, 0, true};
const DWORD kFetchPauseMs = 2;  // between starting a read and fetching it

const int kTunerResetBit = 1;
const DWORD kResetPulseMs = 20;

bool IsSpecialRegister(BYTE address, LONG sub)
{
    return address == kRaptorSpecialDevice && (sub == kRaptorKeyWaiting || sub == kRaptorKeyCode);
}

bool IsByteSub(LONG sub)
{
    return sub >= 0 && sub <= 0xFF;
}

} // namespace

CRaptorAccess::CRaptorAccess() : m_pKsPropertySet(NULL) {}

CRaptorAccess::~CRaptorAccess()
{
    Release();
}

void CRaptorAccess::Release()
{
    if (m_pKsPropertySet) {
        m_pKsPropertySet->Release();
        m_pKsPropertySet = NULL;
    }
}

BYTE CRaptorAccess::I2CModeOf(BYTE address)
{
    return (address & 0xA0) == 0xA0 ? kRaptorModeEeprom : kRaptorModeDevice;
}

HRESULT CRaptorAccess::Attach(IUnknown* filter, DWORD)
{
    if (!filter)
        return E_POINTER;
    CAutoMutex hold(&m_lock);
    Release();
    HRESULT hr = filter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&m_pKsPropertySet));
    if (FAILED(hr))
        m_pKsPropertySet = NULL;
    return hr;
}

HRESULT CRaptorAccess::Call(const GUID& set, ULONG id, bool get, void* buffer, DWORD length)
{
    if (!m_pKsPropertySet)
        return E_FAIL;
    DWORD support = 0;
    HRESULT hr = m_pKsPropertySet->QuerySupported(set, id, &support);
    if (FAILED(hr))
        return hr;
    // A call the driver does not offer is not made, and fails.
    if (!(support & (get ? KSPROPERTY_SUPPORT_GET : KSPROPERTY_SUPPORT_SET)))
        return E_FAIL;
    if (!get) {
        hr = m_pKsPropertySet->Set(set, id, buffer, length, buffer, length);
        return FAILED(hr) ? hr : S_OK;
    }
    DWORD returned = 0;
    hr = m_pKsPropertySet->Get(set, id, buffer, length, buffer, length, &returned);
    if (FAILED(hr))
        return hr;
    return returned < length ? E_FAIL : S_OK;  // a short reply leaves the record unfilled
}

HRESULT CRaptorAccess::SendRecord(ULONG id, bool get, RaptorI2CRecord* record)
{
    return Call(KSPROPSETID_RaptorI2C, id, get, record, sizeof(*record));
}

HRESULT CRaptorAccess::SetProperty1(BYTE)
{
    CAutoMutex hold(&m_lock);
    return m_pKsPropertySet ? S_OK : E_FAIL;
}

HRESULT CRaptorAccess::SetProperty3(BYTE value)
{
    return SetProperty1(value);
}

HRESULT CRaptorAccess::ReadI2CByte(BYTE address, LONG subAddress, BYTE* value)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!value)
        return E_POINTER;
    if (!IsByteSub(subAddress))
        return E_INVALIDARG;
    const bool special = IsSpecialRegister(address, subAddress);
    RaptorI2CRecord record = {};
    record.mode = special ? kRaptorModeSpecial : I2CModeOf(address);
    record.address = address;
    record.count = 1;
    record.data[0] = static_cast<BYTE>(subAddress);
    HRESULT hr = SendRecord(RAPTOR_I2C_START, false, &record);
    if (FAILED(hr))
        return hr;
    // The remote controller answers its registers at its read address.
    if (special)
        record.address = kRaptorSpecialRead;
    hr = SendRecord(RAPTOR_I2C_FETCH, true, &record);
    if (FAILED(hr))
        return hr;
    *value = record.data[0];
    return S_OK;
}

HRESULT CRaptorAccess::WriteI2CByte(BYTE address, LONG subAddress, BYTE value)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!IsByteSub(subAddress))
        return E_INVALIDARG;
    RaptorI2CRecord record = {};
    record.mode = IsSpecialRegister(address, subAddress) ? kRaptorModeSpecial : I2CModeOf(address);
    record.address = address;
    record.count = 2;
    record.data[0] = static_cast<BYTE>(subAddress);
    record.data[1] = value;
    return SendRecord(RAPTOR_I2C_START, false, &record);
}

HRESULT CRaptorAccess::CheckBlockRead(const BYTE* buffer, LONG length) const
{
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!buffer)
        return E_POINTER;
    return length < 1 || length > kRaptorRecordData ? E_INVALIDARG : S_OK;
}

HRESULT CRaptorAccess::ReadI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex hold(&m_lock);
    HRESULT hr = CheckBlockRead(buffer, length);
    if (hr != S_OK)
        return hr;
    RaptorI2CRecord record = {};
    record.mode = I2CModeOf(buffer[0]);
    record.address = buffer[0];
    record.count = 1;
    record.data[0] = buffer[0];
    hr = SendRecord(RAPTOR_I2C_START, false, &record);
    if (FAILED(hr))
        return hr;
    zunk::Sleep(kFetchPauseMs);
    record.count = static_cast<BYTE>(length);
    hr = SendRecord(RAPTOR_I2C_FETCH, true, &record);
    if (FAILED(hr))
        return hr;
    memcpy(buffer, record.data, length);
    return S_OK;
}

HRESULT CRaptorAccess::WriteI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!buffer)
        return E_POINTER;
    if (length < 2)
        return E_INVALIDARG;
    const BYTE device = buffer[0];
    const BYTE sub = buffer[1];
    return WriteI2CInPieces(kRaptorWrites, buffer + 2, length - 2,
                            [this, device, sub](const BYTE* data, LONG count) {
                                RaptorI2CRecord record = {};
                                record.mode = kRaptorModeDevice;
                                record.address = device;
                                record.count = static_cast<BYTE>(count + 1);
                                record.data[0] = sub;
                                memcpy(record.data + 1, data, count);
                                return SendRecord(RAPTOR_I2C_START, false, &record);
                            });
}

HRESULT CRaptorAccess::ReadChipRegister(DWORD address, DWORD* value)
{
    RaptorRegisterRecord record = {address, 0};
    HRESULT hr = Call(KSPROPSETID_RaptorI2C, RAPTOR_REGISTER_READ, true, &record, sizeof(record));
    if (FAILED(hr))
        return hr;
    *value = record.value;
    return S_OK;
}

HRESULT CRaptorAccess::WriteChipRegister(DWORD address, DWORD value)
{
    RaptorRegisterRecord record = {address, value};
    return Call(KSPROPSETID_RaptorI2C, RAPTOR_REGISTER_WRITE, false, &record, sizeof(record));
}

HRESULT CRaptorAccess::ReadGPIO(DWORD* value)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!value)
        return E_POINTER;
    DWORD low = 0, high = 0;
    HRESULT hr = ReadChipRegister(kRaptorGpioLow, &low);
    if (FAILED(hr))
        return hr;
    hr = ReadChipRegister(kRaptorGpioHigh, &high);
    if (FAILED(hr))
        return hr;
    // Each register holds its half of the pins in its low 16 bits, as
    // WriteGPIO puts them there.
    *value = ((high & 0xFFFF) << 16) | (low & 0xFFFF);
    return S_OK;
}

HRESULT CRaptorAccess::WriteGPIO(DWORD value, DWORD mask)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    const RaptorRegisterRecord writes[] = {
        {kRaptorGpioDirLow, mask << 16},
        {kRaptorGpioDirHigh, mask & 0xFFFF0000},
        {kRaptorGpioLow, (value & 0xFFFF) | (mask << 16)},
        {kRaptorGpioHigh, (value >> 16) | (mask & 0xFFFF0000)},
    };
    for (const RaptorRegisterRecord& write : writes) {
        HRESULT hr = WriteChipRegister(write.address, write.value);
        if (FAILED(hr))
            return hr;  // the pins are left as the writes so far made them
    }
    return S_OK;
}

HRESULT CRaptorAccess::WriteGPIODelayed(DWORD value, DWORD mask, DWORD)
{
    return WriteGPIO(value, mask);
}

HRESULT CRaptorAccess::SetGPIOBit(int bit, BOOL level)
{
    if (bit < 0 || bit > 31)
        return E_INVALIDARG;
    const DWORD pin = 1u << bit;
    return WriteGPIO(level ? pin : 0, pin);
}

HRESULT CRaptorAccess::GetGPIOBit(int bit, DWORD* level)
{
    if (!level)
        return E_POINTER;
    if (bit < 0 || bit > 31)
        return E_INVALIDARG;
    DWORD pins = 0;
    HRESULT hr = ReadGPIO(&pins);
    if (FAILED(hr))
        return hr;
    *level = (pins >> bit) & 1;
    return S_OK;
}

HRESULT CRaptorAccess::SetTunerReset(LONG)
{
    CAutoMutex hold(&m_lock);
    HRESULT hr = SetGPIOBit(kTunerResetBit, FALSE);
    if (FAILED(hr))
        return hr;
    zunk::Sleep(kResetPulseMs);
    hr = SetGPIOBit(kTunerResetBit, TRUE);
    if (FAILED(hr))
        return hr;
    zunk::Sleep(kResetPulseMs);
    return S_OK;
}

HRESULT CRaptorAccess::ReadI2CByteCombined(BYTE address, BYTE subAddress, BYTE* value, BYTE mode)
{
    if (!value)
        return E_POINTER;
    BYTE buffer[1] = {subAddress};
    HRESULT hr = ReadI2CBlockCombined(address, buffer, 1, mode);
    if (hr == S_OK)
        *value = buffer[0];
    return hr;
}

HRESULT CRaptorAccess::ReadI2CBlockCombined(BYTE address, BYTE* buffer, LONG length, BYTE mode)
{
    CAutoMutex hold(&m_lock);
    HRESULT hr = CheckBlockRead(buffer, length);
    if (hr != S_OK)
        return hr;
    RaptorCombinedRecord record = {};
    record.mode = mode;
    record.address = address;
    record.writeCount = 1;
    record.writeData[0] = buffer[0];
    record.readCount = static_cast<BYTE>(length);
    hr = Call(KSPROPSETID_RaptorI2C, RAPTOR_I2C_COMBINED, true, &record, sizeof(record));
    if (FAILED(hr))
        return hr;
    memcpy(buffer, record.readData, length);
    return S_OK;
}

HRESULT CRaptorAccess::BulkRead(BYTE (&buffer)[kRaptorBulkBytes])
{
    CAutoMutex hold(&m_lock);
    return Call(KSPROPSETID_RaptorI2C, RAPTOR_BULK_READ, true, buffer, sizeof(buffer));
}

HRESULT CRaptorAccess::BulkWrite(BYTE (&buffer)[kRaptorBulkBytes])
{
    CAutoMutex hold(&m_lock);
    return Call(KSPROPSETID_RaptorI2C, RAPTOR_BULK_WRITE, false, buffer, sizeof(buffer));
}

HRESULT CRaptorAccess::ReadStatusBlock(BYTE (&buffer)[kRaptorStatusBytes])
{
    CAutoMutex hold(&m_lock);
    return Call(KSPROPSETID_RaptorI2C, RAPTOR_STATUS_BLOCK, true, buffer, sizeof(buffer));
}

HRESULT CRaptorAccess::GetValue(const GUID& set, DWORD* value)
{
    if (!value)
        return E_POINTER;
    CAutoMutex hold(&m_lock);
    DWORD word = 0;
    HRESULT hr = Call(set, RAPTOR_VALUE, true, &word, sizeof(word));
    if (SUCCEEDED(hr))
        *value = word;
    return hr;
}

HRESULT CRaptorAccess::GetControlValue(DWORD* value)
{
    return GetValue(KSPROPSETID_RaptorControl, value);
}

HRESULT CRaptorAccess::SetControlValue(DWORD value)
{
    CAutoMutex hold(&m_lock);
    return Call(KSPROPSETID_RaptorControl, RAPTOR_VALUE, false, &value, sizeof(value));
}

HRESULT CRaptorAccess::GetStatusValue(DWORD* value)
{
    return GetValue(KSPROPSETID_RaptorStatus, value);
}
