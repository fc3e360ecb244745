#include "graph/DeviceEnum.h"

#include <string.h>
#include <uuids.h>

#include "graph/ComPtr.h"
#include "graph/NameText.h"

namespace zunk {

HRESULT ForEachDevice(const GUID& category, const std::function<BOOL(IMoniker*)>& visit)
{
    ComPtr<ICreateDevEnum> devices;
    HRESULT hr = CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER,
                                  IID_ICreateDevEnum, reinterpret_cast<void**>(&devices));
    if (FAILED(hr))
        return hr;
    ComPtr<IEnumMoniker> monikers;
    hr = devices->CreateClassEnumerator(category, &monikers, 0);
    if (hr != S_OK)
        return hr;
    if (!monikers)
        return S_FALSE;
    monikers->Reset();
    for (;;) {
        ComPtr<IMoniker> moniker;
        ULONG fetched = 0;
        if (monikers->Next(1, &moniker, &fetched) != S_OK || fetched != 1)
            break;
        if (!visit(moniker.Get()))
            break;
    }
    return S_OK;
}

BOOL ReadFriendlyName(IMoniker* moniker, char* name, int size)
{
    if (!name || size <= 0)
        return FALSE;
    name[0] = 0;
    if (!moniker)
        return FALSE;
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(NULL, NULL, IID_IPropertyBag,
                                      reinterpret_cast<void**>(&bag))) || !bag)
        return FALSE;
    VARIANT value;
    VariantInit(&value);
    BOOL ok = FALSE;
    if (SUCCEEDED(bag->Read(L"FriendlyName", &value, NULL)) && value.vt == VT_BSTR)
        ok = WideToAnsi(value.bstrVal, name, size);
    VariantClear(&value);
    if (!ok || !name[0]) {
        name[0] = 0;
        return FALSE;
    }
    return TRUE;
}

HRESULT BindFirstDevice(const GUID& category, const std::function<BOOL(const char*)>& matches,
                        REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = NULL;
    HRESULT result = S_FALSE;
    HRESULT hr = ForEachDevice(category, [&](IMoniker* moniker) {
        char found[kNameSize];
        if (!ReadFriendlyName(moniker, found, sizeof(found)) || !matches(found))
            return TRUE;
        result = moniker->BindToObject(NULL, NULL, iid, out);
        return FALSE;
    });
    return hr == S_OK ? result : hr;
}

BOOL DeviceNamesMatch(const char* asked, const char* found)
{
    if (!asked || !found)
        return FALSE;
    size_t n = strlen(asked);
    size_t m = strlen(found);
    return memcmp(asked, found, n < m ? n : m) == 0;
}

} // namespace zunk
