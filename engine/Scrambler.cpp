#include "engine/Scrambler.h"

#include <array>

namespace {

constexpr std::array<WORD, 256> MakeCrcTable()
{
    std::array<WORD, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        WORD crc = (WORD)i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (WORD)((crc >> 1) ^ 0xA001) : (WORD)(crc >> 1);
        table[i] = crc;
    }
    return table;
}

constexpr std::array<WORD, 256> kCrcTable = MakeCrcTable();

// The C run-time's generator: state = state * 214013 + 2531011, each
// value (state >> 16) & 0x7FFF.
const UINT kSaltSeed = 919;

} // namespace

WORD Crc16(const BYTE* data, int count)
{
    WORD crc = 0;
    for (int i = 0; data && i < count; ++i)
        crc = (WORD)((crc >> 8) ^ kCrcTable[(crc ^ data[i]) & 0xFF]);
    return crc;
}

BYTE ScrambleSalt()
{
    UINT state = kSaltSeed * 214013u + 2531011u;
    return (BYTE)(((state >> 16) & 0x7FFF) & 0xFF);
}

BOOL ScrambleString(const BYTE* in, UINT count, BYTE* out, UINT outCapacity, UINT* outCount)
{
    if (outCount)
        *outCount = 0;
    if ((count && !in) || !out || !outCount || count > kScrambleMaxInput || outCapacity < count + 3)
        return FALSE;
    const BYTE salt = ScrambleSalt();
    const WORD crc = Crc16(in, (int)count);
    out[0] = salt;
    for (UINT i = 0; i < count; ++i)
        out[i + 1] = (BYTE)(in[i] + salt);
    out[count + 1] = (BYTE)((crc >> 8) + salt);
    out[count + 2] = (BYTE)((crc & 0xFF) + salt);
    *outCount = count + 3;
    return TRUE;
}

BOOL UnscrambleString(const BYTE* in, UINT count, BYTE* out, UINT outCapacity, UINT* outCount)
{
    if (outCount)
        *outCount = 0;
    if (!in || !out || !outCount || count < 3 || count > 0xFFFF || outCapacity < count - 3)
        return FALSE;
    const UINT n = count - 3;
    const BYTE salt = in[0];
    const WORD stored = (WORD)(((BYTE)(in[n + 1] - salt) << 8) | (BYTE)(in[n + 2] - salt));
    for (UINT i = 0; i < n; ++i)
        out[i] = (BYTE)(in[i + 1] - salt);
    if (Crc16(out, (int)n) != stored)
        return FALSE;
    *outCount = n;
    return TRUE;
}

BOOL NibbleToHexDigit(BYTE nibble, char* digit)
{
    if (!digit || nibble > 15)
        return FALSE;
    *digit = (char)(nibble < 10 ? '0' + nibble : 'A' + nibble - 10);
    return TRUE;
}

BOOL HexDigitToNibble(char digit, BYTE* nibble)
{
    if (!nibble)
        return FALSE;
    if (digit >= '0' && digit <= '9')
        *nibble = (BYTE)(digit - '0');
    else if (digit >= 'A' && digit <= 'F')
        *nibble = (BYTE)(digit - 'A' + 10);
    else if (digit >= 'a' && digit <= 'f')
        *nibble = (BYTE)(digit - 'a' + 10);
    else
        return FALSE;
    return TRUE;
}

BOOL HexEncode(const BYTE* in, UINT count, char* out, UINT outCapacity, UINT* outLength)
{
    if (outLength)
        *outLength = 0;
    if ((count && !in) || !out || !outLength || count > 0x7FFFFFFF / 2 || outCapacity < 2 * count + 1)
        return FALSE;
    for (UINT i = 0; i < count; ++i) {
        NibbleToHexDigit((BYTE)(in[i] >> 4), &out[2 * i]);
        NibbleToHexDigit((BYTE)(in[i] & 0x0F), &out[2 * i + 1]);
    }
    out[2 * count] = '\0';
    *outLength = 2 * count;
    return TRUE;
}

BOOL HexDecode(const char* in, UINT length, BYTE* out, UINT outCapacity, UINT* outCount)
{
    if (outCount)
        *outCount = 0;
    if ((length && !in) || !out || !outCount)
        return FALSE;
    UINT n = 0;
    for (UINT i = 0; i < length; i += 2) {
        BYTE high, low;
        if (i + 1 >= length || n >= outCapacity || !HexDigitToNibble(in[i], &high) ||
            !HexDigitToNibble(in[i + 1], &low))
            return FALSE;
        out[n] = (BYTE)((high << 4) | low);
        *outCount = ++n;
    }
    return TRUE;
}
