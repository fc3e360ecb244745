// How each kind of record of the WIS box's profile file is read, checked
// and matched against the capability table: one row per section kind, the
// keys of each as data. The profile reader's own tables; no state.
#pragma once
#include "cards/families/EncoderProfiles.h"

// How a key's value lands in its record.
enum ProfileValueKind {
    kNumberValue,       // a decimal number into a field of `width` bytes
    kStandardValue,     // "NTSC", "PAL" or "None"
    kReferenceValue,    // the name of a record of kind `target`
    kRateControlValue,  // bits of the bit-rate record's rate-control word
};

struct ProfileKeyRow
{
    const char* key;
    ProfileValueKind kind;
    size_t offset;  // of the field in the record
    int width;      // 1 or 4 bytes
    DWORD flag;
    // kReferenceValue: the target kind. kRateControlValue: the bits'
    // shift, whether the value counts only as "1 or more", and its mask.
    int target;
    int shift;
    bool boolean;
    DWORD mask;
};

typedef int (*ProfileCheckFn)(BYTE* record);
// Index of the first capability record that `record` matches, or -1; may
// take values from it.
typedef int (*ProfileMatchFn)(BYTE* record, const EncoderCaps* caps);

// One kind of section: its header, its record table in the profile set,
// its keys, its checks and its matching. One reader serves all four.
struct ProfileSection
{
    const char* header;  // lower case
    int kind;
    size_t recordSize;
    size_t countOffset;  // of the table's count in EncoderProfileSet
    size_t slotsOffset;
    size_t mapOffset;    // of its index map; 0 for a table that matches nothing
    const ProfileKeyRow* keys;
    size_t keyCount;
    int unknownKey;
    ProfileCheckFn check;
    ProfileMatchFn match;
};

// The four kinds in the order of the reader's header codes: stream, frame
// rate, resolution, bit rate.
const int kProfileSectionCount = 4;
extern const ProfileSection kProfileSections[kProfileSectionCount];
const ProfileSection* ProfileSectionOfKind(int kind);
