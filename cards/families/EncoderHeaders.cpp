#include "cards/families/EncoderHeaders.h"

#include <string.h>

namespace {

// Frame rates x 1001 in the order of the MPEG-1 frame-rate codes 1 to 8.
const DWORD kFrameRateCodes[] = {24000, 24024, 25025, 30000, 30030, 50050, 60000, 60060};
// The code taken for a rate outside the list (29.97 frames a second).
const BYTE kDefaultFrameRateCode = 4;
// Aspect-ratio code of a stream that is not DVD-compliant (4:3).
const BYTE kDefaultAspectCode = 2;

BYTE* PutBigEndian(BYTE* p, DWORD value)
{
    *p++ = (BYTE)(value >> 24);
    *p++ = (BYTE)(value >> 16);
    *p++ = (BYTE)(value >> 8);
    *p++ = (BYTE)value;
    return p;
}

BYTE FrameRateCode(DWORD rate)
{
    for (size_t i = 0; i < sizeof(kFrameRateCodes) / sizeof(kFrameRateCodes[0]); i++) {
        if (kFrameRateCodes[i] == rate)
            return (BYTE)(i + 1);
    }
    return kDefaultFrameRateCode;
}

// The first eight bytes MPEG-1 and MPEG-2 share: start code, picture size,
// aspect ratio and frame-rate code.
void FillSequenceStart(const EncoderConfig& c, BYTE* p)
{
    const DWORD w = c.resolution.width, h = c.resolution.height;
    const BYTE aspect = c.stream.DVD_compliant ? c.stream.aspect_ratio : kDefaultAspectCode;
    const BYTE start[] = {0x00, 0x00, 0x01, 0xB3, (BYTE)(w >> 4), (BYTE)(((w & 15) << 4) | ((h >> 8) & 15)),
                          (BYTE)h, (BYTE)((aspect << 4) + FrameRateCode(c.frameRate.frame_rate))};
    memcpy(p, start, sizeof(start));
}

} // namespace

int BuildPrivateHeader(const EncoderConfig* config, BYTE** out)
{
    static BYTE header[kPrivateHeaderBytes];
    const BYTE mode = (BYTE)config->stream.compress_mode;
    BYTE* p = header;
    const BYTE start[] = {0x00, 0x00, 0x01, 0xF1, 0x01, mode, (BYTE)config->stream.sequence};
    memcpy(p, start, sizeof(start));
    p += sizeof(start);
    p = PutBigEndian(p, config->resolution.width / 16);
    p = PutBigEndian(p, config->resolution.height / 16);
    p = PutBigEndian(p, config->bitrate.target_bitrate);
    const BYTE end[] = {(BYTE)(mode - 0x40), 0x40, 0x01, 0x00, 0x00};
    memcpy(p, end, sizeof(end));
    *out = header;
    return kPrivateHeaderBytes;
}

int BuildMpeg1SequenceHeader(const EncoderConfig* config, BYTE** out)
{
    static BYTE header[kMpeg1SequenceHeaderBytes];
    FillSequenceStart(*config, header);
    const BYTE end[] = {0xFF, 0xFF, 0xF2, 0xA8};
    memcpy(header + 8, end, sizeof(end));
    *out = header;
    return kMpeg1SequenceHeaderBytes;
}

int BuildMpeg2SequenceHeader(const EncoderConfig* config, BYTE** out)
{
    static BYTE header[kMpeg2SequenceHeaderBytes];
    FillSequenceStart(*config, header);
    // The sequence extension marks progressive frames unless the stream
    // is DVD-compliant or deinterlaced by field.
    const bool progressive = !config->stream.DVD_compliant && config->stream.deinterlace_mode != 2;
    const BYTE end[] = {0x17, 0xED, 0x23, 0x80, 0x00, 0x00, 0x01, 0xB5, 0x14,
                        (BYTE)(0x82 + (progressive ? 8 : 0)), 0x00, 0x01, 0x00, 0x00};
    memcpy(header + 8, end, sizeof(end));
    *out = header;
    return kMpeg2SequenceHeaderBytes;
}

void FillMpeg4VolHeader(const EncoderConfig& config, BYTE (&bytes)[kMpeg4VolHeaderBytes])
{
    const DWORD w = config.resolution.width, h = config.resolution.height;
    const BYTE header[kMpeg4VolHeaderBytes] = {
        0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x20, 0x00, 0x84, 0x5D, 0x4C,
        (BYTE)(0x28 + ((w >> 10) & 7)), (BYTE)(w >> 2), (BYTE)(0x20 + ((h >> 8) & 31)), (BYTE)h, 0xA3, 0x1F};
    memcpy(bytes, header, sizeof(header));
}

int BuildMpeg4VolHeader(const EncoderConfig* config, BYTE** out)
{
    static BYTE header[kMpeg4VolHeaderBytes];
    FillMpeg4VolHeader(*config, header);
    *out = header;
    return kMpeg4VolHeaderBytes;
}
