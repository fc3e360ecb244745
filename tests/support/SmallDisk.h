// A folder on a small disk for the full-disk tests: a tmpfs that the test
// command mounts (pellamar_small_disk in cmake/PellamarTargets.cmake) and
// names by its host path in PELLAMAR_SMALL_DISK, reached through Wine's Z:
// drive. Each object makes a fresh folder there and removes it when it goes;
// LeaveFree fills the disk to a given free space. Header only; test thread.
#pragma once
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>

class SmallDisk
{
public:
    // A disk larger than this is not the small disk (the mount failed and
    // the folder lies on the machine's own disk).
    static constexpr ULONGLONG kMaxSize = 4 * 1024 * 1024;

    SmallDisk()
    {
        const char* host = std::getenv("PELLAMAR_SMALL_DISK");
        if (!host || !*host) {
            m_why = "no small disk: PELLAMAR_SMALL_DISK is not set (ctest mounts one)";
            return;
        }
        std::string root = std::string("Z:") + host;
        for (char& c : root)
            c = c == '/' ? '\\' : c;
        if (root.back() != '\\')
            root += '\\';
        ULARGE_INTEGER total = {};
        if (!::GetDiskFreeSpaceExA(root.c_str(), NULL, &total, NULL) || total.QuadPart > kMaxSize) {
            m_why = "no small disk at " + root + " (mounting a tmpfs needs root)";
            return;
        }
        m_folder.reset(new TempFolder(root));
        m_filler = m_folder->File("filler.bin");
    }

    bool Ready() const { return m_folder != nullptr; }
    const std::string& WhyNot() const { return m_why; }
    TempFolder& Folder() { return *m_folder; }
    std::string File(const std::string& name) const { return m_folder->File(name); }

    static ULONGLONG FreeBytes(const std::string& folder)
    {
        ULARGE_INTEGER available = {};
        ::GetDiskFreeSpaceExA((folder + "\\").c_str(), &available, NULL, NULL);
        return available.QuadPart;
    }
    ULONGLONG FreeBytes() const { return FreeBytes(m_folder->Path()); }

    // Grows or shrinks the filler file until `bytes` (a whole number of
    // 4 KiB pages) are free; false when the disk cannot be brought there.
    bool LeaveFree(ULONGLONG bytes)
    {
        HANDLE h = ::CreateFileA(m_filler.c_str(), GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, 0, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        LARGE_INTEGER size = {};
        ::GetFileSizeEx(h, &size);
        const ULONGLONG free = FreeBytes();
        bool ok = true;
        if (free > bytes) {
            // Written, not only sized: tmpfs takes the pages when written.
            static const char zeros[4096] = {};
            ::SetFilePointer(h, 0, NULL, FILE_END);
            for (ULONGLONG left = free - bytes; ok && left > 0;) {
                const DWORD n = left < sizeof zeros ? (DWORD)left : (DWORD)sizeof zeros;
                DWORD put = 0;
                ok = ::WriteFile(h, zeros, n, &put, NULL) && put == n;
                left -= n;
            }
        } else if (free < bytes) {
            const ULONGLONG drop = bytes - free;
            LARGE_INTEGER end;
            end.QuadPart = size.QuadPart > (LONGLONG)drop ? size.QuadPart - (LONGLONG)drop : 0;
            ok = ::SetFilePointerEx(h, end, NULL, FILE_BEGIN) && ::SetEndOfFile(h);
        }
        ::CloseHandle(h);
        return ok && FreeBytes() == bytes;
    }

private:
    std::unique_ptr<TempFolder> m_folder;
    std::string m_filler;
    std::string m_why;
};

// Compares file contents by length and bytes, and says only the lengths
// when they differ (the contents are many KiB).
inline ::testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "a file of " << actual.size() << " bytes, not the " << expected.size()
                                         << " bytes expected" << (actual.size() == expected.size() ? " (other bytes)" : "");
}

// Skips the test, with the reason, when there is no small disk.
#define REQUIRE_SMALL_DISK(disk)                      \
    do {                                              \
        if (!(disk).Ready())                          \
            GTEST_SKIP() << (disk).WhyNot();          \
    } while (0)
