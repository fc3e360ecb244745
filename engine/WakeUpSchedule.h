// The earliest scheduled recording still to come, for the wake-up set-up:
// the card's power-on timer and the wake-up timer are set from it. Pure
// functions over timing records; the manager reads the records from the
// timing library. Any thread.
#pragma once
#include "platform/mfc/Time.h"
#include "platform/timing/Timing.h"

#include <vector>

namespace WakeUpSchedule {

// The first occurrence of the item at or after `notBefore`: a once item's
// own date and time; a weekly item's time on the first day from the day of
// `notBefore` (that day and the next seven, so a time earlier in the day
// on today's weekday falls next week) whose weekday bit is set. FALSE when
// there is none (a once item gone by, a damaged record).
BOOL NextOccurrence(const _tagTimingParam& item, const CTime& notBefore, CTime& occurrence);

// The earliest NextOccurrence over all items; FALSE when none has one.
BOOL EarliestOccurrence(const std::vector<_tagTimingParam>& items, const CTime& notBefore, CTime& earliest);

// The card's power-on timer counts whole minutes, in 16 bits: the whole
// minutes from `now` to `openTime`, at least 1 and at most 0xFFFF.
WORD PowerOnMinutes(const CTime& now, const CTime& openTime);

} // namespace WakeUpSchedule
