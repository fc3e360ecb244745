#include "platform/dshow/VideoFormat.h"

#include <emmintrin.h>
#include <uuids.h>

namespace dshow {

namespace {

BYTE ClampByte(int value)
{
    return static_cast<BYTE>(value < 0 ? 0 : value > 255 ? 255 : value);
}

// Pixels [first, last) of one YUY2 row (first even) into RGB24 or RGB32.
void ConvertRow(const BYTE* in, BYTE* out, int first, int last, int bytesPerPixel)
{
    in += static_cast<size_t>(first) * 2;
    out += static_cast<size_t>(first) * bytesPerPixel;
    for (int x = first; x < last; x += 2, in += 4) {
        const int d = in[1] - 128, e = in[3] - 128;
        for (int k = 0; k < 2 && x + k < last; ++k) {
            // BT.601 studio range to full-range RGB, 8.8 fixed point.
            const int c = (in[k * 2] - 16) * 298;
            out[0] = ClampByte((c + 516 * d + 128) >> 8);
            out[1] = ClampByte((c - 100 * d - 208 * e + 128) >> 8);
            out[2] = ClampByte((c + 409 * e + 128) >> 8);
            if (bytesPerPixel == 4)
                out[3] = 0;
            out += bytesPerPixel;
        }
    }
}

bool HasSse2()
{
    // Every 64-bit processor has it; a 32-bit build asks.
#if defined(__x86_64__)
    return true;
#else
    return ::IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != FALSE;
#endif
}

// The same sums as ConvertRow, eight pixels at a time: each product pair
// (luma, chroma) x (298, factor) is one 16 x 16 -> 32-bit multiply-add, so
// no sum is cut; the shift is arithmetic and the packs saturate, which is
// the clamp to 0..255. The output is ConvertRow's, byte for byte.
__attribute__((target("sse2"))) void ConvertRowSse2(const BYTE* in, BYTE* out, int width)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i offsets = _mm_set_epi16(128, 16, 128, 16, 128, 16, 128, 16); // Y-16, chroma-128
    const __m128i blueFactors = _mm_set_epi16(516, 298, 516, 298, 516, 298, 516, 298);
    const __m128i greenFromU = _mm_set_epi16(-100, 298, -100, 298, -100, 298, -100, 298);
    const __m128i greenFromV = _mm_set_epi16(-208, 0, -208, 0, -208, 0, -208, 0);
    const __m128i redFactors = _mm_set_epi16(409, 298, 409, 298, 409, 298, 409, 298);
    const __m128i round = _mm_set1_epi32(128);
    const int whole = width & ~7;
    for (int x = 0; x < whole; x += 8, in += 16, out += 32) {
        const __m128i yuyv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        __m128i blue[2], green[2], red[2];
        for (int half = 0; half < 2; ++half) {
            // Y0 U Y1 V Y2 U' Y3 V' as 16-bit values.
            const __m128i words = half == 0 ? _mm_unpacklo_epi8(yuyv, zero) : _mm_unpackhi_epi8(yuyv, zero);
            // (Y, U) pairs and (Y, V) pairs for four pixels.
            __m128i yu = _mm_shufflehi_epi16(_mm_shufflelo_epi16(words, _MM_SHUFFLE(1, 2, 1, 0)), _MM_SHUFFLE(1, 2, 1, 0));
            __m128i yv = _mm_shufflehi_epi16(_mm_shufflelo_epi16(words, _MM_SHUFFLE(3, 2, 3, 0)), _MM_SHUFFLE(3, 2, 3, 0));
            yu = _mm_sub_epi16(yu, offsets);
            yv = _mm_sub_epi16(yv, offsets);
            blue[half] = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(yu, blueFactors), round), 8);
            green[half] = _mm_srai_epi32(
                _mm_add_epi32(_mm_add_epi32(_mm_madd_epi16(yu, greenFromU), _mm_madd_epi16(yv, greenFromV)), round), 8);
            red[half] = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(yv, redFactors), round), 8);
        }
        const __m128i b = _mm_packus_epi16(_mm_packs_epi32(blue[0], blue[1]), zero);
        const __m128i g = _mm_packus_epi16(_mm_packs_epi32(green[0], green[1]), zero);
        const __m128i r = _mm_packus_epi16(_mm_packs_epi32(red[0], red[1]), zero);
        const __m128i bg = _mm_unpacklo_epi8(b, g);
        const __m128i r0 = _mm_unpacklo_epi8(r, zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi16(bg, r0));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), _mm_unpackhi_epi16(bg, r0));
    }
}

void Yuy2ToRgb32Sse2(const BYTE* src, int width, int height, BYTE* dst, bool bottomUp)
{
    const size_t stride = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        const BYTE* in = src + static_cast<size_t>(y) * width * 2;
        BYTE* out = dst + stride * (bottomUp ? height - 1 - y : y);
        ConvertRowSse2(in, out, width);
        ConvertRow(in, out, width & ~7, width, 4);
    }
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

void Yuy2ToRgbScalar(const BYTE* src, int width, int height, BYTE* dst, int bytesPerPixel, bool bottomUp)
{
    const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
    for (int y = 0; y < height; ++y) {
        const BYTE* in = src + static_cast<size_t>(y) * width * 2;
        BYTE* out = dst + stride * (bottomUp ? height - 1 - y : y);
        ConvertRow(in, out, 0, width, bytesPerPixel);
    }
}

void Yuy2ToRgb(const BYTE* src, int width, int height, BYTE* dst, int bytesPerPixel, bool bottomUp)
{
    static const bool vector = HasSse2();
    if (vector && bytesPerPixel == 4)
        Yuy2ToRgb32Sse2(src, width, height, dst, bottomUp);
    else
        Yuy2ToRgbScalar(src, width, height, dst, bytesPerPixel, bottomUp);
}

} // namespace dshow
