#include "graph/wrappers/EmpAudio.h"

#include "graph/Guids.h"
#include "graph/wrappers/AudioDeviceFilter.h"

BOOL CEmpAudio::Init()
{
    m_pControl.Reset();
    if (!CRootFilter::Init())
        return FALSE;
    if (FAILED(CoCreateInstance(CLSID_EmpAudioCompanion, NULL, CLSCTX_INPROC_SERVER,
                                IID_IEmpAudioCompanion, m_pControl.ReceiveVoid())))
        m_pControl.Reset();
    return SetCompanionMode(1);
}

BOOL CEmpAudio::SetCompanionMode(DWORD value)
{
    return zunk::CallSlot(m_pControl.Get(), &IEmpAudioCompanion::SetMode, value);
}

BOOL CEmpAudio::EnableInputPin(const char* name, BOOL enable)
{
    ComPtr<IAMAudioInputMixer> mixer;
    return CAudioDeviceFilter::GetInputMixer(this, name, mixer) && mixer->put_Enable(enable) == S_OK;
}
