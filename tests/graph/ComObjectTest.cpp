#include "graph/ComObject.h"

#include <gtest/gtest.h>
#include <strmif.h>

#include <thread>
#include <vector>

namespace {

// Two interfaces, a third reached only through the fallback, and a flag
// that tells when the object was deleted.
class TwoFaces : public ComObject<IPersist, IAMFilterMiscFlags>
{
public:
    explicit TwoFaces(int* deleted) : m_deleted(deleted) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        using Row = ComInterface<TwoFaces>;
        static constexpr Row kRows[] = {
            Row::Via<IPersist>(IID_IUnknown),
            Row::Via<IPersist>(IID_IPersist),
            Row::Via<IAMFilterMiscFlags>(IID_IAMFilterMiscFlags),
        };
        return QueryInterfaceTable(this, kRows, iid, out, [&]() -> HRESULT {
            ++fallbacks;
            if (iid != IID_IMediaFilter)
                return E_NOINTERFACE;
            *out = static_cast<IPersist*>(this);
            AddRef();
            return S_OK;
        });
    }
    STDMETHODIMP GetClassID(CLSID* clsid) override
    {
        *clsid = CLSID_NULL;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) GetMiscFlags() override { return 0; }

    int fallbacks = 0;

private:
    ~TwoFaces() override { ++*m_deleted; }
    int* m_deleted;
};

struct QueryCase
{
    const IID* iid;
    HRESULT result;
    int face;   // 0: none, 1: IPersist, 2: IAMFilterMiscFlags
    int fallbacks;
};

const QueryCase kQueryCases[] = {
    { &IID_IUnknown, S_OK, 1, 0 },
    { &IID_IPersist, S_OK, 1, 0 },
    { &IID_IAMFilterMiscFlags, S_OK, 2, 0 },
    { &IID_IMediaFilter, S_OK, 1, 1 },   // from the fallback
    { &IID_IBaseFilter, E_NOINTERFACE, 0, 1 },
};

TEST(ComObject, QueryInterfaceReadsTheTableThenTheFallback)
{
    int deleted = 0;
    TwoFaces* object = new TwoFaces(&deleted);
    for (const QueryCase& c : kQueryCases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - kQueryCases));
        object->fallbacks = 0;
        void* got = reinterpret_cast<void*>(1);
        EXPECT_EQ(c.result, object->QueryInterface(*c.iid, &got));
        EXPECT_EQ(c.fallbacks, object->fallbacks);
        void* expected = c.face == 1 ? static_cast<void*>(static_cast<IPersist*>(object))
                       : c.face == 2 ? static_cast<void*>(static_cast<IAMFilterMiscFlags*>(object))
                                     : nullptr;
        EXPECT_EQ(expected, got);
        if (got) {
            EXPECT_EQ(1u, static_cast<IUnknown*>(got)->Release());
        }
    }
    EXPECT_EQ(E_POINTER, object->QueryInterface(IID_IUnknown, nullptr));
    EXPECT_EQ(0, deleted);
    EXPECT_EQ(0u, object->Release());
    EXPECT_EQ(1, deleted);
}

TEST(ComObject, CountsAreInterlockedAndTheLastReleaseDeletesOnce)
{
    int deleted = 0;
    TwoFaces* object = new TwoFaces(&deleted);
    EXPECT_EQ(2u, object->AddRef());
    EXPECT_EQ(1u, object->Release());

    const int kThreads = 4, kRounds = 20000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([object] {
            for (int i = 0; i < kRounds; ++i) {
                object->AddRef();
                object->Release();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(0, deleted);
    EXPECT_EQ(2u, object->AddRef());
    EXPECT_EQ(1u, object->Release());
    EXPECT_EQ(0u, object->Release());
    EXPECT_EQ(1, deleted);
}

} // namespace
