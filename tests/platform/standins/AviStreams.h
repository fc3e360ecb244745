// An AVI file's streams as a player sees them: each stream's header (type,
// scale, rate, length) and format, and what its chunks in the 'movi' list
// hold, plus the old-style index's entry count. Reads the file whole, so
// for the short files of tests. Header only (the program tests read
// recordings with it too); test thread.
#pragma once
#include <windows.h>
#include <mmreg.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct AviStream
{
    DWORD type = 0;                // 'vids' or 'auds'
    DWORD scale = 0, rate = 0, length = 0, sampleSize = 0;
    BITMAPINFOHEADER picture = {}; // video
    WAVEFORMATEX wave = {};        // audio
    long chunks = 0, emptyChunks = 0;
    ULONGLONG bytes = 0;
    double Seconds() const { return rate ? static_cast<double>(length) * scale / rate : 0; }
    bool IsVideo() const { return type == mmioFOURCC('v', 'i', 'd', 's'); }
    bool IsAudio() const { return type == mmioFOURCC('a', 'u', 'd', 's'); }
};

struct AviStreams
{
    std::vector<AviStream> streams;
    DWORD riffSize = 0;
    ULONGLONG fileSize = 0;
    long indexEntries = -1;        // -1: no 'idx1'
    const AviStream* First(bool video) const
    {
        for (const AviStream& s : streams) {
            if (video ? s.IsVideo() : s.IsAudio())
                return &s;
        }
        return nullptr;
    }
};

namespace avi_streams_detail {

inline DWORD Read32(const std::vector<BYTE>& file, size_t at)
{
    DWORD value = 0;
    memcpy(&value, &file[at], 4);
    return value;
}

inline void Walk(const std::vector<BYTE>& file, size_t at, size_t end, AviStreams* out)
{
    while (at + 8 <= end) {
        const DWORD id = Read32(file, at), size = Read32(file, at + 4);
        const size_t body = at + 8;
        if (size > end - body)
            return;
        const char* c = reinterpret_cast<const char*>(&file[at]);
        if ((id == mmioFOURCC('R', 'I', 'F', 'F') || id == mmioFOURCC('L', 'I', 'S', 'T')) && size >= 4) {
            if (Read32(file, body) == mmioFOURCC('s', 't', 'r', 'l'))
                out->streams.push_back(AviStream());
            Walk(file, body + 4, body + size, out);
        } else if (id == mmioFOURCC('s', 't', 'r', 'h') && size >= 48 && !out->streams.empty()) {
            AviStream& s = out->streams.back();
            s.type = Read32(file, body);
            s.scale = Read32(file, body + 20);
            s.rate = Read32(file, body + 24);
            s.length = Read32(file, body + 32);
            s.sampleSize = Read32(file, body + 44);
        } else if (id == mmioFOURCC('s', 't', 'r', 'f') && !out->streams.empty()) {
            AviStream& s = out->streams.back();
            if (s.IsVideo() && size >= sizeof(BITMAPINFOHEADER))
                memcpy(&s.picture, &file[body], sizeof(BITMAPINFOHEADER));
            else if (s.IsAudio() && size >= sizeof(PCMWAVEFORMAT))
                memcpy(&s.wave, &file[body], size < sizeof(WAVEFORMATEX) ? size : sizeof(WAVEFORMATEX));
        } else if (id == mmioFOURCC('i', 'd', 'x', '1')) {
            out->indexEntries = static_cast<long>(size / 16);
        } else if (c[0] >= '0' && c[0] <= '9' && c[1] >= '0' && c[1] <= '9') {
            const size_t stream = static_cast<size_t>((c[0] - '0') * 10 + (c[1] - '0'));
            if (stream < out->streams.size()) {
                AviStream& s = out->streams[stream];
                s.chunks++;
                s.emptyChunks += size == 0;
                s.bytes += size;
            }
        }
        at = body + size + (size & 1);
    }
}

} // namespace avi_streams_detail

// False when the file cannot be read or is not a RIFF AVI file.
inline bool ReadAviStreams(const std::string& path, AviStreams* out)
{
    *out = AviStreams();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::vector<BYTE> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    out->fileSize = file.size();
    if (file.size() < 12 || avi_streams_detail::Read32(file, 0) != mmioFOURCC('R', 'I', 'F', 'F') ||
        avi_streams_detail::Read32(file, 8) != mmioFOURCC('A', 'V', 'I', ' '))
        return false;
    out->riffSize = avi_streams_detail::Read32(file, 4);
    avi_streams_detail::Walk(file, 0, file.size(), out);
    return true;
}
