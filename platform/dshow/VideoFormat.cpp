#include "platform/dshow/VideoFormat.h"

#include <uuids.h>

namespace dshow {

namespace {

BYTE ClampByte(int value)
{
    return static_cast<BYTE>(value < 0 ? 0 : value > 255 ? 255 : value);
}

} // namespace

DWORD VideoImageSize(LONG width, LONG height, WORD bitCount)
{
    DWORD stride = ((static_cast<DWORD>(width) * bitCount + 31) / 32) * 4;
    return stride * static_cast<DWORD>(height < 0 ? -height : height);
}

HRESULT MakeVideoInfoType(const VideoPixelFormat& pixels, LONG width, LONG height,
                          REFERENCE_TIME frameInterval, CMediaType* mt)
{
    if (!mt)
        return E_POINTER;
    if (width <= 0 || height <= 0)
        return E_INVALIDARG;
    mt->InitMediaType();
    mt->ResetFormatBuffer();
    VIDEOINFOHEADER* vih = reinterpret_cast<VIDEOINFOHEADER*>(mt->AllocFormatBuffer(sizeof(VIDEOINFOHEADER)));
    if (!vih)
        return E_OUTOFMEMORY;
    memset(vih, 0, sizeof(*vih));
    DWORD size = VideoImageSize(width, height, pixels.bitCount);
    vih->AvgTimePerFrame = frameInterval;
    vih->dwBitRate = frameInterval > 0
        ? static_cast<DWORD>(static_cast<LONGLONG>(size) * 8 * 10000000 / frameInterval)
        : 0;
    vih->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih->bmiHeader.biWidth = width;
    vih->bmiHeader.biHeight = height;
    vih->bmiHeader.biPlanes = 1;
    vih->bmiHeader.biBitCount = pixels.bitCount;
    vih->bmiHeader.biCompression = pixels.compression;
    vih->bmiHeader.biSizeImage = size;
    mt->SetType(&MEDIATYPE_Video);
    mt->SetSubtype(pixels.subtype);
    mt->SetFormatType(&FORMAT_VideoInfo);
    mt->SetTemporalCompression(FALSE);
    mt->SetSampleSize(size);
    return S_OK;
}

const VIDEOINFOHEADER* CheckVideoInfoType(const AM_MEDIA_TYPE* mt, const VideoPixelFormat* formats,
                                          size_t count, LONG maxWidth, LONG maxHeight,
                                          const VideoPixelFormat** format)
{
    if (!mt || mt->majortype != MEDIATYPE_Video || mt->formattype != FORMAT_VideoInfo ||
        !mt->pbFormat || mt->cbFormat < sizeof(VIDEOINFOHEADER))
        return NULL;
    const VIDEOINFOHEADER* vih = reinterpret_cast<const VIDEOINFOHEADER*>(mt->pbFormat);
    const BITMAPINFOHEADER& bmi = vih->bmiHeader;
    LONG height = bmi.biHeight < 0 ? -bmi.biHeight : bmi.biHeight;
    if (bmi.biWidth <= 0 || bmi.biWidth > maxWidth || height == 0 || height > maxHeight)
        return NULL;
    for (size_t i = 0; i < count; ++i) {
        if (*formats[i].subtype != mt->subtype || formats[i].bitCount != bmi.biBitCount)
            continue;
        if (bmi.biSizeImage != 0 && bmi.biSizeImage < VideoImageSize(bmi.biWidth, height, bmi.biBitCount))
            return NULL;
        if (format)
            *format = &formats[i];
        return vih;
    }
    return NULL;
}

void FillVideoCaps(VIDEO_STREAM_CONFIG_CAPS* caps, const GUID& videoStandards, SIZE minSize,
                   SIZE maxSize, int stepX, int stepY, REFERENCE_TIME minInterval,
                   REFERENCE_TIME maxInterval, WORD bitCount)
{
    memset(caps, 0, sizeof(*caps));
    caps->guid = videoStandards;
    caps->VideoStandard = 0;
    caps->InputSize = maxSize;
    caps->MinCroppingSize = minSize;
    caps->MaxCroppingSize = maxSize;
    caps->CropGranularityX = stepX;
    caps->CropGranularityY = stepY;
    caps->CropAlignX = stepX;
    caps->CropAlignY = stepY;
    caps->MinOutputSize = minSize;
    caps->MaxOutputSize = maxSize;
    caps->OutputGranularityX = stepX;
    caps->OutputGranularityY = stepY;
    caps->MinFrameInterval = minInterval;
    caps->MaxFrameInterval = maxInterval;
    caps->MinBitsPerSecond = static_cast<LONG>(
        static_cast<LONGLONG>(VideoImageSize(minSize.cx, minSize.cy, bitCount)) * 8 * 10000000 / maxInterval);
    LONGLONG maxBits = static_cast<LONGLONG>(VideoImageSize(maxSize.cx, maxSize.cy, bitCount)) * 8 *
                       10000000 / minInterval;
    caps->MaxBitsPerSecond = maxBits > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<LONG>(maxBits);
}

void Yuy2ToRgb(const BYTE* src, int width, int height, BYTE* dst, int bytesPerPixel, bool bottomUp)
{
    size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
    for (int y = 0; y < height; ++y) {
        const BYTE* in = src + static_cast<size_t>(y) * width * 2;
        BYTE* out = dst + stride * (bottomUp ? height - 1 - y : y);
        for (int x = 0; x < width; x += 2, in += 4) {
            int d = in[1] - 128, e = in[3] - 128;
            for (int k = 0; k < 2; ++k) {
                // BT.601 studio range to full-range RGB, 8.8 fixed point.
                int c = (in[k * 2] - 16) * 298;
                out[0] = ClampByte((c + 516 * d + 128) >> 8);
                out[1] = ClampByte((c - 100 * d - 208 * e + 128) >> 8);
                out[2] = ClampByte((c + 409 * e + 128) >> 8);
                if (bytesPerPixel == 4)
                    out[3] = 0;
                out += bytesPerPixel;
            }
        }
    }
}

} // namespace dshow
