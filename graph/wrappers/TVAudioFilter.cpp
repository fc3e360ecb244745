#include "graph/wrappers/TVAudioFilter.h"

BOOL CTVAudioFilter::Init()
{
    m_pTVAudio.Reset();
    if (!CRootFilter::Init())
        return FALSE;
    return SUCCEEDED(m_pTVAudio.QueryFrom(m_pFilter, IID_IAMTVAudio)) && m_pTVAudio;
}

BOOL CTVAudioFilter::GetHardwareSupportedTVAudioModes(long* modes)
{
    return m_pTVAudio && SUCCEEDED(m_pTVAudio->GetHardwareSupportedTVAudioModes(modes));
}

BOOL CTVAudioFilter::GetAvailableTVAudioModes(long* modes)
{
    return m_pTVAudio && SUCCEEDED(m_pTVAudio->GetAvailableTVAudioModes(modes));
}

BOOL CTVAudioFilter::GetTVAudioMode(long* mode)
{
    return m_pTVAudio && SUCCEEDED(m_pTVAudio->get_TVAudioMode(mode));
}

BOOL CTVAudioFilter::SetTVAudioMode(long mode)
{
    return m_pTVAudio && SUCCEEDED(m_pTVAudio->put_TVAudioMode(mode));
}
