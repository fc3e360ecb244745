#include "platform/virtualcard/model/HeskDriver.h"

#include "hw/access/CommonPropertySet.h"
#include "hw/access/HeskPropertySets.h"

#include <vector>

namespace virtualcard {

namespace {

// Registers the SAA713x maps: 4 KB of them.
const DWORD kRegisterSpace = 0x1000;
// The remote receiver on the GPIO lines: 0x180000 on bits 18-20 while a
// key is down, the key inverted in the low byte.
const uint32_t kKeyStrobeMask = 0x1C0000;
const uint32_t kKeyStrobe = 0x180000;

bool CountFits(DWORD count, const void* bytes)
{
    return count <= static_cast<DWORD>(kHeskBlockBytes) && (count == 0 || bytes != NULL);
}

} // namespace

bool HeskDriver::Carries(REFGUID set)
{
    return set == KSPROPSETID_HeskI2C || set == KSPROPSETID_HeskRegister ||
           set == KSPROPSETID_HeskRemote;
}

HRESULT HeskDriver::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    DWORD what = 0;
    if (set == KSPROPSETID_HeskI2C && id == HESK_I2C_TRANSFER)
        what = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET;
    else if (set == KSPROPSETID_HeskRegister && id == HESK_REGISTER)
        what = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET;
    else if (set == KSPROPSETID_HeskRemote && id == HESK_REMOTE_CODE)
        what = KSPROPERTY_SUPPORT_GET;
    else if (!Carries(set))
        return E_PROP_SET_UNSUPPORTED;
    else
        return E_PROP_ID_UNSUPPORTED;
    if (support)
        *support = what;
    return S_OK;
}

HRESULT HeskDriver::ReadI2C(const void* instance, DWORD instanceLength, DWORD dataLength)
{
    if (!instance || instanceLength < sizeof(HeskI2CTransfer) || dataLength < sizeof(HeskI2CData))
        return E_INVALIDARG;
    const HeskI2CTransfer* r = static_cast<const HeskI2CTransfer*>(instance);
    if (!CountFits(r->sendCount, r->send) || !CountFits(r->receiveCount, r->receive) ||
        r->address == kHeskAddressInData)
        return E_INVALIDARG;
    const uint8_t address = static_cast<uint8_t>(r->address);
    if (r->sendCount && !m_card->I2CWrite(address & 0xFE, r->send, r->sendCount))
        return E_FAIL;
    if (r->receiveCount && !m_card->I2CRead(address | 1, r->receive, r->receiveCount))
        return E_FAIL;
    return S_OK;
}

HRESULT HeskDriver::WriteI2C(const void* instance, DWORD instanceLength, const void* data,
                             DWORD dataLength)
{
    if (!instance || instanceLength < sizeof(HeskI2CTransfer) || !data ||
        dataLength < sizeof(HeskI2CData))
        return E_INVALIDARG;
    const HeskI2CTransfer* r = static_cast<const HeskI2CTransfer*>(instance);
    const HeskI2CData* d = static_cast<const HeskI2CData*>(data);
    if (!CountFits(r->sendCount, r->send) || !CountFits(d->count, d->bytes))
        return E_INVALIDARG;
    // With address 0xFF the address is the first byte sent.
    const BYTE* send = r->send;
    DWORD sendCount = r->sendCount;
    uint8_t address = static_cast<uint8_t>(r->address);
    if (r->address == kHeskAddressInData) {
        if (sendCount < 1)
            return E_INVALIDARG;
        address = send[0];
        ++send;
        --sendCount;
    }
    std::vector<uint8_t> message(send, send + sendCount);
    if (d->count)
        message.insert(message.end(), d->bytes, d->bytes + d->count);
    return m_card->I2CWrite(address & 0xFE, message.data(), message.size()) ? S_OK : E_FAIL;
}

HRESULT HeskDriver::Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                        DWORD dataLength, DWORD* returned)
{
    HRESULT hr = QuerySupported(set, id, NULL);
    if (FAILED(hr))
        return hr;
    DWORD length = 0;
    if (set == KSPROPSETID_HeskI2C) {
        hr = ReadI2C(instance, instanceLength, dataLength);
        length = sizeof(HeskI2CData);
    } else if (set == KSPROPSETID_HeskRegister) {
        if (!instance || instanceLength < sizeof(HeskRegisterInstance) || !data ||
            dataLength < sizeof(HeskRegisterData))
            return E_INVALIDARG;
        DWORD address = static_cast<const HeskRegisterInstance*>(instance)->address;
        uint32_t value = 0;
        if (address >= kRegisterSpace)
            return E_INVALIDARG;
        if (!m_card->ReadRegister(address, &value))
            return E_FAIL;
        static_cast<HeskRegisterData*>(data)->value = value;
        length = sizeof(HeskRegisterData);
    } else {
        if (!data || dataLength < kHeskRemoteDataBytes)
            return E_INVALIDARG;
        uint32_t pins = m_card->ReadGpio();
        BYTE* reply = static_cast<BYTE*>(data);
        reply[0] = (pins & kKeyStrobeMask) == kKeyStrobe ? static_cast<BYTE>(~pins) : kHeskNoRemoteCode;
        reply[1] = reply[2] = 0;
        length = kHeskRemoteDataBytes;
    }
    if (SUCCEEDED(hr) && returned)
        *returned = length;
    return hr;
}

HRESULT HeskDriver::Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                        DWORD dataLength)
{
    DWORD support = 0;
    HRESULT hr = QuerySupported(set, id, &support);
    if (FAILED(hr))
        return hr;
    if (!(support & KSPROPERTY_SUPPORT_SET))
        return E_PROP_ID_UNSUPPORTED;
    if (set == KSPROPSETID_HeskI2C)
        return WriteI2C(instance, instanceLength, data, dataLength);
    if (!instance || instanceLength < sizeof(HeskRegisterInstance) || !data ||
        dataLength < sizeof(HeskRegisterData))
        return E_INVALIDARG;
    DWORD address = static_cast<const HeskRegisterInstance*>(instance)->address;
    if (address >= kRegisterSpace)
        return E_INVALIDARG;
    return m_card->WriteRegister(address, static_cast<const HeskRegisterData*>(data)->value) ? S_OK
                                                                                            : E_FAIL;
}

} // namespace virtualcard
