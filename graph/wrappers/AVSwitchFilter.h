// CAVSwitchFilter: the AV switch of the engine's MPEG record graphs, which
// lets the streams through or holds them (record pause). Owned by the
// graph's list; UI thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/HelperInterfaces.h"

class CAVSwitchFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // The filter must expose its switch interface.
    BOOL Init() override;
    // TRUE only on S_OK.
    BOOL SetSwitch(BOOL pass);
    BOOL GetSwitch(BOOL* pass);

private:
    ComPtr<IAVSwitchControl> m_pSwitch;
};
