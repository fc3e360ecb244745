#include "platform/Replaceable.h"

#include <gtest/gtest.h>

namespace {

class IAnswer
{
public:
    virtual int Answer() = 0;
protected:
    ~IAnswer() = default;
};

class Fixed : public IAnswer
{
public:
    explicit Fixed(int value) : m_value(value) {}
    int Answer() override { return m_value; }
private:
    int m_value;
};

Fixed g_system(0);
Replaceable<IAnswer> g_seam(&g_system);

TEST(Replaceable, ScopesNestAndTheSystemComesBack)
{
    Fixed outer(1), inner(2);
    EXPECT_EQ(0, g_seam.Get().Answer());
    {
        ScopedReplacement<IAnswer> first(g_seam, &outer);
        EXPECT_EQ(1, g_seam.Get().Answer());
        {
            ScopedReplacement<IAnswer> second(g_seam, &inner);
            EXPECT_EQ(2, g_seam.Get().Answer());
        }
        EXPECT_EQ(1, g_seam.Get().Answer());
        {
            // A scope that asks for nothing in particular gets the system's.
            ScopedReplacement<IAnswer> none(g_seam, nullptr);
            EXPECT_EQ(&g_system, &g_seam.Get());
        }
        EXPECT_EQ(&outer, &g_seam.Get());
    }
    EXPECT_EQ(&g_system, &g_seam.Get());
    EXPECT_EQ(&g_system, &g_seam.System());
}

TEST(Replaceable, ReplaceAnswersThePreviousNeverNull)
{
    Fixed fake(7);
    EXPECT_EQ(&g_system, g_seam.Replace(&fake));
    EXPECT_EQ(&fake, g_seam.Replace(nullptr));
    EXPECT_EQ(&g_system, g_seam.Replace(nullptr));
    EXPECT_EQ(&g_system, &g_seam.Get());
}

} // namespace
