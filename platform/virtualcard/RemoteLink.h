// The shared memory through which a separate program presses a key of the
// virtual card's remote control. The card (inside whichever process runs
// it) creates the block; the key tool opens it, writes the key and bumps
// the press count; the card reads the count when the driver polls its GPIO
// pins and presents the key there. Any thread on either side.
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
};
#pragma pack(pop)
static_assert(sizeof(RemoteLinkBlock) == 16, "the block both sides map");

// The card's side.
class CRemoteLink
{
public:
    CRemoteLink();
    ~CRemoteLink();

    bool IsOpen() const { return m_pBlock != NULL; }
    // True once for every press since the last call; *key and *holdMs are
    // the latest press (earlier ones not yet seen are dropped).
    bool TakePress(uint8_t* key, DWORD* holdMs);

private:
    HANDLE m_hMapping;
    RemoteLinkBlock* m_pBlock;
    LONG m_lSeen;

    CRemoteLink(const CRemoteLink&) = delete;
    CRemoteLink& operator=(const CRemoteLink&) = delete;
};

// The tool's side: presses `key` on the running card. False when no card
// is running.
bool PressRemoteKey(uint8_t key, DWORD holdMs);

} // namespace virtualcard
