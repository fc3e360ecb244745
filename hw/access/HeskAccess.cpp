#include "hw/access/HeskAccess.h"

#include "graph/AutoMutex.h"
#include "graph/Clock.h"
#include "hw/access/HeskPropertySets.h"
#include "hw/access/Saa713xGpio.h"

#include <ks.h>
#include <ksproxy.h>

namespace {

using saa713x::kGpioMode;
using saa713x::kGpioStatus;
using saa713x::kGpioStrobe;
const DWORD kReadMode = saa713x::kGpioReadMode;
// The remote receiver's handshake lines count as inputs for the code read.
const DWORD kRemoteCodeMode = 0x3F000;
const DWORD kDecoderStatus = 0x11F;

// Board wiring of the Hesk cards.
const DWORD kAuxInputPin = 0x800000;      // bit 23
const DWORD kRouteBit0Pin = 0x400000;     // bit 22
const DWORD kRouteBit1Pin = 0x20000;      // bit 17
const DWORD kRouteEnablePin = 0x4000;     // bit 14, high while routed
const DWORD kTVFMPin = 0x200000;          // bit 21, low for FM on

// Remote receiver on the GPIO lines: bits 18-20 read 0x180000 while a
// code is presented; the low byte carries it inverted.
const DWORD kCodeStrobeMask = 0x1C0000;
const DWORD kCodeStrobe = 0x180000;
const DWORD kCodeHoldLimitMs = 1000;
// The key receiver's own port: mode word of its read, bit 14 clear while a
// key is ready, the key in bits 8-12; it needs 76 ms before the next read.
const DWORD kKeyMode = 0xFFA0FF;
const DWORD kKeyIdle = 0x4000;
const DWORD kKeyBits = 0x1F00;
const DWORD kKeyPauseMs = 76;

HRESULT Normalised(HRESULT hr)
{
    return SUCCEEDED(hr) ? S_OK : hr;
}

} // namespace

CHeskAccess::CHeskAccess() : m_pKsPropertySet(NULL), m_pKsControl(NULL) {}

CHeskAccess::~CHeskAccess()
{
    Release();
}

void CHeskAccess::Release()
{
    if (m_pKsPropertySet) {
        m_pKsPropertySet->Release();
        m_pKsPropertySet = NULL;
    }
    if (m_pKsControl) {
        m_pKsControl->Release();
        m_pKsControl = NULL;
    }
}

HRESULT CHeskAccess::Attach(IUnknown* filter, DWORD)
{
    if (!filter)
        return E_POINTER;
    CAutoMutex hold(&m_lock);
    Release();
    HRESULT hr = filter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&m_pKsPropertySet));
    if (FAILED(hr)) {
        m_pKsPropertySet = NULL;
        return hr;
    }
    hr = filter->QueryInterface(IID_IKsControl, reinterpret_cast<void**>(&m_pKsControl));
    if (FAILED(hr))
        m_pKsControl = NULL;
    return hr;
}

// The BDA driver has no such switches; the card's calls succeed.
HRESULT CHeskAccess::SetProperty1(BYTE) { return S_OK; }
HRESULT CHeskAccess::SetProperty3(BYTE) { return S_OK; }

HRESULT CHeskAccess::I2CTransfer(bool get, DWORD address, const BYTE* send, DWORD sendCount,
                                 BYTE* receive, DWORD receiveCount, const BYTE* data,
                                 DWORD dataCount)
{
    HeskI2CTransfer record = {};
    record.address = address;
    record.send = send;
    record.sendCount = sendCount;
    record.receive = receive;
    record.receiveCount = receiveCount;
    HeskI2CData payload = {data, dataCount};
    if (get) {
        DWORD returned = 0;
        return Normalised(m_pKsPropertySet->Get(KSPROPSETID_HeskI2C, HESK_I2C_TRANSFER, &record,
                                                sizeof(record), &payload, sizeof(payload), &returned));
    }
    return Normalised(m_pKsPropertySet->Set(KSPROPSETID_HeskI2C, HESK_I2C_TRANSFER, &record,
                                            sizeof(record), &payload, sizeof(payload)));
}

