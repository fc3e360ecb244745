// Which encoder settings go together: the bit tests of capability matching,
// the association list's answer to one question, and the list of allowed
// stream / resolution / frame-rate triples of a capability table. Free
// functions over the caller's EncoderCaps; UI thread.
#pragma once
#include "cards/families/EncoderProfiles.h"

// TRUE when `mask` is 0 or holds every one of `bits`.
BOOL HasAllBits(DWORD mask, DWORD bits);
// TRUE when a setting for the `wanted` TV standards can be served by one
// that `offered`: every wanted bit offered; "none" (0) only by "none".
BOOL IsStandardCompatible(DWORD wanted, DWORD offered);

// 61 when the first association entry that fits `query` (owner kind and
// target kind equal, each index equal or kAny) denies it; 0 when it allows
// it or no entry fits.
int IsAssociationDenied(const EncoderCaps* caps, const ProfileAssociation& query);

// Replaces the combination list with every triple (s, r, f) of capability
// records whose frame rate and resolution serve `standard` and that no
// association denies. 0 when there is one at least, 24 when none, 60 when
// the list cannot be allocated. The board index is not used.
int BuildCombinations(EncoderCaps* caps, int board, DWORD standard);
void FreeCombinations(EncoderCaps* caps);

// The driver's counts cut to the sizes of its tables.
void ClampCapabilityCounts(EncoderCaps* caps);
