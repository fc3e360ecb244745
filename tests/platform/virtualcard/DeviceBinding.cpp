#include "DeviceBinding.h"

#include "platform/dshow/ComPtr.h"

#include <cwchar>

using dshow::ComPtr;

HRESULT BindDevice(const GUID& category, const wchar_t* name, IBaseFilter** filter)
{
    ComPtr<ICreateDevEnum> devices;
    HRESULT hr = CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER,
                                  IID_ICreateDevEnum, devices.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    ComPtr<IEnumMoniker> monikers;
    hr = devices->CreateClassEnumerator(category, monikers.Receive(), 0);
    if (hr != S_OK)
        return VFW_E_NOT_FOUND;   // S_FALSE: the category is empty
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.Receive(), NULL) == S_OK) {
        ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(NULL, NULL, IID_IPropertyBag, bag.ReceiveVoid())))
            continue;
        VARIANT value;
        VariantInit(&value);
        bool match = SUCCEEDED(bag->Read(L"FriendlyName", &value, NULL)) && value.vt == VT_BSTR &&
                     wcscmp(value.bstrVal, name) == 0;
        VariantClear(&value);
        if (match)
            return moniker->BindToObject(NULL, NULL, IID_IBaseFilter, reinterpret_cast<void**>(filter));
    }
    return VFW_E_NOT_FOUND;
}
