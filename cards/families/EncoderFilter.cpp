#include "cards/families/EncoderFilter.h"

#include "graph/Guids.h"

BOOL CEncoderFilter::Init()
{
    if (!CRootFilter::Init())
        return FALSE;
    if (FAILED(m_pKsPropertySet.QueryFrom(m_pFilter, IID_IKsPropertySet)))
        m_pKsPropertySet.Reset();
    return m_pKsPropertySet ? TRUE : FALSE;
}

BOOL CEncoderFilter::SetEncoderProperty(ULONG id, void* data, ULONG size)
{
    if (!m_pKsPropertySet)
        return FALSE;
    return SUCCEEDED(m_pKsPropertySet->Set(KSPROPSETID_EncoderBox, id, data, size, data, size));
}
