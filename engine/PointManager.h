// CPointManager: the scan point tables of "ChannelPoint.ini", which the scan
// list builder prefers to the built-in plans. Owned by the manager; owns its
// rows; UI thread.
#pragma once
#include "engine/PointTable.h"
#include "platform/mfc/Array.h"

class CPointManager : public CTypedPtrArray<CPtrArray, CPointTable*>
{
public:
    CPointManager() {}
    ~CPointManager() override { RemoveAll(); }
    CPointManager(const CPointManager&) = delete;
    CPointManager& operator=(const CPointManager&) = delete;

    // Deletes every row and parses the file. FALSE, the rows kept, when the
    // file cannot be opened or is not text we read (UTF-16); FALSE, with the
    // rows read, when a line was refused. Values that are not numbers of
    // frequencies (above kMaxPointMHz, or not finite) are skipped.
    BOOL Load(LPCSTR path);
    // The first row (file order) of that input type whose country code
    // matches or whose name equals the country name without regard to case.
    BOOL FindTable(int countryCode, LPCSTR countryName, int inputType, const float*& values, int& count) const;
    void RemoveAll();

    // Bound on the tables a file may declare (values: CPointTable::kMaxPoints).
    static constexpr int kMaxTables = 1024;
};