HRESULT CHeskAccess::ReadI2CByte(BYTE address, LONG subAddress, BYTE* value)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!value)
        return E_POINTER;
    if (subAddress < 0)
        return E_INVALIDARG;
    BYTE sub = static_cast<BYTE>(subAddress);
    return I2CTransfer(true, address, &sub, 1, value, 1, NULL, 0);
}

HRESULT CHeskAccess::WriteI2CByte(BYTE address, LONG subAddress, BYTE value)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (subAddress < 0)
        return E_INVALIDARG;
    BYTE sub = static_cast<BYTE>(subAddress);
    return I2CTransfer(false, address, &sub, 1, NULL, 1, &value, 1);
}

HRESULT CHeskAccess::ReadI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!buffer)
        return E_POINTER;
    // The driver's transfer buffer bounds what one request may carry.
    if (length < 1 || length > kHeskBlockBytes)
        return E_INVALIDARG;
    // Nothing is sent first: the count of 0 makes the pointed-at byte unused.
    const BYTE none = kHeskAddressInData;
    return I2CTransfer(true, buffer[0], &none, 0, buffer, static_cast<DWORD>(length), NULL, 0);
}

HRESULT CHeskAccess::WriteI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet || !buffer)
        return E_FAIL;
    if (length < 1 || length > kHeskBlockBytes)
        return E_INVALIDARG;
    // The address byte goes first as sent data; the rest as property data.
    return I2CTransfer(false, kHeskAddressInData, buffer, 1, NULL, 1, buffer + 1,
                       static_cast<DWORD>(length - 1));
}

HRESULT CHeskAccess::ReadRegister(DWORD address, DWORD* value)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!value)
        return E_POINTER;
    HeskRegisterInstance instance = {address, 0};
    HeskRegisterData data = {0};
    DWORD returned = 0;
    HRESULT hr = m_pKsPropertySet->Get(KSPROPSETID_HeskRegister, HESK_REGISTER, &instance,
                                       sizeof(instance), &data, sizeof(data), &returned);
    if (FAILED(hr))
        return hr;
    *value = data.value;
    return S_OK;
}

HRESULT CHeskAccess::WriteRegister(DWORD address, DWORD value)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    HeskRegisterInstance instance = {address, 0};
    HeskRegisterData data = {value};
    return Normalised(m_pKsPropertySet->Set(KSPROPSETID_HeskRegister, HESK_REGISTER, &instance,
                                            sizeof(instance), &data, sizeof(data)));
}

HRESULT CHeskAccess::ReadPins(DWORD mode, DWORD* value)
{
    CAutoMutex hold(&m_lock);
    return saa713x::ReadPins(this, mode, value);
}

HRESULT CHeskAccess::ReadGPIO(DWORD* value) { return ReadPins(kReadMode, value); }
HRESULT CHeskAccess::ReadGPIOState(DWORD* value) { return ReadPins(kReadMode, value); }
HRESULT CHeskAccess::ReadGPIOMode(DWORD, DWORD* value) { return ReadPins(kRemoteCodeMode, value); }

HRESULT CHeskAccess::GpioWrite(DWORD value, DWORD mask, DWORD delayMs)
{
    CAutoMutex hold(&m_lock);
    return saa713x::WritePins(this, value, mask, delayMs);
}

HRESULT CHeskAccess::WriteGPIO(DWORD value, DWORD mask) { return GpioWrite(value, mask, 0); }

HRESULT CHeskAccess::WriteGPIODelayed(DWORD value, DWORD mask, DWORD delayMs)
{
    return GpioWrite(value, mask, delayMs);
}

HRESULT CHeskAccess::ReadInputs(DWORD inputs, DWORD* pins)
{
    DWORD mode = 0;
    HRESULT hr = ReadRegister(kGpioMode, &mode);
    if (hr != S_OK)
        return hr;
    if (mode & kGpioStrobe) {
        // Latched already: drop the pins from the outputs, then strobe.
        DWORD plain = mode & ~inputs & ~kGpioStrobe;
        hr = WriteRegister(kGpioMode, plain);
        if (hr == S_OK)
            hr = WriteRegister(kGpioMode, plain | kGpioStrobe);
    } else {
        hr = WriteRegister(kGpioMode, (mode & ~inputs) | kGpioStrobe);
    }
    if (hr == S_OK)
        hr = ReadRegister(kGpioStatus, pins);
    return hr;
}

