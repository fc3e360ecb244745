// CLigosTransFilter: the outside transcoder sample filter. Its operations
// answer HRESULTs: E_POINTER when the control interface (or a block or an
// out-pointer) is missing, else the transcoder's own. Registered for
// completeness: the engine's graphs do not ask for it. Owned by the graph's
// list; the graph's thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/LigosInterfaces.h"

class CLigosTransFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // Asks the filter for its control interface alone (the pin list is the
    // base's): TRUE only when it answers S_OK.
    BOOL Init() override;

    // The block goes with 0 and the addresses of its words 55 and 56.
    HRESULT CallTrans3(LigosEncSettings* block);
    HRESULT CallTrans4(LigosEncSettings* block);
    HRESULT CallTrans6(LONG value);
    HRESULT SetFileName(const char* path);
    // Through the control interface's companion, asked for on each call.
    HRESULT SetPosition(LONG value);
    // Both positions, each sign-extended, when the companion answers.
    HRESULT GetPositions(LONGLONG* first, LONGLONG* second);

private:
    typedef HRESULT (STDMETHODCALLTYPE ILigosTransControl::*BlockSlot)(LigosEncSettings*, LONG_PTR,
                                                                       LONG*, LONG*);
    HRESULT CallWithBlock(BlockSlot slot, LigosEncSettings* block);
    HRESULT QueryPosition(ComPtr<ILigosTransPosition>& position);

    ComPtr<ILigosTransControl> m_pControl;
};
