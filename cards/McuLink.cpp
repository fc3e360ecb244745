#include "cards/McuLink.h"

#include "graph/Clock.h"

namespace {

DWORD LowBytePack(DWORD byte) { return byte & 0xFF; }
DWORD LowByteUnpack(DWORD word) { return word & 0xFF; }
DWORD SplitPack(DWORD byte) { return PackMcuByte(byte, TRUE); }
DWORD SplitUnpack(DWORD word) { return PackMcuByte(word, FALSE); }
DWORD ThirdBytePack(DWORD byte) { return (byte & 0xFF) << 16; }
DWORD ThirdByteUnpack(DWORD word) { return (word >> 16) & 0xFF; }

// Pauses of the timer exchange: between the two bytes and before the
// read-back, after a failed word, between the two reads.
const DWORD kByteGapMs = 200;
const DWORD kRetryPauseMs = 100;
const DWORD kReadGapMs = 100;
// Samples of the ready line are 1 ms apart.
const DWORD kSamplePauseMs = 1;

} // namespace

const McuWiring kMcuBaseWiring = {
    LowBytePack, LowByteUnpack,
    0x180000, 0x080000, 0x100000, 0x1C0000, 0x1801FF,
    10, 5, 10,
    0x180100, 0x187100, 0x7000, true,
    0x040000, 500, 0x1C0000};

const McuWiring kMcuHeskWiring = {
    LowBytePack, LowByteUnpack,
    0x180000, 0x080000, 0x100000, 0x1C0000, 0x1801FF,
    100, 100, 100,
    0x180100, 0x187100, 0x7000, false,
    0x040000, 1000, 0x1C0000};

const McuWiring kMcuIoWiring = {
    SplitPack, SplitUnpack,
    0x600, 0x400, 0x200, 0xE00, 0xEF88600,
    10, 10, 10,
    0x8600, 0x8600, 0, true,
    0x800, 500, 0};

const McuWiring kMcuPipWiring = {
    SplitPack, SplitUnpack,
    0x600, 0x400, 0x200, 0xE00, 0xEF88600,
    10, 10, 10,
    0x8600, 0xF600, 0x7000, true,
    0x800, 500, 0};

const McuWiring kMcuCx2388xWiring = {
    ThirdBytePack, ThirdByteUnpack,
    0x600, 0x400, 0x200, 0xE00, 0xFF8600,
    10, 10, 10,
    0x8600, 0x8600, 0, true,
    0x800, 500, 0};

DWORD PackMcuByte(DWORD value, BOOL toGpio)
{
    if (toGpio)
        return ((value & 0x1F) << 19) | (((value >> 5) & 0x7) << 25);
    return ((value >> 19) & 0x1F) | (((value >> 25) & 0x7) << 5);
}

BOOL CMcuLink::Write(DWORD value, DWORD mask, DWORD delayMs)
{
    if (!m_pAccess)
        return FALSE;
    DWORD kept = 0;
    if (m_wiring.keepMask) {
        DWORD word = 0;
        if (m_pAccess->ReadGPIO(&word) != S_OK)
            return FALSE;
        kept = word & m_wiring.keepMask;
    }
    const DWORD idle = kept | m_wiring.idleWord;
    if (m_wiring.idleBefore && m_pAccess->WriteGPIO(idle, m_wiring.idleMask) != S_OK)
        return FALSE;
    if (m_pAccess->WriteGPIODelayed((value & ~m_wiring.keepMask) | kept, mask | m_wiring.keepMask,
                                    delayMs) != S_OK)
        return FALSE;
    return m_pAccess->WriteGPIO(idle, m_wiring.idleMask) == S_OK;
}

BOOL WaitGpioPattern(CCustomDataAccess* access, DWORD* out, DWORD mask, DWORD value, DWORD limitMs)
{
    if (!out)
        return FALSE;
    *out = 0;
    if (!access)
        return FALSE;
    const DWORD start = zunk::GetTickCount();
    bool seen = false;
    for (;;) {
        DWORD word = 0;
        if (access->ReadGPIO(&word) != S_OK)
            return FALSE;
        if ((word & mask) == value) {
            *out = word;
            seen = true;
        } else if (seen) {
            return TRUE;
        }
        if (zunk::GetTickCount() - start > limitMs)
            return FALSE;
        zunk::Sleep(kSamplePauseMs);
    }
}

BOOL CMcuLink::Read(DWORD* reply)
{
    // A reply stands while the ready bit reads low.
    return WaitGpioPattern(m_pAccess, reply, m_wiring.readyBit, 0, m_wiring.replyWaitMs);
}

BOOL CMcuLink::Ask(DWORD command, DWORD* reply)
{
    return Write(Word(command, m_wiring.commandTag), m_wiring.timerMask, m_wiring.commandDelayMs) &&
           Read(reply);
}

BOOL CMcuLink::GetTime(WORD* minutes)
{
    if (!m_pAccess || !minutes)
        return FALSE;
    *minutes = 0;
    DWORD reply = 0;
    if (!Ask(kReadHigh, &reply) || (reply & m_wiring.replyTagMask) != m_wiring.highTag)
        return FALSE;
    const DWORD high = m_wiring.unpack(reply) & 0xFF;
    zunk::Sleep(kReadGapMs);
    if (!Ask(kReadLow, &reply) || (reply & m_wiring.replyTagMask) != m_wiring.lowTag)
        return FALSE;
    *minutes = static_cast<WORD>((high << 8) | (m_wiring.unpack(reply) & 0xFF));
    return TRUE;
}

BOOL CMcuLink::SetTime(WORD minutes)
{
    if (!m_pAccess)
        return FALSE;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (!Write(Word(minutes >> 8, m_wiring.highTag), m_wiring.timerMask, m_wiring.highDelayMs)) {
            zunk::Sleep(kRetryPauseMs);
            continue;
        }
        zunk::Sleep(kByteGapMs);
        if (!Write(Word(minutes & 0xFF, m_wiring.lowTag), m_wiring.timerMask, m_wiring.lowDelayMs)) {
            zunk::Sleep(kRetryPauseMs);
            continue;
        }
        zunk::Sleep(kByteGapMs);
        // Only a read-back proves the controller holds the time.
        WORD held = 0;
        if (GetTime(&held) && held == minutes)
            return TRUE;
    }
    return FALSE;
}

BOOL CMcuLink::Enable(BOOL on)
{
    if (!m_pAccess)
        return FALSE;
    const DWORD ack = on ? kArmAck : kDisarmAck;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        DWORD reply = 0;
        if (Ask(on ? kArm : kDisarm, &reply) && (reply & m_wiring.ackZeroMask) == 0 &&
            (m_wiring.unpack(reply) & 0xFF) == ack)
            return TRUE;
        zunk::Sleep(kRetryPauseMs);
    }
    return FALSE;
}
