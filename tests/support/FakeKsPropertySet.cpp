#include "tests/support/FakeKsPropertySet.h"

#include "hw/access/CommonPropertySet.h"

#include <cstring>

FakeKsPropertySet::FakeKsPropertySet(virtualcard::CardModel* card, const GUID* setId)
    : m_card(card), m_setId(setId ? *setId : KSPROPSETID_CommonCard)
{
}

void FakeKsPropertySet::FailProperty(DWORD id, HRESULT hr, int after)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (hr == S_OK)
        m_failures.erase(id);
    else
        m_failures[id] = {hr, after};
}

std::vector<FakeKsPropertySet::Call> FakeKsPropertySet::Calls() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_calls;
}

void FakeKsPropertySet::ClearCalls()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_calls.clear();
}

HRESULT FakeKsPropertySet::Injected(DWORD id)
{
    auto it = m_failures.find(id);
    if (it == m_failures.end())
        return S_OK;
    if (it->second.after > 0) {
        --it->second.after;
        return S_OK;
    }
    return it->second.hr;
}

HRESULT FakeKsPropertySet::Check(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                 void* data, DWORD dataLength, bool get)
{
    if (set != m_setId)
        return E_PROP_SET_UNSUPPORTED;
    ULONG expected = CommonCardDataLength(id);
    if (!expected)
        return E_PROP_ID_UNSUPPORTED;
    // The driver insists on its exact layout: payload as instance data
    // right after the header room, the whole buffer as property data.
    if (!data || dataLength != expected || instanceLength != expected - kCommonCardHeaderRoom ||
        instance != static_cast<BYTE*>(data) + kCommonCardHeaderRoom)
        return E_INVALIDARG;
    std::lock_guard<std::mutex> hold(m_lock);
    const BYTE* payload = static_cast<const BYTE*>(instance);
    m_calls.push_back({id, get, instanceLength, dataLength,
                       std::vector<BYTE>(payload, payload + instanceLength)});
    return Injected(id);
}

STDMETHODIMP FakeKsPropertySet::Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                    void* data, DWORD dataLength)
{
    HRESULT hr = Check(set, id, instance, instanceLength, data, dataLength, false);
    if (hr != S_OK)
        return hr;
    BYTE* buffer = static_cast<BYTE*>(data);
    switch (id) {
    case COMMONCARD_I2C_BYTE: {
        const CommonCardI2CByte* r = reinterpret_cast<const CommonCardI2CByte*>(buffer);
        return m_card->I2CWriteByte(r->address, static_cast<uint8_t>(r->subAddress), r->value)
                   ? S_OK : E_FAIL;
    }
    case COMMONCARD_I2C_BLOCK: {
        const CommonCardI2CBlock* r = reinterpret_cast<const CommonCardI2CBlock*>(buffer);
        if (r->length < 1 || r->length > kCommonCardBlockBytes)
            return E_INVALIDARG;
        return m_card->I2CWrite(r->message[0], r->message + 1, r->length - 1) ? S_OK : E_FAIL;
    }
    case COMMONCARD_GPIO: {
        const CommonCardWords* r = reinterpret_cast<const CommonCardWords*>(buffer);
        m_card->WriteGpio(r->second, r->first);
        return S_OK;
    }
    case COMMONCARD_REGISTER: {
        const CommonCardWords* r = reinterpret_cast<const CommonCardWords*>(buffer);
        return m_card->WriteRegister(r->first, r->second) ? S_OK : E_FAIL;
    }
    case COMMONCARD_BOARD_ID:
        return E_PROP_ID_UNSUPPORTED;
    case COMMONCARD_CONTROL1:
    case COMMONCARD_CONTROL3:
        m_card->SetControl(id, buffer[kCommonCardHeaderRoom]);
        return S_OK;
    case COMMONCARD_CONTROL9:
        m_card->SetControl(id, 0);
        return S_OK;
    default:
        m_card->SetControl(id, reinterpret_cast<const CommonCardWords*>(buffer)->first);
        return S_OK;
    }
}

STDMETHODIMP FakeKsPropertySet::Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                    void* data, DWORD dataLength, DWORD* returned)
{
    HRESULT hr = Check(set, id, instance, instanceLength, data, dataLength, true);
    if (hr != S_OK)
        return hr;
    BYTE* buffer = static_cast<BYTE*>(data);
    switch (id) {
    case COMMONCARD_BOARD_ID: {
        CommonCardWords* r = reinterpret_cast<CommonCardWords*>(buffer);
        r->first = MAKELONG(m_card->BoardIdFirst(), m_card->BoardIdSecond());
        break;
    }
    case COMMONCARD_I2C_BYTE: {
        CommonCardI2CByte* r = reinterpret_cast<CommonCardI2CByte*>(buffer);
        uint8_t value = 0;
        if (!m_card->I2CReadByte(r->address, static_cast<uint8_t>(r->subAddress), &value))
            return E_FAIL;
        r->value = value;
        break;
    }
    case COMMONCARD_I2C_BLOCK: {
        CommonCardI2CBlock* r = reinterpret_cast<CommonCardI2CBlock*>(buffer);
        if (r->length < 1 || r->length > kCommonCardBlockBytes)
            return E_INVALIDARG;
        uint8_t address = r->message[0];
        if (!m_card->I2CRead(address, r->message, static_cast<size_t>(r->length)))
            return E_FAIL;
        break;
    }
    case COMMONCARD_GPIO: {
        CommonCardWords* r = reinterpret_cast<CommonCardWords*>(buffer);
        r->second = m_card->ReadGpio();
        break;
    }
    case COMMONCARD_REGISTER: {
        CommonCardWords* r = reinterpret_cast<CommonCardWords*>(buffer);
        uint32_t value = 0;
        if (!m_card->ReadRegister(r->first, &value))
            return E_FAIL;
        r->second = value;
        break;
    }
    default:
        return E_PROP_ID_UNSUPPORTED;
    }
    if (returned)
        *returned = dataLength;
    return S_OK;
}

STDMETHODIMP FakeKsPropertySet::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    if (set != m_setId)
        return E_PROP_SET_UNSUPPORTED;
    if (!CommonCardDataLength(id))
        return E_PROP_ID_UNSUPPORTED;
    if (support)
        *support = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET;
    return S_OK;
}
