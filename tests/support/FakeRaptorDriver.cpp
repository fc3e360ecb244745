#include "tests/support/FakeRaptorDriver.h"

#include "graph/Guids.h"
#include "hw/access/RaptorWire.h"

#include <vfwmsgs.h>

#include <cstring>

namespace {

const DWORD kGet = KSPROPERTY_SUPPORT_GET;
const DWORD kSet = KSPROPERTY_SUPPORT_SET;

// The calls the driver offers on the I2C set, and the record each takes.
struct PropertyRow
{
    DWORD id;
    DWORD support;
    DWORD length;
};
const PropertyRow kI2CSet[] = {
    {RAPTOR_I2C_START, kSet, sizeof(RaptorI2CRecord)},
    {RAPTOR_I2C_FETCH, kGet, sizeof(RaptorI2CRecord)},
    {RAPTOR_I2C_COMBINED, kGet, sizeof(RaptorCombinedRecord)},
    {RAPTOR_BULK_READ, kGet, kRaptorBulkBytes},
    {RAPTOR_BULK_WRITE, kSet, kRaptorBulkBytes},
    {RAPTOR_REGISTER_READ, kGet, sizeof(RaptorRegisterRecord)},
    {RAPTOR_REGISTER_WRITE, kSet, sizeof(RaptorRegisterRecord)},
    {RAPTOR_STATUS_BLOCK, kGet, kRaptorStatusBytes},
};

const PropertyRow* FindRow(DWORD id)
{
    for (const PropertyRow& row : kI2CSet) {
        if (row.id == id)
            return &row;
    }
    return NULL;
}

// 0 the I2C set, 1 the control value, 2 the status value, -1 none.
int SetIndex(REFGUID set)
{
    if (set == KSPROPSETID_RaptorI2C)
        return 0;
    if (set == KSPROPSETID_RaptorControl)
        return 1;
    if (set == KSPROPSETID_RaptorStatus)
        return 2;
    return -1;
}

} // namespace

FakeRaptorDriver::FakeRaptorDriver(virtualcard::CardModel* card) : m_card(card)
{
    for (const PropertyRow& row : kI2CSet)
        m_support[row.id] = row.support;
}

std::vector<FakeRaptorDriver::Call> FakeRaptorDriver::Calls() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_calls;
}

std::vector<std::vector<BYTE>> FakeRaptorDriver::I2CRecords() const
{
    std::vector<std::vector<BYTE>> out;
    for (const Call& call : Calls()) {
        if (call.set == KSPROPSETID_RaptorI2C && call.id <= RAPTOR_I2C_COMBINED)
            out.push_back(call.record);
    }
    return out;
}

std::vector<std::pair<DWORD, DWORD>> FakeRaptorDriver::RegisterWrites() const
{
    std::vector<std::pair<DWORD, DWORD>> out;
    for (const Call& call : Calls()) {
        if (call.set == KSPROPSETID_RaptorI2C && call.id == RAPTOR_REGISTER_WRITE) {
            RaptorRegisterRecord r;
            memcpy(&r, call.record.data(), sizeof(r));
            out.push_back({r.address, r.value});
        }
    }
    return out;
}

void FakeRaptorDriver::ClearCalls()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_calls.clear();
}

void FakeRaptorDriver::SetSupport(DWORD id, DWORD support, HRESULT answer)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_support[id] = support;
    m_supportAnswer[id] = answer;
}

void FakeRaptorDriver::FailProperty(DWORD id, HRESULT hr, int after, int times)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_failures.Arrange(static_cast<long>(id), hr, after, times);
}

STDMETHODIMP FakeRaptorDriver::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    if (!support)
        return E_POINTER;
    std::lock_guard<std::mutex> hold(m_lock);
    switch (SetIndex(set)) {
    case 0: {
        auto answer = m_supportAnswer.find(id);
        if (answer != m_supportAnswer.end() && answer->second != S_OK)
            return answer->second;
        auto it = m_support.find(id);
        if (it == m_support.end())
            return E_PROP_ID_UNSUPPORTED;
        *support = it->second;
        return S_OK;
    }
    case 1:
    case 2:
        // The control value is read and written, the status value read.
        *support = id != RAPTOR_VALUE ? 0 : SetIndex(set) == 1 ? kGet | kSet : kGet;
        return id == RAPTOR_VALUE ? S_OK : E_PROP_ID_UNSUPPORTED;
    default:
        return E_PROP_SET_UNSUPPORTED;
    }
}

HRESULT FakeRaptorDriver::Record(REFGUID set, DWORD id, bool get, const void* data, DWORD length)
{
    const BYTE* bytes = static_cast<const BYTE*>(data);
    m_calls.push_back({set, id, get, std::vector<BYTE>(bytes, bytes + length)});
    return SetIndex(set) == 0 ? m_failures.Next(static_cast<long>(id)) : S_OK;
}

