// CEncoderFilter: the MPEG encoder filter of the BlackBird card's driver
// ("BlackBird MPEG Encoder"), held with the property set through which its
// encoder settings are sent; CRaptorEncoderFilter is the Raptor card's
// ("Conexant Raptor Encoder"), the same in every respect. Owned by the
// graph's list; UI thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"

#include <strmif.h>

class CEncoderFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // The filter must carry a property set.
    BOOL Init() override;
    // One property of the encoder set, `data` as instance and as data.
    BOOL SetEncoderProperty(ULONG id, void* data, ULONG size);

protected:
    ComPtr<IKsPropertySet> m_pKsPropertySet;
};

class CRaptorEncoderFilter : public CEncoderFilter
{
public:
    using CEncoderFilter::CEncoderFilter;
};
