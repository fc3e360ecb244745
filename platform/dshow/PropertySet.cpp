#include "platform/dshow/PropertySet.h"

namespace dshow {

namespace {

HRESULT FindRow(const KsPropertyRow* rows, size_t count, REFGUID set, DWORD id,
                const KsPropertyRow** row)
{
    bool setKnown = false;
    for (size_t i = 0; i < count; ++i) {
        if (*rows[i].set != set)
            continue;
        setKnown = true;
        if (rows[i].id == id) {
            *row = &rows[i];
            return S_OK;
        }
    }
    return setKnown ? kPropIdUnsupported : kPropSetUnsupported;
}

} // namespace

HRESULT QueryKsSupport(const KsPropertyRow* rows, size_t count, REFGUID set, DWORD id,
                       DWORD* support)
{
    if (!support)
        return E_POINTER;
    const KsPropertyRow* row = NULL;
    HRESULT hr = FindRow(rows, count, set, id, &row);
    *support = SUCCEEDED(hr) ? row->support : 0;
    return hr;
}

HRESULT CheckKsRequest(const KsPropertyRow* rows, size_t count, REFGUID set, DWORD id,
                       DWORD direction, const void* instance, ULONG instanceLength,
                       const void* data, ULONG dataLength, const KsPropertyRow** row)
{
    const KsPropertyRow* found = NULL;
    HRESULT hr = FindRow(rows, count, set, id, &found);
    if (FAILED(hr))
        return hr;
    if (!(found->support & direction))
        return kPropIdUnsupported;
    if ((found->minInstance && !instance) || (found->minData && !data))
        return E_POINTER;
    if (instanceLength < found->minInstance || dataLength < found->minData)
        return E_INVALIDARG;
    *row = found;
    return S_OK;
}

} // namespace dshow