STDMETHODIMP FakeRaptorDriver::Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                   void* data, DWORD dataLength)
{
    // Every record travels as instance and as data, the same buffer.
    if (!data || instance != data || instanceLength != dataLength)
        return E_INVALIDARG;
    std::lock_guard<std::mutex> hold(m_lock);
    const int index = SetIndex(set);
    const PropertyRow* row = index == 0 ? FindRow(id) : NULL;
    if (index < 0 || (index == 0 && (!row || !(row->support & kSet) || dataLength != row->length)) ||
        (index > 0 && dataLength != sizeof(DWORD)))
        return E_INVALIDARG;
    HRESULT hr = Record(set, id, false, data, dataLength);
    if (hr != S_OK)
        return hr;
    BYTE* bytes = static_cast<BYTE*>(data);
    if (index == 0 && id == RAPTOR_I2C_START)
        return PerformI2C(id, bytes, dataLength);
    if (index == 0 && id == RAPTOR_REGISTER_WRITE)
        return PerformRegister(id, bytes);
    m_buffers[{index, id}] = std::vector<BYTE>(bytes, bytes + dataLength);
    return S_OK;
}

STDMETHODIMP FakeRaptorDriver::Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                   void* data, DWORD dataLength, DWORD* returned)
{
    if (!data || !returned || instance != data || instanceLength != dataLength)
        return E_INVALIDARG;
    std::lock_guard<std::mutex> hold(m_lock);
    const int index = SetIndex(set);
    const PropertyRow* row = index == 0 ? FindRow(id) : NULL;
    if (index < 0 || (index == 0 && (!row || !(row->support & kGet) || dataLength != row->length)) ||
        (index > 0 && dataLength != sizeof(DWORD)))
        return E_INVALIDARG;
    HRESULT hr = Record(set, id, true, data, dataLength);
    if (hr != S_OK)
        return hr;
    BYTE* bytes = static_cast<BYTE*>(data);
    if (index == 0 && (id == RAPTOR_I2C_FETCH || id == RAPTOR_I2C_COMBINED))
        hr = PerformI2C(id, bytes, dataLength);
    else if (index == 0 && id == RAPTOR_REGISTER_READ)
        hr = PerformRegister(id, bytes);
    else {
        auto it = m_buffers.find({index, id});
        memset(bytes, 0, dataLength);
        if (it != m_buffers.end())
            memcpy(bytes, it->second.data(), it->second.size());
    }
    *returned = dataLength > m_missing ? dataLength - m_missing : 0;
    return hr;
}

HRESULT FakeRaptorDriver::PerformI2C(DWORD id, BYTE* buffer, DWORD)
{
    if (id == RAPTOR_I2C_COMBINED) {
        RaptorCombinedRecord* r = reinterpret_cast<RaptorCombinedRecord*>(buffer);
        if (r->writeCount > kRaptorCombinedWrite || r->readCount > kRaptorRecordData)
            return E_INVALIDARG;
        const uint8_t device = r->address & 0xFE;
        if (r->writeCount && !m_card->I2CWrite(device, r->writeData, r->writeCount))
            return E_FAIL;
        return m_card->I2CRead(device | 1, r->readData, r->readCount) ? S_OK : E_FAIL;
    }
    RaptorI2CRecord* r = reinterpret_cast<RaptorI2CRecord*>(buffer);
    if (r->count > kRaptorRecordData)
        return E_INVALIDARG;
    if (id == RAPTOR_I2C_FETCH)
        return m_card->I2CRead(r->address | 1, r->data, r->count) ? S_OK : E_FAIL;
    // A read's start: the device is addressed when the bytes are fetched.
    if (r->address & 1)
        return S_OK;
    return m_card->I2CWrite(r->address, r->data, r->count) ? S_OK : E_FAIL;
}

HRESULT FakeRaptorDriver::PerformRegister(DWORD id, BYTE* buffer)
{
    RaptorRegisterRecord* r = reinterpret_cast<RaptorRegisterRecord*>(buffer);
    if (id == RAPTOR_REGISTER_READ)
        r->value = ReadRegister(r->address);
    else
        WriteRegister(r->address, r->value);
    return S_OK;
}

DWORD FakeRaptorDriver::ReadRegister(DWORD address) const
{
    const uint32_t pins = m_card->ReadGpio();
    if (address == kRaptorGpioLow)
        return pins & 0xFFFF;
    if (address == kRaptorGpioHigh)
        return pins >> 16;
    auto it = m_registers.find(address);
    return it == m_registers.end() ? 0 : it->second;
}

void FakeRaptorDriver::WriteRegister(DWORD address, DWORD value)
{
    // The value registers carry the pins in their low half and the write
    // mask of those pins in their high half.
    if (address == kRaptorGpioLow)
        m_card->WriteGpio(value & 0xFFFF, value >> 16);
    else if (address == kRaptorGpioHigh)
        m_card->WriteGpio((value & 0xFFFF) << 16, value & 0xFFFF0000);
    m_registers[address] = value;
}
