#include "hw/access/Em28xxDevice.h"

#include <string.h>
#include <uuids.h>

#include "graph/DeviceEnum.h"
#include "graph/Guids.h"
#include "graph/NameText.h"
#include "graph/RootFilter.h"

namespace {

const char kTwainKey[] = "Software\\USB2800\\TwainDS";
const char kAudioKey[] = "Software\\USB2800\\Audio";
const char kDefaultTwainName[] = "USB 2820 Video";
const char kDefaultAudioName[] = "USB EMP Audio Device";
const char kWaveOutName[] = "Default WaveOut Device";

const BYTE kIndexRead = 0x80;
const BYTE kControlBit5 = 0x20;

// A text value under HKLM, copied into name (size bytes) only when it is a
// terminated, non-empty string that fits.
BOOL ReadRegistryText(const char* key, const char* value, char* name, size_t size)
{
    HKEY handle = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return FALSE;
    char text[zunk::kNameSize + 1] = {};
    DWORD type = 0;
    DWORD bytes = sizeof(text) - 1;  // room for a terminator the value may lack
    LONG status = RegQueryValueExA(handle, value, NULL, &type, reinterpret_cast<BYTE*>(text), &bytes);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || type != REG_SZ || bytes > sizeof(text) - 1)
        return FALSE;
    text[bytes] = 0;
    size_t length = strlen(text);
    if (length == 0 || length >= size)
        return FALSE;
    memcpy(name, text, length + 1);
    return TRUE;
}

// The first device of `category` whose friendly name begins with `prefix`
// (over the prefix's length), skipping `skip` such devices.
HRESULT BindByPrefix(const GUID& category, const char* prefix, int skip, IBaseFilter** out)
{
    size_t length = prefix ? strlen(prefix) : 0;
    if (length == 0)
        return S_FALSE;
    return zunk::BindFirstDevice(
        category,
        [&](const char* found) { return strncmp(found, prefix, length) == 0 && skip-- == 0; },
        IID_IBaseFilter, reinterpret_cast<void**>(out));
}

} // namespace

const char* const CEm28xxDevice::kBuiltInNames[12] = {
    "USB 2800 Video",  "USB 2801 Video",  "USB 2700 Camera", "USB 2701 Camera",
    "USB 2840 Video",  "USB 2841 Video",  "USB 2830 Video",  "USB 2831 Video",
    "USB 2820 Video",  "USB 2821 Video",  "USB 2710 Camera", "USB 2711 Camera",
};

CEm28xxDevice::CEm28xxDevice() : m_gpioKeepMask(0), m_hrLast(S_OK) {}

CEm28xxDevice::~CEm28xxDevice()
{
    CloseAudio();
    Close();
}

IEm28xxControl* CEm28xxDevice::Open(const char* name)
{
    Close();
    ComPtr<IBaseFilter> filter;
    HRESULT hr = BindByPrefix(CLSID_VideoInputDeviceCategory, name, 0, &filter);
    for (const char* builtIn : kBuiltInNames) {
        if (hr == S_OK)
            break;
        hr = BindByPrefix(CLSID_VideoInputDeviceCategory, builtIn, 0, &filter);
    }
    m_hrLast = hr;
    if (hr != S_OK || !filter)
        return NULL;
    m_hrLast = filter->QueryInterface(IID_IEm28xxControl, m_control.ReceiveVoid());
    if (FAILED(m_hrLast))
        m_control.Reset();
    return m_control.Get();
}

IEm28xxControl* CEm28xxDevice::OpenDefault()
{
    char name[zunk::kNameSize];
    ReadTwainName(name, sizeof(name));
    return Open(name);
}

BOOL CEm28xxDevice::Probe(const char* name)
{
    ComPtr<IEm28xxControl> kept = m_control;
    BOOL present = Open(name) != NULL;
    m_control = kept;
    return present;
}

void CEm28xxDevice::Close()
{
    m_control.Reset();
}

void CEm28xxDevice::ReadTwainName(char* name, size_t size)
{
    if (!name || size == 0)
        return;
    if (!ReadRegistryText(kTwainKey, "RealDSName", name, size) &&
        !ReadRegistryText(kTwainKey, "DSName", name, size))
        zunk::CopyName(name, size, kDefaultTwainName);
}

void CEm28xxDevice::ReadAudioName(char* name, size_t size)
{
    if (!name || size == 0)
        return;
    if (!ReadRegistryText(kAudioKey, "DeviceName", name, size))
        zunk::CopyName(name, size, kDefaultAudioName);
}

