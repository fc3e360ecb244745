// Module plumbing of our filter DLLs: the count of live objects behind
// DllCanUnloadNow, a class factory over a table of creators, and the
// registration of an in-process server and of a filter in a device category.
// Registration runs on regsvr32's thread; the rest on any thread.
#pragma once
#include <objbase.h>
#include <strmif.h>

#include <cstddef>

namespace dshow {

void ModuleAddRef();
void ModuleRelease();
LONG ModuleObjectCount();

// Makes a new object holding one reference for the caller.
typedef HRESULT (*CreateInstanceFn)(IUnknown** out);

struct FactoryRecord
{
    const CLSID* clsid;
    CreateInstanceFn create;
};

// DllGetClassObject over a table of records.
HRESULT GetClassObject(const FactoryRecord* records, size_t count, REFCLSID clsid, REFIID iid,
                       void** out);
// DllCanUnloadNow: S_OK once no object and no server lock is alive.
HRESULT CanUnloadNow();

// HKCR\CLSID\{clsid}: the name, InprocServer32 = the module's path and
// ThreadingModel "Both".
HRESULT RegisterInprocServer(HMODULE module, const CLSID& clsid, const wchar_t* name);
HRESULT UnregisterInprocServer(const CLSID& clsid);

// The filter under `category`, listed by the system device enumerator with
// `name` as its FriendlyName.
HRESULT RegisterFilterInCategory(const CLSID& clsid, const wchar_t* name, const CLSID& category,
                                 const REGFILTER2& info);
HRESULT UnregisterFilterFromCategory(const CLSID& clsid, const wchar_t* name,
                                     const CLSID& category);

} // namespace dshow
