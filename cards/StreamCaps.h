// The capability tables of a capture pin's IAMStreamConfig, read safely:
// each capability record is as large as the pin says it is, and a pin that
// reports a record too small for the video capability layout, or a count or
// size past reason, is not read at all. Any thread the interface allows.
#pragma once
#include <windows.h>
#include <dshow.h>

// The largest maximum cropping size (by width x height, the first of equals
// kept) among the video capabilities whose type is FORMAT_VideoInfo with
// `subtype` and a format block. FALSE when none is.
BOOL FindLargestVideoCaps(IAMStreamConfig* config, const GUID& subtype, SIZE* size);
