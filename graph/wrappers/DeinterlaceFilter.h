// CDeinterlaceFilter: the deinterlace filter in front of the video renderer.
// The engine sets its mode, noise reduction, half rate and reduction level
// before a preview, its capture option in every record preset, and takes
// snapshots through it. Each operation is one call of the filter's control
// interface (HelperInterfaces.h), TRUE only on S_OK. Owned by the graph's list;
// UI thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/HelperInterfaces.h"

class CDeinterlaceFilter : public CRootFilter
{
public:
    // The highest noise-reduction level.
    enum { kMaxReduceValue = 10 };

    using CRootFilter::CRootFilter;

    // The filter must expose its control interface.
    BOOL Init() override;

    BOOL SetDeinterlace(int mode);
    BOOL GetNoiseReduce(BOOL* on);
    BOOL SetNoiseReduce(BOOL on);
    BOOL GetHalfRate(BOOL* on);
    BOOL SetHalfRate(BOOL on);
    BOOL GetReduceValue(int* level);
    // 0 to 10; 0 also switches noise reduction off.
    BOOL SetReduceValue(int level);
    // Picture format 1 bitmap, 2 JPEG with quality 0-100.
    BOOL TakeSnapshot(const char* path, int format, int quality);
    BOOL SetCaptureOption(BOOL on);

private:
    ComPtr<IDeinterlaceControl> m_pControl;
};
