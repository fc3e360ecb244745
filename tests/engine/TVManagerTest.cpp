// The manager on a scratch work folder: the remote key file, the settings
// file (defaults, round trip, values out of range or malformed), the
// registry values, and the country -> standard -> scan list chain.
#include "engine/TVManager.h"
#include "engine/PathHelpers.h"
#include "engine/RegisterKey.h"
#include "tests/support/MessageBoxCapture.h"
#include "platform/mfc/Resource.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <strmif.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace {

class ManagerTest : public ::testing::Test
{
protected:
    // A manager on the scratch folder; the missing remote key file's error
    // box is answered by the capture.
    std::unique_ptr<CTVManager> Make()
    {
        return std::unique_ptr<CTVManager>(new CTVManager(dir.Path().c_str()));
    }

    TempFolder dir;
    MessageBoxCapture boxes;
};

} // namespace

TEST_F(ManagerTest, RemoteKeyFileCases)
{
    {
        auto manager = Make();
        for (int k = 0; k < 256; ++k)
            ASSERT_EQ(k, manager->TranslateRemoteKey((BYTE)k));
        // No file: the identity table, and no box that would hold the
        // start until someone answers it.
        EXPECT_TRUE(boxes.Boxes().empty());
    }
    dir.Write("RemoteKeyRedef.ini",
              "stray=1;\r\n"      // outside a block: ignored
              "[2]\r\n"
              "5=17;\r\n"
              "6=300;\r\n"        // key 300 & 0xFF = 44
              "9=9;\r\n"          // after the block: ignored
              "[4]\r\n"
              "7=;8\r\n"          // ";" right after "=": skipped, still counted
              "\r\n"              // counted too
              "11=17;\r\n"        // the later definition wins
              "no equals;\r\n"
              "12=13;\r\n"        // the fifth line: outside the block
              "[3]\r\n"
              "20=21;\r\n");      // the file ends inside the block
    auto manager = Make();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(11, manager->TranslateRemoteKey(17));
    EXPECT_EQ(6, manager->TranslateRemoteKey(44));
    EXPECT_EQ(9, manager->TranslateRemoteKey(9));
    EXPECT_EQ(8, manager->TranslateRemoteKey(8));
    EXPECT_EQ(13, manager->TranslateRemoteKey(13));
    EXPECT_EQ(20, manager->TranslateRemoteKey(21));
    EXPECT_EQ(1, manager->TranslateRemoteKey(1));
}

