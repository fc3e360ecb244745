// The program's own file carries its icon, its version block and its
// manifest, and the text it shows when the main resource library does not
// load: a message taken from that library would be empty exactly then.
#include "ResourceHeader.h"
#include "ResourceLibrary.h"

#include <gtest/gtest.h>

#include <set>

namespace {

BOOL CALLBACK CollectType(HMODULE, LPSTR type, LONG_PTR found)
{
    reinterpret_cast<std::set<ULONG_PTR>*>(found)->insert(IS_INTRESOURCE(type) ? (ULONG_PTR)type : 0);
    return TRUE;
}

TEST(ProgramResources, TellThatTheMainLibraryIsMissingWithoutIt)
{
    const unsigned id = ResourceValue("IDS_LIBRARY_MISSING");
    char own[512] = {0};
    ASSERT_GT(::LoadStringA(::GetModuleHandleA(NULL), id, own, sizeof own), 0);
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Data);
    EXPECT_EQ(std::string(own), mavrel.String(id));
    EXPECT_NE(std::string(own).find("Mavrel.dll"), std::string::npos);
}

TEST(ProgramResources, AreTheIconTheVersionTheManifestAndThatTextOnly)
{
    HMODULE program = ::GetModuleHandleA(NULL);
    std::set<ULONG_PTR> types;
    ::EnumResourceTypesA(program, &CollectType, reinterpret_cast<LONG_PTR>(&types));
    const std::set<ULONG_PTR> expected = {(ULONG_PTR)RT_ICON, (ULONG_PTR)RT_GROUP_ICON, (ULONG_PTR)RT_VERSION,
                                          (ULONG_PTR)RT_MANIFEST, (ULONG_PTR)RT_STRING};
    EXPECT_EQ(types, expected);
    EXPECT_TRUE(::LoadIconA(program, MAKEINTRESOURCEA(ResourceValue("IDI_APP"))) != NULL);

    HRSRC manifest = ::FindResourceA(program, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_TRUE(manifest != NULL);
    std::string text(static_cast<const char*>(::LockResource(::LoadResource(program, manifest))),
                     ::SizeofResource(program, manifest));
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

} // namespace
