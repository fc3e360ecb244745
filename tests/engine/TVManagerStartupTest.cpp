// The manager's bring-up without a card: its name tables and resource-id
// maps (and their archives), the settings applied after loading and checked
// after start-up, the input rules, and the scan bookkeeping that needs no
// tuner.
#include "RecordingUi.h"

#include "engine/PathHelpers.h"
#include "engine/TVManager.h"
#include "platform/mfc/File.h"
#include "platform/mfc/Resource.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class ManagerBringUp : public ::testing::Test
{
protected:
    std::unique_ptr<CTVManager> Make()
    {
        return std::unique_ptr<CTVManager>(new CTVManager(dir.Path().c_str(), &ui));
    }

    TempFolder dir;
    MessageBoxCapture boxes;
    RecordingUi ui;
};

TEST_F(ManagerBringUp, NameTablesAndResourceMaps)
{
    auto manager = Make();
    ASSERT_TRUE(manager->InitNameTables());
    manager->InitResourceIdMaps();

    const CDwordStringArray& standards = manager->GetStandardNames();
    ASSERT_EQ(19, standards.GetSize());
    EXPECT_EQ("None", standards[0].text);
    EXPECT_EQ("SECAM_L1", standards[18].text);
    EXPECT_EQ(NULL, standards.Find(0x40));  // PAL_G is not offered
    EXPECT_EQ("PAL_I", *standards.Find(0x100));
    const CDwordStringArray& formats = manager->GetRecordFormatNames();
    ASSERT_EQ(6, formats.GetSize());
    EXPECT_EQ(NULL, formats.Find(0));  // AVI and MPEG-4 are not offered
    EXPECT_EQ(NULL, formats.Find(3));
    EXPECT_EQ("VCD", *formats.Find(4));
    EXPECT_EQ("FM", *manager->GetInputNames().Find(3));
    EXPECT_EQ("Very High", manager->GetQualityNames()[0].text);
    EXPECT_EQ(3, manager->GetQualityNames().GetSize());

    EXPECT_EQ(33791u, manager->GetVideoPropertyNames().GetStringId(kVideoSharpness));
    EXPECT_EQ(33792u, manager->GetVideoPropertyNames().GetStringId(kVideoGain));
    EXPECT_EQ(33785u, manager->GetOverlayControlNames().GetStringId(kOverlayHue));
    EXPECT_EQ(33856u, manager->GetIntegerNames().GetStringId(8));
    EXPECT_EQ(0u, manager->GetIntegerNames().GetStringId(9));
    EXPECT_EQ(17u, manager->GetIntegerNames().GetHashTableSize());
}

