#include "graph/wrappers/DeinterlaceFilter.h"

#include "graph/Guids.h"
#include "graph/NameText.h"

#include <string>

namespace {

// The mode values the filter takes start here.
const int kModeBase = 1022;

} // namespace

BOOL CDeinterlaceFilter::Init()
{
    m_pControl.Reset();
    return CRootFilter::Init() && zunk::QueryCodecInterface(m_pFilter, IID_IDeinterlaceControl, m_pControl);
}

BOOL CDeinterlaceFilter::SetDeinterlace(int mode)
{
    return zunk::CallSlotOk(m_pControl.Get(), &IDeinterlaceControl::SetDeinterlace, kModeBase + mode);
}

BOOL CDeinterlaceFilter::GetNoiseReduce(BOOL* on)
{
    short value = zunk::kFalse16;
    if (!on || !zunk::CallSlotOk(m_pControl.Get(), &IDeinterlaceControl::GetNoiseReduce, &value))
        return FALSE;
    *on = value == zunk::kTrue16;
    return TRUE;
}

BOOL CDeinterlaceFilter::SetNoiseReduce(BOOL on)
{
    return zunk::CallSlotOk(m_pControl.Get(), &IDeinterlaceControl::SetNoiseReduce, zunk::ToBool16(on));
}

BOOL CDeinterlaceFilter::GetHalfRate(BOOL* on)
{
    short value = zunk::kFalse16;
    if (!on || !zunk::CallSlotOk(m_pControl.Get(), &IDeinterlaceControl::GetHalfRate, &value))
        return FALSE;
    *on = value == zunk::kTrue16;
    return TRUE;
}

BOOL CDeinterlaceFilter::SetHalfRate(BOOL on)
{
    return zunk::CallSlotOk(m_pControl.Get(), &IDeinterlaceControl::SetHalfRate, zunk::ToBool16(on));
}

BOOL CDeinterlaceFilter::GetReduceValue(int* level)
{
    return level && zunk::CallSlotOk(m_pControl.Get(), &IDeinterlaceControl::GetReduceValue, level);
}

BOOL CDeinterlaceFilter::SetReduceValue(int level)
{
    // Compared without sign, so negative levels are refused too.
    if (static_cast<unsigned>(level) > kMaxReduceValue ||
        !zunk::CallSlotOk(m_pControl.Get(), &IDeinterlaceControl::SetReduceValue, level))
        return FALSE;
    if (level == 0)
        m_pControl->SetNoiseReduce(zunk::kFalse16);
    return TRUE;
}

BOOL CDeinterlaceFilter::TakeSnapshot(const char* path, int format, int quality)
{
    std::wstring wide;
    if (!zunk::AnsiToWideString(path, &wide))
        return FALSE;
    return zunk::CallSlotOk(m_pControl.Get(), &IDeinterlaceControl::TakeSnapshot,
                            static_cast<const wchar_t*>(wide.c_str()), format, quality);
}

BOOL CDeinterlaceFilter::SetCaptureOption(BOOL on)
{
    return zunk::CallSlotOk(m_pControl.Get(), &IDeinterlaceControl::SetCaptureOption, zunk::ToBool16(on));
}
