// Which encoder settings go together, on the fixture capability table: the
// bit tests, the association list's answers, the combination list for a
// board's standard, and the stream headers built from a configuration.
#include "cards/families/EncoderCombinations.h"
#include "cards/families/EncoderHeaders.h"
#include "cards/families/ProfileParser.h"
#include "cards/families/WiseCaptureFilter.h"
#include "tests/cards/families/WiseProfiles.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using wisetest::MakeCaps;

namespace {

ProfileAssociation Entry(DWORD ownerKind, DWORD owner, DWORD targetKind, DWORD target, BYTE deny = 0)
{
    return {ownerKind, owner, targetKind, target, deny, {0, 0, 0}};
}

// (stream, resolution, frame rate) of each combination, in order.
std::vector<std::tuple<DWORD, DWORD, DWORD>> Triples(const EncoderCaps& caps)
{
    std::vector<std::tuple<DWORD, DWORD, DWORD>> out;
    for (DWORD i = 0; i < caps.combinationCount; i++)
        out.emplace_back(caps.combinations[i].stream, caps.combinations[i].resolution, caps.combinations[i].frameRate);
    return out;
}

} // namespace

TEST(EncoderCombinations, BitTests)
{
    struct
    {
        DWORD wanted, offered;
        BOOL compatible;
    } standards[] = {
        {0, 0, TRUE}, {0, kProfilePal, FALSE}, {0x10, 0, FALSE}, {0x10, kProfilePal, TRUE},
        {kProfilePal, 0x10, FALSE}, {kProfileNtsc, kProfilePal, FALSE}, {kProfilePal, kProfilePal | kProfileNtsc, TRUE},
    };
    for (const auto& s : standards)
        EXPECT_EQ(s.compatible, IsStandardCompatible(s.wanted, s.offered)) << s.wanted << " " << s.offered;
    EXPECT_TRUE(HasAllBits(0, 0x40));
    EXPECT_TRUE(HasAllBits(0x43, 0x41));
    EXPECT_FALSE(HasAllBits(0x01, 0x40));
}

TEST(EncoderCombinations, TheFirstFittingEntryDecides)
{
    std::unique_ptr<EncoderCaps> caps = MakeCaps();
    const ProfileAssociation entries[] = {
        Entry(1, 0, 4, 1), Entry(1, 0, 4, ProfileAssociation::kAny, 1),
        Entry(1, ProfileAssociation::kAny, 2, 2, 1), Entry(1, 3, 2, 2),
    };
    caps->associationCount = 4;
    memcpy(caps->associations, entries, sizeof(entries));
    struct
    {
        ProfileAssociation query;
        int answer;
    } cases[] = {
        {Entry(1, 0, 4, 1), 0},                // named: allowed
        {Entry(1, 0, 4, 0), kProfileDenied},   // the closing entry
        {Entry(1, 5, 4, 0), 0},                // no entry for stream 5
        {Entry(1, 3, 2, 2), kProfileDenied},   // the wildcard owner comes first
        {Entry(1, 3, 2, 1), 0},
        {Entry(4, 0, 1, 0), 0},                // kinds the other way round
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.answer, IsAssociationDenied(caps.get(), c.query));
    // A count past the table is not read past it.
    caps->associationCount = 0xFFFFFFFF;
    EXPECT_EQ(0, IsAssociationDenied(caps.get(), Entry(2, 0, 3, 0)));
}

TEST(EncoderCombinations, ListForABoardStandard)
{
    std::unique_ptr<EncoderCaps> caps = MakeCaps();
    caps->associationCount = 1;
    caps->associations[0] = Entry(kStreamKind, 1, kResolutionKind, 1, 1);  // MPEG-2 never at CIF
    typedef std::vector<std::tuple<DWORD, DWORD, DWORD>> Triples_;
    // The capability records offer their standards; the board's standard
    // is the one wanted, so a single PAL variant finds the PAL records.
    const Triples_ pal = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {2, 0, 0}, {2, 1, 0}};
    for (DWORD standard : {kProfilePal, (DWORD)0x10}) {
        EXPECT_EQ(0, BuildCombinations(caps.get(), 0, standard));
        EXPECT_EQ(pal, Triples(*caps));
    }
    EXPECT_EQ(0, BuildCombinations(caps.get(), 0, kProfileNtsc));
    EXPECT_EQ((Triples_{{0, 2, 1}, {1, 2, 1}, {2, 2, 1}}), Triples(*caps));
    // No record serves "none": the old list goes and none takes its place.
    EXPECT_EQ(kProfileUnmatched, BuildCombinations(caps.get(), 0, 0));
    EXPECT_EQ(0u, caps->combinationCount);
    // Driver counts past the tables are cut to them.
    caps->streamCount = 1000;
    EXPECT_EQ(0, BuildCombinations(caps.get(), 0, kProfilePal));
    EXPECT_EQ(30u, caps->streamCount);
    FreeCombinations(caps.get());
    EXPECT_EQ(nullptr, caps->combinations);
}

