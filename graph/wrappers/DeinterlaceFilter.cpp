#include "graph/wrappers/DeinterlaceFilter.h"

#include "graph/Guids.h"
#include "graph/NameText.h"
#include "graph/wrappers/HelperSlots.h"

#include <string>

using namespace DeinterlaceSlots;

namespace {

// The mode values the filter takes start here.
const int kModeBase = 1022;

} // namespace

BOOL CDeinterlaceFilter::Init()
{
    m_pControl.Reset();
    if (!CRootFilter::Init())
        return FALSE;
    return SUCCEEDED(m_pControl.QueryFrom(m_pFilter, IID_IDeinterlaceControl)) && m_pControl;
}

BOOL CDeinterlaceFilter::SetDeinterlace(int mode)
{
    return m_pControl && SetDeinterlace::Call(m_pControl.Get(), kModeBase + mode) == S_OK;
}

BOOL CDeinterlaceFilter::GetNoiseReduce(BOOL* on)
{
    short value = zunk::kFalse16;
    if (!on || !m_pControl || GetNoiseReduce::Call(m_pControl.Get(), &value) != S_OK)
        return FALSE;
    *on = value == zunk::kTrue16;
    return TRUE;
}

BOOL CDeinterlaceFilter::SetNoiseReduce(BOOL on)
{
    return m_pControl && SetNoiseReduce::Call(m_pControl.Get(), zunk::ToBool16(on)) == S_OK;
}

BOOL CDeinterlaceFilter::GetHalfRate(BOOL* on)
{
    short value = zunk::kFalse16;
    if (!on || !m_pControl || GetHalfRate::Call(m_pControl.Get(), &value) != S_OK)
        return FALSE;
    *on = value == zunk::kTrue16;
    return TRUE;
}

BOOL CDeinterlaceFilter::SetHalfRate(BOOL on)
{
    return m_pControl && SetHalfRate::Call(m_pControl.Get(), zunk::ToBool16(on)) == S_OK;
}

BOOL CDeinterlaceFilter::GetReduceValue(int* level)
{
    return level && m_pControl && GetReduceValue::Call(m_pControl.Get(), level) == S_OK;
}

BOOL CDeinterlaceFilter::SetReduceValue(int level)
{
    // Compared without sign, so negative levels are refused too.
    if (static_cast<unsigned>(level) > kMaxReduceValue || !m_pControl)
        return FALSE;
    if (SetReduceValue::Call(m_pControl.Get(), level) != S_OK)
        return FALSE;
    if (level == 0)
        SetNoiseReduce::Call(m_pControl.Get(), zunk::kFalse16);
    return TRUE;
}

BOOL CDeinterlaceFilter::TakeSnapshot(const char* path, int format, int quality)
{
    std::wstring wide;
    if (!m_pControl || !zunk::AnsiToWideString(path, &wide))
        return FALSE;
    return TakeSnapshot::Call(m_pControl.Get(), wide.c_str(), format, quality) == S_OK;
}

BOOL CDeinterlaceFilter::SetCaptureOption(BOOL on)
{
    return m_pControl && SetCaptureOption::Call(m_pControl.Get(), zunk::ToBool16(on)) == S_OK;
}
