// The capability tables of a capture pin's IAMStreamConfig, read safely:
// each capability record is as large as the pin says it is, and a pin that
// reports a record too small for the video capability layout, or a count or
// size past reason, is not read at all. Any thread the interface allows.
#pragma once
#include <windows.h>
#include <dshow.h>

#include <functional>

// Called with each capability's index, media type and capability record,
// read whole; returning true ends the walk.
typedef std::function<bool(int index, AM_MEDIA_TYPE& mt, BYTE* caps)> StreamCapsVisitor;

// Walks the capabilities in order; a read that fails or hands back no type
// goes to `failed` (when given) and the walk goes on. Every type is freed
// after its visit. TRUE when a visit ended the walk; FALSE also, without a
// read, for a pin whose records are smaller than `minRecordBytes` or whose
// count or record size is past reason.
BOOL VisitStreamCaps(IAMStreamConfig* config, int minRecordBytes, const StreamCapsVisitor& visit,
                     const std::function<void(int index)>& failed = nullptr);

// The largest maximum cropping size (by width x height, the first of equals
// kept) among the video capabilities whose type is FORMAT_VideoInfo with
// `subtype` and a format block. FALSE when none is.
BOOL FindLargestVideoCaps(IAMStreamConfig* config, const GUID& subtype, SIZE* size);
