#include "graph/wrappers/IVIMuxFilter.h"

#include "graph/Guids.h"

namespace {

// In the order the multiplexer takes them.
const IVIParamWord kSendOrder[] = {
    {515, 4}, {513, 0}, {514, 1}, {517, 3}, {516, 2}, {518, 5},
};
static_assert(sizeof(kSendOrder) / sizeof(kSendOrder[0]) == IVIMuxSettings::kWords,
              "every word is sent");

enum Format { kVCD, kSVCD, kDVD, kMPEG1, kMPEG2, kFormatCount };

// Word 0 is the pack size in bytes, word 4 the stream type.
constexpr IVIMuxSettings kPresets[] = {
    /* VCD   */ {{2324, 1, 1, 1, 2, 0}},
    /* SVCD  */ {{2324, 1, 1, 1, 3, 1}},
    /* DVD   */ {{2048, 1, 1, 1, 4, 1}},
    /* MPEG1 */ {{2048, 1, 1, 1, 0, 1}},
    /* MPEG2 */ {{2048, 1, 1, 1, 1, 1}},
};
static_assert(sizeof(kPresets) / sizeof(kPresets[0]) == kFormatCount, "one preset per format");

BOOL FillMux(Format format, IVIMuxSettings* settings)
{
    if (!settings)
        return FALSE;
    *settings = kPresets[format];
    return TRUE;
}

} // namespace

BOOL CIVIMuxFilter::Init()
{
    SetRefreshPins(TRUE);
    return CRootFilter::Init();
}

BOOL CIVIMuxFilter::FillVCDSettings(IVIMuxSettings* settings)
{
    return FillMux(kVCD, settings);
}

BOOL CIVIMuxFilter::FillDVDSettings(IVIMuxSettings* settings)
{
    return FillMux(kDVD, settings);
}

BOOL CIVIMuxFilter::FillSVCDSettings(IVIMuxSettings* settings)
{
    return FillMux(kSVCD, settings);
}

BOOL CIVIMuxFilter::FillMPEG1Settings(IVIMuxSettings* settings)
{
    return FillMux(kMPEG1, settings);
}

BOOL CIVIMuxFilter::FillMPEG2Settings(IVIMuxSettings* settings)
{
    return FillMux(kMPEG2, settings);
}

BOOL CIVIMuxFilter::ApplySettings(const IVIMuxSettings* settings)
{
    ComPtr<ICodecParams> params;
    if (!settings || !zunk::QueryCodecInterface(m_pFilter, IID_IIVIMuxParams, params))
        return FALSE;
    return zunk::SendParamWords(params.Get(), settings->word, kSendOrder, IVIMuxSettings::kWords);
}
