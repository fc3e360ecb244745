#include "hw/access/Em2800Access.h"

#include <string.h>

#include "graph/AutoMutex.h"

CEm2800Access::CEm2800Access() : m_bOpen(FALSE) {}

CEm2800Access::~CEm2800Access()
{
    CAutoMutex lock(&m_lock);
    m_device.Close();
}

void CEm2800Access::SetDeviceName(const char* name)
{
    CAutoMutex lock(&m_lock);
    m_strName = name ? name : "";
}

BOOL CEm2800Access::IsOpen()
{
    CAutoMutex lock(&m_lock);
    return m_bOpen;
}

BOOL CEm2800Access::OpenDevice()
{
    if (!m_bOpen && !m_strName.empty() && m_device.Open(m_strName.c_str()))
        m_bOpen = TRUE;
    return m_bOpen;
}

HRESULT CEm2800Access::Attach(IUnknown*, DWORD)
{
    CAutoMutex lock(&m_lock);
    return OpenDevice() ? S_OK : E_FAIL;
}

HRESULT CEm2800Access::SetProperty1(BYTE on)
{
    CAutoMutex lock(&m_lock);
    if (!on) {
        m_device.Close();
        m_bOpen = FALSE;
        return S_OK;
    }
    return OpenDevice() ? S_OK : E_FAIL;
}

HRESULT CEm2800Access::SetProperty3(BYTE on)
{
    CAutoMutex lock(&m_lock);
    if (!on)
        return S_OK;
    return OpenDevice() ? S_OK : E_FAIL;
}

HRESULT CEm2800Access::ReadI2CByte(BYTE address, LONG subAddress, BYTE* value)
{
    CAutoMutex lock(&m_lock);
    if (!m_bOpen)
        return E_FAIL;
    if (!value || subAddress < 0 || subAddress > 0xFF)
        return E_INVALIDARG;
    return Folded(m_device.ReadI2C(address, static_cast<BYTE>(subAddress), 1, value));
}

HRESULT CEm2800Access::WriteI2CByte(BYTE address, LONG subAddress, BYTE value)
{
    CAutoMutex lock(&m_lock);
    if (!m_bOpen)
        return E_FAIL;
    if (subAddress < 0 || subAddress > 0xFF)
        return E_INVALIDARG;
    return Folded(m_device.WriteI2C(address, static_cast<BYTE>(subAddress), 1, &value));
}

HRESULT CEm2800Access::ReadI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex lock(&m_lock);
    if (!m_bOpen)
        return E_FAIL;
    if (!buffer || length < 1 || length > kMaxI2CBytes)
        return E_INVALIDARG;
    // The driver fills the transfer area; the caller's buffer changes only
    // when the whole read succeeded.
    BYTE area[kMaxI2CBytes];
    LONG result = m_device.ReadI2CNoSub(buffer[0], static_cast<BYTE>(length), area);
    if (result != EM28XX_OK)
        return E_FAIL;
    memcpy(buffer, area, static_cast<size_t>(length));
    return S_OK;
}

HRESULT CEm2800Access::WriteI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex lock(&m_lock);
    if (!m_bOpen)
        return E_FAIL;
    if (!buffer || length < 2 || length - 1 > kMaxI2CBytes)
        return E_INVALIDARG;
    return Folded(m_device.WriteI2CNoSub(buffer[0], static_cast<BYTE>(length - 1), buffer + 1));
}

HRESULT CEm2800Access::ReadGPIO(DWORD* value)
{
    CAutoMutex lock(&m_lock);
    if (!m_bOpen)
        return E_FAIL;
    if (!value)
        return E_INVALIDARG;
    BYTE pins = 0;
    if (m_device.ReadGPIO(&pins) != EM28XX_OK)
        return E_FAIL;
    *value = pins;
    return S_OK;
}

HRESULT CEm2800Access::WriteGPIO(DWORD value, DWORD)
{
    CAutoMutex lock(&m_lock);
    if (!m_bOpen)
        return E_FAIL;
    BYTE pins = static_cast<BYTE>(value);
    return Folded(m_device.WriteGPIO(&pins));
}

size_t CEm2800Access::ScanI2CBus(BYTE* found, size_t capacity, DWORD last, BYTE mask)
{
    if (!found)
        return 0;
    if (last > kLastScanAddress)
        last = kLastScanAddress;
    size_t count = 0;
    for (DWORD address = 0; address <= last && count < capacity; address++) {
        BYTE buffer[1] = {static_cast<BYTE>(address)};
        if (ReadI2CBlock(buffer, 1) == S_OK && (buffer[0] & mask))
            found[count++] = static_cast<BYTE>(address);
    }
    return count;
}

LONG CEm2800Access::ReadIndexedWord(BYTE index, WORD* value)
{
    CAutoMutex lock(&m_lock);
    return m_device.ReadIndexedWord(index, value);
}

LONG CEm2800Access::WriteIndexedWord(BYTE index, const WORD* value)
{
    CAutoMutex lock(&m_lock);
    return m_device.WriteIndexedWord(index, value);
}

LONG CEm2800Access::GetControlValue(DWORD id, void* data)
{
    CAutoMutex lock(&m_lock);
    return m_device.GetControlValue(id, data);
}

LONG CEm2800Access::SetControlValue(DWORD id, void* data)
{
    CAutoMutex lock(&m_lock);
    return m_device.SetControlValue(id, data);
}
