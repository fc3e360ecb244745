// The running program's pictures and sound on the virtual card: the panel's
// snapshot button with the default settings saves the picture as JPEG, and
// the record button records the card's picture and sound as the run
// command's prefix has it (the stand-ins' multiplexer and writer in place
// of Wine's), both streams as long as the recording. A script runs inside
// the main loop and closes the window.
#include "tests/app/ProgramFixture.h"

#include "app/Osd.h"
#include "engine/PathHelpers.h"
#include "resources/Resource.h"
#include "tests/engine/RecordOnCard.h"
#include "tests/engine/ScreenPicture.h"
#include "tests/platform/standins/AviStreams.h"
#include "tests/platform/standins/JpegPicture.h"
#include "tests/platform/standins/ServedAviMux.h"
#include "tests/support/MessageBoxCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kCardSound[] = "713x TV Card Audio Capture";

// The newest file of the folder matching `pattern`, or the empty text.
std::string FindFile(const CString& folder, const char* pattern)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(PathJoin(folder, pattern), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::string();
    const std::string name = found.cFileName;
    ::FindClose(search);
    return std::string(PathJoin(folder, name.c_str()));
}

class MediaProgram : public ::testing::Test
{
protected:
    Program program;
    MessageBoxCapture boxes{kGoOnWithoutSound};
};

TEST_F(MediaProgram, TheSnapshotButtonSavesTheCardsPictureAsJpeg)
{
    const CString pictures = PathJoin(program.folder.Path().c_str(), "Pictures");
    std::string file, message, failed;
    RunInMainLoop(program, [&]() {
        // The default format and quality; only the folder is the test's.
        ManagerSettings& settings = program.manager.Settings();
        EXPECT_FALSE(settings.SnapBmp);
        settings.PicDir = pictures;
        PreviewHost::Pump(1000);  // pictures pass the deinterlace filter
        ASSERT_NE(nullptr, program.control.GetDlgItem(IDC_PANEL_SNAPSHOT));
        program.control.SendDlgItemMessage(IDC_PANEL_SNAPSHOT, BM_CLICK);
        PreviewHost::Pump(200);
        file = FindFile(pictures, "*.jpg");
        if (COsd* osd = program.video.GetOsd(CTVVideoWnd::kOsdMessage))
            message = (LPCSTR)osd->GetText();
        CString text;
        text.LoadString(IDS_SNAPSHOT_FAILED);
        failed = (LPCSTR)text;
    });
    program.Run();
    for (const MessageBoxCapture::Box& box : BoxesBesideTheSoundQuestion(boxes))
        ADD_FAILURE() << "message box: " << box.text;

    ASSERT_FALSE(file.empty()) << "no snapshot in " << (LPCSTR)pictures;
    EXPECT_NE(failed, message);
    EXPECT_EQ(std::string::npos, FindFile(pictures, "*.tmp").find(".tmp"));
    JpegPicture picture;
    ASSERT_TRUE(ReadJpegPicture(file, &picture)) << file;
    EXPECT_EQ(720u, picture.width);
    EXPECT_EQ(576u, picture.height);
}

TEST_F(MediaProgram, TheRecordButtonRecordsTheCardsPictureAndSound)
{
    ServedAviMux mux;
    ASSERT_TRUE(mux.Served()) << "the stand-ins are not registered in this prefix";
    program.app.afterDevices = [this]() {
        program.manager.GetHardware().SetRecordDevices(StandInWriterDevices());
    };
    const CString videos = PathJoin(program.folder.Path().c_str(), "Videos");
    std::string file, device;
    RunInMainLoop(program, [&]() {
        device = (LPCSTR)program.manager.GetHardware().Settings().AudioDevice;
        ASSERT_NE(nullptr, program.manager.GetHardware().GetAudioFilter());
        ManagerSettings& settings = program.manager.Settings();
        settings.VideoDir = videos;
        settings.CurDisk = videos.Left(3);
        settings.ValidDisk.RemoveAll();
        settings.ValidDisk.Add(videos.Left(3));
        settings.ReservedSpace = 50;
        program.manager.InitRecordDisk(program.control.m_hWnd);
        program.manager.SetRecordFormat(0);

        ASSERT_NE(nullptr, program.control.GetDlgItem(IDC_PANEL_RECORD));
        program.control.SendDlgItemMessage(IDC_PANEL_RECORD, BM_CLICK);
        ASSERT_TRUE(program.manager.IsRecording());
        PreviewHost::Pump(4000);
        program.control.SendDlgItemMessage(IDC_PANEL_RECORD, BM_CLICK);
        EXPECT_FALSE(program.manager.IsRecording());
        file = FindFile(videos, "*.avi");
    });
    program.Run();
    for (const MessageBoxCapture::Box& box : BoxesBesideTheSoundQuestion(boxes))
        ADD_FAILURE() << "message box: " << box.text;

    // The card's own sound device is the first the program finds.
    EXPECT_EQ(kCardSound, device);
    ASSERT_FALSE(file.empty()) << "no recording in " << (LPCSTR)videos;
    AviStreams avi;
    ASSERT_TRUE(ReadAviStreams(file, &avi)) << file;
    ASSERT_EQ(2u, avi.streams.size());
    const AviStream* video = avi.First(true);
    const AviStream* audio = avi.First(false);
    ASSERT_NE(nullptr, video);
    ASSERT_NE(nullptr, audio);
    EXPECT_EQ(WAVE_FORMAT_PCM, audio->wave.wFormatTag);
    EXPECT_GE(video->Seconds(), 1.5);
    EXPECT_NEAR(video->Seconds(), audio->Seconds(), 0.2);
}

} // namespace
