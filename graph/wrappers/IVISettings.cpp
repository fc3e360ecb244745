#include "graph/wrappers/IVISettings.h"

namespace zunk {

BOOL SendParamWords(ICodecParams* params, const LONG* words, const IVIParamWord* map, size_t count)
{
    if (!params || !words)
        return FALSE;
    BOOL all = TRUE;
    for (size_t i = 0; i < count; i++) {
        if (!SetCodecParam(params, map[i].id, words[map[i].word]))
            all = FALSE;
    }
    return all;
}

BOOL ReadParamWords(ICodecParams* params, LONG* words, const IVIParamWord* map, size_t count)
{
    if (!params || !words)
        return FALSE;
    BOOL all = TRUE;
    for (size_t i = 0; i < count; i++) {
        if (!GetCodecParam(params, map[i].id, &words[map[i].word]))
            all = FALSE;
    }
    return all;
}

} // namespace zunk
