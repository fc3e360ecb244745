// CEmpAudio: the USB bridge's audio device ("USB EMP Audio Device"), which
// the bridge driver's companion object must switch on before it delivers
// sound. Owned by the graph's list; UI thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/HelperInterfaces.h"

class CEmpAudio : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // Valid only when the companion object exists and accepts mode 1.
    BOOL Init() override;
    // The companion's mode call; any success code is TRUE.
    BOOL SetCompanionMode(DWORD value);
    BOOL EnableInputPin(const char* name, BOOL enable);

private:
    ComPtr<IEmpAudioCompanion> m_pControl;  // the companion object
};
