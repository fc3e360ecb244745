#include "graph/DeviceEnum.h"

#include <string.h>
#include <uuids.h>

#include <string>
#include <vector>

#include "graph/ComPtr.h"
#include "graph/NameText.h"

namespace zunk {

namespace {

struct KeptDevice
{
    ComPtr<IMoniker> moniker;
    std::string name;   // empty when it could not be read
};

struct KeptCategory
{
    GUID category;
    DWORD thread;   // monikers are only reused in the thread that listed them
    HRESULT listed; // S_OK, or S_FALSE for an empty category
    std::vector<KeptDevice> devices;
};

// Guards the two below; never held while a visitor or COM runs, since a
// visitor may bind a filter that walks devices itself.
CRITICAL_SECTION& KeptLock()
{
    static CRITICAL_SECTION* section = [] {
        CRITICAL_SECTION* made = new CRITICAL_SECTION;
        ::InitializeCriticalSection(made);
        return made;
    }();
    return *section;
}
int g_keepers = 0;
std::vector<KeptCategory>* g_kept = NULL;

std::vector<KeptCategory> TakeKept()
{
    std::vector<KeptCategory> taken;
    ::EnterCriticalSection(&KeptLock());
    if (g_kept)
        taken.swap(*g_kept);
    ::LeaveCriticalSection(&KeptLock());
    return taken;
}

// A copy of the kept listing of the category for this thread, if any.
bool FindKept(const GUID& category, KeptCategory& found)
{
    bool hit = false;
    ::EnterCriticalSection(&KeptLock());
    if (g_kept) {
        for (const KeptCategory& kept : *g_kept) {
            if (kept.thread == ::GetCurrentThreadId() && IsEqualGUID(kept.category, category)) {
                found = kept;
                hit = true;
                break;
            }
        }
    }
    ::LeaveCriticalSection(&KeptLock());
    return hit;
}

void Keep(KeptCategory&& listing)
{
    ::EnterCriticalSection(&KeptLock());
    if (g_keepers > 0 && g_kept) {
        bool known = false;
        for (const KeptCategory& kept : *g_kept)
            known = known || (kept.thread == listing.thread && IsEqualGUID(kept.category, listing.category));
        if (!known)
            g_kept->push_back(static_cast<KeptCategory&&>(listing));
    }
    ::LeaveCriticalSection(&KeptLock());
}

bool Keeping()
{
    ::EnterCriticalSection(&KeptLock());
    bool keeping = g_keepers > 0;
    ::LeaveCriticalSection(&KeptLock());
    return keeping;
}

// The kept friendly name of a moniker listed on this thread, if any.
bool FindKeptName(IMoniker* moniker, std::string& name)
{
    bool hit = false;
    ::EnterCriticalSection(&KeptLock());
    if (g_kept) {
        for (const KeptCategory& kept : *g_kept) {
            if (kept.thread != ::GetCurrentThreadId())
                continue;
            for (const KeptDevice& device : kept.devices) {
                if (device.moniker.Get() == moniker) {
                    name = device.name;
                    hit = true;
                    break;
                }
            }
            if (hit)
                break;
        }
    }
    ::LeaveCriticalSection(&KeptLock());
    return hit;
}

BOOL ReadStoredFriendlyName(IMoniker* moniker, char* name, int size);

HRESULT ListDevices(const GUID& category, const std::function<BOOL(IMoniker*)>& visit)
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

} // namespace

HRESULT ForEachDevice(const GUID& category, const std::function<BOOL(IMoniker*)>& visit)
{
    KeptCategory kept;
    if (!FindKept(category, kept)) {
        if (!Keeping())
            return ListDevices(category, visit);
        kept.category = category;
        kept.thread = ::GetCurrentThreadId();
        kept.listed = ListDevices(category, [&](IMoniker* moniker) {
            KeptDevice device;
            device.moniker.Set(moniker);
            char name[kNameSize];
            if (ReadStoredFriendlyName(moniker, name, sizeof(name)))
                device.name = name;
            kept.devices.push_back(device);
            return TRUE;
        });
        if (kept.listed != S_OK && kept.listed != S_FALSE)
            return kept.listed;
        if (kept.devices.empty())
            kept.listed = S_FALSE;
        Keep(KeptCategory(kept));
    }
    if (kept.listed != S_OK)
        return kept.listed;
    for (const KeptDevice& device : kept.devices) {
        if (!visit(device.moniker.Get()))
            break;
    }
    return S_OK;
}

KeptDeviceListings::KeptDeviceListings()
{
    ::EnterCriticalSection(&KeptLock());
    if (g_keepers++ == 0 && !g_kept)
        g_kept = new std::vector<KeptCategory>;
    ::LeaveCriticalSection(&KeptLock());
}

KeptDeviceListings::~KeptDeviceListings()
{
    std::vector<KeptCategory> released;
    ::EnterCriticalSection(&KeptLock());
    if (--g_keepers == 0 && g_kept)
        released.swap(*g_kept);
    ::LeaveCriticalSection(&KeptLock());
    // The monikers are released here, outside the lock.
}

void ForgetDeviceListings()
{
    std::vector<KeptCategory> released = TakeKept();
}

BOOL ReadFriendlyName(IMoniker* moniker, char* name, int size)
{
    if (!name || size <= 0)
        return FALSE;
    name[0] = 0;
    if (!moniker)
        return FALSE;
    std::string kept;
    if (FindKeptName(moniker, kept)) {
        if (kept.empty() || static_cast<int>(kept.size()) >= size)
            return FALSE;
        memcpy(name, kept.c_str(), kept.size() + 1);
        return TRUE;
    }
    return ReadStoredFriendlyName(moniker, name, size);
}

namespace {

BOOL ReadStoredFriendlyName(IMoniker* moniker, char* name, int size)
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

} // namespace

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
