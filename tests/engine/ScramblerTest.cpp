// The scrambled logon values must read back in every later version, so the
// CRC, the salt and the byte layout are pinned; damage must be detected.
#include "engine/Scrambler.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Text -> hexadecimal text, as the settings store writes it.
std::string Store(const std::string& text)
{
    BYTE scrambled[300];
    UINT n = 0;
    EXPECT_TRUE(ScrambleString((const BYTE*)text.data(), (UINT)text.size(), scrambled, sizeof scrambled, &n));
    char hex[700];
    UINT len = 0;
    EXPECT_TRUE(HexEncode(scrambled, n, hex, sizeof hex, &len));
    return std::string(hex, len);
}

// Hexadecimal text -> text; false when either step refuses it.
bool Load(const std::string& hex, std::string& text)
{
    BYTE bytes[400];
    UINT n = 0;
    if (!HexDecode(hex.data(), (UINT)hex.size(), bytes, sizeof bytes, &n))
        return false;
    BYTE plain[400];
    UINT m = 0;
    if (!UnscrambleString(bytes, n, plain, sizeof plain, &m))
        return false;
    text.assign((const char*)plain, m);
    return true;
}

} // namespace

TEST(Scrambler, PinnedVectors)
{
    EXPECT_EQ(0x9738, Crc16((const BYTE*)"abc", 3));
    EXPECT_EQ(0xBB3D, Crc16((const BYTE*)"123456789", 9)); // the CRC-16/ARC check value
    EXPECT_EQ(0, Crc16((const BYTE*)"abc", 0));

    srand(919);
    const BYTE expectedSalt = (BYTE)(rand() & 0xFF);
    EXPECT_EQ(expectedSalt, ScrambleSalt());
    EXPECT_EQ(0xDF, ScrambleSalt());

    // The empty text: the salt three times (the CRC of nothing is 0).
    EXPECT_EQ("DFDFDF", Store(""));
    // "abc" = 61 62 63 + DF; CRC 0x9738: 97 + DF = 76, 38 + DF = 17.
    EXPECT_EQ("DF404142" "7617", Store("abc"));
}

TEST(Scrambler, RoundTrips)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += (char)i;
    for (const std::string& text : {std::string(""), std::string("Administrator"), std::string("p@ss w\xF6rd"), all}) {
        std::string back;
        ASSERT_TRUE(Load(Store(text), back)) << text.size();
        EXPECT_EQ(text, back);
    }
}

TEST(Scrambler, DamagedValuesAreRefused)
{
    const std::string good = Store("secret");
    std::string back;
    for (size_t i = 0; i < good.size(); ++i) {
        std::string bad = good;
        bad[i] = bad[i] == '0' ? '1' : '0';
        std::string out;
        EXPECT_FALSE(Load(bad, out)) << "digit " << i;
    }
    struct { const char* name; std::string hex; } cases[] = {
        {"odd length", good.substr(0, good.size() - 1)},
        {"not a digit", good.substr(0, 4) + "G" + good.substr(5)},
        {"too short", "DFDF"},
        {"empty", ""},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(Load(c.hex, back)) << c.name;

    std::string lower = good;
    for (char& ch : lower)
        ch = (char)tolower(ch);
    ASSERT_TRUE(Load(lower, back));
    EXPECT_EQ("secret", back);
}

TEST(Scrambler, BuffersAreBounded)
{
    BYTE out[5];
    UINT n = 99;
    EXPECT_FALSE(ScrambleString((const BYTE*)"abc", 3, out, 5, &n)); // needs 6
    EXPECT_EQ(0u, n);
    char hex[6];
    UINT len = 99;
    EXPECT_FALSE(HexEncode((const BYTE*)"abc", 3, hex, 6, &len)); // needs 7
    BYTE decoded[2];
    EXPECT_FALSE(HexDecode("414243", 6, decoded, 2, &n));
    EXPECT_EQ(2u, n); // the pairs before the refusal stay counted
    EXPECT_FALSE(HexDecode("41Z2", 4, decoded, 2, &n));
    EXPECT_EQ(1u, n);
    EXPECT_EQ(0x41, decoded[0]);
    char digit;
    EXPECT_FALSE(NibbleToHexDigit(16, &digit));
}
