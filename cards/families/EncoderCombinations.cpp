#include "cards/families/EncoderCombinations.h"

#include "cards/families/ProfileParser.h"

#include <new>

namespace {

template <class T>
void ClampCount(T& count, DWORD limit)
{
    if (count > limit)
        count = limit;
}

BOOL IsDenied(const EncoderCaps* caps, DWORD ownerKind, DWORD owner, DWORD targetKind, DWORD target)
{
    ProfileAssociation query = {ownerKind, owner, targetKind, target, 0, {0, 0, 0}};
    return IsAssociationDenied(caps, query) != 0;
}

} // namespace

BOOL HasAllBits(DWORD mask, DWORD bits)
{
    return mask == 0 || (mask & bits) == bits;
}

BOOL IsStandardCompatible(DWORD wanted, DWORD offered)
{
    if (wanted == 0)
        return offered == 0;
    if (offered == 0)
        return FALSE;
    return (wanted & offered) == wanted;
}

void ClampCapabilityCounts(EncoderCaps* caps)
{
    ClampCount(caps->boardCount, kEncoderBoardCount);
    ClampCount(caps->streamCount, kProfileTableSize);
    ClampCount(caps->resolutionCount, kProfileTableSize);
    ClampCount(caps->frameRateCount, kProfileTableSize);
    ClampCount(caps->associationCount, kAssociationCount);
}

int IsAssociationDenied(const EncoderCaps* caps, const ProfileAssociation& query)
{
    DWORD count = caps->associationCount < (DWORD)kAssociationCount ? caps->associationCount
                                                                     : (DWORD)kAssociationCount;
    for (DWORD i = 0; i < count; i++) {
        const ProfileAssociation& entry = caps->associations[i];
        if (entry.ownerKind != query.ownerKind || entry.targetKind != query.targetKind)
            continue;
        if (entry.ownerIndex != query.ownerIndex && entry.ownerIndex != ProfileAssociation::kAny)
            continue;
        if (entry.targetIndex != query.targetIndex && entry.targetIndex != ProfileAssociation::kAny)
            continue;
        return entry.deny ? kProfileDenied : 0;
    }
    return 0;
}

void FreeCombinations(EncoderCaps* caps)
{
    delete[] caps->combinations;
    caps->combinations = NULL;
    caps->combinationCount = 0;
}

int BuildCombinations(EncoderCaps* caps, int, DWORD standard)
{
    FreeCombinations(caps);
    ClampCapabilityCounts(caps);
    const DWORD streams = caps->streamCount, rates = caps->frameRateCount,
                sizes = caps->resolutionCount;
    if (streams * rates * sizes == 0)
        return kProfileUnmatched;
    ProfileCombination* list = new (std::nothrow) ProfileCombination[streams * rates * sizes];
    if (!list)
        return kProfileOutOfMemory;
    DWORD count = 0;
    // The capability records offer their standards; the board's are wanted.
    for (DWORD s = 0; s < streams; s++) {
        for (DWORD f = 0; f < rates; f++) {
            if (!IsStandardCompatible(standard, caps->frameRates[f].tv_standard))
                continue;
            for (DWORD r = 0; r < sizes; r++) {
                if (!IsStandardCompatible(standard, caps->resolutions[r].tv_standard))
                    continue;
                if (IsDenied(caps, kStreamKind, s, kFrameRateKind, f) ||
                    IsDenied(caps, kStreamKind, s, kResolutionKind, r) ||
                    IsDenied(caps, kFrameRateKind, f, kResolutionKind, r))
                    continue;
                list[count++] = {s, r, f};
            }
        }
    }
    caps->combinations = list;
    caps->combinationCount = count;
    return count ? 0 : kProfileUnmatched;
}
