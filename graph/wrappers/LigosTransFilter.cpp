#include "graph/wrappers/LigosTransFilter.h"

#include "graph/Guids.h"
#include "graph/wrappers/FileSinkName.h"

using zunk::ForwardSlot;

BOOL CLigosTransFilter::Init()
{
    m_pControl.Reset();
    return m_pFilter &&
           zunk::QueryCodecInterface(m_pFilter, IID_ILigosTransControl, m_pControl);
}

HRESULT CLigosTransFilter::CallWithBlock(BlockSlot slot, LigosEncSettings* block)
{
    if (!block)
        return E_POINTER;
    return ForwardSlot(m_pControl.Get(), slot, block, LONG_PTR(0),
                       &block->word[LigosEncSettings::kFirstValueWord],
                       &block->word[LigosEncSettings::kSecondValueWord]);
}

HRESULT CLigosTransFilter::CallTrans3(LigosEncSettings* block)
{
    return CallWithBlock(&ILigosTransControl::Call3, block);
}

HRESULT CLigosTransFilter::CallTrans4(LigosEncSettings* block)
{
    return CallWithBlock(&ILigosTransControl::Call4, block);
}

HRESULT CLigosTransFilter::CallTrans6(LONG value)
{
    return ForwardSlot(m_pControl.Get(), &ILigosTransControl::Call6, value);
}

HRESULT CLigosTransFilter::SetFileName(const char* path)
{
    return zunk::SetFilterFileName(m_pFilter, path);
}

HRESULT CLigosTransFilter::QueryPosition(ComPtr<ILigosTransPosition>& position)
{
    if (!m_pControl)
        return E_POINTER;
    return position.QueryFrom(m_pControl.Get(), IID_ILigosTransPosition);
}

HRESULT CLigosTransFilter::SetPosition(LONG value)
{
    ComPtr<ILigosTransPosition> position;
    HRESULT hr = QueryPosition(position);
    return FAILED(hr) ? hr : ForwardSlot(position.Get(), &ILigosTransPosition::SetPosition, value);
}

HRESULT CLigosTransFilter::GetPositions(LONGLONG* first, LONGLONG* second)
{
    if (!first || !second)
        return E_POINTER;
    ComPtr<ILigosTransPosition> position;
    HRESULT hr = QueryPosition(position);
    if (FAILED(hr))
        return hr;
    LONG a = 0, b = 0;
    hr = ForwardSlot(position.Get(), &ILigosTransPosition::GetPositions, &a, &b);
    if (SUCCEEDED(hr)) {
        *first = a;
        *second = b;
    }
    return hr;
}
