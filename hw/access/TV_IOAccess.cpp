#include "hw/access/TV_IOAccess.h"

#include "graph/AutoMutex.h"
#include "hw/access/Saa713xGpio.h"

CTV_IOAccess::CTV_IOAccess() : m_pKsPropertySet(NULL) {}

CTV_IOAccess::~CTV_IOAccess()
{
    if (m_pKsPropertySet)
        m_pKsPropertySet->Release();
}

HRESULT CTV_IOAccess::Attach(IUnknown* filter, DWORD)
{
    if (!filter)
        return E_POINTER;
    CAutoMutex hold(&m_lock);
    if (m_pKsPropertySet) {
        m_pKsPropertySet->Release();
        m_pKsPropertySet = NULL;
    }
    HRESULT hr = filter->QueryInterface(IID_IKsPropertySet,
                                        reinterpret_cast<void**>(&m_pKsPropertySet));
    if (FAILED(hr))
        m_pKsPropertySet = NULL;
    m_client.Bind(m_pKsPropertySet);
    return hr;
}

HRESULT CTV_IOAccess::SetProperty1(BYTE value)
{
    return m_client.SetControlByte(COMMONCARD_CONTROL1, value);
}

HRESULT CTV_IOAccess::SetProperty3(BYTE value)
{
    return m_client.SetControlByte(COMMONCARD_CONTROL3, value);
}

HRESULT CTV_IOAccess::ReadI2CByte(BYTE address, LONG subAddress, BYTE* value)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!value)
        return E_POINTER;
    if (subAddress < 0)
        return E_INVALIDARG;
    return m_client.GetI2CByte(address, subAddress, value);
}

HRESULT CTV_IOAccess::WriteI2CByte(BYTE address, LONG subAddress, BYTE value)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (subAddress < 0)
        return E_INVALIDARG;
    return m_client.SetI2CByte(address, subAddress, value);
}

HRESULT CTV_IOAccess::ReadI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!buffer)
        return E_POINTER;
    // The wire buffer holds 256 message bytes; more would overrun it.
    if (length < 1 || length > kCommonCardBlockBytes)
        return E_INVALIDARG;
    buffer[0] |= 1;
    return m_client.GetI2CBlock(buffer, length);
}

HRESULT CTV_IOAccess::WriteI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!buffer)
        return E_POINTER;
    if (length < 2 || length > kCommonCardBlockBytes)
        return E_INVALIDARG;
    buffer[0] &= 0xFE;
    return m_client.SetI2CBlock(buffer, length);
}

HRESULT CTV_IOAccess::ReadGPIO(DWORD* value)
{
    CAutoMutex hold(&m_lock);
    return saa713x::ReadPins(this, kGpioReadMode, value);
}

HRESULT CTV_IOAccess::GpioWrite(DWORD value, DWORD mask, DWORD delayMs)
{
    CAutoMutex hold(&m_lock);
    return saa713x::WritePins(this, value, mask, delayMs);
}

HRESULT CTV_IOAccess::WriteGPIO(DWORD value, DWORD mask)
{
    return GpioWrite(value, mask, 0);
}

HRESULT CTV_IOAccess::WriteGPIODelayed(DWORD value, DWORD mask, DWORD delayMs)
{
    return GpioWrite(value, mask, delayMs);
}

HRESULT CTV_IOAccess::SetControl(ULONG id, DWORD value)
{
    CAutoMutex hold(&m_lock);
    return m_client.SetControlWord(id, value);
}

HRESULT CTV_IOAccess::SetProperty7(DWORD value) { return SetControl(COMMONCARD_CONTROL7, value); }
HRESULT CTV_IOAccess::SetProperty8(DWORD value) { return SetControl(COMMONCARD_CONTROL8, value); }
HRESULT CTV_IOAccess::SetProperty10(DWORD value) { return SetControl(COMMONCARD_CONTROL10, value); }

HRESULT CTV_IOAccess::SetProperty9()
{
    CAutoMutex hold(&m_lock);
    return m_client.SetNoPayload(COMMONCARD_CONTROL9);
}

HRESULT CTV_IOAccess::SetTunerReset(LONG level)
{
    return saa713x::DrivePins(this, kTunerResetPin, kTunerResetPin, level ? kTunerResetPin : 0);
}

HRESULT CTV_IOAccess::ReadRegisterByte(DWORD address, BYTE* value)
{
    if (!value)
        return E_POINTER;
    DWORD word = 0;
    HRESULT hr = ReadRegister(address & ~3u, &word);
    if (hr == S_OK)
        *value = static_cast<BYTE>(word >> ((address & 3) * 8));
    return hr;
}

HRESULT CTV_IOAccess::ReadRegister(DWORD address, DWORD* value)
{
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!value)
        return E_POINTER;
    return m_client.GetRegister(address, value);
}

HRESULT CTV_IOAccess::WriteRegister(DWORD address, DWORD value)
{
    if (!m_pKsPropertySet)
        return E_FAIL;
    return m_client.SetRegister(address, value);
}

HRESULT CTV_IOAccess::GPIO_GetAuxInput(DWORD*) { return E_FAIL; }
HRESULT CTV_IOAccess::GPIO_SetAudioRoute(LONG) { return E_FAIL; }
HRESULT CTV_IOAccess::GPIO_GetAudioRoute(DWORD*) { return E_FAIL; }
HRESULT CTV_IOAccess::GPIO_SetTVFM(DWORD) { return E_FAIL; }

HRESULT CTV_IOAccess::GetSignalPresent(DWORD* present)
{
    if (!m_pKsPropertySet || !present)
        return E_POINTER;
    DWORD status = 0;
    HRESULT hr = ReadRegister(kDecoderStatusRegister, &status);
    *present = (hr == S_OK && (status & 1)) ? 1 : 0;
    return hr;
}

HRESULT CTV_IOAccess::SetAuxOutput(DWORD on)
{
    if (!m_pKsPropertySet)
        return E_FAIL;
    return WriteRegister(kAuxOutputRegister, on ? 0xBB : 0xFF);
}
