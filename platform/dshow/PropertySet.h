// Table-driven checks for an IKsPropertySet of our own: a filter lists the
// properties it answers as rows and lets these helpers refuse unknown sets,
// unknown ids, the wrong direction and short buffers with the codes a
// kernel-streaming proxy gives. Any thread; no state.
#pragma once
#include <windows.h>
#include <strmif.h>

#include <cstddef>

namespace dshow {

// The codes of a property request the filter does not carry.
const HRESULT kPropSetUnsupported = HRESULT_FROM_WIN32(ERROR_SET_NOT_FOUND);
const HRESULT kPropIdUnsupported = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);

// KSPROPERTY_SUPPORT_GET and _SET.
const DWORD kSupportGet = 1;
const DWORD kSupportSet = 2;

struct KsPropertyRow
{
    const GUID* set;
    DWORD id;
    DWORD support;        // kSupportGet and/or kSupportSet
    ULONG minInstance;    // bytes of instance data the request must carry
    ULONG minData;        // bytes of property data
};

// QuerySupported over a table.
HRESULT QueryKsSupport(const KsPropertyRow* rows, size_t count, REFGUID set, DWORD id,
                       DWORD* support);
// Finds the row for a Get (`direction` kSupportGet) or a Set and checks the
// buffers; *row is the matching row on S_OK.
HRESULT CheckKsRequest(const KsPropertyRow* rows, size_t count, REFGUID set, DWORD id,
                       DWORD direction, const void* instance, ULONG instanceLength,
                       const void* data, ULONG dataLength, const KsPropertyRow** row);

} // namespace dshow
