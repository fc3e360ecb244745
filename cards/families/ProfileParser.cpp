#include "cards/families/ProfileParser.h"

#include "cards/families/EncoderCombinations.h"
#include "cards/families/ProfileRecords.h"
#include "store/TextFileReader.h"

#include <ctype.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <new>

const char kVideoProfilesFile[] = "video_profiles.txt";

namespace {

// What one line of the file is.
enum LineCode {
    kEmptyLine = 0,
    kStreamHeader = 1,
    kFrameRateHeader = 2,
    kResolutionHeader = 3,
    kBitrateHeader = 4,
    kKeyLine = 5,
    kBadLine = 6,
    kEndOfFile = 7,
    kNoLine = -1,  // none read ahead
};
static_assert(kBitrateHeader - kStreamHeader + 1 == kProfileSectionCount, "a header code per section kind");

} // namespace

// --- the parser context ----------------------------------------------------------

// A name a record gave for a record of another kind, kept until the whole
// file is read: the names then resolve to the records' capability indices.
struct PendingReference
{
    int ownerKind;
    DWORD ownerSlot;
    int targetKind;
    char target[ProfileRecordHeader::kNameSize];
};

struct ProfileParser
{
    CTextFileReader* file;  // the whole file, read at open; owned
    int status;
    bool skipped;  // a record matched no capability
    int line;
    char text[kProfileLineLength + 1];
    const char* key;
    const char* value;
    BOOL opened;
    EncoderCaps* caps;
    EncoderProfileSet set;
    PendingReference references[kAssociationCount];
    int referenceCount;
};

namespace {

ProfileParser g_parser;

// --- reading a line ------------------------------------------------------------

// Ends the line at two slashes outside double quotes.
void CutComment(char* line)
{
    bool quoted = false;
    int slashes = 0;
    for (char* p = line; *p; ++p) {
        if (*p == '"') {
            quoted = !quoted;
            slashes = 0;
        } else if (*p == '/') {
            if (!quoted && ++slashes == 2) {
                p[-1] = '\0';
                return;
            }
        } else {
            slashes = 0;
        }
    }
}

// Drops line ends everywhere, blanks and tabs outside quotes, and the
// quotes themselves.
void Strip(char* line)
{
    bool quoted = false;
    char* out = line;
    for (const char* p = line; *p; ++p) {
        const char c = *p;
        if (c == '\r' || c == '\n')
            continue;
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && (c == ' ' || c == '\t'))
            continue;
        *out++ = c;
    }
    *out = '\0';
}

// One line into p->text: FALSE at the end of the file. A line the reader
// refuses (a NUL byte in it) or longer than the format allows is marked bad.
bool ReadRawLine(ProfileParser* p, bool* bad)
{
    CString line;
    if (!p->file->ReadLine(line))
        return false;
    p->line++;
    // Any bad line ends the parse, so the first refusal is this line's.
    *bad = p->file->LeftUnread() || line.GetLength() > kProfileLineLength;
    const int length = *bad ? 0 : line.GetLength();
    memcpy(p->text, line.GetString(), length);
    p->text[length] = '\0';
    return true;
}

LineCode ReadLine(ProfileParser* p)
{
    bool bad = false;
    if (!ReadRawLine(p, &bad))
        return kEndOfFile;
    if (bad)
        return kBadLine;
    CutComment(p->text);
    Strip(p->text);
    if (!p->text[0])
        return kEmptyLine;
    if (p->text[0] != '[') {
        char* equals = strchr(p->text, '=');
        if (!equals)
            return kBadLine;
        *equals = '\0';
        p->key = p->text;
        p->value = equals + 1;
        return kKeyLine;
    }
    for (char* c = p->text; *c; ++c)
        *c = (char)tolower((unsigned char)*c);
    for (int i = 0; i < kProfileSectionCount; i++) {
        if (strcmp(p->text, kProfileSections[i].header) == 0)
            return (LineCode)(kStreamHeader + i);
    }
    return kBadLine;
}

// --- one record ------------------------------------------------------------------

