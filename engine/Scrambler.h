// The settings scrambler: the automatic-logon account is stored in
// "TVParam.ini" as the hexadecimal text of its bytes shifted by a salt byte
// and followed by their CRC-16, so it is not plain text and a damaged value
// is detected. Free functions; the caller owns every buffer and passes its
// capacity. Any thread.
#pragma once
#include <windows.h>

// Longest input: the scrambled form (input + 3 bytes) keeps a 16-bit count.
const UINT kScrambleMaxInput = 0xFFFF - 3;

// CRC-16/ARC (reflected polynomial 0xA001, start 0, no final XOR); 0 for no bytes.
WORD Crc16(const BYTE* data, int count);

// The salt byte: the low byte of the C library's first rand() after
// srand(919), computed here without touching the program's generator.
BYTE ScrambleSalt();

// out = salt, each input byte + salt, CRC high + salt, CRC low + salt
// (count + 3 bytes). FALSE when the input is too long or `outCapacity` too small.
BOOL ScrambleString(const BYTE* in, UINT count, BYTE* out, UINT outCapacity, UINT* outCount);
// The reverse; FALSE and *outCount 0 for fewer than 3 bytes, a CRC that
// does not match or a buffer that is too small.
BOOL UnscrambleString(const BYTE* in, UINT count, BYTE* out, UINT outCapacity, UINT* outCount);

// Two upper-case digits per byte and a terminating NUL (2 * count + 1 chars).
BOOL HexEncode(const BYTE* in, UINT count, char* out, UINT outCapacity, UINT* outLength);
// One byte per digit pair; FALSE at the first pair holding a non-digit (or
// an odd last digit), with the bytes before it kept and counted.
BOOL HexDecode(const char* in, UINT length, BYTE* out, UINT outCapacity, UINT* outCount);
BOOL HexDigitToNibble(char digit, BYTE* nibble);
BOOL NibbleToHexDigit(BYTE nibble, char* digit);