// --- transfers ------------------------------------------------------------------

LONG CEm28xxDevice::Transfer(ULONG selectId, DWORD index, ULONG dataId, void* data, bool read)
{
    if (!m_control)
        return EM28XX_NOT_OPEN;
    if (!data)
        return E_POINTER;
    HRESULT hr = m_control->Set(selectId, &index);
    if (hr == S_OK)
        hr = read ? m_control->Get(dataId, data) : m_control->Set(dataId, data);
    m_hrLast = hr;
    if (hr != S_OK) {
        DWORD none = 0;
        m_control->Set(selectId, &none);
        return hr;
    }
    return EM28XX_OK;
}

LONG CEm28xxDevice::ReadRegister(BYTE reg, BYTE count, void* data)
{
    if (count == 0)
        return E_INVALIDARG;
    return Transfer(EM28XX_SELECT_REGISTER, (static_cast<DWORD>(reg) << 8) | count,
                    EM28XX_REGISTER_DATA, data, true);
}

LONG CEm28xxDevice::WriteRegister(BYTE reg, BYTE count, const void* data)
{
    if (count == 0)
        return E_INVALIDARG;
    // The driver only reads what it is handed to write.
    return Transfer(EM28XX_SELECT_REGISTER, (static_cast<DWORD>(reg) << 8) | count,
                    EM28XX_REGISTER_DATA, const_cast<void*>(data), false);
}

LONG CEm28xxDevice::PollIndexIdle()
{
    for (int poll = 0; poll < kIndexBusyPolls; poll++) {
        BYTE busy = 0;
        if (ReadRegister(EM28XX_INDEX_BUSY, 1, &busy) != EM28XX_OK)
            return EM28XX_REFUSED;
        if (!(busy & 1))
            return EM28XX_OK;
    }
    return EM28XX_REFUSED;
}

LONG CEm28xxDevice::ReadIndexedWord(BYTE index, WORD* value)
{
    if (!value)
        return E_POINTER;
    BYTE select = index | kIndexRead;
    LONG result = WriteRegister(EM28XX_INDEX, 1, &select);
    if (result != EM28XX_OK)
        return result;
    result = PollIndexIdle();
    if (result != EM28XX_OK)
        return result;
    BYTE bytes[2] = {};
    result = ReadRegister(EM28XX_INDEX_DATA, 2, bytes);
    if (result == EM28XX_OK)
        *value = static_cast<WORD>(bytes[0] | (bytes[1] << 8));
    return result;
}

LONG CEm28xxDevice::WriteIndexedWord(BYTE index, const WORD* value)
{
    if (!value)
        return E_POINTER;
    BYTE bytes[2] = {static_cast<BYTE>(*value), static_cast<BYTE>(*value >> 8)};
    LONG result = WriteRegister(EM28XX_INDEX_DATA, 2, bytes);
    if (result == EM28XX_OK)
        result = WriteRegister(EM28XX_INDEX, 1, &index);
    if (result != EM28XX_OK)
        return result;
    return PollIndexIdle();
}

// --- GPIO and controls ---------------------------------------------------------------

LONG CEm28xxDevice::SetGpioKeepMask(BYTE mask)
{
    m_gpioKeepMask = mask;
    BYTE value = 0;
    LONG result = ReadRegister(EM28XX_GPIO_OUTPUT, 1, &value);
    if (result != EM28XX_OK)
        return result;
    value |= mask;
    return WriteRegister(EM28XX_GPIO_OUTPUT, 1, &value);
}

LONG CEm28xxDevice::ReadGPIO(BYTE* value)
{
    if (!value)
        return E_POINTER;
    BYTE outputs = 0;
    LONG result = ReadRegister(EM28XX_GPIO_OUTPUT, 1, &outputs);
    if (result != EM28XX_OK)
        return result;
    if ((outputs & m_gpioKeepMask) != m_gpioKeepMask)
        return EM28XX_REFUSED;
    return ReadRegister(EM28XX_GPIO_INPUT, 1, value);
}

LONG CEm28xxDevice::WriteGPIO(const BYTE* value)
{
    if (!value)
        return E_POINTER;
    if ((*value & m_gpioKeepMask) != m_gpioKeepMask)
        return EM28XX_REFUSED;
    return WriteRegister(EM28XX_GPIO_OUTPUT, 1, value);
}

