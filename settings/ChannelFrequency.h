// CChannelFrequency: a channel's frequency as the channel page shows it (MHz
// as "%g") and as the user types it back, read as exact decimal text so that
// "48.29" is 48290 kHz; digits below the kHz are cut. Plain functions on
// text; any thread.
#pragma once
#include "platform/mfc/String.h"

class CChannelFrequency
{
public:
    static CString Format(long kHz);
    // TRUE with the frequency in kHz when `text` is a decimal number of MHz
    // (blanks around it allowed) within minKHz..maxKHz; FALSE, with `kHz`
    // unchanged, for empty text, other characters, or a frequency outside.
    static BOOL Parse(LPCSTR text, long minKHz, long maxKHz, long& kHz);

    // No tuner reaches this far; longer numbers are refused before any
    // arithmetic.
    static constexpr int kMaxMHzDigits = 6;
};
