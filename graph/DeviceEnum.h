// Walks the devices of one category through the system device enumerator
// and reads their FriendlyName; shared by the filter look-up and the graph's
// device-name table. Caller's apartment.
//
// Under Wine every listing of a category leaves registry keys open for the
// life of the process, and each graph build lists the card, its crossbar
// and the sound devices again. While a KeptDeviceListings lives, the first
// listing of a category on a thread is kept (monikers and friendly names)
// and later walks on that thread reuse it; a moniker binds again each time.
#pragma once
#include <windows.h>
#include <strmif.h>

#include <functional>

namespace zunk {

// Calls visit for each moniker until it returns FALSE. S_OK after a walk,
// S_FALSE for an empty category, or the failing HRESULT.
HRESULT ForEachDevice(const GUID& category, const std::function<BOOL(IMoniker*)>& visit);

// The moniker's "FriendlyName" in ANSI. FALSE, with name empty, when the
// property bag or name cannot be read or converted, or the name is empty:
// such a device never matches, since an empty name would match any name.
BOOL ReadFriendlyName(IMoniker* moniker, char* name, int size);

// Binds the first device of the category whose FriendlyName `matches`
// (called in enumeration order; it may keep state, to skip a match) and
// asks the object for `iid`: the binding's HRESULT, S_FALSE when no device
// matches, or the enumerator's failure.
HRESULT BindFirstDevice(const GUID& category, const std::function<BOOL(const char*)>& matches,
                        REFIID iid, void** out);

// Keeps device listings while at least one of these lives (the engine holds
// one for its life); the kept monikers are released with the last one, so
// it must go before the apartment is uninitialised.
class KeptDeviceListings
{
public:
    KeptDeviceListings();
    ~KeptDeviceListings();
    KeptDeviceListings(const KeptDeviceListings&) = delete;
    KeptDeviceListings& operator=(const KeptDeviceListings&) = delete;
};

// Drops every kept listing, so the next walk lists afresh: for when devices
// come or go.
void ForgetDeviceListings();

// Prefix comparison over the shorter of the two names: either may be a
// prefix of the other; an empty asked name matches every device.
BOOL DeviceNamesMatch(const char* asked, const char* found);

} // namespace zunk
