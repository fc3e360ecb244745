#include "AviFile.h"

#include <stdio.h>
#include <string.h>

namespace {

DWORD Fourcc(const char* text)
{
    return mmioFOURCC(text[0], text[1], text[2], text[3]);
}

class Reader
{
public:
    Reader(FILE* file, AviContents* out) : m_file(file), m_out(out) {}

    // The chunks between the current position and `end`.
    bool Walk(LONGLONG end, int depth)
    {
        DWORD header[2];
        while (Tell() + 8 <= end && fread(header, sizeof header, 1, m_file) == 1) {
            const LONGLONG start = Tell();
            const LONGLONG size = header[1];
            const LONGLONG next = start + size + (size & 1);
            if (header[0] == Fourcc("RIFF") || header[0] == Fourcc("LIST")) {
                DWORD form = 0;
                if (size < 4 || fread(&form, sizeof form, 1, m_file) != 1)
                    return false;
                if (header[0] == Fourcc("RIFF")) {
                    if (m_out->riffForms == 0)
                        m_out->firstFormIsAvi = form == Fourcc("AVI ");
                    m_out->riffForms++;
                }
                if (depth < 4 && !Walk(start + size, depth + 1))
                    return false;
            } else {
                Leaf(header[0], size);
            }
            if (_fseeki64(m_file, next, SEEK_SET) != 0)
                return false;
        }
        return true;
    }

private:
    LONGLONG Tell() { return _ftelli64(m_file); }

    void Leaf(DWORD id, LONGLONG size)
    {
        const char* c = reinterpret_cast<const char*>(&id);
        if (id == Fourcc("strh") && size >= 8) {
            DWORD type[2];
            if (fread(type, sizeof type, 1, m_file) == 1) {
                m_lastStream = type[0];
                m_out->hasVideoStream |= type[0] == Fourcc("vids");
                m_out->hasAudioStream |= type[0] == Fourcc("auds");
            }
        } else if (id == Fourcc("strf") && m_lastStream == Fourcc("vids") && size >= (LONGLONG)sizeof(BITMAPINFOHEADER)) {
            if (fread(&m_out->videoFormat, sizeof m_out->videoFormat, 1, m_file) != 1)
                memset(&m_out->videoFormat, 0, sizeof m_out->videoFormat);
        } else if (c[2] == 'd' && (c[3] == 'c' || c[3] == 'b') && c[0] >= '0' && c[0] <= '9') {
            if (size == 0) {
                m_out->emptyVideoChunks++;
                return;
            }
            if (m_out->videoFrames++ == 0 && size < (64 << 20)) {
                m_out->firstFrame.resize(static_cast<size_t>(size));
                if (fread(m_out->firstFrame.data(), 1, m_out->firstFrame.size(), m_file) != m_out->firstFrame.size())
                    m_out->firstFrame.clear();
            }
        } else if (c[2] == 'w' && c[3] == 'b' && c[0] >= '0' && c[0] <= '9') {
            m_out->audioBytes += size;
        }
    }

    FILE* m_file;
    AviContents* m_out;
    DWORD m_lastStream = 0;
};

} // namespace

bool ReadAviFile(const std::string& path, AviContents* out)
{
    *out = AviContents();
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    _fseeki64(file, 0, SEEK_END);
    const LONGLONG end = _ftelli64(file);
    _fseeki64(file, 0, SEEK_SET);
    Reader reader(file, out);
    reader.Walk(end, 0);
    fclose(file);
    return out->riffForms > 0 && out->firstFormIsAvi;
}
