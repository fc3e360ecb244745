// CTextFileReader: reads one of the program's text files (settings, channel
// lists, country and scan tables, the remote key file) line by line. The
// bytes are read as they stand and split here: CR LF, LF and a CR on its own
// each end a line, and a 0x1A byte is an ordinary character, not the end of
// the file. A UTF-8 byte-order mark is skipped; UTF-16 is refused. A line
// that cannot be taken as text comes back empty, so the lines after it keep
// their places, and the file no longer counts as read whole. Owned by the
// reader for one read; one thread.
#pragma once
#include "platform/mfc/String.h"

#include <vector>

class CTextFileReader
{
public:
    enum OpenResult {
        kOpened,
        kMissing,     // no such file
        kCannotOpen,  // it exists but cannot be opened
        kNotText,     // UTF-16, too large, or a read failed
    };

    OpenResult Open(LPCSTR path);
    // The next line without its line end; FALSE after the last one.
    BOOL ReadLine(CString& line);
    // TRUE when the file exists but was not read whole: it could not be
    // opened or read, is not text we read, or a line was refused. A save
    // must then keep the old file (see CUnreadFile).
    BOOL LeftUnread() const { return m_result != kMissing && (m_result != kOpened || m_refused > 0); }

    // No file of ours comes near these; anything longer is damaged.
    static constexpr int kMaxLine = 64 * 1024;
    static constexpr UINT kMaxFileBytes = 16u << 20;

private:
    OpenResult Refuse(OpenResult result, LPCSTR why);

    CString m_path;
    std::vector<char> m_bytes;
    size_t m_pos = 0;
    int m_lineNumber = 0;
    int m_refused = 0;
    OpenResult m_result = kMissing;
};
