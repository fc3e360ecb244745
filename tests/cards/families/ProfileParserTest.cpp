// The WIS box's profile reader on text fixtures: a valid file read whole,
// each refusal with its code, junk numbers, over-long values and lines, the
// quoting and comment rules, line ends and encodings, records no capability
// matches, full tables, references that become association entries, a
// missing file, and damaged copies of valid files.
#include "cards/families/EncoderCombinations.h"
#include "cards/families/ProfileParser.h"
#include "tests/cards/families/WiseProfiles.h"
#include "tests/support/BadInput.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

using wisetest::MakeCaps;
using wisetest::kValidProfiles;

namespace {

struct Parsed
{
    int status = -1;
    int line = 0;
    std::unique_ptr<EncoderCaps> caps;
    std::unique_ptr<EncoderProfileSet> set;
};

// The set starts filled with 0xCD, so a parse that copies nothing out
// leaves it so.
Parsed Parse(const std::string& text, std::unique_ptr<EncoderCaps> caps = MakeCaps())
{
    Parsed out;
    out.caps = std::move(caps);
    out.set.reset(new EncoderProfileSet);
    memset(out.set.get(), 0xCD, sizeof(EncoderProfileSet));
    TempFolder dir;
    dir.Write(kVideoProfilesFile, text);
    ProfileParser* parser = ProfileOpen(dir.File(kVideoProfilesFile).c_str());
    EXPECT_NE(nullptr, parser);
    if (!parser)
        return out;
    out.status = ProfileParse(parser, out.caps.get(), out.set.get());
    EXPECT_EQ(out.status, ProfileGetStatus(parser, &out.line));
    ProfileClose(parser);
    return out;
}

const std::string kStream = "[streamsetting]\nname=S\ncompress_mode=0\nsequence=1\n";
const std::string kFrameRate = "[frameratesetting]\nname=F\ntv_standard=PAL\nframe_rate=25025\n";
const std::string kSize = "[resolutionsetting]\nname=R\ntv_standard=PAL\nwidth=720\nheight=576\n";
const std::string kBitrate = "[bitratesetting]\nname=B\ntarget_bitrate=2000000\nQ=0\n";

std::string Text(const char* field, size_t size)
{
    return std::string(field, strnlen(field, size));
}

} // namespace

