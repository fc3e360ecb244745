// CArchive: a binary stream of numbers and strings over an open CFile, in
// the framework's layout: little-endian numbers; a string is its length
// (one byte below 255; else 0xFF and 16 bits below 0xFFFE; else 0xFF, 0xFFFF
// and 32 bits) followed by its narrow characters; a count is 16 bits, or
// 0xFFFF and 32 bits from 0xFFFF on. Where the framework throws, a failed
// read or write sets the archive's failure flag and later operations do
// nothing; callers test Failed() (or the result of Close). One thread.
#pragma once
#include "platform/mfc/File.h"

class CArchive
{
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* file, UINT mode);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return m_loading; }
    BOOL IsStoring() const { return !m_loading; }
    BOOL Failed() const { return m_failed; }
    CFile* GetFile() const { return m_file; }

    // Raw bytes; Read answers the bytes it got and fails the archive when
    // they are fewer than asked.
    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    // Loading: the bytes not read yet, buffered and still in the file, for
    // readers that check a stored count or length against what is left; 0
    // once the archive has failed or when the file cannot tell.
    ULONGLONG GetBytesLeft() const;
    // Writes out what is buffered; FALSE when anything has failed.
    BOOL Flush();
    // Flushes a storing archive; TRUE when nothing failed.
    BOOL Close();

    void WriteCount(DWORD_PTR count);
    DWORD_PTR ReadCount();
    void WriteString(const CString& text);
    // A stored length above `maxLength` fails the archive (a damaged file
    // must not make us allocate gigabytes).
    BOOL ReadString(CString& text, UINT maxLength = kMaxString);

    CArchive& operator<<(BYTE v) { Write(&v, 1); return *this; }
    CArchive& operator<<(char v) { Write(&v, 1); return *this; }
    CArchive& operator<<(WORD v) { Write(&v, 2); return *this; }
    CArchive& operator<<(short v) { Write(&v, 2); return *this; }
    CArchive& operator<<(int v) { Write(&v, 4); return *this; }
    CArchive& operator<<(UINT v) { Write(&v, 4); return *this; }
    CArchive& operator<<(LONG v) { Write(&v, 4); return *this; }
    CArchive& operator<<(DWORD v) { Write(&v, 4); return *this; }
    CArchive& operator<<(LONGLONG v) { Write(&v, 8); return *this; }
    CArchive& operator<<(ULONGLONG v) { Write(&v, 8); return *this; }
    CArchive& operator<<(float v) { Write(&v, 4); return *this; }
    CArchive& operator<<(double v) { Write(&v, 8); return *this; }
    CArchive& operator<<(const CString& v) { WriteString(v); return *this; }

    CArchive& operator>>(BYTE& v) { ReadValue(&v, 1); return *this; }
    CArchive& operator>>(char& v) { ReadValue(&v, 1); return *this; }
    CArchive& operator>>(WORD& v) { ReadValue(&v, 2); return *this; }
    CArchive& operator>>(short& v) { ReadValue(&v, 2); return *this; }
    CArchive& operator>>(int& v) { ReadValue(&v, 4); return *this; }
    CArchive& operator>>(UINT& v) { ReadValue(&v, 4); return *this; }
    CArchive& operator>>(LONG& v) { ReadValue(&v, 4); return *this; }
    CArchive& operator>>(DWORD& v) { ReadValue(&v, 4); return *this; }
    CArchive& operator>>(LONGLONG& v) { ReadValue(&v, 8); return *this; }
    CArchive& operator>>(ULONGLONG& v) { ReadValue(&v, 8); return *this; }
    CArchive& operator>>(float& v) { ReadValue(&v, 4); return *this; }
    CArchive& operator>>(double& v) { ReadValue(&v, 8); return *this; }
    CArchive& operator>>(CString& v) { ReadString(v); return *this; }

    static constexpr UINT kMaxString = 16u << 20;

private:
    // Leaves the value unchanged on a short read.
    void ReadValue(void* value, UINT size);
    BOOL FillBuffer();

    CFile* m_file;
    bool m_loading;
    bool m_failed;
    // The framework's 4096-byte buffer.
    BYTE m_buffer[4096];
    UINT m_used;
    UINT m_pos;
};
