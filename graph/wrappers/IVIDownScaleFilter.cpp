#include "graph/wrappers/IVIDownScaleFilter.h"

#include "graph/Guids.h"

using zunk::CallSlotOk;

namespace {

const LONG kParamFirst = 1792;
const LONG kParamSecond = 1793;

} // namespace

BOOL CIVIDownScaleFilter::Init()
{
    m_pParams.Reset();
    return CRootFilter::Init() &&
           zunk::QueryCodecInterface(m_pFilter, IID_IIVIDownScaleParams, m_pParams);
}

BOOL CIVIDownScaleFilter::SetDownScale(BOOL first, BOOL second)
{
    return CallSlotOk(m_pParams.Get(), &ICodecParams::SetParam, kParamFirst,
                      static_cast<LONG_PTR>(first ? 1 : 0)) &&
           CallSlotOk(m_pParams.Get(), &ICodecParams::SetParam, kParamSecond,
                      static_cast<LONG_PTR>(second ? 1 : 0));
}

BOOL CIVIDownScaleFilter::GetDownScale(BOOL* first, BOOL* second)
{
    if (!first || !second)
        return FALSE;
    LONG firstValue = 0, secondValue = 0;
    if (!CallSlotOk(m_pParams.Get(), &ICodecParams::GetParam, kParamFirst,
                    static_cast<void*>(&firstValue)) ||
        !CallSlotOk(m_pParams.Get(), &ICodecParams::GetParam, kParamSecond,
                    static_cast<void*>(&secondValue)))
        return FALSE;
    *first = firstValue > 0;
    *second = secondValue >= 1;
    return TRUE;
}
