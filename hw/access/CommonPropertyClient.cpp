#include "hw/access/CommonPropertyClient.h"

#include <cstring>

HRESULT CCommonPropertyClient::Set(ULONG id, void* record, ULONG length)
{
    if (!m_pSet)
        return E_FAIL;
    BYTE* buffer = static_cast<BYTE*>(record);
    return m_pSet->Set(*m_pSetId, id, buffer + kCommonCardHeaderRoom,
                       length - kCommonCardHeaderRoom, buffer, length);
}

HRESULT CCommonPropertyClient::Get(ULONG id, void* record, ULONG length)
{
    if (!m_pSet)
        return E_FAIL;
    BYTE* buffer = static_cast<BYTE*>(record);
    DWORD returned = 0;
    HRESULT hr = m_pSet->Get(*m_pSetId, id, buffer + kCommonCardHeaderRoom,
                             length - kCommonCardHeaderRoom, buffer, length, &returned);
    if (FAILED(hr))
        return hr;
    // A reply shorter than the record would leave the payload unfilled.
    if (returned < length)
        return E_FAIL;
    return S_OK;
}

HRESULT CCommonPropertyClient::GetBoardId(WORD* first, WORD* second)
{
    if (!first || !second)
        return E_POINTER;
    CommonCardWords r = {};
    HRESULT hr = Get(COMMONCARD_BOARD_ID, &r, sizeof(r));
    if (hr != S_OK)
        return hr;
    *first = LOWORD(r.first);
    *second = HIWORD(r.first);
    return S_OK;
}

HRESULT CCommonPropertyClient::SetControlByte(ULONG id, BYTE value)
{
    CommonCardWords r = {};
    r.first = value;
    return Set(id, &r, sizeof(r));
}

HRESULT CCommonPropertyClient::SetControlWord(ULONG id, DWORD value)
{
    CommonCardWords r = {};
    r.first = value;
    return Set(id, &r, sizeof(r));
}

HRESULT CCommonPropertyClient::SetNoPayload(ULONG id)
{
    CommonCardEmpty r = {};
    return Set(id, &r, sizeof(r));
}

HRESULT CCommonPropertyClient::GetI2CByte(BYTE address, LONG sub, BYTE* value)
{
    CommonCardI2CByte r = {};
    r.address = address;
    r.subAddress = sub;
    HRESULT hr = Get(COMMONCARD_I2C_BYTE, &r, sizeof(r));
    if (hr != S_OK)
        return hr;
    *value = r.value;
    return S_OK;
}

HRESULT CCommonPropertyClient::SetI2CByte(BYTE address, LONG sub, BYTE value)
{
    CommonCardI2CByte r = {};
    r.address = address;
    r.subAddress = sub;
    r.value = value;
    return Set(COMMONCARD_I2C_BYTE, &r, sizeof(r));
}

HRESULT CCommonPropertyClient::GetWords(ULONG id, DWORD first, DWORD* value)
{
    CommonCardWords r = {};
    r.first = first;
    HRESULT hr = Get(id, &r, sizeof(r));
    if (hr != S_OK)
        return hr;
    *value = r.second;
    return S_OK;
}

HRESULT CCommonPropertyClient::SetWords(ULONG id, DWORD first, DWORD second)
{
    CommonCardWords r = {};
    r.first = first;
    r.second = second;
    return Set(id, &r, sizeof(r));
}

HRESULT CCommonPropertyClient::GetGpio(DWORD mask, DWORD* value)
{
    return GetWords(COMMONCARD_GPIO, mask, value);
}

HRESULT CCommonPropertyClient::SetGpio(DWORD mask, DWORD value)
{
    return SetWords(COMMONCARD_GPIO, mask, value);
}

HRESULT CCommonPropertyClient::GetRegister(DWORD address, DWORD* value)
{
    return GetWords(COMMONCARD_REGISTER, address, value);
}

HRESULT CCommonPropertyClient::SetRegister(DWORD address, DWORD value)
{
    return SetWords(COMMONCARD_REGISTER, address, value);
}

HRESULT CCommonPropertyClient::GetI2CBlock(BYTE* buffer, LONG length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 1 || length > kCommonCardBlockBytes)
        return E_INVALIDARG;
    CommonCardI2CBlock r = {};
    memcpy(r.message, buffer, length);
    r.length = length;
    HRESULT hr = Get(COMMONCARD_I2C_BLOCK, &r, sizeof(r));
    if (hr != S_OK)
        return hr;
    memcpy(buffer, r.message, length);
    return S_OK;
}

HRESULT CCommonPropertyClient::SetI2CBlock(const BYTE* buffer, LONG length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 1 || length > kCommonCardBlockBytes)
        return E_INVALIDARG;
    CommonCardI2CBlock r = {};
    memcpy(r.message, buffer, length);
    r.length = length;
    return Set(COMMONCARD_I2C_BLOCK, &r, sizeof(r));
}
