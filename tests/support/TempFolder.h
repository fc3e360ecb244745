// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the object goes. Header only; test thread.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

class TempFolder
{
public:
    // Under the system's temporary folder, or under `base` (a folder path
    // ending in a backslash) when one is given.
    explicit TempFolder(const std::string& base = std::string())
    {
        char temp[MAX_PATH + 1] = {0};
        ::GetTempPathA(MAX_PATH, temp);
        const std::string root = base.empty() ? std::string(temp) : base;
        static LONG counter = 0;
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        // A base shared with other prefixes' processes may hold the same
        // process id: the tick count tells them apart, a retry the rest.
        for (int attempt = 0; attempt < 100; ++attempt) {
            char name[80];
            snprintf(name, sizeof name, "pellamar-%lu-%ld-%lu", (unsigned long)::GetCurrentProcessId(),
                     (long)::InterlockedIncrement(&counter), (unsigned long)now.LowPart);
            m_path = root + name;
            if (::CreateDirectoryA(m_path.c_str(), NULL))
                break;
        }
    }
    ~TempFolder() { RemoveTree(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

    // Writes the bytes as they stand (binary), for fixtures with exact line
    // ends. An existing file is written over and cut to size, which under
    // Wine costs a fraction of creating it anew (the bad-input tests write
    // thousands).
    bool Write(const std::string& name, const std::string& bytes) const
    {
        HANDLE h = ::CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, 0, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        DWORD put = 0;
        BOOL ok = ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &put, NULL) && ::SetEndOfFile(h);
        ::CloseHandle(h);
        return ok && put == bytes.size();
    }
    std::string Read(const std::string& name) const
    {
        std::string bytes;
        HANDLE h = ::CreateFileA(File(name).c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return bytes;
        char buf[4096];
        DWORD got = 0;
        while (::ReadFile(h, buf, sizeof buf, &got, NULL) && got > 0)
            bytes.append(buf, got);
        ::CloseHandle(h);
        return bytes;
    }
    bool Exists(const std::string& name) const
    {
        return ::GetFileAttributesA(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

private:
    static void RemoveTree(const std::string& path)
    {
        WIN32_FIND_DATAA fd;
        HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &fd);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::string name = fd.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string child = path + "\\" + name;
                ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(child);
                else
                    ::DeleteFileA(child.c_str());
            } while (::FindNextFileA(find, &fd));
            ::FindClose(find);
        }
        ::RemoveDirectoryA(path.c_str());
    }

    std::string m_path;
};