TEST(EncoderHeaders, BytesFromAConfiguration)
{
    EncoderConfig c = {};
    c.stream.compress_mode = 1;
    c.stream.sequence = 2;
    c.resolution.width = 720;
    c.resolution.height = 576;
    c.frameRate.frame_rate = 25025;
    c.bitrate.target_bitrate = 4000000;
    typedef std::vector<BYTE> Bytes;
    BYTE* bytes = NULL;

    ASSERT_EQ(24, BuildPrivateHeader(&c, &bytes));
    EXPECT_EQ((Bytes{0, 0, 1, 0xF1, 1, 1, 2, 0, 0, 0, 45, 0, 0, 0, 36, 0x00, 0x3D, 0x09, 0x00, 0xC1, 0x40, 1, 0, 0}),
              Bytes(bytes, bytes + 24));

    ASSERT_EQ(12, BuildMpeg1SequenceHeader(&c, &bytes));
    EXPECT_EQ((Bytes{0, 0, 1, 0xB3, 0x2D, 0x02, 0x40, 0x23, 0xFF, 0xFF, 0xF2, 0xA8}), Bytes(bytes, bytes + 12));

    ASSERT_EQ(22, BuildMpeg2SequenceHeader(&c, &bytes));
    EXPECT_EQ((Bytes{0, 0, 1, 0xB3, 0x2D, 0x02, 0x40, 0x23, 0x17, 0xED, 0x23, 0x80, 0, 0, 1, 0xB5, 0x14, 0x8A, 0,
                     1, 0, 0}),
              Bytes(bytes, bytes + 22));

    // DVD-compliant: its own aspect code, and no progressive mark; a rate
    // outside the list takes code 4.
    struct
    {
        BYTE dvd, aspect, deinterlace;
        DWORD rate;
        BYTE aspectRate, extension;
    } variants[] = {
        {1, 3, 0, 30000, 0x34, 0x82}, {0, 3, 2, 30000, 0x24, 0x82},
        {0, 1, 0, 12345, 0x24, 0x8A}, {0, 0, 0, 60060, 0x28, 0x8A},
    };
    for (const auto& v : variants) {
        c.stream.DVD_compliant = v.dvd;
        c.stream.aspect_ratio = v.aspect;
        c.stream.deinterlace_mode = v.deinterlace;
        c.frameRate.frame_rate = v.rate;
        ASSERT_EQ(22, BuildMpeg2SequenceHeader(&c, &bytes));
        EXPECT_EQ(v.aspectRate, bytes[7]);
        EXPECT_EQ(v.extension, bytes[17]);
    }

    const Bytes vol = {0, 0, 1, 0, 0, 0, 1, 0x20, 0, 0x84, 0x5D, 0x4C, 0x28, 0xB4, 0x22, 0x40, 0xA3, 0x1F};
    ASSERT_EQ(18, BuildMpeg4VolHeader(&c, &bytes));
    EXPECT_EQ(vol, Bytes(bytes, bytes + 18));
    // The card filter's copy: the same bytes from a buffer of its own.
    BYTE* own = NULL;
    ASSERT_EQ(18, CWiseCaptureFilter::BuildMpeg4VolHeader(&c, &own));
    EXPECT_NE(bytes, own);
    EXPECT_EQ(vol, Bytes(own, own + 18));
    c.resolution.width = 1920;
    c.resolution.height = 1088;
    ASSERT_EQ(18, BuildMpeg4VolHeader(&c, &bytes));
    EXPECT_EQ((Bytes{0x29, 0xE0, 0x24, 0x40}), Bytes(bytes + 12, bytes + 16));
}
