#include "hw/access/EncoderBoxProperty.h"

namespace encoder_box {

PropertySet::PropertySet(IUnknown* filter, const GUID& set) : m_setId(set)
{
    if (filter && FAILED(m_set.QueryFrom(filter, IID_IKsPropertySet)))
        m_set.Reset();
}

Outcome PropertySet::Call(ULONG id, bool get, void* instance, DWORD instanceLength, void* data,
                          DWORD dataLength)
{
    if (!m_set)
        return Outcome::kNoInterface;
    DWORD support = 0;
    if (m_set->QuerySupported(m_setId, id, &support) != S_OK ||
        !(support & (get ? KSPROPERTY_SUPPORT_GET : KSPROPERTY_SUPPORT_SET)))
        return Outcome::kUnsupported;
    if (!get)
        return m_set->Set(m_setId, id, instance, instanceLength, data, dataLength) == S_OK
                   ? Outcome::kDone
                   : Outcome::kFailed;
    DWORD returned = 0;
    if (m_set->Get(m_setId, id, instance, instanceLength, data, dataLength, &returned) != S_OK)
        return Outcome::kFailed;
    // A short answer would leave part of the caller's buffer as it was.
    return returned < dataLength ? Outcome::kFailed : Outcome::kDone;
}

Outcome PropertySet::GetInPlace(ULONG id, void* buffer, DWORD length)
{
    return Call(id, true, buffer, length, buffer, length);
}

Outcome PropertySet::SetInPlace(ULONG id, void* buffer, DWORD length)
{
    return Call(id, false, buffer, length, buffer, length);
}

} // namespace encoder_box
