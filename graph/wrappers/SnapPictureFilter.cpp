#include "graph/wrappers/SnapPictureFilter.h"

#include "graph/Guids.h"

#include <string.h>

namespace {

const DWORD kSaveRequest = 1;

} // namespace

BOOL CSnapPictureFilter::Init()
{
    m_pSnap.Reset();
    return CRootFilter::Init() && zunk::QueryCodecInterface(m_pFilter, IID_ISnapPictureControl, m_pSnap);
}

BOOL CSnapPictureFilter::SaveSnapshot(int format, const char* path, int quality)
{
    if (!m_pSnap || format == 3 || !path)
        return FALSE;
    SnapshotRequest request = {};
    const size_t length = strlen(path);
    if (length >= sizeof(request.path))
        return FALSE;
    request.size = sizeof(request);
    request.format = format == 1 || format == 2 ? static_cast<DWORD>(format) : 0;
    memcpy(request.path, path, length + 1);
    request.quality = quality < 0 ? 0 : quality > 100 ? 100 : static_cast<DWORD>(quality);
    return zunk::CallSlot(m_pSnap.Get(), &ISnapPictureControl::Request, kSaveRequest,
                          reinterpret_cast<BYTE*>(&request));
}
