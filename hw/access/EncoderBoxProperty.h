// One property call of the USB encoder boxes' driver, as every box
// operation makes it: the capture filter's IKsPropertySet, a question
// whether the property supports the call, then the call, whose result
// counts only when it is S_OK and, for a Get, answers the whole buffer.
// Short-lived, on the caller's stack; any thread.
#pragma once
#include "graph/ComPtr.h"

#include <strmif.h>

namespace encoder_box {

enum class Outcome
{
    kNoInterface,  // the filter has no property set
    kUnsupported,  // the box does not offer this call
    kFailed,       // offered, but the driver refused it
    kDone,
};

class PropertySet
{
public:
    PropertySet(IUnknown* filter, const GUID& set);

    bool Bound() const { return static_cast<bool>(m_set); }
    Outcome Call(ULONG id, bool get, void* instance, DWORD instanceLength, void* data, DWORD dataLength);
    // The buffer is instance and data at once.
    Outcome GetInPlace(ULONG id, void* buffer, DWORD length);
    Outcome SetInPlace(ULONG id, void* buffer, DWORD length);

private:
    ComPtr<IKsPropertySet> m_set;
    const GUID& m_setId;  // a constant of the program
};

} // namespace encoder_box
