// The remote-control service control over a fake service control manager
// (what is opened, with which rights, what is started, every handle
// closed), and once against Wine's own manager, which has no such service.
#include "engine/RSCrontroller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The fake manager's state; its functions are plain function pointers.
struct FakeServices
{
    bool managerOpens = true;
    bool installed = true;
    DWORD state = SERVICE_STOPPED;
    BOOL startResult = TRUE;
    DWORD startError = 0;
    std::vector<DWORD> managerAccess, serviceAccess;
    std::string openedName;
    int starts = 0;
    int open = 0;  // handles not yet closed
};
FakeServices g_fake;

SC_HANDLE const kManager = reinterpret_cast<SC_HANDLE>(0x100);
SC_HANDLE const kService = reinterpret_cast<SC_HANDLE>(0x200);

SC_HANDLE WINAPI FakeOpenManager(LPCSTR, LPCSTR, DWORD access)
{
    g_fake.managerAccess.push_back(access);
    if (!g_fake.managerOpens)
        return NULL;
    ++g_fake.open;
    return kManager;
}

SC_HANDLE WINAPI FakeOpenService(SC_HANDLE manager, LPCSTR name, DWORD access)
{
    EXPECT_EQ(kManager, manager);
    g_fake.serviceAccess.push_back(access);
    g_fake.openedName = name;
    if (!g_fake.installed)
        return NULL;
    ++g_fake.open;
    return kService;
}

BOOL WINAPI FakeQueryStatus(SC_HANDLE service, LPSERVICE_STATUS status)
{
    EXPECT_EQ(kService, service);
    status->dwCurrentState = g_fake.state;
    return TRUE;
}

BOOL WINAPI FakeStart(SC_HANDLE service, DWORD argc, LPCSTR* argv)
{
    EXPECT_EQ(kService, service);
    EXPECT_EQ(0u, argc);
    EXPECT_EQ(nullptr, argv);
    ++g_fake.starts;
    SetLastError(g_fake.startError);
    return g_fake.startResult;
}

BOOL WINAPI FakeClose(SC_HANDLE)
{
    --g_fake.open;
    return TRUE;
}

const ServiceControlApi kFake = {&FakeOpenManager, &FakeOpenService, &FakeQueryStatus, &FakeStart, &FakeClose};

class RemoteService : public ::testing::Test
{
protected:
    void SetUp() override { g_fake = FakeServices(); }
    void TearDown() override { EXPECT_EQ(0, g_fake.open) << "a handle was left open"; }
};

TEST_F(RemoteService, StartDependsOnTheServiceState)
{
    struct Case
    {
        bool managerOpens, installed;
        DWORD state;
        BOOL startResult;
        DWORD startError;
        BOOL result;
        int starts;
    } cases[] = {
        {true, false, SERVICE_STOPPED, TRUE, 0, FALSE, 0},   // not installed: nothing started
        {false, true, SERVICE_STOPPED, TRUE, 0, FALSE, 0},   // no manager (no rights)
        {true, true, SERVICE_RUNNING, TRUE, 0, TRUE, 0},     // already running
        {true, true, SERVICE_STOPPED, TRUE, 0, TRUE, 1},     // started
        // Started by another process between the test and the start.
        {true, true, SERVICE_STOPPED, FALSE, ERROR_SERVICE_ALREADY_RUNNING, TRUE, 1},
        {true, true, SERVICE_STOPPED, FALSE, ERROR_SERVICE_DISABLED, FALSE, 1},
    };
    for (const Case& c : cases) {
        g_fake = FakeServices();
        g_fake.managerOpens = c.managerOpens;
        g_fake.installed = c.installed;
        g_fake.state = c.state;
        g_fake.startResult = c.startResult;
        g_fake.startError = c.startError;
        CRSCrontroller controller("Remote Control Service", &kFake);
        EXPECT_EQ(c.result, controller.Start());
        EXPECT_EQ(c.starts, g_fake.starts);
        EXPECT_EQ(0, g_fake.open);
    }
}

TEST_F(RemoteService, AsksForTheLeastRightsEachStepNeeds)
{
    CRSCrontroller controller("Remote Control Service", &kFake);
    ASSERT_TRUE(controller.Start());
    EXPECT_EQ("Remote Control Service", g_fake.openedName);
    for (DWORD access : g_fake.managerAccess)
        EXPECT_EQ(static_cast<DWORD>(SC_MANAGER_CONNECT), access);
    ASSERT_EQ(3u, g_fake.serviceAccess.size());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_QUERY_STATUS), g_fake.serviceAccess[0]);  // installed?
    EXPECT_EQ(static_cast<DWORD>(SERVICE_QUERY_STATUS), g_fake.serviceAccess[1]);  // running?
    EXPECT_EQ(static_cast<DWORD>(SERVICE_START), g_fake.serviceAccess[2]);
}

TEST_F(RemoteService, AnOverlongNameAddressesNoService)
{
    // Cut to the field it would name another service.
    std::string name(300, 'r');
    CRSCrontroller controller(name.c_str(), &kFake);
    EXPECT_FALSE(controller.IsInstalled());
    EXPECT_FALSE(controller.Start());
    EXPECT_TRUE(g_fake.managerAccess.empty());
    CRSCrontroller fits(std::string(255, 'r').c_str(), &kFake);
    EXPECT_TRUE(fits.IsInstalled());
    EXPECT_EQ(std::string(255, 'r'), g_fake.openedName);
}

TEST(RemoteServiceOnWine, AbsentServiceIsNotStarted)
{
    CRSCrontroller controller("Remote Control Service");
    EXPECT_FALSE(controller.IsInstalled());
    EXPECT_FALSE(controller.IsRunning());
    EXPECT_FALSE(controller.Start());
}

} // namespace
