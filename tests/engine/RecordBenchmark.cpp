// Benchmark of an AVI recording on the virtual card, run by hand (not by
// ctest):
//   build/win64/wine-exec build/win64/tests/engine/record_benchmark.exe [seconds] [folder]
// inside a session with the virtual card and the stand-ins registered (as
// the test command sets up). It records `seconds` (600 unless given) of the
// card's picture at 720 x 576, PAL B, 25 frames a second, with the audio
// capture device's sound, into a file in `folder` (the temporary folder
// unless given), and prints:
//  - the frames the card reports dropped and delivered on its capture pin;
//  - the video frames in the file against the wall time times 25;
//  - the process's processor time (all filters run in it) per second of
//    recording.
// The file is deleted afterwards: uncompressed, ten minutes make about
// 12 GB.
#include "AviFile.h"
#include "RecordOnCard.h"
#include "ScreenPicture.h"

#include "cards/TVCardFilter.h"
#include "engine/TVHardWare.h"
#include "graph/ComPtr.h"

#include "tests/support/BenchmarkFigures.h"

#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

const double kFramesPerSecond = 25.0;

// Seconds from the performance counter.
double Seconds()
{
    return Now() / 1000.0;
}

struct FrameCounts
{
    long dropped = 0;
    long delivered = 0;
};

bool ReadCounts(CTVHardWare& hw, FrameCounts* counts)
{
    ComPtr<IAMDroppedFrames> frames;
    if (FAILED(hw.GetGraph().GetBuilder()->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video,
                                                          hw.GetCardFilter()->GetFilter(), IID_IAMDroppedFrames,
                                                          frames.ReceiveVoid())))
        return false;
    return SUCCEEDED(frames->GetNumDropped(&counts->dropped)) &&
           SUCCEEDED(frames->GetNumNotDropped(&counts->delivered));
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 600;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = argc > 2 ? std::string(argv[2]) + "\\" : std::string(temp);
    const std::string path = folder + "record-benchmark.avi";
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    {
        PreviewHost& host = SharedPreviewHost();
        std::unique_ptr<CTVHardWare> hw = StartPreviewOnCarrier(host.Handle(), StandInWriterDevices());
        if (!hw) {
            fprintf(stderr, "the preview did not start (error code %lX)\n", GetStartupErrorCode());
            return 1;
        }
        hw->SetVideoSize(CSize(720, 576));
        hw->SetRecordFormat(0);
        hw->SetRecordFile(path.c_str());

        const double cpuBefore = ProcessorSeconds();
        const double start = Seconds();
        if (!hw->RunRecord()) {
            fprintf(stderr, "the recording did not start\n");
            return 1;
        }
        FrameCounts first, last;
        ReadCounts(*hw, &first);
        while (Seconds() - start < seconds)
            PreviewHost::Pump(200);
        ReadCounts(*hw, &last);
        const double wall = Seconds() - start;
        const double cpu = ProcessorSeconds() - cpuBefore;
        // Stopping writes the index and rebuilds the preview: not counted.
        const BOOL stopped = hw->StopRecord();

        AviContents avi;
        const bool read = ReadAviFile(path, &avi);
        WIN32_FILE_ATTRIBUTE_DATA attributes = {};
        GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes);
        const double megabytes =
            (static_cast<ULONGLONG>(attributes.nFileSizeHigh) << 32 | attributes.nFileSizeLow) / 1048576.0;
        DeleteFileA(path.c_str());

        printf("AVI recording, virtual card, 720 x 576 PAL B, 64-bit build under Wine\n");
        printf("  wall time                    %10.1f s (stop %s)\n", wall, stopped ? "ok" : "FAILED");
        printf("  card: frames delivered       %10ld\n", last.delivered - first.delivered);
        printf("  card: frames dropped         %10ld\n", last.dropped - first.dropped);
        printf("  file: read                   %10s (%d RIFF forms, %.0f MB)\n", read ? "yes" : "NO",
               avi.riffForms, megabytes);
        printf("  file: video frames           %10ld of %.0f expected (wall x 25): %.1f %% missing\n",
               avi.videoFrames, wall * kFramesPerSecond,
               100.0 * (1.0 - avi.videoFrames / (wall * kFramesPerSecond)));
        printf("  file: empty video chunks     %10ld\n", avi.emptyVideoChunks);
        printf("  file: audio bytes            %10lld\n", avi.audioBytes);
        printf("  processor time               %10.1f s, %.3f s per second recorded (%.1f %% of one core)\n",
               cpu, cpu / wall, 100.0 * cpu / wall);
    }
    CoUninitialize();
    return 0;
}
