#include "engine/RegisterKey.h"

#include <cstring>

LONG CRegisterKey::OpenWith(HKEY root, LPCSTR subKey, REGSAM access)
{
    Close();
    HKEY key = NULL;
    LONG rc = ::RegOpenKeyExA(root, subKey, 0, access, &key);
    if (rc == ERROR_SUCCESS)
        m_hKey = key;
    return rc;
}

LONG CRegisterKey::Open(HKEY root, LPCSTR subKey, BOOL view64)
{
    return OpenWith(root, subKey, KEY_READ | KEY_WRITE | (view64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY));
}

LONG CRegisterKey::Create(HKEY root, LPCSTR subKey, BOOL view64)
{
    Close();
    HKEY key = NULL;
    const REGSAM access = KEY_READ | KEY_WRITE | (view64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY);
    LONG rc = ::RegCreateKeyExA(root, subKey, 0, NULL, 0, access, NULL, &key, NULL);
    if (rc == ERROR_SUCCESS)
        m_hKey = key;
    return rc;
}

LONG CRegisterKey::OpenForRead(HKEY root, LPCSTR subKey, BOOL view64)
{
    return OpenWith(root, subKey, KEY_READ | (view64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY));
}

void CRegisterKey::Close()
{
    if (m_hKey)
        ::RegCloseKey(m_hKey);
    m_hKey = NULL;
}

LONG CRegisterKey::QueryValue(LPCSTR name, CString& out) const
{
    if (!m_hKey)
        return ERROR_INVALID_HANDLE;
    // One byte more than we let the registry fill: a value stored without
    // its NUL still ends inside the buffer.
    char buf[kMaxText + 1];
    std::memset(buf, 0, sizeof buf);
    DWORD type = 0;
    DWORD size = kMaxText;
    LONG rc = ::RegQueryValueExA(m_hKey, name, NULL, &type, (LPBYTE)buf, &size);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    out = buf;
    return ERROR_SUCCESS;
}

LONG CRegisterKey::QueryDword(LPCSTR name, DWORD& out) const
{
    if (!m_hKey)
        return ERROR_INVALID_HANDLE;
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    LONG rc = ::RegQueryValueExA(m_hKey, name, NULL, &type, (LPBYTE)&value, &size);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (type != REG_DWORD || size != sizeof value)
        return ERROR_INVALID_DATA;
    out = value;
    return ERROR_SUCCESS;
}

LONG CRegisterKey::SetValue(LPCSTR name, LPCSTR text)
{
    if (!m_hKey)
        return ERROR_INVALID_HANDLE;
    if (!text)
        text = "";
    return ::RegSetValueExA(m_hKey, name, 0, REG_SZ, (const BYTE*)text, (DWORD)std::strlen(text) + 1);
}

LONG CRegisterKey::DeleteValue(LPCSTR name)
{
    if (!m_hKey)
        return ERROR_INVALID_HANDLE;
    return ::RegDeleteValueA(m_hKey, name);
}
