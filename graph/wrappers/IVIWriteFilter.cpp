#include "graph/wrappers/IVIWriteFilter.h"

#include "graph/Guids.h"
#include "graph/wrappers/FileSinkName.h"

using zunk::CallSlot;

namespace {

const LONG kParamWriteValue = 1280;

} // namespace

BOOL CIVIWriteFilter::Init()
{
    m_pParams.Reset();
    return CRootFilter::Init() &&
           zunk::QueryCodecInterface(m_pFilter, IID_IIVIWriterParams, m_pParams);
}

BOOL CIVIWriteFilter::SetWriteValue(LONG low, LONG high)
{
    LONG pair[2] = {low, high};
    return CallSlot(m_pParams.Get(), &ICodecParams::SetParam, kParamWriteValue,
                    reinterpret_cast<LONG_PTR>(pair));
}

BOOL CIVIWriteFilter::GetWriteValue(LONG* low, LONG* high)
{
    if (!low || !high)
        return FALSE;
    // Room for the whole pair, whatever the writer fills of it.
    LONG pair[2] = {0, 0};
    if (!CallSlot(m_pParams.Get(), &ICodecParams::GetParam, kParamWriteValue,
                  static_cast<void*>(pair)))
        return FALSE;
    *low = pair[0];
    *high = pair[1];
    return TRUE;
}

BOOL CIVIWriteFilter::SetFileName(const char* path)
{
    return SUCCEEDED(zunk::SetFilterFileName(m_pFilter, path));
}
