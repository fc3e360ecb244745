// CRegisterKey: one open registry key, closed with the object. Used on the
// UI thread by the settings store, the start-up and the power code for the
// program's own values, the Run key and the Winlogon values.
#pragma once
#include "platform/mfc/String.h"

class CRegisterKey
{
public:
    CRegisterKey() : m_hKey(NULL) {}
    virtual ~CRegisterKey() { Close(); }
    CRegisterKey(const CRegisterKey&) = delete;
    CRegisterKey& operator=(const CRegisterKey&) = delete;

    // For writing (and reading): read and write access in the 64-bit view
    // of the registry when `view64` is set, else in the 32-bit view.
    // Results are the registry's error codes (ERROR_SUCCESS is 0).
    LONG Open(HKEY root, LPCSTR subKey, BOOL view64);
    // Opens the key for reading and writing, made first when missing.
    LONG Create(HKEY root, LPCSTR subKey, BOOL view64);
    // For reading only: a standard user can read keys of HKLM it may not write.
    LONG OpenForRead(HKEY root, LPCSTR subKey, BOOL view64);
    void Close();
    BOOL IsOpen() const { return m_hKey != NULL; }
    HKEY GetHandle() const { return m_hKey; }

    // A text value (REG_SZ or REG_EXPAND_SZ) of at most kMaxText bytes; the
    // out text is cut at the first NUL and is unchanged on failure.
    LONG QueryValue(LPCSTR name, CString& out) const;
    // A REG_DWORD value; the out number is unchanged on failure.
    LONG QueryDword(LPCSTR name, DWORD& out) const;
    LONG SetValue(LPCSTR name, LPCSTR text);
    LONG DeleteValue(LPCSTR name);

    static constexpr DWORD kMaxText = 200;

private:
    LONG OpenWith(HKEY root, LPCSTR subKey, REGSAM access);
    HKEY m_hKey;
};
