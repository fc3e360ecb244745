// Walks the devices of one category through the system device enumerator
// and reads their FriendlyName; shared by the filter look-up and the graph's
// device-name table. Caller's apartment; no shared state.
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

// Prefix comparison over the shorter of the two names: either may be a
// prefix of the other; an empty asked name matches every device.
BOOL DeviceNamesMatch(const char* asked, const char* found);

} // namespace zunk