TEST_F(ManagerBringUp, NameTablesGoThroughAnArchiveAndRefuseADamagedCount)
{
    CDwordStringArray table;
    table.Add(0x10, "PAL_B");
    table.Add(0x40000, "SECAM_L");
    MRscIDMap<int> map;
    map.SetAt(1, 33848);
    map.SetAt(8, 33856);
    const std::string path = dir.File("tables.bin");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        table.Serialize(ar);
        map.Serialize(ar);
        ASSERT_TRUE(ar.Close());
    }
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
        CArchive ar(&file, CArchive::load);
        CDwordStringArray readTable;
        MRscIDMap<int> readMap;
        readTable.Serialize(ar);
        readMap.Serialize(ar);
        EXPECT_FALSE(ar.Failed());
        ASSERT_EQ(2, readTable.GetSize());
        EXPECT_EQ(0x40000u, readTable[1].id);
        EXPECT_EQ("SECAM_L", readTable[1].text);
        EXPECT_EQ(2, readMap.GetCount());
        EXPECT_EQ(33856u, readMap.GetStringId(8));
    }
    // A count no table of ours reaches reads nothing.
    ASSERT_TRUE(dir.Write("damaged.bin", std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6)));
    CFile file;
    ASSERT_TRUE(file.Open(dir.File("damaged.bin").c_str(), CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    CDwordStringArray damaged;
    damaged.Add(1, "kept?");
    damaged.Serialize(ar);
    EXPECT_EQ(0, damaged.GetSize());
}

TEST_F(ManagerBringUp, LoadedSettingsAreAppliedAndChecked)
{
    // The strings of the program's resource library (the default skin's name).
    HMODULE strings = LoadLibraryA("Mavrel.dll");
    ASSERT_TRUE(strings);
    HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(strings);
    dir.Write("SkinSet.ini", "[General]\r\nTotal=2\r\nSkin-0=Silver\r\nSkin-1=Default\r\n"
                             "[Silver]\r\nIni=Silver.ini\r\n[Default]\r\nIni=Skin.ini\r\n");
    const std::string videos = dir.File("videos\\2024");
    const std::string pictures = dir.File("pictures");
    dir.Write("TVParam.ini", "[Interface]\r\nSkinName=\r\n[Record]\r\nVideoDir=" + videos + "\r\nPicDir=" +
                                 pictures + "\r\nRecordFormat=12\r\nFMRecordFormat=3\r\n[FMCustom]\r\nCurrent=-1\r\n"
                                 "Count=1\r\nFMCustom0_Name=Mine\r\nFMCustom0_AudioComp=PCM\r\n");
    auto manager = Make();
    manager->InitNameTables();
    manager->InitResourceIdMaps();
    ASSERT_TRUE(manager->LoadSettings());
    manager->Settings().TVInput = 7;  // as from a settings page gone wrong
    manager->ApplyLoadedSettings();

    AfxSetResourceHandle(saved);
    FreeLibrary(strings);
    EXPECT_EQ("Default", std::string(manager->GetDefaultSkinName()));
    EXPECT_EQ(manager->GetDefaultSkinName(), manager->GetSkinName());
    const CStringList& skins = manager->GetSkinNameList();
    ASSERT_FALSE(skins.IsEmpty());
    EXPECT_EQ(manager->GetDefaultSkinName(), skins.GetHead());
    int heads = 0;
    for (POSITION pos = skins.GetHeadPosition(); pos;)
        heads += skins.GetNext(pos) == manager->GetDefaultSkinName();
    EXPECT_EQ(1, heads);
    EXPECT_TRUE(IsDirectoryExist(videos.c_str()));
    EXPECT_TRUE(IsDirectoryExist(pictures.c_str()));

    EXPECT_TRUE(manager->ValidateSettings());
    EXPECT_EQ(0, manager->GetTVInput());
    EXPECT_EQ(4, manager->GetRecordFormat());
    EXPECT_EQ(0, manager->GetHardwareSettings().FMRecordFormat);  // no format selected
    EXPECT_FALSE(manager->SetRecordFormat(8));
    EXPECT_TRUE(manager->SetRecordFormat(7));
    manager->GetCustomFMFormat().SetSelected(0);
    EXPECT_TRUE(manager->SelectFMFormat(3));
    EXPECT_EQ("PCM", std::string(manager->GetHardware().GetFMCustomCompressor()));
    EXPECT_FALSE(manager->SelectFMFormat(4));
}

TEST_F(ManagerBringUp, InputsFollowTheCardsBands)
{
    auto manager = Make();
    const struct { int asked; int selected; BOOL tunerCommand; } cases[] = {
        {0, 0, TRUE}, {1, 1, FALSE}, {2, 2, FALSE},
        {3, 0, TRUE},   // no FM on this card
        {9, 0, TRUE},
    };
    for (const auto& c : cases) {
        ui.commands.clear();
        manager->SetVideoSource(c.asked);
        EXPECT_EQ(c.selected, manager->GetVideoSource()) << c.asked;
        EXPECT_EQ(c.tunerCommand, ui.commands[44150]) << c.asked;
        if (!c.tunerCommand) {
            EXPECT_FALSE(ui.commands[44151]) << c.asked;
            EXPECT_FALSE(ui.commands[44152]) << c.asked;
        }
    }
    // Without FM the inputs go round three.
    manager->SetVideoSource(2);
    manager->NextVideoSource();
    EXPECT_EQ(0, manager->GetVideoSource());
    manager->NextVideoSource();
    EXPECT_EQ(1, manager->GetVideoSource());

    CFreqNameMap names;
    EXPECT_FALSE(manager->LoadChannelNames(names));  // AV: no channel names
}

TEST_F(ManagerBringUp, ScanBookkeepingWithoutATuner)
{
    auto manager = Make();
    // Nothing scans without a card, and a stop still refreshes the buttons.
    EXPECT_FALSE(manager->StartScan(TRUE));
    EXPECT_FALSE(manager->IsScanning());
    EXPECT_EQ(0, ui.scanDisplays);
    manager->StopScan();
    EXPECT_EQ(1, ui.channelButtonUpdates);

    // The scan's end: the table before the scan is merged back when the
    // user keeps previous channels, names come from the country's table,
    // and the table is marked for saving.
    dir.Write("ChannelAddress.ini", "[General]\r\nTotal=1\r\nCountryCode-0=33\r\n[33]\r\nTotal=1\r\n"
                                    "Table-0=Paris\r\n[Paris]\r\nTotal=1\r\nChannel-0=France 2,471250\r\n");
    ASSERT_TRUE(manager->GetFreqAndName().Load(dir.File("ChannelAddress.ini").c_str()));
    manager->SetCountryCode(33);
    manager->Settings().City = "Paris";
    CChannelTable& table = manager->GetTVTable();
    table.AddChannel(CChannel(1, 471250, "TV-1", CHANNEL_VALID));
    CChannelTable previous;
    previous.AddChannel(CChannel(7, 615250, "Old", CHANNEL_VALID));
    table.SetReservePrev(TRUE);
    table.SetModified(FALSE);
    manager->FinishScan(previous);
    EXPECT_FALSE(manager->IsScanning());
    EXPECT_TRUE(table.IsModified());
    EXPECT_EQ(2, ui.channelButtonUpdates);
    ASSERT_EQ(2, table.GetSize());
    EXPECT_NE(-1, table.FindByFrequency(615250));
    EXPECT_EQ("France 2", table.GetChannel(table.FindByFrequency(471250))->Name);
}

} // namespace

