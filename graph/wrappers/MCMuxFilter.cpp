#include "graph/wrappers/MCMuxFilter.h"

BOOL CMCMuxFilter::Init()
{
    SetRefreshPins(TRUE);
    ReleaseMux();
    ReleaseMuxParams();
    ReleaseFileSink();
    return CRootFilter::Init() && QueryMux(m_pFilter) && QueryMuxParams(m_pFilter) &&
           QueryFileSink(m_pFilter);
}
