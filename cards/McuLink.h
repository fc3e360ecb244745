// CMcuLink: the link to a card's on-card microcontroller over the capture
// chip's GPIO lines, and the power-on timer it keeps. One mechanism for
// every card family; each wiring is a McuWiring row saying where the byte,
// the tags, the strobe and the ready line sit and how long each write
// holds. A card filter makes a link over its access object for one call;
// the link owns nothing. Runs on the caller's thread.
#pragma once
#include "hw/access/CustomDataAccess.h"

struct McuWiring
{
    // Byte to its GPIO lines and back.
    DWORD (*pack)(DWORD byte);
    DWORD (*unpack)(DWORD word);
    // Tags of a written word; a reply carries the same tags.
    DWORD commandTag;
    DWORD highTag;       // high byte of the timer
    DWORD lowTag;        // low byte of the timer
    DWORD replyTagMask;  // the tag field of a reply
    DWORD timerMask;     // write mask of every controller word
    DWORD highDelayMs, lowDelayMs, commandDelayMs;  // strobe times
    // The strobe: the idle word (with the kept bits) on the idle mask.
    DWORD idleWord;
    DWORD idleMask;
    DWORD keepMask;      // pins read first and kept (the audio multiplexer)
    bool idleBefore;     // the idle word also goes out before the data word
    // The reply: valid while the ready bit reads low, within the limit.
    DWORD readyBit;
    DWORD replyWaitMs;
    DWORD ackZeroMask;   // bits that must read 0 in an arm/disarm reply
};

// Byte on bits 0-7, tags on bits 19-20 (SAA713x cards with the base
// wiring, the Delvin and Delvor cards).
extern const McuWiring kMcuBaseWiring;
// As the base wiring, without the idle word before the data and with the
// Hesk controller's slower strobe and reply.
extern const McuWiring kMcuHeskWiring;
// Byte packed by PackMcuByte, tags on bits 9-10 (the IO, Cadrox cards).
extern const McuWiring kMcuIoWiring;
// The IO layout with the audio multiplexer bits kept (the PIP card).
extern const McuWiring kMcuPipWiring;
// The IO tags and strobe with the byte on bits 16-23 (the CX2388x cards
// with a controller; their boot-card access keeps the audio bits itself).
extern const McuWiring kMcuCx2388xWiring;

// The IO layout's byte: bits 0-4 on GPIO bits 19-23, bits 5-7 on 25-27
// (bit 24 is skipped); toGpio FALSE takes them back.
DWORD PackMcuByte(DWORD value, BOOL toGpio);

// Samples the GPIO word 1 ms apart until (word & mask) == value has been
// seen and has ended again; *out is the last matching sample. FALSE when
// that takes more than limitMs or a read fails.
BOOL WaitGpioPattern(CCustomDataAccess* access, DWORD* out, DWORD mask, DWORD value, DWORD limitMs);

class CMcuLink
{
public:
    // Controller commands and their acknowledges.
    static const DWORD kReadHigh = 0x01;
    static const DWORD kReadLow = 0x10;
    static const DWORD kArm = 0x33;
    static const DWORD kDisarm = 0x11;
    static const DWORD kArmAck = 0xCA;
    static const DWORD kDisarmAck = 0xBA;
    static const int kTries = 5;

    CMcuLink(CCustomDataAccess* access, const McuWiring& wiring)
        : m_pAccess(access), m_wiring(wiring) {}

    // One word to the controller: idle word, `value` on `mask` held for
    // `delayMs`, idle word. FALSE without an access object or on a failed
    // GPIO call.
    BOOL Write(DWORD value, DWORD mask, DWORD delayMs);
    // The last GPIO word read while the ready bit was low, once it has
    // gone high again; FALSE after the wait limit or on a failed read.
    BOOL Read(DWORD* reply);

    // The power-on timer, in minutes. Set writes the two bytes and reads
    // them back, up to five times.
    BOOL SetTime(WORD minutes);
    BOOL GetTime(WORD* minutes);
    BOOL Enable(BOOL on);

private:
    DWORD Word(DWORD byte, DWORD tag) const { return m_wiring.pack(byte) | tag; }
    BOOL Ask(DWORD command, DWORD* reply);

    CCustomDataAccess* m_pAccess;  // the card filter's
    const McuWiring& m_wiring;
};
