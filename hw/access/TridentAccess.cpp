#include "hw/access/TridentAccess.h"

#include "graph/AutoMutex.h"

HRESULT CTridentAccess::ReadI2CByte(BYTE address, LONG subAddress, BYTE* value)
{
    if (!IsAttached() || !value)
        return E_POINTER;
    if (!IsByteSub(subAddress))
        return E_INVALIDARG;
    return m_vendor.ReadI2CByteSub(address, static_cast<BYTE>(subAddress), value);
}

HRESULT CTridentAccess::WriteI2CByte(BYTE address, LONG subAddress, BYTE value)
{
    if (!IsByteSub(subAddress))
        return E_INVALIDARG;
    return m_vendor.WriteI2CBytesSub(address, static_cast<BYTE>(subAddress), &value, 1);
}

HRESULT CTridentAccess::ReadI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex hold(&m_lock);
    if (!IsAttached())
        return E_FAIL;
    if (!buffer)
        return E_POINTER;
    if (length != 1)
        return E_INVALIDARG;
    // buffer[0] is the address going out and the byte coming back: it
    // changes only when a byte came.
    return m_vendor.ReadI2CNoSub(buffer[0] & 0xFE, buffer);
}

HRESULT CTridentAccess::ReadEepromByte(BYTE address, LONG subAddress, BYTE* value)
{
    return ReadI2CByte(address, subAddress, value);
}

HRESULT CTridentAccess::WriteEepromByte(BYTE address, LONG subAddress, BYTE value)
{
    return WriteI2CByte(address, subAddress, value);
}

HRESULT CTridentAccess::WriteI2CWithSub(const BYTE* buffer, LONG length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 3)
        return E_INVALIDARG;
    return m_vendor.WriteI2CBytesSub(buffer[0], buffer[1], buffer + 2, length - 2);
}

HRESULT CTridentAccess::WriteI2CWithSub(BYTE address, const BYTE* buffer, DWORD count)
{
    if (!buffer)
        return E_POINTER;
    if (count < 2)
        return E_INVALIDARG;
    return m_vendor.WriteI2CBytesSub(address, buffer[0], buffer + 1, count - 1);
}