// A whole decimal number that fits 32 bits, signed or not.
bool ParseNumber(const char* text, long long* value)
{
    if (!*text)
        return false;
    char* end = NULL;
    errno = 0;
    long long n = strtoll(text, &end, 10);
    if (errno || *end || !isdigit((unsigned char)text[*text == '-' || *text == '+' ? 1 : 0]))
        return false;
    if (n < -2147483648LL || n > 0xFFFFFFFFLL)
        return false;
    *value = n;
    return true;
}

// The text cut to fit a name or description field.
void CopyText(char* field, size_t size, const char* value)
{
    strncpy(field, value, size - 1);
    field[size - 1] = '\0';
}

int StoreNumber(BYTE* record, const ProfileKeyRow& row, const char* text)
{
    long long n = 0;
    if (!ParseNumber(text, &n))
        return kProfileBadLine;
    if (row.width == 1) {
        if (n < 0 || n > 255)
            return kProfileBadLine;
        record[row.offset] = (BYTE)n;
    } else {
        DWORD word = (DWORD)n;
        memcpy(record + row.offset, &word, 4);
    }
    return kProfileOk;
}

int StoreStandard(BYTE* record, const ProfileKeyRow& row, const char* text)
{
    static const struct
    {
        const char* text;
        DWORD value;
    } kStandards[] = {{"NTSC", kProfileNtsc}, {"PAL", kProfilePal}, {"None", kProfileNone}};
    for (const auto& s : kStandards) {
        if (strcmp(text, s.text) == 0) {
            memcpy(record + row.offset, &s.value, 4);
            return kProfileOk;
        }
    }
    return kProfileBadStandard;
}

int StoreRateControl(BYTE* record, const ProfileKeyRow& row, const char* text)
{
    long long n = 0;
    if (!ParseNumber(text, &n))
        return kProfileBadLine;
    DWORD bits = row.boolean ? (n >= 1 ? 1u : 0u) : ((DWORD)n & row.mask);
    DWORD word = 0;
    memcpy(&word, record + row.offset, 4);
    word |= bits << row.shift;
    memcpy(record + row.offset, &word, 4);
    return kProfileOk;
}

int AddReference(ProfileParser* p, const ProfileSection& section, DWORD slot, const ProfileKeyRow& row,
                 const char* name)
{
    // The entries of the references read so far must fit beside the
    // driver's own.
    if (p->referenceCount >= kAssociationCount - (int)p->caps->associationCount)
        return kProfileAssociationsFull;
    PendingReference& ref = p->references[p->referenceCount++];
    ref.ownerKind = section.kind;
    ref.ownerSlot = slot;
    ref.targetKind = row.target;
    CopyText(ref.target, sizeof(ref.target), name);
    return kProfileOk;
}

int StoreKey(ProfileParser* p, const ProfileSection& section, DWORD slot, BYTE* record)
{
    ProfileRecordHeader& head = *reinterpret_cast<ProfileRecordHeader*>(record);
    if (strcmp(p->key, "name") == 0) {
        CopyText(head.name, sizeof(head.name), p->value);
        head.flags |= kProfileNameGiven;
        return kProfileOk;
    }
    if (strcmp(p->key, "desc") == 0) {
        CopyText(head.desc, sizeof(head.desc), p->value);
        head.flags |= kProfileDescGiven;
        return kProfileOk;
    }
    for (size_t i = 0; i < section.keyCount; i++) {
        const ProfileKeyRow& row = section.keys[i];
        if (strcmp(p->key, row.key) != 0)
            continue;
        int result = kProfileOk;
        switch (row.kind) {
        case kNumberValue: result = StoreNumber(record, row, p->value); break;
        case kStandardValue: result = StoreStandard(record, row, p->value); break;
        case kRateControlValue: result = StoreRateControl(record, row, p->value); break;
        case kReferenceValue: return AddReference(p, section, slot, row, p->value);
        }
        if (result == kProfileOk)
            head.flags |= row.flag;
        return result;
    }
    return section.unknownKey;
}

BYTE* Slot(ProfileParser* p, const ProfileSection& section, DWORD slot)
{
    return reinterpret_cast<BYTE*>(&p->set) + section.slotsOffset + slot * section.recordSize;
}

