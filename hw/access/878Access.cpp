#include "hw/access/878Access.h"

#include "graph/AutoMutex.h"
#include "graph/Clock.h"

#include <ks.h>

#include <cstring>

C878Access::C878Access(IKsDeviceControl* control)
    : m_pControl(control ? control : &KsDeviceControl()), m_hDevice(NULL)
{
}

HRESULT C878Access::Attach(IUnknown* filter, DWORD param)
{
    if (!filter || !param)
        return E_POINTER;
    IKsObjectHandle* object = NULL;
    if (FAILED(filter->QueryInterface(IID_IKsObjectHandle, reinterpret_cast<void**>(&object))) ||
        !object)
        return E_INVALIDARG;
    // The handle belongs to the capture filter and lives as long as it does.
    m_hDevice = object->KsGetObjectHandle();
    object->Release();
    return S_OK;
}

HRESULT C878Access::Exchange(void* request, ULONG size, ULONG id, ULONG operation)
{
    if (!m_hDevice)
        return E_FAIL;
    // Both request layouts share the header: set, id, flags, operation.
    Bt878ControlRequest* header = static_cast<Bt878ControlRequest*>(request);
    header->set = KSPROPSETID_Bt878;
    header->id = id;
    header->flags = KSPROPERTY_TYPE_SET;
    header->operation = operation;
    ULONG returned = 0;
    HRESULT hr = m_pControl->DeviceControl(m_hDevice, IOCTL_KS_PROPERTY, request, size, request,
                                           size, &returned);
    if (FAILED(hr))
        return hr;
    header->set = KSPROPSETID_Bt878;
    header->id = id;
    header->flags = KSPROPERTY_TYPE_GET;
    header->operation = operation;
    hr = m_pControl->DeviceControl(m_hDevice, IOCTL_KS_PROPERTY, request, size, request, size,
                                   &returned);
    return FAILED(hr) ? hr : S_OK;
}

HRESULT C878Access::ControlOp(ULONG operation, BYTE* byteField)
{
    Bt878ControlRequest request = {};
    BYTE* raw = reinterpret_cast<BYTE*>(&request);
    if (byteField)
        raw[bt878::kByteField] = *byteField;
    HRESULT hr = Exchange(&request, sizeof(request), bt878::kControlProperty, operation);
    if (hr == S_OK && byteField)
        *byteField = raw[bt878::kByteField];
    return hr;
}

HRESULT C878Access::I2CStart() { return ControlOp(bt878::kI2CStart, NULL); }
HRESULT C878Access::I2CStop() { return ControlOp(bt878::kI2CStop, NULL); }
HRESULT C878Access::I2CAck() { return ControlOp(bt878::kI2CAck, NULL); }

HRESULT C878Access::I2CReadByte(BYTE* value)
{
    BYTE field = 0;
    HRESULT hr = ControlOp(bt878::kI2CReadByte, &field);
    if (hr == S_OK)
        *value = field;
    return hr;
}

HRESULT C878Access::I2CWriteByte(BYTE value)
{
    return ControlOp(bt878::kI2CWriteByte, &value);
}

HRESULT C878Access::SetControlByte(BYTE value)
{
    return ControlOp(bt878::kSetControlByte, &value);
}

HRESULT C878Access::SetGpioMode(DWORD mode)
{
    Bt878GpioRequest request = {};
    memcpy(reinterpret_cast<BYTE*>(&request) + bt878::kGpioModeField, &mode, 4);
    return Exchange(&request, sizeof(request), bt878::kGpioProperty, bt878::kSetGpioMode);
}

HRESULT C878Access::GetGpioMode(DWORD* mode)
{
    Bt878GpioRequest request = {};
    HRESULT hr = Exchange(&request, sizeof(request), bt878::kGpioProperty, bt878::kGetGpioMode);
    if (hr == S_OK)
        *mode = request.status;
    return hr;
}

HRESULT C878Access::ReadGpioData(DWORD count, BYTE* data256)
{
    Bt878GpioRequest request = {};
    BYTE* raw = reinterpret_cast<BYTE*>(&request);
    memcpy(raw + bt878::kGpioCountField, &count, 4);
    HRESULT hr = Exchange(&request, sizeof(request), bt878::kGpioProperty, bt878::kReadGpioData);
    if (hr == S_OK)
        memcpy(data256, raw + bt878::kGpioData, 256);
    return hr;
}

