// Registry access against a scratch key under HKCU: values written and read
// back, values stored without their terminator or too long, wrong types,
// and a read-only opening that cannot write.
#include "engine/RegisterKey.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = "Software\\PellamarTest\\" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, NULL, 0,
                                                 KEY_ALL_ACCESS, NULL, &m_raw, NULL));
    }
    void TearDown() override
    {
        RegCloseKey(m_raw);
        RegDeleteKeyA(HKEY_CURRENT_USER, m_path.c_str());
    }
    void PutRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(m_raw, name, 0, type, (const BYTE*)data, size));
    }

    std::string m_path;
    HKEY m_raw = NULL;
};

} // namespace

TEST_F(RegistryTest, WriteReadDelete)
{
    CRegisterKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, m_path.c_str(), TRUE));
    EXPECT_EQ(ERROR_SUCCESS, key.SetValue("SnapPath", "C:\\Snaps"));
    CString text;
    EXPECT_EQ(ERROR_SUCCESS, key.QueryValue("SnapPath", text));
    EXPECT_EQ("C:\\Snaps", text);
    DWORD size = 0;
    RegQueryValueExA(m_raw, "SnapPath", NULL, NULL, NULL, &size);
    EXPECT_EQ(9u, size); // the NUL is stored
    EXPECT_EQ(ERROR_SUCCESS, key.DeleteValue("SnapPath"));
    CString kept("kept");
    EXPECT_NE(ERROR_SUCCESS, key.QueryValue("SnapPath", kept));
    EXPECT_EQ("kept", kept);
}

TEST_F(RegistryTest, OutsideValuesAreBoundedAndTyped)
{
    PutRaw("NoNul", REG_SZ, "abcde", 5);
    std::string big(300, 'x');
    PutRaw("Big", REG_SZ, big.c_str(), (DWORD)big.size() + 1);
    std::string full(CRegisterKey::kMaxText, 'y');
    PutRaw("Full", REG_BINARY, full.data(), (DWORD)full.size());
    // The longest text that fits, stored without its NUL.
    std::string longest(CRegisterKey::kMaxText - 1, 'z');
    PutRaw("Longest", REG_SZ, longest.data(), (DWORD)longest.size());
    DWORD number = 1234;
    PutRaw("Number", REG_DWORD, &number, sizeof number);

    CRegisterKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.OpenForRead(HKEY_CURRENT_USER, m_path.c_str(), FALSE));
    CString text;
    EXPECT_EQ(ERROR_SUCCESS, key.QueryValue("NoNul", text));
    EXPECT_EQ("abcde", text);
    EXPECT_EQ(ERROR_SUCCESS, key.QueryValue("Longest", text));
    EXPECT_EQ(longest, (LPCSTR)text);

    CString kept("kept");
    EXPECT_NE(ERROR_SUCCESS, key.QueryValue("Big", kept));
    EXPECT_NE(ERROR_SUCCESS, key.QueryValue("Full", kept)); // binary, not text
    EXPECT_NE(ERROR_SUCCESS, key.QueryValue("Number", kept));
    EXPECT_EQ("kept", kept);

    DWORD value = 7;
    EXPECT_EQ(ERROR_SUCCESS, key.QueryDword("Number", value));
    EXPECT_EQ(1234u, value);
    value = 7;
    EXPECT_NE(ERROR_SUCCESS, key.QueryDword("NoNul", value));
    EXPECT_EQ(7u, value);

    // Opened for reading only: writing is refused.
    EXPECT_NE(ERROR_SUCCESS, key.SetValue("New", "x"));
}

TEST(RegisterKey, UnopenedAndMissingKeys)
{
    CRegisterKey key;
    CString text;
    EXPECT_NE(ERROR_SUCCESS, key.QueryValue("x", text));
    EXPECT_NE(ERROR_SUCCESS, key.SetValue("x", "y"));
    EXPECT_NE(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, "Software\\PellamarTest\\no such key", TRUE));
    EXPECT_FALSE(key.IsOpen());
}
