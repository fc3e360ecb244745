// CVideoEncFilter: a video compressor that the platform's Video-for-Windows
// compressor filter exposes: its configuration dialogs, its saved state and
// the output frame rate. CMSMpeg4V1Filter ... V3 are the registered ones,
// found by name in the video compressor category. Owned by the graph's
// list; the graph's thread (SetFrameRate before the graph runs).
#pragma once
#include <strmif.h>

#include "graph/ComPtr.h"
#include "graph/RootFilter.h"

class CVideoEncFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // The dialogs are optional: a compressor without them is still added.
    BOOL Init() override;

    // IAMVfwCompressDialogs; FALSE without it.
    BOOL ShowDialog(int dialog, HWND parent);
    // TRUE only on S_OK; no call for a NULL size.
    BOOL GetState(void* state, int* size);
    BOOL SetState(void* state, int size);
    // 1 to 30 frames a second on the first connected output, when its
    // format is a VIDEOINFOHEADER one; TRUE only when the pin took it.
    BOOL SetFrameRate(int fps);

private:
    ComPtr<IAMVfwCompressDialogs> m_pDialogs;
};

class CMSMpeg4V1Filter : public CVideoEncFilter
{
public:
    using CVideoEncFilter::CVideoEncFilter;
};

class CMSMpeg4V2Filter : public CVideoEncFilter
{
public:
    using CVideoEncFilter::CVideoEncFilter;
};

class CMSMpeg4V3Filter : public CVideoEncFilter
{
public:
    using CVideoEncFilter::CVideoEncFilter;
};