TEST(ProfileParser, ReadsAValidFileAndMatchesItsRecords)
{
    Parsed p = Parse(kValidProfiles);
    ASSERT_EQ(kProfileOk, p.status);
    const EncoderProfileSet& set = *p.set;

    ASSERT_EQ(2u, set.streamCount);
    EXPECT_STREQ("VCD", set.streams[0].head.name);
    EXPECT_STREQ("Video CD, 25 fps", set.streams[0].head.desc);
    EXPECT_EQ(kProfileNameGiven | kProfileDescGiven | StreamSetting::kCompressMode | StreamSetting::kSequence,
              set.streams[0].head.flags);
    EXPECT_EQ(4u, set.streams[1].compress_mode);
    EXPECT_EQ(2, set.streams[1].mpeg4_mode);
    EXPECT_EQ(32, set.streams[1].search_range);
    EXPECT_EQ(0u, set.streamMap[0]);
    EXPECT_EQ(2u, set.streamMap[1]);  // the MPEG-4 capability

    ASSERT_EQ(2u, set.frameRateCount);
    EXPECT_EQ(kProfilePal, set.frameRates[0].tv_standard);
    EXPECT_EQ(kProfileNtsc, set.frameRates[1].tv_standard);
    EXPECT_EQ(1u, set.frameRateMap[1]);

    // Sizes take their bit-rate limits from the capability they match. An
    // h_sub_window not given is 1; tv_standard's flag holds v_sub_window's
    // bit, so v_sub_window counts as given (0) with it. A missing
    // sub_sample clears sub_sample alone: CIF's v_sub_window stays 1.
    ASSERT_EQ(2u, set.resolutionCount);
    const ResolutionSetting& d1 = set.resolutions[0];
    const ResolutionSetting& cif = set.resolutions[1];
    EXPECT_EQ(1000000u, d1.min_bitrate);
    EXPECT_EQ(8000000u, d1.max_bitrate);
    EXPECT_EQ(300000u, cif.min_bitrate);
    EXPECT_EQ(ResolutionSetting::kMaxBitrate | ResolutionSetting::kMinBitrate,
              d1.head.flags & (ResolutionSetting::kMaxBitrate | ResolutionSetting::kMinBitrate));
    EXPECT_EQ(1, d1.h_sub_window);
    EXPECT_EQ(0, d1.v_sub_window);
    EXPECT_EQ(0, d1.sub_sample);
    EXPECT_EQ(1, cif.v_sub_window);
    EXPECT_EQ(0, cif.sub_sample);
    EXPECT_EQ(1u, set.resolutionMap[1]);

    // Bit rates are not matched; the rate-control keys build one word.
    ASSERT_EQ(2u, set.bitrateCount);
    EXPECT_EQ(2u | (31u << 8) | (1u << 15) | (20u << 16), set.bitrates[0].rate_control);
    EXPECT_EQ(0u, set.bitrates[0].head.flags & BitrateSetting::kAllQuantisers);
    EXPECT_EQ(BitrateSetting::kAllQuantisers, set.bitrates[1].head.flags & BitrateSetting::kAllQuantisers);
    EXPECT_EQ(4, set.bitrates[1].PQ);

    // "VCD" names the 25 fps record: it is allowed with capability 0 and
    // with nothing else of that kind.
    ASSERT_EQ(2u, p.caps->associationCount);
    const ProfileAssociation& allow = p.caps->associations[0];
    const ProfileAssociation& close = p.caps->associations[1];
    EXPECT_EQ((std::vector<DWORD>{1, 0, 4, 0, 0}),
              (std::vector<DWORD>{allow.ownerKind, allow.ownerIndex, allow.targetKind, allow.targetIndex, allow.deny}));
    EXPECT_EQ((std::vector<DWORD>{1, 0, 4, ProfileAssociation::kAny, 1}),
              (std::vector<DWORD>{close.ownerKind, close.ownerIndex, close.targetKind, close.targetIndex, close.deny}));

    // Unused slots stay blank.
    const EncoderProfileSet blank = {};
    EXPECT_EQ(0, memcmp(&set.streams[2], &blank.streams[2], sizeof(StreamSetting)));
}