DWORD* TableCount(ProfileParser* p, const ProfileSection& section)
{
    return reinterpret_cast<DWORD*>(reinterpret_cast<BYTE*>(&p->set) + section.countOffset);
}

DWORD* IndexMap(ProfileParser* p, const ProfileSection& section)
{
    return reinterpret_cast<DWORD*>(reinterpret_cast<BYTE*>(&p->set) + section.mapOffset);
}

// The accepted record of this table with that name, or -1.
int FindName(ProfileParser* p, const ProfileSection& section, const char* name)
{
    const DWORD count = *TableCount(p, section);
    for (DWORD i = 0; i < count; i++) {
        const ProfileRecordHeader* head = reinterpret_cast<ProfileRecordHeader*>(Slot(p, section, i));
        if (strncmp(head->name, name, ProfileRecordHeader::kNameSize) == 0)
            return (int)i;
    }
    return -1;
}

int CheckName(ProfileParser* p, const ProfileSection& section, BYTE* record)
{
    const ProfileRecordHeader& head = *reinterpret_cast<ProfileRecordHeader*>(record);
    if (!(head.flags & kProfileNameGiven) || !head.name[0])
        return kProfileNameMissing;
    return FindName(p, section, head.name) >= 0 ? kProfileDuplicateName : kProfileOk;
}

// Reads one record into the table's next slot, up to the line that ends
// the section (left in *pending), then checks, matches and keeps it.
int ReadSection(ProfileParser* p, const ProfileSection& section, LineCode* pending)
{
    *pending = kNoLine;
    DWORD* count = TableCount(p, section);
    if (*count >= (DWORD)kProfileTableSize)
        return kProfileTableFull;
    const DWORD slot = *count;
    BYTE* record = Slot(p, section, slot);
    memset(record, 0, section.recordSize);
    // References of a record that is not kept are dropped with it.
    const int firstReference = p->referenceCount;

    int result = kProfileOk;
    LineCode code;
    while ((code = ReadLine(p)) == kEmptyLine || code == kKeyLine) {
        if (code == kKeyLine && (result = StoreKey(p, section, slot, record)) != kProfileOk)
            break;
    }
    if (result == kProfileOk) {
        *pending = code;
        if (code == kBadLine)
            result = kProfileBadLine;
    }
    if (result == kProfileOk)
        result = CheckName(p, section, record);
    if (result == kProfileOk)
        result = section.check(record);
    if (result == kProfileOk && section.match) {
        int index = section.match(record, p->caps);
        if (index < 0)
            result = kProfileUnmatched;
        else
            IndexMap(p, section)[slot] = (DWORD)index;
    }
    if (result != kProfileOk) {
        // The slot stays free for the next record, and blank.
        memset(record, 0, section.recordSize);
        p->referenceCount = firstReference;
        return result;
    }
    ++*count;
    return kProfileOk;
}

// --- references into association entries --------------------------------------------

// The capability index of a kept record (its slot for bit-rate records,
// which match no capability), or -1 for a name no kept record has.
int ResolveName(ProfileParser* p, int kind, const char* name)
{
    const ProfileSection* section = ProfileSectionOfKind(kind);
    int slot = FindName(p, *section, name);
    if (slot < 0)
        return -1;
    return section->mapOffset ? (int)IndexMap(p, *section)[slot] : slot;
}

