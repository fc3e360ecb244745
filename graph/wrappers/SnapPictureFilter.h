// CSnapPictureFilter: the snapshot filter, asked to save a picture with one
// request block. Owned by the graph's list; UI thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/HelperInterfaces.h"

#include <cstddef>

// The request block the snapshot filter takes (code 1: save a picture).
#pragma pack(push, 4)
struct SnapshotRequest
{
    DWORD size;       // 272
    DWORD format;     // 1 or 2 as given, otherwise 0
    char path[260];   // narrow, terminated
    DWORD quality;    // 0 to 100
};
#pragma pack(pop)
static_assert(sizeof(SnapshotRequest) == 272, "snapshot request block");
static_assert(offsetof(SnapshotRequest, format) == 4 && offsetof(SnapshotRequest, path) == 8 &&
                  offsetof(SnapshotRequest, quality) == 268,
              "snapshot request fields");

class CSnapPictureFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    BOOL Init() override;
    // FALSE for format 3, a NULL path or one that does not fit the block;
    // the quality is clamped to 0-100.
    BOOL SaveSnapshot(int format, const char* path, int quality);

private:
    ComPtr<ISnapPictureControl> m_pSnap;
};
