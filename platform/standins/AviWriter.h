// CAviWriter: lays out an AVI file of uncompressed or compressed video and
// PCM audio streams through an IStream: the headers, a 'movi' list of one
// chunk per sample in arrival order, and the old-style index. Each
// stream's chunks follow its own clock: the first sample of any stream is
// time zero, a dropped video frame is an empty chunk, and a gap in the
// sound is filled with silence, so the streams' lengths keep to the time
// they covered. The file stays below 2 GiB: past that, samples are
// dropped. Not thread-safe: its owner serialises the calls.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <strmif.h>

#include <vector>

namespace standins {

// One stream as its input pin was connected.
struct AviStreamFormat
{
    bool video = false;
    // Video: the picture and the time of a frame (100 ns units).
    BITMAPINFOHEADER picture = {};
    REFERENCE_TIME frameTime = 0;
    // Audio: the whole WAVEFORMATEX with its extra bytes.
    std::vector<BYTE> wave;

    // The format of a connected media type; false for one that is neither
    // video with a VIDEOINFOHEADER nor audio with a sound WAVEFORMATEX.
    static bool FromMediaType(const AM_MEDIA_TYPE& mt, AviStreamFormat* out);
};

class CAviWriter
{
public:
    // The largest file: readers take the RIFF sizes as signed.
    static const ULONGLONG kMaxFileBytes = 0x7FF00000;

    CAviWriter();

    // Starts a file on `out` (held until Finish) with these streams in
    // this order; E_INVALIDARG without streams or for a bad format.
    HRESULT Begin(IStream* out, const std::vector<AviStreamFormat>& streams);
    bool IsOpen() const { return m_pOut != NULL; }
    // One sample of a stream, stamped with its start time. S_FALSE when
    // the sample was dropped (the file is full, or a stream it does not have).
    HRESULT AddSample(size_t stream, REFERENCE_TIME start, const BYTE* data, DWORD size);
    // Writes the index and the final headers and lets go of the stream.
    HRESULT Finish();

    // What was written, per stream: video frames (empty ones included),
    // audio bytes (silence included).
    ULONGLONG StreamLength(size_t stream) const;

private:
    struct Stream
    {
        AviStreamFormat format;
        DWORD chunkId = 0;
        ULONGLONG length = 0;       // frames or bytes
        DWORD largestChunk = 0;
    };
    struct IndexEntry
    {
        DWORD chunkId, flags, offset, size;
    };
    static_assert(sizeof(IndexEntry) == 16, "an index entry as the file holds it");

    HRESULT WriteAt(ULONGLONG offset, const void* data, ULONG size);
    HRESULT WriteChunk(Stream& stream, const BYTE* data, DWORD size, DWORD flags);
    HRESULT AddVideo(Stream& stream, REFERENCE_TIME at, const BYTE* data, DWORD size);
    HRESULT AddAudio(Stream& stream, REFERENCE_TIME at, const BYTE* data, DWORD size);
    std::vector<BYTE> Headers() const;
    bool Fits(DWORD size) const;

    IStream* m_pOut;               // one reference while open
    std::vector<Stream> m_streams;
    std::vector<IndexEntry> m_index;
    ULONGLONG m_moviStart;         // file offset of the 'movi' list's type
    ULONGLONG m_end;               // where the next chunk goes
    REFERENCE_TIME m_zero;         // the first sample's start; -1 before it
    bool m_bFull;
};

} // namespace standins