// A file that is there but cannot be read is worth a word: the system's
// text, captioned "Error".
TEST_F(ManagerTest, RemoteKeyFileThatCannotBeOpenedShowsTheSystemsText)
{
    dir.Write("RemoteKeyRedef.ini", "[1]\r\n5=17;\r\n");
    HANDLE held = CreateFileA(dir.File("RemoteKeyRedef.ini").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    auto manager = Make();
    CloseHandle(held);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("Error", boxes.Boxes()[0].caption);
    EXPECT_FALSE(boxes.Boxes()[0].text.empty());
    EXPECT_EQ((UINT)(MB_OK | MB_ICONINFORMATION), boxes.Boxes()[0].type);
    EXPECT_EQ(17, manager->TranslateRemoteKey(17));
}

TEST_F(ManagerTest, RemoteKeyLinesWithoutNumbersChangeNothing)
{
    dir.Write("RemoteKeyRedef.ini",
              "[6]\r\n"
              "5= ;\r\n"   // no key after the "="
              "5=x;\r\n"
              "x=7;\r\n"   // no command before it
              " =9;\r\n"
              "-=10;\r\n"
              "3=-;\r\n");
    auto manager = Make();
    for (int k = 0; k < 256; ++k)
        ASSERT_EQ(k, manager->TranslateRemoteKey((BYTE)k)) << k;
}

TEST_F(ManagerTest, ShippedRemoteKeyFileKeepsEveryKeyAndShowsNoBox)
{
    CString shipped;
    GetWorkPath(shipped); // the test copies the shipped file here
    ASSERT_TRUE(CopyFileA(PathJoin(shipped, "RemoteKeyRedef.ini"), dir.File("RemoteKeyRedef.ini").c_str(), FALSE));
    auto manager = Make();
    EXPECT_TRUE(boxes.Boxes().empty());
    for (int k = 0; k < 256; ++k)
        EXPECT_EQ(k, manager->TranslateRemoteKey((BYTE)k));
}

TEST_F(ManagerTest, DefaultsAndTheFirstSaveWritesElevenSections)
{
    auto manager = Make();
    EXPECT_TRUE(manager->LoadSettings()); // no file: defaults, not reported
    const ManagerSettings& s = manager->GetSettings();
    EXPECT_EQ(0, s.TVInput);
    EXPECT_GT(s.CountryCode, 0);
    EXPECT_EQ(120, s.MaxLength);
    EXPECT_EQ("TVVideo", s.VideoFolder);
    EXPECT_EQ(300, s.ReservedSpace);
    EXPECT_EQ(CSize(1, 1), s.VideoRatio);
    EXPECT_EQ(0, s.OpenTime.GetTime());
    EXPECT_EQ(600, manager->GetTFTime());
    EXPECT_EQ(4, manager->GetHardwareSettings().RecordFormat);
    EXPECT_EQ(-1, manager->GetCustomFMFormat().GetSelected());
    EXPECT_FALSE(s.VideoDir.IsEmpty());

    manager->GetHardwareSettings().TVData = TRUE; // no teletext program runs
    ASSERT_TRUE(manager->SaveSettings());
    const std::string bytes = dir.Read("TVParam.ini");
    for (const char* section : {"[Interface]", "[Channel]", "[Device]", "[Record]", "[Schedule]", "[Video]",
                                "[Storage]", "[Window]", "[Runonce]", "[FMCustom]", "[Windows System]"})
        EXPECT_NE(std::string::npos, bytes.find(std::string(section) + "\r\n")) << section;
    EXPECT_NE(std::string::npos, bytes.find("TVDATA=0\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("AutoPass=\r\n"));
}

TEST_F(ManagerTest, SettingsRoundTrip)
{
    {
        auto manager = Make();
        manager->LoadSettings();
        manager->SetSkinName("Silver");
        manager->SetMaxLength(45);
        manager->SetMaxLength(301); // refused by the setter
        manager->SetTFTime(1200);
        manager->SetTVInput(1);
        manager->SetCountryCode(49);
        HardwareSettings& hw = manager->GetHardwareSettings();
        hw.RecordFormat = 6;
        hw.VideoSize = CSize(640, 480);
        hw.AudioDevice = "Line In, front";
        manager->GetTVTable().SetCurrentFrequency(471250);
        manager->GetTVTable().SetFavorMode(TRUE);
        FMParam* format = manager->GetCustomFMFormat().GetAt(0);
        format->Name = "Voice";
        format->AudioComp = "PCM";
        manager->GetCustomFMFormat().SetSelected(0);
        manager->Settings().AutoUser = "Administrator";
        manager->Settings().AutoPass = "s3cret pass";
        manager->Settings().ValidDisk.Add("C:\\");
        manager->Settings().ValidDisk.Add("D:\\");
        manager->Settings().OpenTime = CTime(2030, 1, 2, 3, 4, 5);
        ASSERT_TRUE(manager->SaveSettings());
    }
    const std::string bytes = dir.Read("TVParam.ini");
    EXPECT_EQ(std::string::npos, bytes.find("s3cret")); // not stored as plain text
    EXPECT_EQ(std::string::npos, bytes.find("Administrator"));

    auto manager = Make();
    manager->LoadSettings();
    const ManagerSettings& s = manager->GetSettings();
    EXPECT_EQ("Silver", s.SkinName);
    EXPECT_EQ(45, s.MaxLength);
    EXPECT_EQ(1200, manager->GetTFTime());
    EXPECT_EQ(1, s.TVInput);
    EXPECT_EQ(49, s.CountryCode);
    EXPECT_EQ(6, manager->GetHardwareSettings().RecordFormat);
    EXPECT_EQ(CSize(640, 480), manager->GetHardwareSettings().VideoSize);
    EXPECT_EQ("Line In, front", manager->GetHardwareSettings().AudioDevice);
    EXPECT_EQ(471250, manager->GetTVTable().GetCurrentFrequency());
    EXPECT_TRUE(manager->GetTVTable().GetFavorMode());
    ASSERT_EQ(1, manager->GetCustomFMFormat().GetSize());
    EXPECT_EQ("PCM", manager->GetCustomFMFormat().GetAt(0)->AudioComp);
    EXPECT_EQ(0, manager->GetCustomFMFormat().GetSelected());
    EXPECT_EQ("Administrator", s.AutoUser);
    EXPECT_EQ("s3cret pass", s.AutoPass);
    ASSERT_EQ(2, s.ValidDisk.GetSize());
    EXPECT_EQ("D:\\", s.ValidDisk[1]);
    EXPECT_EQ(CTime(2030, 1, 2, 3, 4, 5), s.OpenTime);
}

namespace {

// The headers and keys of a saved file, in file order.
std::vector<std::string> KeyOrder(const std::string& bytes)
{
    std::vector<std::string> keys;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        keys.push_back(line.substr(0, line.find('=')));
        start = end + 2;
    }
    return keys;
}

} // namespace

TEST_F(ManagerTest, SettingsKeepTheirKeyOrderAcrossSaves)
{
    auto save = [this] {
        auto manager = Make();
        manager->LoadSettings();
        manager->GetHardwareSettings().TVData = TRUE; // no teletext program runs
        EXPECT_TRUE(manager->SaveSettings());
        return dir.Read("TVParam.ini");
    };
    const std::vector<std::string> first = KeyOrder(save());
    EXPECT_EQ(first, KeyOrder(save()));

    // The order a user gave the keys of a section stays, and so does a
    // comment among them.
    std::string bytes = dir.Read("TVParam.ini");
    const size_t video = bytes.find("[Video]\r\n") + 9;
    const size_t next = bytes.find("\r\n[", video) + 2;
    std::vector<std::string> lines;
    for (size_t at = video; at < next;) {
        const size_t end = bytes.find("\r\n", at) + 2;
        lines.insert(lines.begin(), bytes.substr(at, end - at));
        at = end;
    }
    ASSERT_GT(lines.size(), 3u);
    lines.insert(lines.begin() + 1, "; levels as I like them\r\n");
    std::string reordered = bytes.substr(0, video);
    for (const std::string& line : lines)
        reordered += line;
    reordered += bytes.substr(next);
    dir.Write("TVParam.ini", reordered);
    const std::vector<std::string> expected = KeyOrder(reordered);
    EXPECT_EQ(expected, KeyOrder(save()));
    EXPECT_EQ(expected, KeyOrder(save()));
}

TEST_F(ManagerTest, OutOfRangeAndMalformedValuesKeepTheirDefaults)
{
    dir.Write("TVParam.ini",
              "[Channel]\r\nTVInput=7\r\nCountryCode=-4\r\nTVCurIndex=-9\r\n"
              "[Device]\r\nVideoSource=9\r\nTVAUDIO=5\r\nTunerStandard=3\r\n"
              "[Record]\r\nRecordFormat=12\r\nFMRecordFormat=-1\r\nTFTime=10\r\nTFReserved=-1\r\n"
              "DisplayQuality=3\r\nJpgQuality=abc\r\nMotionSearchInc=2\r\nMpeg4RecordSize=-1,5\r\n"
              "[Video]\r\nBrightness=256\r\nHue=-129\r\nSharpness=-8\r\nOverlayBri=12x\r\nReduceValue=11\r\n"
              "VideoSize=0,576\r\n"
              "[Storage]\r\nMaxLength=0\r\nReservedSpace=-5\r\nVideoFolder=\r\n"
              "[Window]\r\nVideoRatio=4,0\r\nVideoWnd=1,2\r\n"
              "[Schedule]\r\nShutTime=2023,02,29,10,00,00\r\n"
              "[FMCustom]\r\nCurrent=5\r\nCount=1000000000\r\nFMCustom0_Name=Only\r\n"
              "[Windows System]\r\nStartUpTime=-1\r\nAutoPass=DF4041427618\r\nAutoUser=XYZ\r\n");
    auto manager = Make();
    const CTime shutDefault = manager->GetSettings().ShutTime;
    manager->LoadSettings();
    const ManagerSettings& s = manager->GetSettings();
    const HardwareSettings& hw = manager->GetHardwareSettings();
    EXPECT_EQ(0, s.TVInput);
    EXPECT_GT(s.CountryCode, 0);
    EXPECT_EQ(-1, manager->GetTVTable().GetCurrentIndex());
    EXPECT_EQ(0, hw.VideoSource);
    EXPECT_EQ(0, hw.TVAudio);
    EXPECT_EQ(0u, hw.TunerStandard);
    EXPECT_EQ(4, hw.RecordFormat);
    EXPECT_EQ(0, hw.FMRecordFormat);
    EXPECT_EQ(600, hw.TFTime);
    EXPECT_EQ(0, hw.TFReserved);
    EXPECT_EQ(1, s.DisplayQuality);
    EXPECT_EQ(100, s.JpgQuality);
    EXPECT_EQ(0, hw.MotionSearchInc);
    EXPECT_EQ(CSize(0, 0), hw.Mpeg4RecordSize);
    EXPECT_EQ(128, s.CardVideo[0]);
    EXPECT_EQ(0, s.CardVideo[2]);
    EXPECT_EQ(-8, s.CardVideo[4]); // in range: taken
    EXPECT_EQ(750, s.OverlayVideo[0]);
    EXPECT_EQ(5, s.ReduceValue);
    EXPECT_EQ(CSize(720, 576), hw.VideoSize);
    EXPECT_EQ(120, s.MaxLength);
    EXPECT_EQ(300, s.ReservedSpace);
    EXPECT_EQ("TVVideo", s.VideoFolder);
    EXPECT_EQ(CSize(1, 1), s.VideoRatio);
    EXPECT_TRUE(s.VideoWnd.IsRectNull()); // shorter than a rectangle
    EXPECT_EQ(shutDefault, s.ShutTime);
    // The count is capped; entries missing from the file are empty formats.
    EXPECT_EQ(CTVManager::kMaxFMFormats, manager->GetCustomFMFormat().GetSize());
    EXPECT_EQ("Only", manager->GetCustomFMFormat().GetAt(0)->Name);
    EXPECT_TRUE(manager->GetCustomFMFormat().GetAt(1)->Name.IsEmpty());
    EXPECT_EQ(5, manager->GetCustomFMFormat().GetSelected());
    EXPECT_EQ(120, s.StartUpTime);
    EXPECT_EQ("", s.AutoPass); // a damaged value reads as empty
    EXPECT_EQ("", s.AutoUser);
}

TEST_F(ManagerTest, SettingsFilesFromOtherEditorsAreReadOrKept)
{
    const std::string text = "[Video]\r\nBrightness=100\r\n[Storage]\r\nMaxLength=42\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : text)
        utf16 += std::string(1, c) + '\0';
    struct { const char* name; std::string bytes; int brightness; int maxLength; bool keptAside; } cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF" + text, 100, 42, false},
        {"CR-only line ends", "[Video]\rBrightness=100\r[Storage]\rMaxLength=42\r", 100, 42, false},
        {"0x1A between the sections", "[Video]\r\nBrightness=100\r\n\x1A\r\n[Storage]\r\nMaxLength=42\r\n", 100,
         42, false},
        {"a NUL byte", std::string("[Video]\r\nBright\0ness=100\r\n[Storage]\r\nMaxLength=42\r\n", 51), 128, 42,
         true},
        {"UTF-16", utf16, 128, 120, true}, // the defaults, and the user's file kept
    };
    for (const auto& c : cases) {
        TempFolder work;
        work.Write("TVParam.ini", c.bytes);
        CTVManager manager(work.Path().c_str());
        manager.LoadSettings();
        EXPECT_EQ(c.brightness, manager.GetSettings().CardVideo[0]) << c.name;
        EXPECT_EQ(c.maxLength, manager.GetMaxLength()) << c.name;
        ASSERT_TRUE(manager.SaveSettings()) << c.name;
        EXPECT_EQ(c.keptAside, work.Exists("TVParam.ini.unread")) << c.name;
        if (c.keptAside) {
            EXPECT_EQ(c.bytes, work.Read("TVParam.ini.unread")) << c.name;
        }

        CTVManager again(work.Path().c_str());
        again.LoadSettings();
        EXPECT_EQ(c.maxLength, again.GetMaxLength()) << c.name;
    }
}

TEST_F(ManagerTest, TimeShiftLengthsOfMoreThanADayAreKept)
{
    dir.Write("TVParam.ini", "[Record]\r\nTFTime=172800\r\n");
    auto manager = Make();
    manager->LoadSettings();
    EXPECT_EQ(172800, manager->GetTFTime());
    EXPECT_TRUE(manager->SetTFTime(INT_MAX));
    EXPECT_EQ(INT_MAX, manager->GetTFTime());
    EXPECT_FALSE(manager->SetTFTime(599));
    EXPECT_EQ(INT_MAX, manager->GetTFTime());
}

TEST_F(ManagerTest, FMCustomCountWithMissingEntries)
{
    dir.Write("TVParam.ini", "[FMCustom]\r\nCurrent=-1\r\nCount=2\r\nFMCustom0_Name=Voice\r\n");
    auto manager = Make();
    manager->LoadSettings();
    CCustomFMFormat& formats = manager->GetCustomFMFormat();
    ASSERT_EQ(2, formats.GetSize());
    EXPECT_EQ("Voice", formats.GetAt(0)->Name);
    EXPECT_TRUE(formats.GetAt(1)->Name.IsEmpty() && formats.GetAt(1)->AudioComp.IsEmpty());
}

TEST_F(ManagerTest, SkinCatalogueNamesFollowTheSettings)
{
    dir.Write("SkinSet.ini", "[General]\r\nTotal=2\r\nSkin-0=Blue\r\nSkin-1=Silver\r\n");
    auto manager = Make();
    manager->LoadSettings();
    EXPECT_EQ(2, manager->GetSkinNameList().GetCount());
    EXPECT_EQ("Blue", manager->GetSkinNameList().GetHead());
}

TEST_F(ManagerTest, RegistryValuesAndTheRunValue)
{
    AfxSetAppName("PellamarRegistryTest");
    const std::string common = "SOFTWARE\\PellamarRegistryTest\\Common";
    HKEY created = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, common.c_str(), 0, NULL, 0,
                                             KEY_ALL_ACCESS | KEY_WOW64_32KEY, NULL, &created, NULL));
    RegCloseKey(created);
    HKEY run = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                                             0, NULL, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, NULL, &run, NULL));
    RegCloseKey(run);
    dir.Write("Sarnet.exe", "MZ");

    auto manager = Make();
    manager->SetRegistryRoot(HKEY_CURRENT_USER);
    manager->WriteSnapPathToRegistry();
    manager->WriteRecordPathToRegistry();
    CRegisterKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.OpenForRead(HKEY_CURRENT_USER, common.c_str(), FALSE));
    CString value;
    EXPECT_EQ(ERROR_SUCCESS, key.QueryValue("SnapPath", value));
    EXPECT_EQ(manager->GetSettings().PicDir, value);
    EXPECT_EQ(ERROR_SUCCESS, key.QueryValue("RecordPath", value));
    EXPECT_EQ(manager->GetVideoDir(), value);
    key.Close();

    manager->SetAutoStart(TRUE);
    BOOL start = FALSE;
    EXPECT_TRUE(manager->ReadAutoStartKey(start));
    EXPECT_TRUE(start);
    manager->SetAutoStart(FALSE);
    EXPECT_FALSE(manager->ReadAutoStartKey(start));
    EXPECT_FALSE(start);

    RegDeleteKeyA(HKEY_CURRENT_USER, common.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\PellamarRegistryTest");
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", FALSE));
    key.DeleteValue("Sarnet");
}

