// The "Accel" reader against damaged archives: it either takes a whole
// table, which then saves and loads back unchanged, or keeps the table it
// had.
#include "settings/Accel.h"
#include "tests/settings/AccelFixture.h"
#include "tests/support/BadInput.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

TEST(BadInput, AccelArchive)
{
    TempFolder dir(badinput::ScratchBase());
    const std::string path = dir.File("Accel");
    CAccel longer;
    accel_fixture::Fill(longer);
    longer.AddCommand(1, 1084, "Mute", CString('m', 300));
    longer.SetBinding(0x00DE0018, 1084, 0);
    ASSERT_TRUE(longer.SaveToFile(path.c_str()));
    const std::string longerBytes = dir.Read("Accel");

    badinput::Run("CAccel::LoadFromFile", {accel_fixture::Bytes(), longerBytes}, [&](const std::string& bytes) {
        dir.Write("Accel", bytes);
        CAccel table;
        table.AddGroup("mine");
        if (!table.LoadFromFile(path.c_str())) {
            ASSERT_EQ("g:mine;", accel_fixture::Describe(table));
            return;
        }
        const std::string loaded = accel_fixture::Describe(table);
        ASSERT_TRUE(table.SaveToFile(dir.File("Again").c_str()));
        CAccel again;
        ASSERT_TRUE(again.LoadFromFile(dir.File("Again").c_str()));
        ASSERT_EQ(loaded, accel_fixture::Describe(again));
        for (int i = 0; i < table.GetBindingCount(); ++i)
            table.GetBinding(i)->GetKeyText();
    });
}