namespace {

// A window that follows the scan: what it heard, in order.
struct ScanFollower : IScanListener
{
    void OnScanChannelFound(const CChannel& channel) override
    {
        found.push_back(std::string(channel.Name) + (channel.IsVisible() ? "" : " (hidden)"));
    }
    void OnScanProgress(int percent) override { progress.push_back(percent); }
    void OnScanFinished() override
    {
        ++finished;
        if (onFinished)
            onFinished();
    }
    std::vector<std::string> found;
    std::vector<int> progress;
    int finished = 0;
    std::function<void()> onFinished;
};

} // namespace

TEST_F(ManagerBringUp, TheScanTableAndItsListeners)
{
    auto manager = Make();
    CChannelTable& table = manager->GetTVTable();
    table.AddChannel(CChannel(1, 175250, "E5", CHANNEL_VALID));
    table.AddChannel(CChannel(2, 471250, "E21", CHANNEL_VALID));
    const float points[] = {175.25f, 180.0f, 203.25f, 471.25f};
    manager->SetFrequencyPoints(points, 4); // the manager's list (no card takes one here)
    ASSERT_EQ(4u, manager->GetScanFrequencies().size());
    ScanFollower first, second, leaving, late;
    manager->AddScanListener(&first);
    manager->AddScanListener(&first); // once only
    manager->AddScanListener(&second);
    manager->AddScanListener(&leaving);
    manager->AddScanListener(&late);
    manager->AddScanListener(NULL);
    // One leaves while it is told, and takes the one after it along.
    leaving.onFinished = [&]() {
        manager->RemoveScanListener(&leaving);
        manager->RemoveScanListener(&late);
    };

    // The table before the scan is taken aside once: a second start (the
    // display's after the manager's) keeps what the scan has found.
    manager->BeginScanTable();
    EXPECT_EQ(0, table.GetSize());
    manager->AddScanPoint(175250, 1);
    manager->BeginScanTable();
    EXPECT_EQ(1, table.GetSize());
    manager->AddScanPoint(180000, 0);
    manager->RemoveScanListener(&second);
    manager->AddScanPoint(203250, 2);
    EXPECT_EQ(75, manager->GetScanPercent());
    EXPECT_EQ(std::vector<std::string>({"E5", "TV-2 (hidden)", "TV-3"}), first.found);
    EXPECT_EQ(std::vector<int>({25, 50, 75}), first.progress);
    EXPECT_EQ(std::vector<std::string>({"E5", "TV-2 (hidden)"}), second.found);

    // The end: the old table merged back, the buttons and listeners told;
    // one removed while the others are told is not told.
    const int buttonUpdates = ui.channelButtonUpdates;
    manager->FinishScan();
    EXPECT_EQ(1, first.finished);
    EXPECT_EQ(0, second.finished);
    EXPECT_EQ(1, leaving.finished);
    EXPECT_EQ(0, late.finished);
    EXPECT_EQ(3u, late.found.size());
    EXPECT_EQ(buttonUpdates + 1, ui.channelButtonUpdates);
    EXPECT_TRUE(table.IsModified());
    ASSERT_EQ(4, table.GetSize());
    EXPECT_EQ("E21", table.GetChannel(table.FindByFrequency(471250))->Name);

    // The next scan takes the table aside again; a sweep keeps only what
    // locked, and its progress runs over the tuner's band.
    manager->SetTVInput(2);
    manager->BeginScanTable();
    EXPECT_EQ(0, table.GetSize());
    long lower = 0, upper = 0;
    manager->GetTunerRange(FALSE, lower, upper);
    const long middle = lower + (upper - lower) / 2;
    manager->AddScanPoint(middle, 0);
    EXPECT_EQ(0, table.GetSize());
    EXPECT_EQ(CTVManager::ScanPercent(middle - lower, lower, upper), manager->GetScanPercent());
    manager->AddScanPoint(middle + 8000, 1);
    ASSERT_EQ(1, table.GetSize());
    EXPECT_EQ("TV-1", std::string(table.GetChannel(0)->Name));
    manager->FinishScan();
    EXPECT_EQ(2, first.finished);
    EXPECT_EQ(1, leaving.finished);
    manager->RemoveScanListener(&first);
}
