#include "platform/dshow/ClassFactory.h"

#include "graph/ComObject.h"
#include "platform/dshow/ComPtr.h"

#include <uuids.h>

#include <new>
#include <string>

namespace dshow {

namespace {

volatile LONG g_objects = 0;
volatile LONG g_locks = 0;

class CClassFactory : public ComObject<IClassFactory>
{
public:
    explicit CClassFactory(CreateInstanceFn create) : m_create(create) { ModuleAddRef(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        using Row = ComInterface<CClassFactory>;
        static constexpr Row kRows[] = {
            Row::Via<IClassFactory>(IID_IUnknown),
            Row::Via<IClassFactory>(IID_IClassFactory),
        };
        return QueryInterfaceTable(this, kRows, iid, out);
    }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = NULL;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        ComPtr<IUnknown> object;
        HRESULT hr = m_create(object.Receive());
        if (FAILED(hr))
            return hr;
        return object->QueryInterface(iid, out);
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            InterlockedIncrement(&g_locks);
        else
            InterlockedDecrement(&g_locks);
        return S_OK;
    }

private:
    ~CClassFactory() override { ModuleRelease(); }

    CreateInstanceFn m_create;
};

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

HRESULT SetString(HKEY key, const wchar_t* name, const std::wstring& value)
{
    LONG error = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    return HRESULT_FROM_WIN32(error);
}

HRESULT GetMapper(ComPtr<IFilterMapper2>& mapper)
{
    return CoCreateInstance(CLSID_FilterMapper2, NULL, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                            mapper.ReceiveVoid());
}

} // namespace

void ModuleAddRef()
{
    InterlockedIncrement(&g_objects);
}

void ModuleRelease()
{
    InterlockedDecrement(&g_objects);
}

LONG ModuleObjectCount()
{
    return g_objects;
}

HRESULT GetClassObject(const FactoryRecord* records, size_t count, REFCLSID clsid, REFIID iid,
                       void** out)
{
    if (!out)
        return E_POINTER;
    *out = NULL;
    for (size_t i = 0; i < count; ++i) {
        if (*records[i].clsid != clsid)
            continue;
        CClassFactory* factory = new (std::nothrow) CClassFactory(records[i].create);
        if (!factory)
            return E_OUTOFMEMORY;
        HRESULT hr = factory->QueryInterface(iid, out);
        factory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CanUnloadNow()
{
    return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

HRESULT RegisterInprocServer(HMODULE module, const CLSID& clsid, const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return E_FAIL;
    std::wstring keyName = L"CLSID\\" + GuidText(clsid);
    HKEY key = NULL;
    LONG error = RegCreateKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, NULL, 0, KEY_WRITE, NULL,
                                 &key, NULL);
    if (error != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(error);
    HRESULT hr = SetString(key, NULL, name);
    HKEY server = NULL;
    if (SUCCEEDED(hr)) {
        error = RegCreateKeyExW(key, L"InprocServer32", 0, NULL, 0, KEY_WRITE, NULL, &server, NULL);
        hr = HRESULT_FROM_WIN32(error);
    }
    if (SUCCEEDED(hr)) {
        hr = SetString(server, NULL, path);
        if (SUCCEEDED(hr))
            hr = SetString(server, L"ThreadingModel", L"Both");
        RegCloseKey(server);
    }
    RegCloseKey(key);
    return hr;
}

HRESULT UnregisterInprocServer(const CLSID& clsid)
{
    std::wstring keyName = L"CLSID\\" + GuidText(clsid);
    LONG error = RegDeleteTreeW(HKEY_CLASSES_ROOT, keyName.c_str());
    if (error == ERROR_FILE_NOT_FOUND)
        return S_FALSE;
    return HRESULT_FROM_WIN32(error);
}

HRESULT RegisterFilterInCategory(const CLSID& clsid, const wchar_t* name, const CLSID& category,
                                 const REGFILTER2& info)
{
    ComPtr<IFilterMapper2> mapper;
    HRESULT hr = GetMapper(mapper);
    if (FAILED(hr))
        return hr;
    // A previous registration under the same name is replaced.
    mapper->UnregisterFilter(&category, name, clsid);
    return mapper->RegisterFilter(clsid, name, NULL, &category, name, &info);
}

HRESULT UnregisterFilterFromCategory(const CLSID& clsid, const wchar_t* name,
                                     const CLSID& category)
{
    ComPtr<IFilterMapper2> mapper;
    HRESULT hr = GetMapper(mapper);
    if (FAILED(hr))
        return hr;
    return mapper->UnregisterFilter(&category, name, clsid);
}

} // namespace dshow
