// The hardware object's inputs, video standards and capture sizes.
#include "engine/TVHardWare.h"

#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"
#include "graph/DebugHelper.h"

#include <algorithm>

namespace {

// The standards of 525 lines; all others have 625.
const DWORD k525LineStandards[] = {AnalogVideo_NTSC_M, AnalogVideo_NTSC_M_J, AnalogVideo_NTSC_433,
                                   AnalogVideo_PAL_M, AnalogVideo_PAL_60};

// The capture sizes the cards deliver for a requested width: a smaller and
// a larger size (the larger from 480 requested lines on), each for 625 and
// 525 lines. The half sizes take one field: 288 lines of 625, 240 of 525.
struct SizeRow
{
    LONG widths[2];
    SIZE small625, small525;
    SIZE large625, large525;
};
const SizeRow kSizeRows[] = {
    {{160, 176}, {176, 144}, {160, 120}, {176, 144}, {160, 120}},
    {{320, 352}, {352, 288}, {352, 240}, {352, 576}, {352, 480}},
    {{480, 480}, {480, 576}, {480, 480}, {480, 576}, {480, 480}},
    {{640, 640}, {640, 480}, {640, 480}, {640, 480}, {640, 480}},
    {{704, 704}, {704, 288}, {720, 240}, {704, 576}, {720, 480}},
    {{720, 720}, {720, 288}, {720, 240}, {720, 576}, {720, 480}},
};
static_assert(sizeof(kSizeRows) / sizeof(kSizeRows[0]) == 6, "six width classes");
const LONG kLargeFromLines = 480;

} // namespace

// --- inputs ---------------------------------------------------------------------

BOOL CTVHardWare::RouteInput(int mode)
{
    if (!m_pCrossBar)
        return FALSE;
    switch (mode) {
    case kInputTV:
    case kInputAV:
    case kInputSV:
        // Through the card's pin map: tuner, composite or S-Video, video
        // to output 0 and its sound to output 1.
        m_pCrossBar->RouteVideoInput(mode);
        return m_pCrossBar->RouteAudioInput(mode);
    case kInputFM:
        m_pCrossBar->RouteVideoInput(kInputTV);
        if (HasFMModule()) {
            DebugHelper("FM Contain FM module SetCrossbar 4--->1\n");
            return m_pCrossBar->Route(4, 1);
        }
        DebugHelper("FM SetCrossbar 3--->1\n");
        return m_pCrossBar->Route(3, 1);
    default:
        return m_pCrossBar->Route(mode, 0);
    }
}

BOOL CTVHardWare::SelectInput(int mode, BOOL remember)
{
    if (remember)
        m_settings.VideoSource = mode;
    const BOOL routed = RouteInput(mode);
    UpdateVideoStandard();
    return routed;
}

// --- standards ---------------------------------------------------------------------

BOOL CTVHardWare::SetVideoStandard(DWORD standard)
{
    m_settings.TunerStandard = standard;
    if (!m_pCardFilter)
        return TRUE;
    BOOL result = m_pCardFilter->SetTunerStandard((long)standard);
    const int mode = m_settings.VideoSource;
    if (mode == kInputTV || mode == kInputFM)
        result = SUCCEEDED(m_pCardFilter->PutTVFormat((long)standard)) && result;
    UpdateVideoStandard();
    return result;
}

void CTVHardWare::UpdateVideoStandard()
{
    m_dwAppliedStandard = m_settings.TunerStandard;
    const int mode = m_settings.VideoSource;
    if (m_pCardFilter && (mode == kInputAV || mode == kInputSV)) {
        // An outside source brings its own standard; the decoder knows it
        // once it has locked.
        long locked = 0, current = 0;
        if (SUCCEEDED(m_pCardFilter->IsSignalLocked(&locked)) && locked &&
            SUCCEEDED(m_pCardFilter->GetTVFormats(&current, NULL)) && current)
            m_dwAppliedStandard = (DWORD)current;
    }
    m_settings.VideoSize = MapVideoSize(m_settings.VideoSize, Is525Line());
}

BOOL CTVHardWare::Is525LineStandard(DWORD standard)
{
    return std::find(std::begin(k525LineStandards), std::end(k525LineStandards), standard) !=
           std::end(k525LineStandards);
}

BOOL CTVHardWare::Is525Line() const
{
    return Is525LineStandard(m_dwAppliedStandard);
}

BOOL CTVHardWare::GetVideoStandards(CUIntArray& standards)
{
    const std::vector<DWORD>* list = m_pCardFilter ? m_pCardFilter->GetTunerStandards() : NULL;
    if (!list)
        return FALSE;
    for (DWORD standard : *list)
        standards.Add((UINT)standard);
    return TRUE;
}

// --- sizes ------------------------------------------------------------------------

CSize CTVHardWare::MapVideoSize(CSize size, BOOL is525)
{
    for (const SizeRow& row : kSizeRows) {
        if (size.cx != row.widths[0] && size.cx != row.widths[1])
            continue;
        const bool large = size.cy >= kLargeFromLines;
        const SIZE& mapped = large ? (is525 ? row.large525 : row.large625) : (is525 ? row.small525 : row.small625);
        return CSize(mapped.cx, mapped.cy);
    }
    return size;
}

BOOL CTVHardWare::SetCaptureFormat(int width, int height)
{
    if (!m_pCardFilter)
        return FALSE;
    VideoFormat format;
    if (m_pCardFilter->GetVideoFormat(&format, 1) != S_OK)
        return FALSE;
    const CSize size = MapVideoSize(CSize(width, height), Is525Line());
    format.bmiHeader.biWidth = size.cx;
    format.bmiHeader.biHeight = size.cy;
    return m_pCardFilter->SetVideoFormat(format, 1) == S_OK;
}

BOOL CTVHardWare::RefusedWhileBusy(const char* what) const
{
    if (!IsGraphBusy())
        return FALSE;
    DebugHelper("%s refused: a recording or time shift runs\n", what);
    return TRUE;
}

BOOL CTVHardWare::ReconnectPreview(BOOL setCaptureFormat)
{
    m_saRootGraph.Stop();
    StopRemote();
    m_saRootGraph.DisconnectAll();
    if (setCaptureFormat)
        SetCaptureFormat(m_settings.VideoSize.cx, m_settings.VideoSize.cy);
    if (!BuildPreviewGraph())
        return FALSE;
    ApplyDesktopMode();
    m_saRootGraph.Run();
    StartRemote();
    return TRUE;
}

BOOL CTVHardWare::SetVideoSize(CSize size)
{
    if (RefusedWhileBusy("SetVideoSize"))
        return FALSE;
    m_settings.VideoSize = MapVideoSize(size, Is525Line());
    return m_pCardFilter ? ReconnectPreview(TRUE) : TRUE;
}

BOOL CTVHardWare::SetUseOverlay(BOOL use)
{
    if (RefusedWhileBusy("SetUseOverlay"))
        return FALSE;
    m_bUseOverlay = use;
    return m_pCardFilter ? ReconnectPreview(FALSE) : TRUE;
}
