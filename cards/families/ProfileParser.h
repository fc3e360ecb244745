// The reader of the WIS encoder box's profile file, "video_profiles.txt" in
// the Windows folder: four kinds of section ([streamsetting],
// [frameratesetting], [resolutionsetting], [bitratesetting]) of key=value
// lines, each record checked, matched against the driver's capability
// table and kept in an EncoderProfileSet. One static parser context: not
// re-entrant. The WIS card filter calls it from its Init only, under the
// "Mutex_Remote_Control" mutex.
#pragma once
#include "cards/families/EncoderProfiles.h"

// Results of the reader; the file itself carries no messages.
enum ProfileStatus {
    kProfileOk = 0,
    kProfileNotOpen = 1,
    kProfileOutsideSection = 2,    // a key or bad line before any section
    kProfileAssociationsFull = 5,
    kProfileUnmatched = 24,        // a record no capability matches: skipped
    kProfileUnknownStreamKey = 26,
    kProfileUnknownBitrateKey = 27,
    kProfileUnknownResolutionKey = 28,
    kProfileUnknownFrameRateKey = 29,
    kProfileTableFull = 37,
    kProfileNameMissing = 38,
    kProfileDuplicateName = 39,
    kProfileBadStandard = 41,
    kProfileNoCompressMode = 42,
    kProfileBadCompressMode = 43,
    kProfileBadSequence = 44,
    kProfileBadMpeg4Mode = 45,
    kProfileBadDeinterlaceMode = 47,
    kProfileBadSearchRange = 48,
    kProfileBadAspectRatio = 49,
    kProfileBadFrameRate = 50,
    kProfileNoTargetBitrate = 51,
    kProfileTargetAbovePeak = 53,
    kProfileBadConvergeSpeed = 54,
    kProfileBadLambda = 55,
    kProfileBadQuantisers = 56,
    kProfileNoSize = 57,
    kProfileSomeOffsets = 59,
    kProfileOutOfMemory = 60,
    kProfileDenied = 61,
    kProfileBadLine = 62,          // a line that is no key=value, or a bad value
};

struct ProfileParser;

// The profile file's name, and the longest line it may hold.
extern const char kVideoProfilesFile[];
const int kProfileLineLength = 999;

// Reads "video_profiles.txt" from the Windows folder into `out`, matching
// against (and adding associations to) `caps`. FALSE when the file is
// missing or a record is refused; records that match no capability are
// skipped and do not fail the load.
BOOL LoadVideoProfiles(EncoderCaps* caps, EncoderProfileSet* out);

// The parser over `path`, reset, with the whole file read; NULL when the
// file is missing, cannot be read, or is not text (UTF-16, far too large).
ProfileParser* ProfileOpen(const char* path);
void ProfileClose(ProfileParser* parser);
// The last status; the line it came from through `line` when given.
int ProfileGetStatus(ProfileParser* parser, int* line);
// Reads the whole file. The result is the first refusal's code, else 24
// when some record was skipped, else 0; the set is copied to `out` unless
// the file had a line outside every section.
int ProfileParse(ProfileParser* parser, EncoderCaps* caps, EncoderProfileSet* out);
