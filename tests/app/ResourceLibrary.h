// The main resource library as the current resource handle for a test's
// lifetime: dialog templates, pictures and texts come from it. Test thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class ResourceLibrary
{
public:
    ResourceLibrary() : m_saved(AfxGetResourceHandle()), m_library(::LoadLibraryA("Mavrel.dll"))
    {
        if (m_library != NULL)
            AfxSetResourceHandle(m_library);
    }
    ~ResourceLibrary()
    {
        AfxSetResourceHandle(m_saved);
        if (m_library != NULL)
            ::FreeLibrary(m_library);
    }
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;
    bool Loaded() const { return m_library != NULL; }

private:
    HINSTANCE m_saved;
    HMODULE m_library;
};
