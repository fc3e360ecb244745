// CIVITimeShilftFilter over a fake time-shift filter: the buffer settings it
// sends (folder and file name split at the last backslash, the size from
// rate and duration in 64 bits), what it refuses to send, the strings it
// frees, and its controls.
#include "graph/wrappers/IVITimeShilftFilter.h"

#include <objidl.h>
#include <string.h>

#include <set>
#include <string>
#include <vector>

#include "graph/Guids.h"
#include "tests/graph/wrappers/CodecWrapperTest.h"

namespace {

// Counts the task allocator's blocks alive between Start and Stop (the COM
// strings among them), through an IMallocSpy.
class AllocationCounter : public IMallocSpy
{
public:
    bool Start()
    {
        // With the string cache on, freed strings would stay allocated.
        typedef void(WINAPI * NoCacheFn)();
        NoCacheFn noCache = reinterpret_cast<NoCacheFn>(
            GetProcAddress(GetModuleHandleA("oleaut32.dll"), "SetOaNoCache"));
        if (noCache)
            noCache();
        m_live.clear();
        return SUCCEEDED(CoRegisterMallocSpy(this));
    }
    void Stop() { CoRevokeMallocSpy(); }
    size_t Live() const { return m_live.size(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IMallocSpy) {
            *out = static_cast<IMallocSpy*>(this);
            return S_OK;
        }
        *out = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP_(SIZE_T) PreAlloc(SIZE_T request) override { return request; }
    STDMETHODIMP_(void*) PostAlloc(void* actual) override
    {
        if (actual)
            m_live.insert(actual);
        return actual;
    }
    STDMETHODIMP_(void*) PreFree(void* request, BOOL) override
    {
        m_live.erase(request);
        return request;
    }
    STDMETHODIMP_(void) PostFree(BOOL) override {}
    STDMETHODIMP_(SIZE_T) PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL) override
    {
        m_live.erase(request);
        *newRequest = request;
        return size;
    }
    STDMETHODIMP_(void*) PostRealloc(void* actual, BOOL) override { return PostAlloc(actual); }
    STDMETHODIMP_(void*) PreGetSize(void* request, BOOL) override { return request; }
    STDMETHODIMP_(SIZE_T) PostGetSize(SIZE_T size, BOOL) override { return size; }
    STDMETHODIMP_(void*) PreDidAlloc(void* request, BOOL) override { return request; }
    STDMETHODIMP_(int) PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    STDMETHODIMP_(void) PreHeapMinimize() override {}
    STDMETHODIMP_(void) PostHeapMinimize() override {}

private:
    std::set<void*> m_live;
};

struct SentSettings
{
    std::wstring folder, fileName;
    LONG sizeKiB, value128, sizeBytes, mode;
};

class IVITimeShiftTest : public CodecWrapperTest
{
protected:
    CIVITimeShilftFilter* MakeFilter()
    {
        FakeCodecFilter* fake = Serve(CLSID_IVITimeShift);
        fake->Add<FakeIIVITimeShiftControl>(IID_IIVITimeShiftControl, "ts");
        fake->onCall = [this](const SlotCall& call) {
            if (call.Is("ts", 3)) {
                // The filter's current settings, with strings of its own.
                IVITimeShiftSettings* current = call.Arg<IVITimeShiftSettings>(0);
                current->folder = SysAllocString(L"C:\\Old");
                current->fileName = SysAllocString(L"old.tsb");
                current->value128 = 129;
            }
            if (call.Is("ts", 4)) {
                const IVITimeShiftSettings& s = *call.Arg<IVITimeShiftSettings>(0);
                m_sent.push_back({s.folder, s.fileName, s.sizeKiB, s.value128, s.sizeBytes, s.mode});
            }
            return S_OK;
        };
        return AddWrapper<CIVITimeShilftFilter>(CLSID_IVITimeShift);
    }

