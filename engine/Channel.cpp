#include "engine/Channel.h"

#include <cstdlib>
#include <cstring>

namespace {

bool IsSeparator(char c) { return c == ',' || c == '\t' || c == ' '; }

// Start of the next token at or after `p` (NULL when none), and its end.
const char* NextToken(const char* p, const char** end)
{
    while (*p && IsSeparator(*p))
        ++p;
    if (!*p)
        return NULL;
    const char* e = p;
    while (*e && !IsSeparator(*e))
        ++e;
    *end = e;
    return p;
}

} // namespace

BOOL CChannel::ParseLine(LPCSTR line)
{
    if (!line)
        return FALSE;
    const char* starts[4];
    const char* p = line;
    for (int i = 0; i < 4; ++i) {
        const char* end = NULL;
        starts[i] = NextToken(p, &end);
        if (!starts[i])
            return FALSE;
        p = end;
    }
    long id = std::atol(starts[0]);
    long flags = std::atol(starts[1]);
    long frequency = std::atol(starts[2]);
    if (id <= 0 || frequency < 1)
        return FALSE;
    ID = id;
    Flags = (DWORD)flags;
    Frequency = frequency;
    Name = starts[3];
    return TRUE;
}
