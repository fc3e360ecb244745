#include "graph/wrappers/VideoEncFilter.h"

#include <amvideo.h>
#include <uuids.h>

#include "graph/MediaTypePtr.h"

BOOL CVideoEncFilter::Init()
{
    m_pDialogs.Reset();
    if (!CRootFilter::Init())
        return FALSE;
    if (FAILED(m_pDialogs.QueryFrom(m_pFilter, IID_IAMVfwCompressDialogs)))
        m_pDialogs.Reset();
    return TRUE;
}

BOOL CVideoEncFilter::ShowDialog(int dialog, HWND parent)
{
    return m_pDialogs && SUCCEEDED(m_pDialogs->ShowDialog(dialog, parent));
}

BOOL CVideoEncFilter::GetState(void* state, int* size)
{
    return m_pDialogs && size && m_pDialogs->GetState(state, size) == S_OK;
}

BOOL CVideoEncFilter::SetState(void* state, int size)
{
    return m_pDialogs && m_pDialogs->SetState(state, size) == S_OK;
}

BOOL CVideoEncFilter::SetFrameRate(int fps)
{
    if (fps < 1 || fps > 30)
        return FALSE;
    CRootPin* output = FindPin(PINDIR_OUTPUT, FALSE);
    if (!output)
        return FALSE;
    ComPtr<IAMStreamConfig> config;
    if (FAILED(config.QueryFrom(output->GetIPin(), IID_IAMStreamConfig)))
        return FALSE;
    CMediaTypePtr mt;
    if (config->GetFormat(&mt) != S_OK || !mt)
        return FALSE;
    if (mt->formattype != FORMAT_VideoInfo || !mt->pbFormat || mt->cbFormat < sizeof(VIDEOINFOHEADER))
        return FALSE;
    reinterpret_cast<VIDEOINFOHEADER*>(mt->pbFormat)->AvgTimePerFrame = 10000000 / fps;
    return config->SetFormat(mt.Get()) == S_OK;
}
