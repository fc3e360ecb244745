// The schedule's file: a versioned binary layout with a checksum, written
// through a temporary sibling and moved over the old file, so a failed write
// never loses the schedule. A file that cannot be read is moved aside, never
// deleted. Used by the timing library under its lock.
#pragma once
#include "platform/timing/TimingSchedule.h"

#include <string>
#include <vector>

namespace TimingStore {

enum class LoadResult
{
    Read,       // the items were read (none when the file is missing)
    SetAside,   // the file was damaged; it now lies under `aside`, no items
    Unreadable, // the file exists but could neither be read nor moved aside
};

// `maxItems` bounds the count a file may claim.
LoadResult Load(const std::string& path, size_t maxItems, std::vector<CTimingSchedule::Item>* items,
                std::string* aside);
BOOL Save(const std::string& path, const std::vector<CTimingSchedule::Item>& items);

// The file's layout, for tests that damage it on purpose.
constexpr char kMagic[4] = {'P', 'S', 'C', 'H'};
constexpr UINT32 kVersion = 1;
constexpr size_t kHeaderSize = 16;  // magic, version, count, record size
constexpr size_t kRecordSize = 40 + 44 + 8; // timing, execute, handled mark
constexpr size_t kTrailerSize = 4;  // checksum over everything before it

} // namespace TimingStore
