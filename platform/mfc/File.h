// CFile (a Win32 file handle) and CStdioFile (a C library stream, text or
// binary). Where the framework would throw, these report by result; a
// failed read or write also sets the object's error flag. One thread at a time.
#pragma once
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"

#include <stdio.h>

class CFile : public CObject
{
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile();
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(LPCSTR path, UINT flags);
    // Closes the file; FALSE when the last writes could not be completed.
    virtual BOOL Close();
    // Closes without reporting.
    virtual void Abort();
    BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

    // Bytes read: fewer than asked at the end of the file, 0 on failure.
    virtual UINT Read(void* buffer, UINT count);
    virtual BOOL Write(const void* buffer, UINT count);
    virtual BOOL Flush();
    // New position, or -1 on failure.
    virtual LONGLONG Seek(LONGLONG offset, UINT from);
    LONGLONG SeekToBegin() { return Seek(0, begin); }
    LONGLONG SeekToEnd() { return Seek(0, end); }
    virtual LONGLONG GetPosition() const;
    // -1 when the length cannot be read.
    virtual LONGLONG GetLength() const;

    BOOL HasError() const { return m_error; }
    CString GetFilePath() const { return m_path; }
    CString GetFileName() const;

    static BOOL Remove(LPCSTR path);
    static BOOL Rename(LPCSTR from, LPCSTR to);

    HANDLE m_hFile;

protected:
    BOOL m_error;
    CString m_path;
};

class CStdioFile : public CFile
{
public:
    CStdioFile();
    ~CStdioFile() override;

    BOOL Open(LPCSTR path, UINT flags) override;
    BOOL Close() override;
    void Abort() override;
    BOOL IsStreamOpen() const { return m_pStream != NULL; }

    // One line without its line end (LF, CR LF or a CR on its own); FALSE at
    // the end of the file with nothing read, or on a read error (HasError).
    // NUL bytes stay in the line (the CString keeps its length). A line
    // longer than kMaxLine comes back cut there, the rest up to its end
    // skipped, and sets the error flag: it was not read whole. A binary
    // stream reads a 0x1A byte as a character; a text stream ends there.
    BOOL ReadString(CString& line);
    // Writes the text as it stands; in text mode "\n" becomes CR LF.
    BOOL WriteString(LPCSTR text);

    UINT Read(void* buffer, UINT count) override;
    BOOL Write(const void* buffer, UINT count) override;
    BOOL Flush() override;
    LONGLONG Seek(LONGLONG offset, UINT from) override;
    LONGLONG GetPosition() const override;
    LONGLONG GetLength() const override;

    static constexpr int kMaxLine = 64 * 1024;

    FILE* m_pStream;
};
