#include "graph/wrappers/IVIVideoEncFilter.h"

#include "graph/Guids.h"

namespace {

// The parameter written after the settings, and its value.
const LONG kParamCommit = 20;

// In the order the encoder takes them; word 11 is not among them.
const IVIParamWord kSendOrder[] = {
    {5, 12}, {7, 14}, {8, 15},  {13, 2}, {14, 3}, {11, 0}, {12, 1}, {9, 6},
    {6, 13}, {18, 16}, {3, 4}, {4, 5},  {10, 9}, {16, 10}, {17, 7}, {19, 8},
};
const size_t kSentWords = sizeof(kSendOrder) / sizeof(kSendOrder[0]);
static_assert(kSentWords == IVIVideoEncSettings::kWords - 1, "every word but 11 is sent");

struct VideoPreset
{
    LONG palGop, ntscGop;        // word 0
    LONG word2, word3;
    LONG width;                  // pixels
    LONG palHeight, ntscHeight;  // lines
    LONG bitRate;                // kbit/s
    LONG word15, word16;
};

enum Format { kVCD, kSVCD, kDVD, kMPEG1, kMPEG2, kFormatCount };

constexpr VideoPreset kPresets[] = {
    /* VCD   */ {12, 15, 16, 16, 352, 288, 240, 1120, 0, 0},
    /* SVCD  */ {12, 15, 8, 8, 480, 576, 480, 2200, 1, 2},
    /* DVD   */ {6, 6, 5, 5, 720, 576, 480, 4500, 1, 2},
    /* MPEG1 */ {12, 15, 5, 5, 352, 288, 240, 4500, 0, 0},
    /* MPEG2 */ {6, 6, 5, 5, 720, 576, 480, 4500, 1, 2},
};
static_assert(sizeof(kPresets) / sizeof(kPresets[0]) == kFormatCount, "one preset per format");

const LONG kHighRateDVD = 7200;   // kbit/s
const LONG kMaxBitRate = 9800;    // kbit/s, every format

BOOL FillVideo(Format format, IVIVideoEncSettings* settings, int standard, LONG bitRate)
{
    if (!settings)
        return FALSE;
    const VideoPreset& preset = kPresets[format];
    LONG* w = settings->word;
    w[1] = 3;
    w[2] = preset.word2;
    w[3] = preset.word3;
    w[4] = preset.width;
    w[6] = bitRate;
    w[7] = kMaxBitRate;
    w[8] = 112;
    w[9] = 1;
    w[10] = 2;
    w[13] = 2;
    w[15] = preset.word15;
    w[16] = preset.word16;
    const bool pal = standard == IVIStandard_PAL;
    if (!pal && standard != IVIStandard_NTSC)
        return FALSE;
    w[0] = pal ? preset.palGop : preset.ntscGop;
    w[5] = pal ? preset.palHeight : preset.ntscHeight;
    w[12] = pal ? 3 : 4;   // standard code
    w[14] = pal ? 1 : 2;   // standard argument
    return TRUE;
}

} // namespace

BOOL CIVIVideoEncFilter::FillVCDSettings(IVIVideoEncSettings* settings, int standard)
{
    return FillVideo(kVCD, settings, standard, kPresets[kVCD].bitRate);
}

BOOL CIVIVideoEncFilter::FillSVCDSettings(IVIVideoEncSettings* settings, int standard)
{
    return FillVideo(kSVCD, settings, standard, kPresets[kSVCD].bitRate);
}

BOOL CIVIVideoEncFilter::FillMPEG1Settings(IVIVideoEncSettings* settings, int standard)
{
    return FillVideo(kMPEG1, settings, standard, kPresets[kMPEG1].bitRate);
}

BOOL CIVIVideoEncFilter::FillMPEG2Settings(IVIVideoEncSettings* settings, int standard)
{
    return FillVideo(kMPEG2, settings, standard, kPresets[kMPEG2].bitRate);
}

BOOL CIVIVideoEncFilter::FillDVDSettings(IVIVideoEncSettings* settings, int standard,
                                         BOOL highRate)
{
    return FillVideo(kDVD, settings, standard, highRate ? kHighRateDVD : kPresets[kDVD].bitRate);
}

BOOL CIVIVideoEncFilter::ApplySettings(const IVIVideoEncSettings* settings)
{
    ComPtr<ICodecParams> params;
    if (!settings || !zunk::QueryCodecInterface(m_pFilter, IID_IIVIVideoEncParams, params))
        return FALSE;
    BOOL sent = zunk::SendParamWords(params.Get(), settings->word, kSendOrder, kSentWords);
    return zunk::SetCodecParam(params.Get(), kParamCommit, 1) && sent;
}

BOOL CIVIVideoEncFilter::GetSettings(IVIVideoEncSettings* settings)
{
    ComPtr<ICodecParams> params;
    if (!settings || !zunk::QueryCodecInterface(m_pFilter, IID_IIVIVideoEncParams, params))
        return FALSE;
    return zunk::ReadParamWords(params.Get(), settings->word, kSendOrder, kSentWords);
}