HRESULT CHeskAccess::GPIO_GetAuxInput(DWORD* value)
{
    if (!value)
        return E_POINTER;
    DWORD pins = 0;
    HRESULT hr = ReadInputs(kAuxInputPin, &pins);
    if (hr == S_OK)
        *value = (pins & kAuxInputPin) ? 1 : 0;
    return hr;
}

HRESULT CHeskAccess::GPIO_SetAudioRoute(LONG route)
{
    DWORD set = kRouteEnablePin;
    if (route & 1)
        set |= kRouteBit0Pin;
    if (route & 2)
        set |= kRouteBit1Pin;
    return saa713x::DrivePins(this, kRouteBit0Pin | kRouteBit1Pin | kRouteEnablePin,
                              kRouteBit0Pin | kRouteBit1Pin, set);
}

HRESULT CHeskAccess::GPIO_GetAudioRoute(DWORD* route)
{
    if (!route)
        return E_POINTER;
    DWORD pins = 0;
    HRESULT hr = ReadInputs(kRouteBit0Pin | kRouteBit1Pin, &pins);
    if (hr == S_OK)
        *route = ((pins & kRouteBit0Pin) ? 1 : 0) | ((pins & kRouteBit1Pin) ? 2 : 0);
    return hr;
}

HRESULT CHeskAccess::GPIO_SetTVFM(DWORD on)
{
    return saa713x::DrivePins(this, kTVFMPin, kTVFMPin, on ? 0 : kTVFMPin);
}

HRESULT CHeskAccess::GetSignalPresent(DWORD* present)
{
    if (!m_pKsPropertySet || !present)
        return E_POINTER;
    DWORD status = 0;
    HRESULT hr = ReadRegister(kDecoderStatus, &status);
    *present = (hr == S_OK && (status & 1)) ? 1 : 0;
    return hr;
}

HRESULT CHeskAccess::ReadRemoteCode(BYTE* code)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!code)
        return E_POINTER;
    DWORD word = 0;
    if (ReadGPIOMode(0, &word) != S_OK || (word & kCodeStrobeMask) != kCodeStrobe)
        return E_FAIL;
    // The code is the last sample taken while the pattern held, so a held
    // key reads once per call; the limit bounds a stuck receiver.
    DWORD last = word;
    const DWORD start = zunk::GetTickCount();
    for (;;) {
        zunk::Sleep(1);
        if (ReadGPIOMode(0, &word) != S_OK || (word & kCodeStrobeMask) != kCodeStrobe ||
            zunk::GetTickCount() - start > kCodeHoldLimitMs)
            break;
        last = word;
    }
    // A failed read after the code was seen still reports the code seen.
    *code = static_cast<BYTE>(~last);
    return S_OK;
}

HRESULT CHeskAccess::ReadRemoteByte(BYTE* code)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!code)
        return E_POINTER;
    // The driver is asked first whether it carries the remote byte; it
    // answers the Get alike either way.
    DWORD support = 0;
    m_pKsPropertySet->QuerySupported(KSPROPSETID_HeskRemote, HESK_REMOTE_CODE, &support);
    BYTE data[kHeskRemoteDataBytes] = {kHeskNoRemoteCode, 0, 0};
    DWORD returned = 0;
    HRESULT hr = m_pKsPropertySet->Get(KSPROPSETID_HeskRemote, HESK_REMOTE_CODE, NULL, 0, data,
                                       sizeof(data), &returned);
    if (FAILED(hr) || data[0] == kHeskNoRemoteCode)
        return E_FAIL;
    *code = data[0];
    return S_OK;
}

HRESULT CHeskAccess::ReadRemoteKey(BYTE* code)
{
    CAutoMutex hold(&m_lock);
    if (!m_pKsPropertySet)
        return E_FAIL;
    if (!code)
        return E_POINTER;
    DWORD pins = 0;
    HRESULT hr = ReadPins(kKeyMode, &pins);
    if (hr != S_OK)
        return hr;
    if (pins & kKeyIdle) {
        *code = 0xFF;
        return E_FAIL;
    }
    *code = static_cast<BYTE>((pins & kKeyBits) >> 8);
    zunk::Sleep(kKeyPauseMs);
    return S_OK;
}
