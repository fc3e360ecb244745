// Every save of the engine onto a small disk that is full or a few KiB
// short (the settings, both channel tables, a channel list, a channel
// export): FALSE, and the old files as they were.
#include "engine/ChannelTable.h"
#include "engine/TVManager.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/SmallDisk.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

const ULONGLONG kKiB = 1024;
// Free space the cases leave: none, and 12 KiB where the saves need more.
const ULONGLONG kShortOf[] = {0, 12 * kKiB};

void Fill(CChannelTable& table, int count)
{
    for (int i = 0; i < count; ++i) {
        CString name;
        name.Format("Channel number %d with a long name to fill the file", i);
        table.AddChannel(CChannel(i + 1, 48250 + 8000 * i, name, CHANNEL_VALID));
    }
    table.SetModified();
}

// Writes the old file, fills the disk, runs the save and checks that it
// failed and left the old file and no temporary file.
void ExpectFailedSave(SmallDisk& disk, const char* file, const std::function<BOOL()>& save)
{
    const std::string old = "; the old file\r\n1,1,471250,Old\r\n";
    for (ULONGLONG free : kShortOf) {
        SCOPED_TRACE(std::string(file) + ", free " + std::to_string(free));
        ASSERT_TRUE(disk.LeaveFree(64 * kKiB));
        ASSERT_TRUE(disk.Folder().Write(file, old));
        ASSERT_TRUE(disk.LeaveFree(free));
        EXPECT_FALSE(save());
        EXPECT_EQ(old, disk.Folder().Read(file));
        EXPECT_FALSE(disk.Folder().Exists(std::string(file) + ".tmp"));
    }
    ASSERT_TRUE(disk.LeaveFree(128 * kKiB));
    EXPECT_TRUE(save());
}

} // namespace

TEST(FullDiskSave, ChannelListAndExport)
{
    SmallDisk disk;
    REQUIRE_SMALL_DISK(disk);
    CChannelTable table;
    Fill(table, 400);
    ExpectFailedSave(disk, "TVChannel.tvc", [&] { return table.SaveToFile(disk.File("TVChannel.tvc").c_str()); });
    ExpectFailedSave(disk, "Export.ini", [&] { return table.ExportIni(disk.File("Export.ini").c_str()); });
}

TEST(FullDiskSave, SettingsAndBothChannelTables)
{
    SmallDisk disk;
    REQUIRE_SMALL_DISK(disk);
    MessageBoxCapture boxes; // no remote key file on the disk
    CTVManager manager(disk.Folder().Path().c_str());
    manager.LoadSettings();
    manager.GetHardwareSettings().TVData = TRUE; // no teletext program runs
    // Enough settings that 12 KiB do not hold them.
    for (int i = 0; i < 300; ++i) {
        CString folder;
        folder.Format("C:\\Recordings\\a folder with a long name %d\\", i);
        manager.Settings().ValidDisk.Add(folder);
    }
    ExpectFailedSave(disk, "TVParam.ini", [&] { return manager.SaveSettings(); });

    Fill(manager.GetTVTable(), 400);
    Fill(manager.GetFMTable(), 400);
    ExpectFailedSave(disk, "TVChannel.tvc", [&] {
        manager.GetTVTable().SetModified();
        manager.GetFMTable().SetModified(FALSE);
        return manager.SaveChannelTables();
    });
    ExpectFailedSave(disk, "FMChannel.fmc", [&] {
        manager.GetTVTable().SetModified(FALSE);
        manager.GetFMTable().SetModified();
        return manager.SaveChannelTables();
    });
}
