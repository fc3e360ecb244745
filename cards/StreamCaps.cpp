#include "cards/StreamCaps.h"

#include "graph/MediaTypePtr.h"

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

BOOL VisitStreamCaps(IAMStreamConfig* config, int minRecordBytes, const StreamCapsVisitor& visit,
                     const std::function<void(int index)>& failed)
{
    int count = 0, bytes = 0;
    if (!config || FAILED(config->GetNumberOfCapabilities(&count, &bytes)))
        return FALSE;
    if (count < 0 || count > kMaxCapabilities || bytes < minRecordBytes || bytes > kMaxCapsBytes)
        return FALSE;
    std::vector<BYTE> record(bytes > 0 ? bytes : 1);
    for (int i = 0; i < count; i++) {
        CMediaTypePtr mt;
        HRESULT hr = config->GetStreamCaps(i, &mt, record.data());
        if (hr != S_OK || !mt) {
            if (failed)
                failed(i);
            continue;
        }
        if (visit(i, *mt, record.data()))
            return TRUE;
    }
    return FALSE;
}

BOOL FindLargestVideoCaps(IAMStreamConfig* config, const GUID& subtype, SIZE* size)
{
    if (!size)
        return FALSE;
    LONGLONG largest = -1;
    VisitStreamCaps(config, sizeof(VIDEO_STREAM_CONFIG_CAPS), [&](int, AM_MEDIA_TYPE& mt, BYTE* record) {
        const VIDEO_STREAM_CONFIG_CAPS* caps = reinterpret_cast<const VIDEO_STREAM_CONFIG_CAPS*>(record);
        LONGLONG area = static_cast<LONGLONG>(caps->MaxCroppingSize.cx) * caps->MaxCroppingSize.cy;
        if (IsVideoInfoOf(mt, subtype) && caps->MaxCroppingSize.cx > 0 && caps->MaxCroppingSize.cy > 0 &&
            area > largest) {
            largest = area;
            *size = caps->MaxCroppingSize;
        }
        return false;
    });
    return largest >= 0;
}
