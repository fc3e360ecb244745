#include "cards/StreamCaps.h"

#include "graph/MediaType.h"

#include <vector>

namespace {

// Far beyond any capture pin; a count or record size past these is a driver
// reply gone wrong.
const int kMaxCapabilities = 1024;
const int kMaxCapsBytes = 64 * 1024;

bool IsVideoInfoOf(const AM_MEDIA_TYPE& mt, const GUID& subtype)
{
    return IsEqualGUID(mt.formattype, FORMAT_VideoInfo) && IsEqualGUID(mt.subtype, subtype) &&
           mt.pbFormat && mt.cbFormat >= sizeof(VIDEOINFOHEADER);
}

} // namespace

BOOL FindLargestVideoCaps(IAMStreamConfig* config, const GUID& subtype, SIZE* size)
{
    int count = 0, bytes = 0;
    if (!config || !size || FAILED(config->GetNumberOfCapabilities(&count, &bytes)))
        return FALSE;
    if (count < 0 || count > kMaxCapabilities ||
        bytes < static_cast<int>(sizeof(VIDEO_STREAM_CONFIG_CAPS)) || bytes > kMaxCapsBytes)
        return FALSE;
    std::vector<BYTE> record(bytes);
    const VIDEO_STREAM_CONFIG_CAPS* caps =
        reinterpret_cast<const VIDEO_STREAM_CONFIG_CAPS*>(record.data());
    LONGLONG largest = -1;
    for (int i = 0; i < count; i++) {
        AM_MEDIA_TYPE* mt = NULL;
        HRESULT hr = config->GetStreamCaps(i, &mt, record.data());
        bool wanted = hr == S_OK && mt && IsVideoInfoOf(*mt, subtype);
        if (mt)
            DeleteMediaType(mt);
        if (!wanted)
            continue;
        LONGLONG area = static_cast<LONGLONG>(caps->MaxCroppingSize.cx) * caps->MaxCroppingSize.cy;
        if (caps->MaxCroppingSize.cx > 0 && caps->MaxCroppingSize.cy > 0 && area > largest) {
            largest = area;
            *size = caps->MaxCroppingSize;
        }
    }
    return largest >= 0;
}