HRESULT C878Access::WriteGpioData(DWORD first, DWORD second, const BYTE* data256)
{
    Bt878GpioRequest request = {};
    BYTE* raw = reinterpret_cast<BYTE*>(&request);
    memcpy(raw + bt878::kGpioWriteFirst, &first, 4);
    memcpy(raw + bt878::kGpioWriteSecond, &second, 4);
    memcpy(raw + bt878::kGpioData, data256, 256);
    return Exchange(&request, sizeof(request), bt878::kGpioProperty, bt878::kWriteGpioData);
}

HRESULT C878Access::SetProperty1(BYTE value)
{
    if (value)
        SetControlByte(0);
    return S_OK;
}

HRESULT C878Access::SetProperty3(BYTE)
{
    Bt878GpioRequest request = {};
    Exchange(&request, sizeof(request), bt878::kGpioProperty, bt878::kSetProperty3);
    return S_OK;
}

HRESULT C878Access::ReadI2CByte(BYTE address, LONG subAddress, BYTE* value)
{
    if (!value)
        return E_POINTER;
    if (subAddress < 0)
        return E_INVALIDARG;
    if (!m_hDevice)
        return E_FAIL;
    // One sequence under the lock: another thread's bytes must not land
    // between our start and stop.
    CAutoMutex hold(&m_lock);
    I2CStart();
    I2CWriteByte(address & 0xFE);
    I2CWriteByte(static_cast<BYTE>(subAddress));
    I2CStart();
    I2CWriteByte(static_cast<BYTE>((address & 0xFE) + 1));
    HRESULT hr = I2CReadByte(value);
    I2CStop();
    return hr;
}

HRESULT C878Access::WriteI2CByte(BYTE address, LONG subAddress, BYTE value)
{
    if (subAddress < 0)
        return E_INVALIDARG;
    if (!m_hDevice)
        return E_FAIL;
    CAutoMutex hold(&m_lock);
    I2CStart();
    I2CWriteByte(address & 0xFE);
    I2CWriteByte(static_cast<BYTE>(subAddress));
    HRESULT hr = I2CWriteByte(value);
    I2CStop();
    return hr;
}

HRESULT C878Access::ReadI2CBlock(BYTE* buffer, LONG length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 1)
        return E_INVALIDARG;
    if (!m_hDevice)
        return E_FAIL;
    CAutoMutex hold(&m_lock);
    DWORD started = zunk::GetTickCount();
    HRESULT hr = I2CStart();
    if (hr == S_OK)
        hr = I2CWriteByte(static_cast<BYTE>((buffer[0] & 0xFE) + 1));
    for (LONG i = 0; hr == S_OK && i < length; ++i) {
        hr = I2CReadByte(&buffer[i]);
        if (hr == S_OK)
            hr = I2CAck();
    }
    // The bus is released whatever happened, or the next transfer would
    // start in the middle of this one.
    I2CStop();
    if (hr != S_OK)
        return hr;
    // The driver stretches a transfer it could not complete; more than
    // 200 ms per byte means the bytes cannot be trusted.
    DWORD elapsed = zunk::GetTickCount() - started;
    if (elapsed > 200u * static_cast<DWORD>(length))
        return E_FAIL;
    return S_OK;
}

HRESULT C878Access::WriteI2CBlock(BYTE* buffer, LONG length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 2)
        return E_INVALIDARG;
    if (!m_hDevice)
        return E_FAIL;
    CAutoMutex hold(&m_lock);
    HRESULT hr = I2CStart();
    for (LONG i = 0; hr == S_OK && i < length; ++i)
        hr = I2CWriteByte(buffer[i]);
    I2CStop();
    return hr;
}

HRESULT C878Access::ReadGPIO(DWORD* value)
{
    if (!value)
        return E_POINTER;
    if (!m_hDevice)
        return E_FAIL;
    CAutoMutex hold(&m_lock);
    DWORD saved = 0;
    GetGpioMode(&saved);
    SetGpioMode(0);
    BYTE data[256] = {};
    HRESULT hr = ReadGpioData(1, data);
    if (hr == S_OK)
        memcpy(value, data, 4);
    SetGpioMode(saved);
    return hr;
}

HRESULT C878Access::WriteGPIO(DWORD value, DWORD mask)
{
    if (!m_hDevice)
        return E_FAIL;
    CAutoMutex hold(&m_lock);
    DWORD saved = 0;
    GetGpioMode(&saved);
    SetGpioMode(0);
    BYTE data[256] = {};
    memcpy(data, &value, 4);
    memcpy(data + 4, &mask, 4);
    HRESULT hr = WriteGpioData(1, 1, data);
    SetGpioMode(saved);
    return hr;
}
