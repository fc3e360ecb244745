// CChannel: one TV or FM channel — the number the user sees, the
// picture-carrier (or station) frequency in kHz, the name and the flags.
// Owned by its CChannelTable; UI thread.
#pragma once
#include "platform/mfc/String.h"

const DWORD CHANNEL_VALID = 0x1;
const DWORD CHANNEL_FAVOR = 0x2;  // member of the favourites
const DWORD CHANNEL_HIDDEN = 0x4; // skipped by stepping and counting

class CChannel
{
public:
    CChannel() : ID(0), Frequency(0), Flags(CHANNEL_VALID) {}
    CChannel(long id, long frequency, LPCSTR name, DWORD flags)
        : ID(id), Frequency(frequency), Name(name), Flags(flags) {}
    virtual ~CChannel() {}
    CChannel(const CChannel&) = default;
    CChannel& operator=(const CChannel&) = default;

    void SetFavor(BOOL favor) { Flags = favor ? (Flags | CHANNEL_FAVOR) : (Flags & ~CHANNEL_FAVOR); }
    void SetHidden(BOOL hidden) { Flags = hidden ? (Flags | CHANNEL_HIDDEN) : (Flags & ~CHANNEL_HIDDEN); }
    BOOL IsFavor() const { return (Flags & CHANNEL_FAVOR) != 0; }
    BOOL IsHidden() const { return (Flags & CHANNEL_HIDDEN) != 0; }
    BOOL IsVisible() const { return !IsHidden(); }

    // One line of a channel file: ID, Flags and Frequency separated by
    // commas, tabs or blanks, then the name (the rest of the line from its
    // fourth token, blanks and commas included). TRUE when the line has four
    // tokens, ID > 0 and Frequency >= 1; the channel is unchanged otherwise.
    BOOL ParseLine(LPCSTR line);

    long ID;
    long Frequency; // kHz
    CString Name;
    DWORD Flags;
};
