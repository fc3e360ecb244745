#include "platform/virtualcard/RemoteLink.h"

namespace virtualcard {

CRemoteLink::CRemoteLink() : m_hMapping(NULL), m_pBlock(NULL), m_lSeen(0)
{
    m_hMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0,
                                    sizeof(RemoteLinkBlock), kRemoteLinkName);
    if (!m_hMapping)
        return;
    bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    m_pBlock = static_cast<RemoteLinkBlock*>(
        MapViewOfFile(m_hMapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(RemoteLinkBlock)));
    if (!m_pBlock) {
        CloseHandle(m_hMapping);
        m_hMapping = NULL;
        return;
    }
    if (!existed)
        m_pBlock->magic = kRemoteLinkMagic;
    // Presses made before we started are not ours to replay.
    m_lSeen = InterlockedCompareExchange(&m_pBlock->presses, 0, 0);
}

CRemoteLink::~CRemoteLink()
{
    if (m_pBlock)
        UnmapViewOfFile(m_pBlock);
    if (m_hMapping)
        CloseHandle(m_hMapping);
}

bool CRemoteLink::TakePress(uint8_t* key, DWORD* holdMs)
{
    if (!m_pBlock || m_pBlock->magic != kRemoteLinkMagic)
        return false;
    LONG presses = InterlockedCompareExchange(&m_pBlock->presses, 0, 0);
    if (presses == m_lSeen)
        return false;
    m_lSeen = presses;
    const DWORD process = m_pBlock->process;
    if (process != 0 && process != GetCurrentProcessId())
        return false;
    *key = static_cast<uint8_t>(m_pBlock->key & 0xFF);
    DWORD hold = m_pBlock->holdMs;
    // A hold beyond a few seconds is a mistake of the caller, not a key.
    *holdMs = hold == 0 ? 200 : hold > 5000 ? 5000 : hold;
    return true;
}

bool PressRemoteKey(uint8_t key, DWORD holdMs, DWORD process)
{
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kRemoteLinkName);
    if (!mapping)
        return false;
    RemoteLinkBlock* block = static_cast<RemoteLinkBlock*>(
        MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(RemoteLinkBlock)));
    bool done = false;
    if (block && block->magic == kRemoteLinkMagic) {
        block->key = key;
        block->holdMs = holdMs;
        block->process = process;
        // The interlocked bump orders the writes above before it.
        InterlockedIncrement(&block->presses);
        done = true;
    }
    if (block)
        UnmapViewOfFile(block);
    CloseHandle(mapping);
    return done;
}

} // namespace virtualcard
