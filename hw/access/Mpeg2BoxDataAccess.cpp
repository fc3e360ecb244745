#include "hw/access/Mpeg2BoxDataAccess.h"

#include "graph/AutoMutex.h"
#include "hw/access/EncoderBoxWire.h"
#include "hw/access/Mpeg2BoxAccess.h"

namespace {

const BYTE kWordWriteBytes = 5;  // device, divider hi and lo, band word hi and lo

// The decoder answers the tuner modules' demodulator byte 0x40/0x41 at its
// own address, in its own mode.
const BYTE kDecoderDeviceByte = 0x40;
bool IsDecoder(BYTE deviceByte)
{
    return (deviceByte & 0xFE) == kDecoderDeviceByte;
}

} // namespace

CMpeg2BoxDataAccess::CMpeg2BoxDataAccess() : m_pTransport(NULL)
{
    InitializeCriticalSection(&m_i2cLock);
}

CMpeg2BoxDataAccess::~CMpeg2BoxDataAccess()
{
    if (m_pTransport)
        m_pTransport->Release();
    DeleteCriticalSection(&m_i2cLock);
}

HRESULT CMpeg2BoxDataAccess::Attach(IUnknown* filter, DWORD)
{
    if (!filter)
        return E_INVALIDARG;
    CAutoMutex hold(&m_i2cLock);
    filter->AddRef();
    if (m_pTransport)
        m_pTransport->Release();
    m_pTransport = filter;
    return S_OK;
}

HRESULT CMpeg2BoxDataAccess::SetProperty1(BYTE on)
{
    CAutoMutex hold(&m_i2cLock);
    return on && !m_pTransport ? E_FAIL : S_OK;
}

HRESULT CMpeg2BoxDataAccess::Read(BYTE device, BYTE mode, DWORD subAddress, DWORD* value)
{
    CAutoMutex hold(&m_i2cLock);
    return CMpeg2BoxAccess::I2CTransfer(m_pTransport, device, mode, subAddress, value) ? S_OK : E_FAIL;
}

HRESULT CMpeg2BoxDataAccess::Write(BYTE device, BYTE mode, DWORD subAddress, DWORD value)
{
    CAutoMutex hold(&m_i2cLock);
    return CMpeg2BoxAccess::I2CWrite(m_pTransport, device, mode, subAddress, value) ? S_OK : E_FAIL;
}

HRESULT CMpeg2BoxDataAccess::ReadI2CByte(BYTE address, LONG subAddress, BYTE* value)
{
    if (!value)
        return E_POINTER;
    if (subAddress < 0)
        return E_INVALIDARG;
    const bool decoder = IsDecoder(address);
    DWORD word = 0;
    HRESULT hr = Read(decoder ? kEncoderBoxDecoder : address >> 1,
                      decoder ? ENCBOX_I2C_READ_REG : ENCBOX_I2C_READ_OTHER, static_cast<DWORD>(subAddress), &word);
    if (hr == S_OK)
        *value = static_cast<BYTE>(word);
    return hr;
}

HRESULT CMpeg2BoxDataAccess::WriteI2CByte(BYTE address, LONG subAddress, BYTE value)
{
    if (subAddress < 0)
        return E_INVALIDARG;
    return Write(address >> 1, ENCBOX_I2C_WRITE_REG, static_cast<DWORD>(subAddress), value);
}

HRESULT CMpeg2BoxDataAccess::ReadCurrentByte(BYTE* buffer, LONG length, BYTE mode, int shift, LONG place)
{
    if (!buffer)
        return E_POINTER;
    if (length < 1 || place >= length)
        return E_INVALIDARG;
    DWORD word = 0;
    HRESULT hr = Read(buffer[0] >> 1, mode, 0, &word);
    if (hr == S_OK)
        buffer[place] = static_cast<BYTE>(word >> shift);
    return hr;
}

HRESULT CMpeg2BoxDataAccess::ReadI2CBlock(BYTE* buffer, LONG length)
{
    return ReadCurrentByte(buffer, length, ENCBOX_I2C_CURRENT, 0, 0);
}

HRESULT CMpeg2BoxDataAccess::WriteI2CBlock(BYTE* buffer, LONG length)
{
    if (!buffer)
        return E_POINTER;
    if (length < kWordWriteBytes)
        return E_INVALIDARG;
    const DWORD sub = buffer[1] * 256u + buffer[2];
    const DWORD value = buffer[3] * 256u + buffer[4];
    return Write(buffer[0] >> 1, ENCBOX_I2C_TWO_WORDS, sub, value);
}
