#include "graph/wrappers/IVIVideoDecoderFilter.h"

BOOL CIVIVideoDecoderFilter::Init()
{
    SetRefreshPins(TRUE);
    return CRootFilter::Init();
}