// Appends the entries of one record's references: an allowing entry for
// each name that resolves, then for each kind it referenced one entry
// that denies the rest. FALSE when the list is full.
bool AddRecordEntries(ProfileParser* p, const PendingReference* first, const PendingReference* end)
{
    static const int kTargetOrder[] = {kResolutionKind, kFrameRateKind, kBitrateKind};
    EncoderCaps* caps = p->caps;
    const ProfileSection* owner = ProfileSectionOfKind(first->ownerKind);
    const DWORD ownerIndex = IndexMap(p, *owner)[first->ownerSlot];
    ProfileAssociation entries[kAssociationCount];
    int count = 0;
    for (const PendingReference* r = first; r != end; ++r) {
        int target = ResolveName(p, r->targetKind, r->target);
        if (target >= 0)
            entries[count++] = {(DWORD)r->ownerKind, ownerIndex, (DWORD)r->targetKind, (DWORD)target, 0, {0, 0, 0}};
    }
    for (int kind : kTargetOrder) {
        for (const PendingReference* r = first; r != end; ++r) {
            if (r->targetKind == kind) {
                entries[count++] = {(DWORD)r->ownerKind, ownerIndex, (DWORD)kind, ProfileAssociation::kAny, 1,
                                    {0, 0, 0}};
                break;
            }
        }
    }
    if (caps->associationCount + count > (DWORD)kAssociationCount)
        return false;
    memcpy(&caps->associations[caps->associationCount], entries, count * sizeof(entries[0]));
    caps->associationCount += count;
    return true;
}

int AddAssociations(ProfileParser* p)
{
    int i = 0;
    while (i < p->referenceCount) {
        int end = i + 1;
        while (end < p->referenceCount && p->references[end].ownerKind == p->references[i].ownerKind &&
               p->references[end].ownerSlot == p->references[i].ownerSlot)
            end++;
        if (!AddRecordEntries(p, &p->references[i], &p->references[end]))
            return kProfileAssociationsFull;
        i = end;
    }
    return kProfileOk;
}

} // namespace

// --- interface ---------------------------------------------------------------------

ProfileParser* ProfileOpen(const char* path)
{
    ProfileParser* p = &g_parser;
    ProfileClose(p);
    CTextFileReader* file = new (std::nothrow) CTextFileReader;
    if (!file)
        return NULL;
    if (!path || file->Open(path) != CTextFileReader::kOpened) {
        delete file;
        return NULL;
    }
    memset(p, 0, sizeof(*p));
    p->file = file;
    p->opened = TRUE;
    return p;
}

void ProfileClose(ProfileParser* p)
{
    if (!p)
        return;
    delete p->file;
    p->file = NULL;
    p->opened = FALSE;
    p->status = 0;
    p->line = 0;
}

int ProfileGetStatus(ProfileParser* p, int* line)
{
    if (!p)
        return kProfileNotOpen;
    if (line)
        *line = p->line;
    return p->status;
}

int ProfileParse(ProfileParser* p, EncoderCaps* caps, EncoderProfileSet* out)
{
    if (!p || !p->file || !caps)
        return kProfileNotOpen;
    p->caps = caps;
    ClampCapabilityCounts(caps);
    p->status = kProfileOk;
    LineCode code = kNoLine;
    for (;;) {
        if (code == kNoLine)
            code = ReadLine(p);
        if (code == kEndOfFile)
            break;
        if (code == kKeyLine || code == kBadLine)
            return p->status = kProfileOutsideSection;
        if (code == kEmptyLine) {
            code = kNoLine;
            continue;
        }
        int result = ReadSection(p, kProfileSections[code - kStreamHeader], &code);
        if (result == kProfileUnmatched) {
            p->skipped = true;
            continue;
        }
        if (result != kProfileOk) {
            p->status = result;
            break;
        }
    }
    if (p->status == kProfileOk)
        p->status = AddAssociations(p);
    if (p->status == kProfileOk && p->skipped)
        p->status = kProfileUnmatched;
    if (out)
        *out = p->set;
    return p->status;
}

BOOL LoadVideoProfiles(EncoderCaps* caps, EncoderProfileSet* out)
{
    char folder[MAX_PATH] = {0};
    UINT length = GetWindowsDirectoryA(folder, sizeof(folder));
    if (length == 0 || length >= sizeof(folder))
        return FALSE;
    char path[MAX_PATH + 32];
    int written = snprintf(path, sizeof(path), "%s/%s", folder, kVideoProfilesFile);
    if (written < 0 || written >= (int)sizeof(path))
        return FALSE;
    ProfileParser* parser = ProfileOpen(path);
    if (!parser)
        return FALSE;
    int status = ProfileParse(parser, caps, out);
    ProfileClose(parser);
    return status == kProfileOk || status == kProfileUnmatched;
}
