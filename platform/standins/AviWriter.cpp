#include "platform/standins/AviWriter.h"

#include <amvideo.h>
#include <mmreg.h>
#include <uuids.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace standins {

namespace {

#pragma pack(push, 1)
// The 'avih' and 'strh' records of the AVI format.
struct MainHeader
{
    DWORD microSecPerFrame, maxBytesPerSec, paddingGranularity, flags, totalFrames, initialFrames, streams,
        suggestedBufferSize, width, height, reserved[4];
};
struct StreamHeader
{
    DWORD type, handler, flags;
    WORD priority, language;
    DWORD initialFrames, scale, rate, start, length, suggestedBufferSize, quality, sampleSize;
    short left, top, right, bottom;
};
#pragma pack(pop)
static_assert(sizeof(MainHeader) == 56, "the 'avih' record");
static_assert(sizeof(StreamHeader) == 56, "the 'strh' record");
static_assert(offsetof(StreamHeader, scale) == 20 && offsetof(StreamHeader, left) == 48, "'strh' field offsets");

const DWORD kAviHasIndex = 0x10, kAviIsInterleaved = 0x100;
const DWORD kIndexKeyFrame = 0x10;
const REFERENCE_TIME kUnitsPerSecond = 10000000;
const REFERENCE_TIME kDefaultFrameTime = 400000;  // 25 frames a second
// A sound gap shorter than this is the streams' jitter, not lost sound.
const REFERENCE_TIME kAudioGapTolerance = 500000;  // 50 ms
// A larger gap means a clock gone astray: only this much is filled.
const REFERENCE_TIME kLargestGap = 60 * kUnitsPerSecond;

constexpr DWORD Fourcc(char a, char b, char c, char d)
{
    return static_cast<DWORD>(static_cast<BYTE>(a)) | (static_cast<DWORD>(static_cast<BYTE>(b)) << 8) |
           (static_cast<DWORD>(static_cast<BYTE>(c)) << 16) | (static_cast<DWORD>(static_cast<BYTE>(d)) << 24);
}

DWORD Even(DWORD size)
{
    return size + (size & 1);
}

DWORD StreamChunkId(size_t index, char c, char d)
{
    return Fourcc(static_cast<char>('0' + index / 10), static_cast<char>('0' + index % 10), c, d);
}

const WAVEFORMATEX& Wave(const AviStreamFormat& format)
{
    return *reinterpret_cast<const WAVEFORMATEX*>(format.wave.data());
}

ULONGLONG GreatestCommonDivisor(ULONGLONG a, ULONGLONG b)
{
    while (b) {
        const ULONGLONG r = a % b;
        a = b;
        b = r;
    }
    return a;
}

class Bytes
{
public:
    void Put32(DWORD value) { Put(&value, sizeof(value)); }
    void Put(const void* data, size_t size)
    {
        const BYTE* p = static_cast<const BYTE*>(data);
        m_bytes.insert(m_bytes.end(), p, p + size);
    }
    void Pad()
    {
        if (m_bytes.size() & 1)
            m_bytes.push_back(0);
    }
    size_t Size() const { return m_bytes.size(); }
    void Patch32(size_t at, DWORD value) { memcpy(&m_bytes[at], &value, sizeof(value)); }
    std::vector<BYTE>& Vector() { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

} // namespace

bool AviStreamFormat::FromMediaType(const AM_MEDIA_TYPE& mt, AviStreamFormat* out)
{
    *out = AviStreamFormat();
    if (mt.majortype == MEDIATYPE_Video && mt.formattype == FORMAT_VideoInfo && mt.pbFormat &&
        mt.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        const VIDEOINFOHEADER& vih = *reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat);
        const BITMAPINFOHEADER& bmi = vih.bmiHeader;
        if (bmi.biSize < sizeof(BITMAPINFOHEADER) || bmi.biWidth <= 0 || bmi.biHeight == 0 || vih.AvgTimePerFrame < 0)
            return false;
        out->video = true;
        out->picture = bmi;
        out->picture.biSize = sizeof(BITMAPINFOHEADER);
        out->frameTime = vih.AvgTimePerFrame > 0 ? vih.AvgTimePerFrame : kDefaultFrameTime;
        return true;
    }
    if (mt.majortype == MEDIATYPE_Audio && mt.formattype == FORMAT_WaveFormatEx && mt.pbFormat &&
        mt.cbFormat >= sizeof(PCMWAVEFORMAT)) {
        const WAVEFORMATEX& wfx = *reinterpret_cast<const WAVEFORMATEX*>(mt.pbFormat);
        if (wfx.nBlockAlign == 0 || wfx.nAvgBytesPerSec == 0 || wfx.nChannels == 0)
            return false;
        // The extra bytes the format says it has, as far as the block holds them.
        size_t size = sizeof(WAVEFORMATEX);
        if (mt.cbFormat >= sizeof(WAVEFORMATEX))
            size = std::min<size_t>(sizeof(WAVEFORMATEX) + wfx.cbSize, mt.cbFormat);
        out->wave.assign(sizeof(WAVEFORMATEX), 0);
        memcpy(out->wave.data(), mt.pbFormat, std::min<size_t>(size, mt.cbFormat));
        if (size > sizeof(WAVEFORMATEX))
            out->wave.insert(out->wave.end(), mt.pbFormat + sizeof(WAVEFORMATEX), mt.pbFormat + size);
        reinterpret_cast<WAVEFORMATEX*>(out->wave.data())->cbSize =
            static_cast<WORD>(out->wave.size() - sizeof(WAVEFORMATEX));
        return true;
    }
    return false;
}

CAviWriter::CAviWriter() : m_pOut(NULL), m_moviStart(0), m_end(0), m_zero(-1), m_bFull(false)
{
}

HRESULT CAviWriter::Begin(IStream* out, const std::vector<AviStreamFormat>& streams)
{
    if (!out)
        return E_POINTER;
    if (m_pOut)
        return E_UNEXPECTED;
    // Two digits name a stream in its chunks.
    if (streams.empty() || streams.size() > 100)
        return E_INVALIDARG;
    m_streams.clear();
    for (size_t i = 0; i < streams.size(); ++i) {
        const AviStreamFormat& format = streams[i];
        if (format.video ? format.frameTime <= 0 : format.wave.size() < sizeof(WAVEFORMATEX))
            return E_INVALIDARG;
        Stream stream;
        stream.format = format;
        const bool raw = format.picture.biCompression == BI_RGB || format.picture.biCompression == BI_BITFIELDS;
        stream.chunkId = !format.video ? StreamChunkId(i, 'w', 'b') : StreamChunkId(i, 'd', raw ? 'b' : 'c');
        m_streams.push_back(stream);
    }
    m_index.clear();
    m_zero = -1;
    m_bFull = false;
    const std::vector<BYTE> headers = Headers();
    m_moviStart = headers.size() - 4;
    m_end = headers.size();
    m_pOut = out;
    m_pOut->AddRef();
    HRESULT hr = WriteAt(0, headers.data(), static_cast<ULONG>(headers.size()));
    if (FAILED(hr)) {
        m_pOut->Release();
        m_pOut = NULL;
    }
    return hr;
}

HRESULT CAviWriter::AddSample(size_t stream, REFERENCE_TIME start, const BYTE* data, DWORD size)
{
    if (!m_pOut)
        return E_UNEXPECTED;
    if (stream >= m_streams.size() || (!data && size))
        return S_FALSE;
    if (m_zero < 0)
        m_zero = start;
    const REFERENCE_TIME at = start > m_zero ? start - m_zero : 0;
    Stream& s = m_streams[stream];
    return s.format.video ? AddVideo(s, at, data, size) : AddAudio(s, at, data, size);
}

HRESULT CAviWriter::AddVideo(Stream& stream, REFERENCE_TIME at, const BYTE* data, DWORD size)
{
    // Frames the source dropped become empty chunks, so the frame count
    // follows the time.
    const REFERENCE_TIME frame = stream.format.frameTime;
    const ULONGLONG due = static_cast<ULONGLONG>((std::min(at, static_cast<REFERENCE_TIME>(stream.length) * frame + kLargestGap) + frame / 2) / frame);
    while (stream.length < due) {
        HRESULT hr = WriteChunk(stream, NULL, 0, 0);
        if (hr != S_OK)
            return hr;
    }
    return WriteChunk(stream, data, size, kIndexKeyFrame);
}

HRESULT CAviWriter::AddAudio(Stream& stream, REFERENCE_TIME at, const BYTE* data, DWORD size)
{
    const WAVEFORMATEX& wfx = Wave(stream.format);
    const ULONGLONG block = wfx.nBlockAlign;
    const auto bytesAt = [&](REFERENCE_TIME t) {
        return static_cast<ULONGLONG>(t) * wfx.nAvgBytesPerSec / kUnitsPerSecond / block * block;
    };
    // Lost sound becomes silence, so what follows stays with the picture.
    const ULONGLONG written = stream.length * block;
    if (at > kAudioGapTolerance && bytesAt(at - kAudioGapTolerance) > written) {
        const ULONGLONG due = std::min(bytesAt(at), written + bytesAt(kLargestGap));
        const BYTE quiet = wfx.wFormatTag == WAVE_FORMAT_PCM && wfx.wBitsPerSample == 8 ? 0x80 : 0;
        const std::vector<BYTE> silence(std::max<ULONGLONG>(block, bytesAt(kUnitsPerSecond / 2)), quiet);
        // Whole blocks each time: `due` and the silence are block multiples.
        while (stream.length * block < due) {
            const DWORD piece = static_cast<DWORD>(std::min<ULONGLONG>(due - stream.length * block, silence.size()));
            HRESULT hr = WriteChunk(stream, silence.data(), piece, kIndexKeyFrame);
            if (hr != S_OK)
                return hr;
        }
    }
    return WriteChunk(stream, data, static_cast<DWORD>(size / block * block), kIndexKeyFrame);
}

bool CAviWriter::Fits(DWORD size) const
{
    const ULONGLONG index = 8 + (m_index.size() + 1) * sizeof(IndexEntry);
    return m_end + 8 + Even(size) + index <= kMaxFileBytes;
}

HRESULT CAviWriter::WriteChunk(Stream& stream, const BYTE* data, DWORD size, DWORD flags)
{
    if (m_bFull || !Fits(size)) {
        m_bFull = true;
        return S_FALSE;
    }
    const DWORD header[2] = {stream.chunkId, size};
    const BYTE pad = 0;
    HRESULT hr = WriteAt(m_end, header, sizeof(header));
    if (SUCCEEDED(hr) && size)
        hr = WriteAt(m_end + sizeof(header), data, size);
    if (SUCCEEDED(hr) && (size & 1))
        hr = WriteAt(m_end + sizeof(header) + size, &pad, 1);
    if (FAILED(hr))
        return hr;
    m_index.push_back({stream.chunkId, flags, static_cast<DWORD>(m_end - m_moviStart), size});
    m_end += sizeof(header) + Even(size);
    stream.length += stream.format.video ? 1 : size / Wave(stream.format).nBlockAlign;
    stream.largestChunk = std::max(stream.largestChunk, size);
    return S_OK;
}

HRESULT CAviWriter::Finish()
{
    if (!m_pOut)
        return S_FALSE;
    const DWORD indexHeader[2] = {Fourcc('i', 'd', 'x', '1'), static_cast<DWORD>(m_index.size() * sizeof(IndexEntry))};
    HRESULT hr = WriteAt(m_end, indexHeader, sizeof(indexHeader));
    if (SUCCEEDED(hr) && !m_index.empty())
        hr = WriteAt(m_end + sizeof(indexHeader), m_index.data(), static_cast<ULONG>(m_index.size() * sizeof(IndexEntry)));
    if (SUCCEEDED(hr)) {
        const std::vector<BYTE> headers = Headers();
        hr = WriteAt(0, headers.data(), static_cast<ULONG>(headers.size()));
    }
    if (SUCCEEDED(hr))
        hr = m_pOut->Commit(STGC_DEFAULT);
    m_pOut->Release();
    m_pOut = NULL;
    return FAILED(hr) ? hr : S_OK;
}

ULONGLONG CAviWriter::StreamLength(size_t stream) const
{
    return stream < m_streams.size() ? m_streams[stream].length : 0;
}

// The headers with the counts so far; the same size before and after the
// chunks, so the final ones overwrite the first in place.
std::vector<BYTE> CAviWriter::Headers() const
{
    Bytes out;
    const ULONGLONG fileEnd = m_end + 8 + m_index.size() * sizeof(IndexEntry);
    out.Put32(Fourcc('R', 'I', 'F', 'F'));
    out.Put32(static_cast<DWORD>(fileEnd > 8 ? fileEnd - 8 : 0));
    out.Put32(Fourcc('A', 'V', 'I', ' '));
    out.Put32(Fourcc('L', 'I', 'S', 'T'));
    const size_t hdrlSize = out.Size();
    out.Put32(0);
    out.Put32(Fourcc('h', 'd', 'r', 'l'));

    MainHeader main = {};
    main.flags = kAviHasIndex | kAviIsInterleaved;
    main.streams = static_cast<DWORD>(m_streams.size());
    for (const Stream& s : m_streams) {
        main.suggestedBufferSize = std::max(main.suggestedBufferSize, Even(s.largestChunk) + 8);
        if (s.format.video && main.width == 0) {
            main.microSecPerFrame = static_cast<DWORD>(s.format.frameTime / 10);
            main.totalFrames = static_cast<DWORD>(s.length);
            main.width = static_cast<DWORD>(s.format.picture.biWidth);
            main.height = static_cast<DWORD>(std::abs(s.format.picture.biHeight));
            main.maxBytesPerSec += static_cast<DWORD>(s.largestChunk * kUnitsPerSecond / s.format.frameTime);
        } else if (!s.format.video) {
            main.maxBytesPerSec += Wave(s.format).nAvgBytesPerSec;
        }
    }
    out.Put32(Fourcc('a', 'v', 'i', 'h'));
    out.Put32(sizeof(main));
    out.Put(&main, sizeof(main));

    for (const Stream& s : m_streams) {
        out.Put32(Fourcc('L', 'I', 'S', 'T'));
        const size_t strlSize = out.Size();
        out.Put32(0);
        out.Put32(Fourcc('s', 't', 'r', 'l'));
        StreamHeader strh = {};
        strh.length = static_cast<DWORD>(s.length);
        strh.suggestedBufferSize = Even(s.largestChunk);
        strh.quality = 0xFFFFFFFF;
        const void* format;
        DWORD formatSize;
        if (s.format.video) {
            const ULONGLONG divisor = GreatestCommonDivisor(s.format.frameTime, kUnitsPerSecond);
            strh.type = Fourcc('v', 'i', 'd', 's');
            strh.handler = s.format.picture.biCompression;
            strh.scale = static_cast<DWORD>(s.format.frameTime / divisor);
            strh.rate = static_cast<DWORD>(kUnitsPerSecond / divisor);
            strh.right = static_cast<short>(s.format.picture.biWidth);
            strh.bottom = static_cast<short>(std::abs(s.format.picture.biHeight));
            format = &s.format.picture;
            formatSize = sizeof(BITMAPINFOHEADER);
        } else {
            const WAVEFORMATEX& wfx = Wave(s.format);
            strh.type = Fourcc('a', 'u', 'd', 's');
            strh.scale = wfx.nBlockAlign;
            strh.rate = wfx.nAvgBytesPerSec;
            strh.sampleSize = wfx.nBlockAlign;
            format = s.format.wave.data();
            formatSize = static_cast<DWORD>(s.format.wave.size());
        }
        out.Put32(Fourcc('s', 't', 'r', 'h'));
        out.Put32(sizeof(strh));
        out.Put(&strh, sizeof(strh));
        out.Put32(Fourcc('s', 't', 'r', 'f'));
        out.Put32(formatSize);
        out.Put(format, formatSize);
        out.Pad();
        out.Patch32(strlSize, static_cast<DWORD>(out.Size() - strlSize - 4));
    }
    out.Patch32(hdrlSize, static_cast<DWORD>(out.Size() - hdrlSize - 4));

    out.Put32(Fourcc('L', 'I', 'S', 'T'));
    const size_t moviStart = out.Size() + 4;
    // The 'movi' list runs from its type to the last chunk.
    out.Put32(static_cast<DWORD>(m_end > moviStart ? m_end - moviStart : 4));
    out.Put32(Fourcc('m', 'o', 'v', 'i'));
    return out.Vector();
}

HRESULT CAviWriter::WriteAt(ULONGLONG offset, const void* data, ULONG size)
{
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    HRESULT hr = m_pOut->Seek(to, STREAM_SEEK_SET, NULL);
    if (FAILED(hr))
        return hr;
    ULONG written = 0;
    hr = m_pOut->Write(data, size, &written);
    if (FAILED(hr))
        return hr;
    return written == size ? S_OK : STG_E_MEDIUMFULL;
}

} // namespace standins