    std::vector<SentSettings> m_sent;
};

TEST_F(IVITimeShiftTest, BufferSettingsFromPathRateAndDuration)
{
    CIVITimeShilftFilter* filter = MakeFilter();
    ASSERT_TRUE(filter);
    ASSERT_TRUE(filter->SetBuffer("C:\\Temp\\Shift\\buffer.tsb", 3, 4000, 60));
    EXPECT_EQ((std::vector<std::string>{"ts.3(p)", "ts.4(p)", "ts.9(4000)"}), m_fake->CallTexts());
    ASSERT_EQ(1u, m_sent.size());
    EXPECT_EQ(L"C:\\Temp\\Shift", m_sent[0].folder);
    EXPECT_EQ(L"buffer.tsb", m_sent[0].fileName);
    EXPECT_EQ(30000, m_sent[0].sizeKiB);
    EXPECT_EQ(30720000, m_sent[0].sizeBytes);
    EXPECT_EQ(129, m_sent[0].value128);  // the filter's own value goes back
    EXPECT_EQ(3, m_sent[0].mode);

    // Sizes past 2 GiB are computed without wrapping: the largest that fits
    // the filter's byte count goes out, the next is refused.
    m_sent.clear();
    ASSERT_TRUE(filter->SetBuffer("C:\\b.tsb", 0, 16383, 1024));
    ASSERT_EQ(1u, m_sent.size());
    EXPECT_EQ(2097024, m_sent[0].sizeKiB);
    EXPECT_EQ(2147352576, m_sent[0].sizeBytes);
    EXPECT_FALSE(filter->SetBuffer("C:\\b.tsb", 0, 16384, 1024));
    EXPECT_FALSE(filter->SetBuffer("C:\\b.tsb", 0, 200000, 86400));
    EXPECT_EQ(1u, m_sent.size());
}

TEST_F(IVITimeShiftTest, NothingIsSentForAPathOrSizeItCannotCarry)
{
    CIVITimeShilftFilter* filter = MakeFilter();
    ASSERT_TRUE(filter);
    const std::string longPath = "C:\\" + std::string(260, 'a');
    const struct
    {
        const char* name;
        std::string path;
        LONG rate, duration;
    } cases[] = {
        {"no backslash", "buffer.tsb", 4000, 60},
        {"longer than 259 characters", longPath, 4000, 60},
        {"no size", "C:\\b.tsb", 4, 1},
        {"negative size", "C:\\b.tsb", -4000, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_fake->calls.clear();
        EXPECT_FALSE(filter->SetBuffer(c.path.c_str(), 0, c.rate, c.duration));
        EXPECT_EQ((std::vector<std::string>{"ts.3(p)"}), m_fake->CallTexts());
    }
    // A failed read of the current settings sends nothing either.
    m_fake->calls.clear();
    m_fake->Fail("ts", 3);
    EXPECT_FALSE(filter->SetBuffer("C:\\b.tsb", 0, 4000, 60));
    EXPECT_EQ(1u, m_fake->calls.size());
    EXPECT_TRUE(m_sent.empty());
    EXPECT_FALSE(filter->SetBuffer(NULL, 0, 4000, 60));
}

TEST_F(IVITimeShiftTest, StringsOfTheFilterAndOurOwnAreFreed)
{
    CIVITimeShilftFilter* filter = MakeFilter();
    ASSERT_TRUE(filter);
    AllocationCounter counter;
    ASSERT_TRUE(counter.Start());
    // The counter sees COM strings come and go.
    BSTR probe = SysAllocString(L"probe");
    size_t probed = counter.Live();
    SysFreeString(probe);
    BOOL sent = filter->SetBuffer("C:\\Temp\\buffer.tsb", 0, 4000, 60);
    BOOL refused = filter->SetBuffer("nobackslash", 0, 4000, 60);
    size_t live = counter.Live();
    counter.Stop();
    EXPECT_EQ(1u, probed);
    EXPECT_TRUE(sent);
    EXPECT_FALSE(refused);
    EXPECT_EQ(0u, live);
}

TEST_F(IVITimeShiftTest, ControlsReachTheirSlots)
{
    CIVITimeShilftFilter* filter = MakeFilter();
    ASSERT_TRUE(filter);
    const LONGLONG position = 0x123456789ALL;
    std::string pathSeen;
    m_fake->onCall = [&pathSeen](const SlotCall& call) {
        if (call.Is("ts", 21))
            pathSeen = call.Arg<char>(0);
        return S_OK;
    };
    EXPECT_TRUE(filter->SetBufferPath("D:\\Shift"));
    EXPECT_TRUE(filter->Control19());
    EXPECT_TRUE(filter->Control20());
    EXPECT_TRUE(filter->SetControl13(13));
    EXPECT_TRUE(filter->SetControl15(15));
    EXPECT_TRUE(filter->SetControl16(16));
    EXPECT_TRUE(filter->SetControl17(17));
    EXPECT_TRUE(filter->SetPosition(&position));
    EXPECT_FALSE(filter->SetPosition(NULL));
    EXPECT_FALSE(filter->SetBufferPath(("C:\\" + std::string(257, 'a')).c_str()));
    EXPECT_EQ((std::vector<std::string>{"ts.21(p)", "ts.19()", "ts.20()", "ts.13(13)", "ts.15(15)",
                                        "ts.16(16)", "ts.17(17)",
                                        "ts.14(" + std::to_string(0x3456789A) + ",18,1)"}),
              m_fake->CallTexts());
    EXPECT_EQ("D:\\Shift", pathSeen);

    m_fake->Fail("ts", 13);
    EXPECT_FALSE(filter->SetControl13(1));
}

TEST_F(IVITimeShiftTest, FilterWithoutTheControlIsNotAdded)
{
    Serve(CLSID_IVITimeShift);
    EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(&CLSID_IVITimeShift, "codec"));
}

TEST(IVITimeShiftSettingsRecord, DefaultsAndClear)
{
    IVITimeShiftSettings settings;
    EXPECT_EQ(nullptr, settings.folder);
    EXPECT_EQ(512, settings.sizeKiB);
    EXPECT_EQ(128, settings.value128);
    EXPECT_EQ(0x80000, settings.sizeBytes);
    EXPECT_EQ(0, settings.mode);
    settings.folder = SysAllocString(L"x");
    settings.mode = 4;
    settings.Clear();
    EXPECT_EQ(nullptr, settings.folder);
    EXPECT_EQ(0, settings.sizeKiB);
    EXPECT_EQ(0, settings.mode);
    EXPECT_EQ(128, settings.value128);
}

} // namespace
