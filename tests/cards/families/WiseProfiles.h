// Fixtures of the WIS box tests: a small capability table as the driver
// would fill it, a profile file whose records match it, and the profile
// file put in the Windows folder for one test. Header only; test thread.
#pragma once
#include "cards/families/EncoderProfiles.h"
#include "cards/families/ProfileParser.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <memory>
#include <string>

namespace wisetest {

inline void Name(ProfileRecordHeader& head, const char* name)
{
    strncpy(head.name, name, sizeof(head.name) - 1);
}

const char kBoardName[] = "GO7007SB reference board";

// Streams: 0 MPEG-1, 1 MPEG-2, 2 MPEG-4 in mode 2 (the mode must match).
// Frame rates: 0 25 fps PAL, 1 29.97 fps NTSC. Sizes: 0 720 x 576 PAL
// (1-8 Mbit/s), 1 352 x 288 PAL (0.3-3 Mbit/s), 2 720 x 480 NTSC. Every
// mask asks the key fields only. One board, "GO7007SB reference board".
inline std::unique_ptr<EncoderCaps> MakeCaps()
{
    std::unique_ptr<EncoderCaps> caps(new EncoderCaps());
    memset(caps.get(), 0, sizeof(EncoderCaps));
    caps->boardCount = 1;
    strncpy(caps->boards[0].name, kBoardName, sizeof(caps->boards[0].name) - 1);
    caps->streamCount = 3;
    const DWORD modes[] = {0, 1, 4};
    for (int i = 0; i < 3; i++) {
        StreamSetting& s = caps->streams[i];
        Name(s.head, i == 0 ? "cap MPEG-1" : i == 1 ? "cap MPEG-2" : "cap MPEG-4");
        s.compress_mode = modes[i];
        s.head.flags = StreamSetting::kCompressMode;
    }
    caps->streams[2].mpeg4_mode = 2;
    caps->streams[2].head.flags |= StreamSetting::kMpeg4Mode;

    caps->frameRateCount = 2;
    Name(caps->frameRates[0].head, "25 fps");
    caps->frameRates[0].frame_rate = 25025;
    caps->frameRates[0].tv_standard = kProfilePal;
    Name(caps->frameRates[1].head, "29.97 fps");
    caps->frameRates[1].frame_rate = 30000;
    caps->frameRates[1].tv_standard = kProfileNtsc;
    for (int i = 0; i < 2; i++)
        caps->frameRates[i].head.flags = FrameRateSetting::kFrameRate;

    caps->resolutionCount = 3;
    const struct
    {
        DWORD width, height, standard, min, max;
    } sizes[] = {{720, 576, kProfilePal, 1000000, 8000000},
                 {352, 288, kProfilePal, 300000, 3000000},
                 {720, 480, kProfileNtsc, 1000000, 8000000}};
    for (int i = 0; i < 3; i++) {
        ResolutionSetting& r = caps->resolutions[i];
        r.width = sizes[i].width;
        r.height = sizes[i].height;
        r.tv_standard = sizes[i].standard;
        r.min_bitrate = sizes[i].min;
        r.max_bitrate = sizes[i].max;
        r.head.flags = ResolutionSetting::kWidth | ResolutionSetting::kHeight;
    }
    return caps;
}

// Matches the table above: streams "VCD" (capability 0, allowed with the
// 25 fps record only) and "MP4" (capability 2); frame rates "PAL25" and
// "NTSC30"; sizes "D1" and "CIF"; bit rates "2M" and "6M".
const char kValidProfiles[] =
    "// encoder profiles of the box\n"
    "[streamsetting]\n"
    "name = \"VCD\"   // Video CD\n"
    "desc = \"Video CD, 25 fps\"\n"
    "compress_mode = 0\n"
    "sequence = 1\n"
    "fpscfg = PAL25\n"
    "\n"
    "[StreamSetting]\n"
    "name=MP4\n"
    "compress_mode=4\n"
    "mpeg4_mode=2\n"
    "sequence=3\n"
    "search_range=32\n"
    "[frameratesetting]\n"
    "name=PAL25\n"
    "tv_standard=PAL\n"
    "frame_rate=25025\n"
    "[frameratesetting]\n"
    "name=NTSC30\n"
    "tv_standard=NTSC\n"
    "frame_rate=30000\n"
    "[resolutionsetting]\n"
    "name=D1\n"
    "tv_standard=PAL\n"
    "width=720\n"
    "height=576\n"
    "[resolutionsetting]\n"
    "name=CIF\n"
    "tv_standard=PAL\n"
    "width=352\n"
    "height=288\n"
    "v_sub_window=1\n"
    "[bitratesetting]\n"
    "name=2M\n"
    "target_bitrate=2000000\n"
    "Q=0\n"
    "QMin=2\n"
    "QMax=31\n"
    "MBBrc=1\n"
    "WindowSize=20\n"
    "[bitratesetting]\n"
    "name=6M\n"
    "target_bitrate=6000000\n"
    "peak_bitrate=7000000\n"
    "Q=5\n"
    "IQ=3\n"
    "PQ=4\n"
    "BQ=5\n";

// "video_profiles.txt" in the Windows folder for one test (absent with
// NULL text); whatever was there before comes back afterwards.
class WindowsProfileFile
{
public:
    explicit WindowsProfileFile(const char* text)
    {
        char folder[MAX_PATH] = {0};
        GetWindowsDirectoryA(folder, MAX_PATH);
        m_path = std::string(folder) + "\\" + kVideoProfilesFile;
        m_hadFile = Read(&m_saved);
        if (text)
            Write(text);
        else
            DeleteFileA(m_path.c_str());
    }
    ~WindowsProfileFile()
    {
        if (m_hadFile)
            Write(m_saved);
        else
            DeleteFileA(m_path.c_str());
    }
    void Write(const std::string& text)
    {
        FILE* file = fopen(m_path.c_str(), "wb");
        ASSERT_NE(nullptr, file);
        fwrite(text.data(), 1, text.size(), file);
        fclose(file);
    }

private:
    bool Read(std::string* text)
    {
        FILE* file = fopen(m_path.c_str(), "rb");
        if (!file)
            return false;
        char buf[4096];
        size_t got;
        while ((got = fread(buf, 1, sizeof(buf), file)) > 0)
            text->append(buf, got);
        fclose(file);
        return true;
    }

    std::string m_path;
    std::string m_saved;
    bool m_hadFile;
};

} // namespace wisetest
