#include "graph/wrappers/MCSplitterFilter.h"

#include "graph/Guids.h"

BOOL CMCSplitterFilter::Init()
{
    SetRefreshPins(TRUE);
    m_pParams.Reset();
    return CRootFilter::Init() &&
           zunk::QueryCodecInterface(m_pFilter, IID_IMCSplitterParams, m_pParams);
}

BOOL CMCSplitterFilter::SetSplitterParam(LONG id, LONG value)
{
    return zunk::SetCodecParam(m_pParams.Get(), id, value);
}

BOOL CMCSplitterFilter::GetSplitterParam(LONG id, LONG* value)
{
    return zunk::GetCodecParam(m_pParams.Get(), id, value);
}
