// Helpers for uncompressed video formats on our pins: the VIDEOINFOHEADER
// media type of a size, a pixel format and a frame rate, its validation, and
// the IAMStreamConfig capability record of a range of sizes. Any thread.
#pragma once
#include "graph/MediaType.h"

#include <amvideo.h>
#include <strmif.h>

namespace dshow {

struct VideoPixelFormat
{
    const GUID* subtype;
    WORD bitCount;
    DWORD compression;   // BI_RGB or the four-character code
};

// Bytes of one frame: rows padded to 4 bytes, as every renderer expects.
DWORD VideoImageSize(LONG width, LONG height, WORD bitCount);

HRESULT MakeVideoInfoType(const VideoPixelFormat& pixels, LONG width, LONG height,
                          REFERENCE_TIME frameInterval, CMediaType* mt);

// The VIDEOINFOHEADER of `mt` when it is a complete, sane one with one of
// `formats`: positive width, a height of at most the bounds and an image
// size that fits; NULL otherwise. *format gets the matching entry.
const VIDEOINFOHEADER* CheckVideoInfoType(const AM_MEDIA_TYPE* mt, const VideoPixelFormat* formats,
                                          size_t count, LONG maxWidth, LONG maxHeight,
                                          const VideoPixelFormat** format);

// A capability record covering min..max sizes in steps, at the given
// frame interval range.
void FillVideoCaps(VIDEO_STREAM_CONFIG_CAPS* caps, const GUID& videoStandards, SIZE minSize,
                   SIZE maxSize, int stepX, int stepY, REFERENCE_TIME minInterval,
                   REFERENCE_TIME maxInterval, WORD bitCount);

// Converts a top-down YUY2 picture (BT.601 studio range) to RGB24 or RGB32
// (bytesPerPixel 3 or 4), rows padded to 4 bytes, bottom-up when asked.
// RGB32 goes eight pixels at a time where the processor has SSE2.
void Yuy2ToRgb(const BYTE* src, int width, int height, BYTE* dst, int bytesPerPixel, bool bottomUp);
// One pixel at a time: the same bytes (tests and benchmarks compare them).
void Yuy2ToRgbScalar(const BYTE* src, int width, int height, BYTE* dst, int bytesPerPixel, bool bottomUp);

} // namespace dshow