BOOL CEm28xxDevice::ClearControlBit5()
{
    BYTE value = 0;
    if (ReadRegister(EM28XX_CONTROL, 1, &value) != EM28XX_OK || !(value & kControlBit5))
        return FALSE;
    value &= ~kControlBit5;
    return WriteRegister(EM28XX_CONTROL, 1, &value) == EM28XX_OK;
}

BOOL CEm28xxDevice::IsSignalPresent()
{
    DWORD present = 0;
    return GetControlValue(EM28XX_SIGNAL_PRESENT, &present) == EM28XX_OK && present != 0;
}

LONG CEm28xxDevice::GetControlValue(DWORD id, void* data)
{
    if (!m_control)
        return EM28XX_NOT_OPEN;
    if (!data)
        return E_POINTER;
    m_hrLast = m_control->Get(id, data);
    return m_hrLast == S_OK ? EM28XX_OK : m_hrLast;
}

LONG CEm28xxDevice::SetControlValue(DWORD id, void* data)
{
    if (!m_control)
        return EM28XX_NOT_OPEN;
    if (!data)
        return E_POINTER;
    m_hrLast = m_control->Set(id, data);
    return m_hrLast == S_OK ? EM28XX_OK : m_hrLast;
}

LONG CEm28xxDevice::ReadControl(DWORD control, DWORD* value)
{
    if (!value)
        return E_POINTER;
    LONG result = SetControlValue(EM28XX_SELECT_CONTROL, &control);
    DWORD valid = 0;
    if (result == EM28XX_OK)
        result = GetControlValue(EM28XX_CONTROL_VALID, &valid);
    if (result != EM28XX_OK)
        return result;
    if (valid == 0)
        return EM28XX_NO_CONTROL;
    return GetControlValue(EM28XX_CONTROL_VALUE, value);
}

// --- I2C ---------------------------------------------------------------------------------

LONG CEm28xxDevice::ReadI2C(BYTE address, BYTE sub, BYTE count, void* data)
{
    if (count == 0)
        return E_INVALIDARG;
    return Transfer(EM28XX_SELECT_I2C, Em28xxI2CIndex(address, sub, count), EM28XX_I2C_DATA, data, true);
}

LONG CEm28xxDevice::WriteI2C(BYTE address, BYTE sub, BYTE count, const void* data)
{
    if (count == 0)
        return E_INVALIDARG;
    return Transfer(EM28XX_SELECT_I2C, Em28xxI2CIndex(address, sub, count), EM28XX_I2C_DATA,
                    const_cast<void*>(data), false);
}

LONG CEm28xxDevice::ReadI2CNoSub(BYTE address, BYTE count, void* data)
{
    if (count == 0)
        return E_INVALIDARG;
    return Transfer(EM28XX_SELECT_I2C, Em28xxI2CIndex(address, count), EM28XX_I2C_DATA, data, true);
}

LONG CEm28xxDevice::WriteI2CNoSub(BYTE address, BYTE count, const void* data)
{
    // A message of the address alone (count 0) is the bus's probe; the
    // driver carries it like any other write.
    return Transfer(EM28XX_SELECT_I2C, Em28xxI2CIndex(address, count), EM28XX_I2C_DATA,
                    const_cast<void*>(data), false);
}

// --- audio ---------------------------------------------------------------------------------

BOOL CEm28xxDevice::OpenAudio()
{
    CloseAudio();
    char name[zunk::kNameSize];
    ReadAudioName(name, sizeof(name));
    if (BindByPrefix(CLSID_AudioInputDeviceCategory, name, 0, &m_audioCapture) == S_OK &&
        BindByPrefix(CLSID_AudioInputDeviceCategory, name, 1, &m_audioSecond) == S_OK &&
        BindByPrefix(CLSID_AudioRendererCategory, kWaveOutName, 0, &m_audioRenderer) == S_OK &&
        m_audioCapture && m_audioSecond && m_audioRenderer)
        return TRUE;
    CloseAudio();
    return FALSE;
}

void CEm28xxDevice::CloseAudio()
{
    m_audioCapture.Reset();
    m_audioSecond.Reset();
    m_audioRenderer.Reset();
}

HRESULT CEm28xxDevice::ShowAudioPropertyPages(HWND parent)
{
    if (!m_audioCapture)
        return E_POINTER;
    return CRootFilter::ShowObjectPropertyPages(m_audioCapture.Get(), parent, "");
}
