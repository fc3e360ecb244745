// Settings and channel files that start-up could not read whole: copied
// aside at once, and the user told once, in the self-closing box, which
// files they were and where the copies are.
#include "engine/TVManager.h"
#include "platform/mfc/Resource.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

template <size_t N>
std::string Bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

class TimedMessages : public CNullEngineUi
{
public:
    int ShowTimedMessage(LPCSTR text, UINT seconds) override
    {
        texts.push_back(text);
        lastSeconds = seconds;
        return IDOK;
    }
    std::vector<std::string> texts;
    UINT lastSeconds = 0;
};

// The program's strings for one test.
class ProgramStrings
{
public:
    ProgramStrings() : m_library(LoadLibraryA("Mavrel.dll")), m_saved(AfxGetResourceHandle())
    {
        if (m_library)
            AfxSetResourceHandle(m_library);
    }
    ~ProgramStrings()
    {
        AfxSetResourceHandle(m_saved);
        if (m_library)
            FreeLibrary(m_library);
    }
    bool Loaded() const { return m_library != NULL; }

private:
    HMODULE m_library;
    HINSTANCE m_saved;
};

class UnreadFiles : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(strings.Loaded()); }

    std::unique_ptr<CTVManager> Load()
    {
        std::unique_ptr<CTVManager> manager(new CTVManager(dir.Path().c_str()));
        manager->SetUi(&ui);
        manager->LoadSettings();
        manager->LoadChannelTables();
        return manager;
    }

    const std::string damagedSettings = Bytes("[Video]\r\nContrast=6\0" "8\r\n[Record]\r\nTFTime=1200\r\n");
    const std::string utf16Channels = Bytes("\xFF\xFE" "1\0,\0" "1\0,\0" "9\0" "8\0");
    TempFolder dir;
    MessageBoxCapture boxes; // the missing remote key file's box
    ProgramStrings strings;
    TimedMessages ui;
};

bool Holds(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(UnreadFiles, TheUserIsToldOnceWhichFilesAndWhereTheCopiesAre)
{
    dir.Write("TVParam.ini", damagedSettings);
    dir.Write("TVChannel.tvc", "1,1,471250,Read whole\r\n");
    dir.Write("FMChannel.fmc", utf16Channels);
    auto manager = Load();

    EXPECT_EQ(2, manager->SetAsideUnreadFiles());
    ASSERT_EQ(1u, ui.texts.size());
    const std::string& text = ui.texts[0];
    EXPECT_TRUE(Holds(text, "could not be read whole")) << text;
    EXPECT_TRUE(Holds(text, dir.File("TVParam.ini") + "\n")) << text;
    EXPECT_TRUE(Holds(text, dir.File("TVParam.ini.unread"))) << text;
    EXPECT_TRUE(Holds(text, dir.File("FMChannel.fmc.unread"))) << text;
    EXPECT_FALSE(Holds(text, "TVChannel.tvc")) << text;
    EXPECT_GE(ui.lastSeconds, 10u); // long enough to read the paths
    EXPECT_EQ(damagedSettings, dir.Read("TVParam.ini.unread"));
    EXPECT_EQ(utf16Channels, dir.Read("FMChannel.fmc.unread"));

    // Once: nothing more to tell, and the saves make no second copy.
    EXPECT_EQ(0, manager->SetAsideUnreadFiles());
    EXPECT_EQ(1u, ui.texts.size());
    manager->GetHardwareSettings().TVData = TRUE; // no teletext program runs
    ASSERT_TRUE(manager->SaveSettings());
    manager->GetFMTable().SetModified();
    ASSERT_TRUE(manager->SaveChannelTables());
    EXPECT_FALSE(dir.Exists("TVParam.ini.unread2"));
    EXPECT_FALSE(dir.Exists("FMChannel.fmc.unread2"));
    EXPECT_EQ(damagedSettings, dir.Read("TVParam.ini.unread"));
}

TEST_F(UnreadFiles, WithoutRoomForACopyTheFileIsNamedAndNotSavedOver)
{
    dir.Write("TVParam.ini", damagedSettings);
    dir.Write("TVParam.ini.unread", "taken");
    for (int n = 2; n <= CSafeSaveFile::kMaxAsideNames; ++n)
        dir.Write("TVParam.ini.unread" + std::to_string(n), "taken");
    auto manager = Load();

    EXPECT_EQ(1, manager->SetAsideUnreadFiles());
    ASSERT_EQ(1u, ui.texts.size());
    EXPECT_TRUE(Holds(ui.texts[0], dir.File("TVParam.ini") + "\n")) << ui.texts[0];
    EXPECT_TRUE(Holds(ui.texts[0], "not saved over")) << ui.texts[0];
    manager->GetHardwareSettings().TVData = TRUE;
    EXPECT_FALSE(manager->SaveSettings());
    EXPECT_EQ(damagedSettings, dir.Read("TVParam.ini"));
}

TEST_F(UnreadFiles, FilesReadWholeOrMissingTellNothing)
{
    dir.Write("TVChannel.tvc", "1,1,471250,Read whole\r\n");
    auto manager = Load();
    EXPECT_EQ(0, manager->SetAsideUnreadFiles());
    EXPECT_TRUE(ui.texts.empty());
}
