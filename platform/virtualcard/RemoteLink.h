// The shared memory through which a separate program presses a key of the
// virtual card's remote control. The card (inside whichever process runs
// it) creates the block; the key tool opens it, writes the key and bumps
// the press count; the card reads the count when the driver polls its GPIO
// pins and presents the key there. Every process that runs a card shares
// the one block: a press that names a process reaches only that process's
// card, so a test that presses keys on its own card leaves the cards of
// the programs and tests beside it alone. Any thread on either side.
#pragma once
#include <windows.h>

#include <cstdint>

namespace virtualcard {

const char* const kRemoteLinkName = "Local\\PellamarVirtualCardRemote";
const DWORD kRemoteLinkMagic = 0x4B524356;   // "VCRK"

#pragma pack(push, 4)
struct RemoteLinkBlock
{
    DWORD magic;
    volatile LONG presses;   // bumped after each key is written
    DWORD key;               // the key code, low byte
    DWORD holdMs;            // how long the key stays down
    DWORD process;           // the process whose card the key is for; 0: every card
};
#pragma pack(pop)
static_assert(sizeof(RemoteLinkBlock) == 20, "the block both sides map");

// The card's side.
class CRemoteLink
{
public:
    CRemoteLink();
    ~CRemoteLink();

    bool IsOpen() const { return m_pBlock != NULL; }
    // True once for every press since the last call that is for this
    // process's card; *key and *holdMs are the latest press (earlier ones
    // not yet seen are dropped, and so is a latest one for another card).
    bool TakePress(uint8_t* key, DWORD* holdMs);

private:
    HANDLE m_hMapping;
    RemoteLinkBlock* m_pBlock;
    LONG m_lSeen;

    CRemoteLink(const CRemoteLink&) = delete;
    CRemoteLink& operator=(const CRemoteLink&) = delete;
};

// The tool's side: presses `key` on the card of `process`, or on every
// running card for 0. False when no card is running.
bool PressRemoteKey(uint8_t key, DWORD holdMs, DWORD process);

} // namespace virtualcard