TEST_F(ManagerTest, CountryNamesStandardsAndScanLists)
{
    CString shipped;
    GetWorkPath(shipped); // the test copies the shipped CountryCode.ini here
    ASSERT_TRUE(CopyFileA(PathJoin(shipped, "CountryCode.ini"), dir.File("CountryCode.ini").c_str(), FALSE));
    auto manager = Make();
    ASSERT_TRUE(manager->LoadCountryNames());
    CIdStringMap& names = manager->GetCountryNames();
    const CString usa = names.GetText(1);
    EXPECT_EQ("(IRC)", usa.Right(5));
    EXPECT_EQ(usa.Left(usa.GetLength() - 5) + "(HRC)", names.GetText(1200));
    EXPECT_FALSE(names.GetText(33).IsEmpty());
    EXPECT_EQ(852, CTVManager::TunerCountryCode(1201));
    EXPECT_EQ(1, CTVManager::TunerCountryCode(1200));
    EXPECT_EQ(33, CTVManager::TunerCountryCode(33));

    struct { int country; DWORD standard; int input; size_t count; bool firstIsZero; } cases[] = {
        {1, AnalogVideo_NTSC_M, 0, 125, false},   // the country's own cable plan
        {1, AnalogVideo_NTSC_M, 1, 68, true},     // antenna: channel 1 does not exist
        {61, AnalogVideo_NTSC_M, 1, 69, true},    // the later table row decides
        {33, AnalogVideo_SECAM_L, 1, 72, false},
        {33, AnalogVideo_SECAM_L, 0, 69, false},
        {81, AnalogVideo_NTSC_M_J, 1, 62, false},
        {49, AnalogVideo_PAL_B, 1, 70, true},
        {86, AnalogVideo_PAL_D, 0, 131, false},
        {44, AnalogVideo_PAL_I, 1, 69, true},
        {7, AnalogVideo_SECAM_D, 1, 58, false},
    };
    for (const auto& c : cases) {
        DWORD standard = 0;
        ASSERT_TRUE(manager->GetDefaultVideoStandard(c.country, standard)) << c.country;
        EXPECT_EQ(c.standard, standard) << c.country;
        manager->SetCountryCode(c.country);
        manager->SetTVInput(c.input);
        // No card here: the manager builds its list, no tuner takes it.
        EXPECT_FALSE(manager->BuildScanFrequencyList()) << c.country;
        const std::vector<float>& list = manager->GetScanFrequencies();
        ASSERT_EQ(c.count, list.size()) << c.country << "/" << c.input;
        EXPECT_EQ(c.firstIsZero, list[0] == 0.0f) << c.country << "/" << c.input;
        // MHz, not Hz or kHz (the plans' own ranges are pinned with the plans).
        for (float mhz : list)
            EXPECT_TRUE(mhz == 0.0f || (mhz > 40.0f && mhz < 1000.0f)) << c.country << ": " << mhz;
    }
    DWORD unused = 0;
    EXPECT_FALSE(manager->GetDefaultVideoStandard(99999, unused));

    manager->SetTVInput(2);
    EXPECT_FALSE(manager->BuildScanFrequencyList());

    // A table of "ChannelPoint.ini" wins over the built-in plan.
    dir.Write("ChannelPoint.ini", "[33,0,2,France]\r\n1=55.25\r\n2=62.25\r\n");
    ASSERT_TRUE(manager->GetPointManager().Load(dir.File("ChannelPoint.ini").c_str()));
    manager->SetCountryCode(33);
    manager->SetTVInput(0);
    manager->BuildScanFrequencyList();
    ASSERT_EQ(2u, manager->GetScanFrequencies().size());
    EXPECT_FLOAT_EQ(62.25f, manager->GetScanFrequencies()[1]);
}

TEST_F(ManagerTest, ChannelTablesAreSavedOnlyWhenModified)
{
    auto manager = Make();
    manager->GetTVTable().AddChannel(CChannel(1, 471250, "One", CHANNEL_VALID));
    manager->GetFMTable().AddChannel(CChannel(1, 98500, "Radio", CHANNEL_VALID));
    manager->GetTVTable().SetModified();
    EXPECT_TRUE(manager->SaveChannelTables());
    EXPECT_TRUE(dir.Exists("TVChannel.tvc"));
    EXPECT_FALSE(dir.Exists("FMChannel.fmc"));
    EXPECT_FALSE(manager->GetTVTable().IsModified());

    auto again = Make();
    again->LoadChannelTables();
    ASSERT_EQ(1, again->GetTVTable().GetSize());
    EXPECT_EQ(1000, again->GetTVTable().GetTolerance());
    EXPECT_EQ(200, again->GetFMTable().GetTolerance());
}