TEST(ProfileParser, EachRefusalHasItsCode)
{
    const std::string longLine(1000, 'a');
    struct Case
    {
        const char* name;
        std::string text;
        int status;
    } cases[] = {
        {"key before any section", "name=S\n" + kStream, kProfileOutsideSection},
        {"unknown section first", "\n[other]\n" + kStream, kProfileOutsideSection},
        {"key with a capital", "[streamsetting]\nName=S\n", kProfileUnknownStreamKey},
        {"unknown bit-rate key", kBitrate + "speed=1\n", kProfileUnknownBitrateKey},
        {"reference a size may not make", kSize + "fpscfg=F\n", kProfileUnknownResolutionKey},
        {"reference a frame rate may not make", kFrameRate + "fpscfg=F\n", kProfileUnknownFrameRateKey},
        {"no name", "[streamsetting]\ncompress_mode=0\nsequence=1\n", kProfileNameMissing},
        {"empty name", kStream + "name=\n", kProfileNameMissing},
        {"same name twice", kStream + kStream, kProfileDuplicateName},
        {"unknown standard", kFrameRate + "tv_standard=SECAM\n", kProfileBadStandard},
        {"standard in lower case", kFrameRate + "tv_standard=pal\n", kProfileBadStandard},
        {"no compress mode", "[streamsetting]\nname=S\nsequence=1\n", kProfileNoCompressMode},
        {"compress mode 2", kStream + "compress_mode=2\n", kProfileBadCompressMode},
        {"sequence 0", kStream + "sequence=0\n", kProfileBadSequence},
        {"MPEG-4 without its mode", kStream + "compress_mode=4\n", kProfileBadMpeg4Mode},
        {"MPEG-4 mode 4", kStream + "compress_mode=4\nmpeg4_mode=4\n", kProfileBadMpeg4Mode},
        {"deinterlace mode 3", kStream + "deinterlace_mode=3\n", kProfileBadDeinterlaceMode},
        {"deinterlace mode 2 outside MPEG-2", kStream + "deinterlace_mode=2\n", kProfileBadDeinterlaceMode},
        {"search range 20", kStream + "search_range=20\n", kProfileBadSearchRange},
        {"aspect ratio 4", kStream + "aspect_ratio=4\n", kProfileBadAspectRatio},
        {"no frame rate", "[frameratesetting]\nname=F\ntv_standard=PAL\n", kProfileBadFrameRate},
        {"frame rate 0", kFrameRate + "frame_rate=0\n", kProfileBadFrameRate},
        {"no Q", "[bitratesetting]\nname=B\ntarget_bitrate=1\n", kProfileNoTargetBitrate},
        {"target above peak", kBitrate + "peak_bitrate=1000000\n", kProfileTargetAbovePeak},
        {"converge speed 101", kBitrate + "converge_speed=101\n", kProfileBadConvergeSpeed},
        {"lambda 101", kBitrate + "lambda=101\n", kProfileBadLambda},
        {"one quantiser of three", kBitrate + "IQ=3\n", kProfileBadQuantisers},
        {"quantiser 0", kBitrate + "IQ=0\nPQ=3\nBQ=3\n", kProfileBadQuantisers},
        {"quantiser 33", kBitrate + "IQ=3\nPQ=3\nBQ=33\n", kProfileBadQuantisers},
        {"no height", "[resolutionsetting]\nname=R\ntv_standard=PAL\nwidth=720\n", kProfileNoSize},
        {"two offsets of four", kSize + "h_sub_offset=8\nv_scale_enb=1\n", kProfileSomeOffsets},
        {"line without =", kStream + "garbage\n", kProfileBadLine},
        {"unknown section inside", kStream + "[nosuchsetting]\n", kProfileBadLine},
        // Numbers are whole decimal numbers that fit their field.
        {"letters", kSize + "width=abc\n", kProfileBadLine},
        {"letters after digits", kSize + "width=720px\n", kProfileBadLine},
        {"hexadecimal", kSize + "height=0x240\n", kProfileBadLine},
        {"past 32 bits", kSize + "width=4294967296\n", kProfileBadLine},
        {"byte field past 255", kStream + "gop_mode=256\n", kProfileBadLine},
        {"negative byte field", kStream + "aspect_ratio=-1\n", kProfileBadLine},
        {"empty number", kStream + "gop_size=\n", kProfileBadLine},
        {"line past 999 characters", kStream + "desc=" + longLine + "\n", kProfileBadLine},
        {"NUL byte in a line", kStream + std::string("desc=a\0b\n", 9), kProfileBadLine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Parsed p = Parse(c.text);
        EXPECT_EQ(c.status, p.status);
    }
}

TEST(ProfileParser, ALineOutsideEverySectionCopiesNothingOut)
{
    Parsed p = Parse("\n// comment only\nname=S\n" + kStream);
    EXPECT_EQ(kProfileOutsideSection, p.status);
    EXPECT_EQ(3, p.line);
    EXPECT_EQ(0xCDCDCDCDu, p.set->streamCount);
}

TEST(ProfileParser, QuotesCommentsAndBlanks)
{
    struct Case
    {
        const char* line;
        const char* desc;
    } cases[] = {
        {"desc=\"two  blanks\"", "two  blanks"},
        {"desc=two  blanks", "twoblanks"},
        {"desc=\t spaced \t", "spaced"},
        {"desc=\"a // b\"", "a // b"},
        {"desc=a // b", "a"},
        {"desc=a/b/c", "a/b/c"},
        {"desc=\"x\"//\"y\"", "x"},
        {"desc=a=b", "a=b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Parsed p = Parse("[STREAMSETTING]\nname=S\ncompress_mode=0\nsequence=1\n" + std::string(c.line) + "\r\n");
        ASSERT_EQ(kProfileOk, p.status);
        EXPECT_STREQ(c.desc, p.set->streams[0].head.desc);
    }
}

// The file is read in binary: every kind of line end, a UTF-8 mark, and
// 0x1A as an ordinary byte (a text-mode read would end the file there).
TEST(ProfileParser, LineEndsAndEncodings)
{
    // Each file holds the stream record, then the frame-rate record.
    struct Case
    {
        const char* name;
        std::string text;
        std::string desc;
    } cases[] = {
        {"LF", kStream + "desc=d\n" + kFrameRate, "d"},
        {"CR LF", "[streamsetting]\r\nname=S\r\ncompress_mode=0\r\nsequence=1\r\ndesc=d\r\n" + kFrameRate, "d"},
        {"CR only", "[streamsetting]\rname=S\rcompress_mode=0\rsequence=1\rdesc=d\r[frameratesetting]\rname=F\r"
                    "tv_standard=PAL\rframe_rate=25025", "d"},
        {"UTF-8 mark", "\xEF\xBB\xBF" + kStream + "desc=d\n" + kFrameRate, "d"},
        {"0x1A inside a value", kStream + "desc=a\x1A" "b\n" + kFrameRate, "a\x1A" "b"},
        // The longest line the format allows; the value is cut to its field.
        {"line of 999 characters", kStream + "desc=" + std::string(994, 'x') + "\n" + kFrameRate,
         std::string(255, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Parsed p = Parse(c.text);
        ASSERT_EQ(kProfileOk, p.status);
        EXPECT_EQ(1u, p.set->streamCount);
        EXPECT_STREQ("S", p.set->streams[0].head.name);
        EXPECT_EQ(c.desc, p.set->streams[0].head.desc);
        EXPECT_EQ(1u, p.set->frameRateCount);
    }

    // UTF-16 is not read at all.
    TempFolder dir;
    std::string wide("\xFF\xFE", 2);
    for (char ch : kStream)
        wide += std::string(1, ch) + '\0';
    dir.Write(kVideoProfilesFile, wide);
    EXPECT_EQ(nullptr, ProfileOpen(dir.File(kVideoProfilesFile).c_str()));
}

TEST(ProfileParser, OverlongValuesAreCutToTheirFields)
{
    const std::string name(100, 'n'), desc(300, 'd');
    Parsed p = Parse("[streamsetting]\nname=" + name + "\ndesc=" + desc + "\ncompress_mode=0\nsequence=2\n");
    ASSERT_EQ(kProfileOk, p.status);
    const StreamSetting& s = p.set->streams[0];
    EXPECT_EQ(name.substr(0, 63), Text(s.head.name, sizeof(s.head.name)));
    EXPECT_EQ(desc.substr(0, 255), Text(s.head.desc, sizeof(s.head.desc)));
    EXPECT_EQ(kProfileNameGiven | kProfileDescGiven | StreamSetting::kCompressMode | StreamSetting::kSequence,
              s.head.flags);
    EXPECT_EQ(2u, s.sequence);

    // Names that differ only past the field are the same name.
    Parsed twice = Parse("[bitratesetting]\nname=" + name + "1\ntarget_bitrate=1\nQ=0\n" +
                         "[bitratesetting]\nname=" + name + "2\ntarget_bitrate=1\nQ=0\n");
    EXPECT_EQ(kProfileDuplicateName, twice.status);
}

// A record no capability matches is skipped wherever it stands: the load
// goes on and succeeds with the records that match.
TEST(ProfileParser, UnmatchedRecordsAreSkipped)
{
    const std::string unmatched = "[streamsetting]\nname=X\ncompress_mode=8\nsequence=1\nfpscfg=PAL25\n";
    const std::string unmatchedSize = "[resolutionsetting]\nname=Y\ntv_standard=NTSC\nwidth=640\nheight=480\n";
    for (const std::string& text : {unmatched + kValidProfiles, std::string(kValidProfiles) + unmatched,
                                    std::string(kValidProfiles) + unmatchedSize}) {
        Parsed p = Parse(text);
        EXPECT_EQ(kProfileUnmatched, p.status);
        EXPECT_EQ(2u, p.set->streamCount);
        EXPECT_STREQ("VCD", p.set->streams[0].head.name);
        EXPECT_EQ(2u, p.set->resolutionCount);
        // The skipped record's reference went with it.
        EXPECT_EQ(2u, p.caps->associationCount);
        wisetest::WindowsProfileFile file(text.c_str());
        std::unique_ptr<EncoderCaps> caps = MakeCaps();
        std::unique_ptr<EncoderProfileSet> set(new EncoderProfileSet);
        EXPECT_TRUE(LoadVideoProfiles(caps.get(), set.get()));
    }
}

TEST(ProfileParser, TablesHoldThirtyRecords)
{
    std::string text;
    for (int i = 0; i < 31; i++)
        text += "[bitratesetting]\nname=B" + std::to_string(i) + "\ntarget_bitrate=1\nQ=0\n";
    Parsed p = Parse(text);
    EXPECT_EQ(kProfileTableFull, p.status);
    EXPECT_EQ(30u, p.set->bitrateCount);
}

TEST(ProfileParser, ReferencesBecomeEntriesByCapabilityIndex)
{
    // "MP4" names both sizes, one of them twice, and a size no record has;
    // "PAL25" names the bit rate "6M" (slot 1).
    std::string text = kValidProfiles;
    text += "[streamsetting]\nname=MP4b\ncompress_mode=4\nmpeg4_mode=2\nsequence=2\n"
            "rescfg=CIF\nrescfg=NOSUCH\nrescfg=D1\n"
            "[frameratesetting]\nname=PAL25b\ntv_standard=PAL\nframe_rate=25025\nctlcfg=6M\n";
    Parsed p = Parse(text);
    ASSERT_EQ(kProfileOk, p.status);
    struct Entry
    {
        DWORD ownerKind, owner, targetKind, target, deny;
        bool operator==(const Entry& o) const
        {
            return ownerKind == o.ownerKind && owner == o.owner && targetKind == o.targetKind && target == o.target &&
                   deny == o.deny;
        }
    };
    std::vector<Entry> entries;
    for (DWORD i = 0; i < p.caps->associationCount; i++) {
        const ProfileAssociation& a = p.caps->associations[i];
        entries.push_back({a.ownerKind, a.ownerIndex, a.targetKind, a.targetIndex, a.deny});
    }
    const DWORD any = ProfileAssociation::kAny;
    EXPECT_EQ((std::vector<Entry>{{1, 0, 4, 0, 0}, {1, 0, 4, any, 1},
                                  {1, 2, 2, 1, 0}, {1, 2, 2, 0, 0}, {1, 2, 2, any, 1},
                                  {4, 0, 3, 1, 0}, {4, 0, 3, any, 1}}),
              entries);

    // The association list is the driver's first and ours after; when ours
    // do not fit, the file is refused.
    for (DWORD driverEntries : {299u, 300u}) {
        std::unique_ptr<EncoderCaps> caps = MakeCaps();
        caps->associationCount = driverEntries;
        EXPECT_EQ(kProfileAssociationsFull, Parse(kValidProfiles, std::move(caps)).status);
    }
}

TEST(ProfileParser, MissingFileOrParser)
{
    TempFolder dir;
    EXPECT_EQ(nullptr, ProfileOpen(dir.File("none.txt").c_str()));
    EXPECT_EQ(nullptr, ProfileOpen(NULL));
    std::unique_ptr<EncoderCaps> caps = MakeCaps();
    std::unique_ptr<EncoderProfileSet> set(new EncoderProfileSet);
    EXPECT_EQ(kProfileNotOpen, ProfileParse(NULL, caps.get(), set.get()));
    {
        wisetest::WindowsProfileFile absent(NULL);
        EXPECT_FALSE(LoadVideoProfiles(caps.get(), set.get()));
    }
    {
        wisetest::WindowsProfileFile present(kValidProfiles);
        EXPECT_TRUE(LoadVideoProfiles(caps.get(), set.get()));
        EXPECT_EQ(2u, set->streamCount);
    }
    {
        wisetest::WindowsProfileFile refused((kValidProfiles + std::string("[bitratesetting]\nname=Z\n")).c_str());
        EXPECT_FALSE(LoadVideoProfiles(caps.get(), set.get()));
    }
}

// --- damaged files -----------------------------------------------------------------

namespace {

bool Terminated(const char* field, size_t size)
{
    return memchr(field, '\0', size) != NULL;
}

// What the reader promises for any file: a known status, tables within
// their sizes, terminated texts, index maps and association entries that
// point into the capability table, and combinations built from them.
void CheckProfileInput(const std::string& bytes, const TempFolder& dir)
{
    static const std::set<int> kStatuses = {0, 2, 5, 24, 26, 27, 28, 29, 37, 38, 39, 41, 42, 43, 44,
                                            45, 47, 48, 49, 50, 51, 53, 54, 55, 56, 57, 59, 62};
    ASSERT_TRUE(dir.Write(kVideoProfilesFile, bytes));
    std::unique_ptr<EncoderCaps> caps = MakeCaps();
    std::unique_ptr<EncoderProfileSet> set(new EncoderProfileSet());
    ProfileParser* parser = ProfileOpen(dir.File(kVideoProfilesFile).c_str());
    if (!parser) {
        // Only a file that is not text is refused whole.
        ASSERT_TRUE(bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0)
            << "a text file was not opened";
        return;
    }
    const int status = ProfileParse(parser, caps.get(), set.get());
    ProfileClose(parser);
    ASSERT_EQ(1u, kStatuses.count(status)) << status;
    if (status == kProfileOutsideSection)
        return;
    ASSERT_LE(set->streamCount, 30u);
    ASSERT_LE(set->frameRateCount, 30u);
    ASSERT_LE(set->resolutionCount, 30u);
    ASSERT_LE(set->bitrateCount, 30u);
    for (DWORD i = 0; i < set->streamCount; i++) {
        ASSERT_TRUE(Terminated(set->streams[i].head.name, 64) && Terminated(set->streams[i].head.desc, 256));
        ASSERT_LT(set->streamMap[i], caps->streamCount);
    }
    for (DWORD i = 0; i < set->frameRateCount; i++) {
        ASSERT_NE(0u, set->frameRates[i].frame_rate);
        ASSERT_LT(set->frameRateMap[i], caps->frameRateCount);
    }
    for (DWORD i = 0; i < set->resolutionCount; i++)
        ASSERT_LT(set->resolutionMap[i], caps->resolutionCount);
    for (DWORD i = 0; i < set->bitrateCount; i++)
        ASSERT_TRUE(Terminated(set->bitrates[i].head.name, 64) && Terminated(set->bitrates[i].head.desc, 256));
    ASSERT_LE(caps->associationCount, 300u);
    ASSERT_NE(kProfileOutOfMemory, BuildCombinations(caps.get(), 0, kProfilePal));
    for (DWORD i = 0; i < caps->combinationCount; i++) {
        ASSERT_LT(caps->combinations[i].stream, caps->streamCount);
        ASSERT_LT(caps->combinations[i].frameRate, caps->frameRateCount);
        ASSERT_LT(caps->combinations[i].resolution, caps->resolutionCount);
    }
    FreeCombinations(caps.get());
}

} // namespace

// Damaged copies of the valid file, of the file twice over (names repeat,
// tables fill) and of records that refer to one another across sections.
TEST(BadInput, ProfileFile)
{
    TempFolder dir(badinput::ScratchBase());
    const std::string twice = std::string(kValidProfiles) + kValidProfiles;
    const std::string references =
        kStream + "rescfg=R\nfpscfg=F\nctlcfg=B\n" + kFrameRate + "rescfg=R\n" + kSize + "ctlcfg=B\n" + kBitrate;
    badinput::Run("video_profiles.txt", {kValidProfiles, twice, references},
                  [&](const std::string& bytes) { CheckProfileInput(bytes, dir); });
}
