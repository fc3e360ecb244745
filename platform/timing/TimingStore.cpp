#include "platform/timing/TimingStore.h"

#include <cstring>

namespace TimingStore {
namespace {

// FNV-1a over the bytes: enough to tell a damaged file from a whole one.
UINT32 Checksum(const std::string& bytes)
{
    UINT32 hash = 2166136261u;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

void PutU32(std::string& out, UINT32 value) { out.append(reinterpret_cast<const char*>(&value), 4); }

UINT32 GetU32(const std::string& in, size_t offset)
{
    UINT32 value;
    memcpy(&value, in.data() + offset, 4);
    return value;
}

std::string Serialize(const std::vector<CTimingSchedule::Item>& items)
{
    std::string bytes(kMagic, sizeof kMagic);
    PutU32(bytes, kVersion);
    PutU32(bytes, static_cast<UINT32>(items.size()));
    PutU32(bytes, static_cast<UINT32>(kRecordSize));
    for (const CTimingSchedule::Item& item : items) {
        bytes.append(reinterpret_cast<const char*>(&item.timing), sizeof item.timing);
        bytes.append(reinterpret_cast<const char*>(&item.execute), sizeof item.execute);
        bytes.append(reinterpret_cast<const char*>(&item.handledUntil), sizeof item.handledUntil);
    }
    PutU32(bytes, Checksum(bytes));
    return bytes;
}

bool Parse(const std::string& bytes, size_t maxItems, std::vector<CTimingSchedule::Item>* items)
{
    if (bytes.size() < kHeaderSize + kTrailerSize || memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return false;
    const UINT32 count = GetU32(bytes, 8);
    if (GetU32(bytes, 4) != kVersion || GetU32(bytes, 12) != kRecordSize || count > maxItems ||
        bytes.size() != kHeaderSize + count * kRecordSize + kTrailerSize)
        return false;
    const size_t body = bytes.size() - kTrailerSize;
    if (Checksum(bytes.substr(0, body)) != GetU32(bytes, body))
        return false;
    items->clear();
    for (size_t offset = kHeaderSize; offset < body; offset += kRecordSize) {
        CTimingSchedule::Item item = {};
        memcpy(&item.timing, bytes.data() + offset, sizeof item.timing);
        memcpy(&item.execute, bytes.data() + offset + sizeof item.timing, sizeof item.execute);
        memcpy(&item.handledUntil, bytes.data() + offset + sizeof item.timing + sizeof item.execute,
               sizeof item.handledUntil);
        items->push_back(item);
    }
    return true;
}

enum class ReadResult { Read, Missing, Failed };

ReadResult ReadWhole(const std::string& path, size_t limit, std::string* bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                              : ReadResult::Failed;
    }
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) != FALSE;
    // A file longer than any store we write is damaged: read just past the limit.
    const DWORD wanted = ok ? static_cast<DWORD>(size.QuadPart > (LONGLONG)limit ? limit + 1 : size.QuadPart) : 0;
    bytes->assign(wanted, '\0');
    DWORD got = 0;
    ok = ok && (wanted == 0 || ReadFile(file, &(*bytes)[0], wanted, &got, nullptr)) && got == wanted;
    CloseHandle(file);
    return ok ? ReadResult::Read : ReadResult::Failed;
}

bool MoveAside(const std::string& path, std::string* aside)
{
    for (int n = 1; n <= 100; ++n) {
        const std::string name = path + ".unread" + (n == 1 ? std::string() : std::to_string(n));
        if (MoveFileA(path.c_str(), name.c_str())) {
            *aside = name;
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}

} // namespace

LoadResult Load(const std::string& path, size_t maxItems, std::vector<CTimingSchedule::Item>* items,
                std::string* aside)
{
    items->clear();
    aside->clear();
    std::string bytes;
    switch (ReadWhole(path, kHeaderSize + maxItems * kRecordSize + kTrailerSize, &bytes)) {
    case ReadResult::Missing:
        return LoadResult::Read;
    case ReadResult::Failed:
        return LoadResult::Unreadable;
    case ReadResult::Read:
        break;
    }
    if (Parse(bytes, maxItems, items))
        return LoadResult::Read;
    items->clear();
    return MoveAside(path, aside) ? LoadResult::SetAside : LoadResult::Unreadable;
}

BOOL Save(const std::string& path, const std::vector<CTimingSchedule::Item>& items)
{
    const std::string bytes = Serialize(items);
    const std::string temp = path + ".tmp";
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD put = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
              put == bytes.size() && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    ok = ok && MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileA(temp.c_str());
    return ok;
}

} // namespace TimingStore
