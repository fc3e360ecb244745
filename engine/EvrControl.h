// CEvrControl: the enhanced video renderer's side of the preview - its
// display control (the video window, the destination rectangle, repaints)
// and, on Wine, the guard around its mixer. Wine 8's mixer crashes when the
// renderer clears its input type on a disconnection, and frees its output
// types twice on the next connection or at its end; so there the renderer
// gets the system's mixer behind a guard that lets the clearing pass by
// (the next connection sets a new type anyway). Owned by the hardware
// object; UI thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"

#include <windows.h>
#include <evr.h>

class CEvrControl
{
public:
    // A renderer just made, before its first connection. FALSE when it
    // keeps its own mixer (on Windows always; on Wine when the guard could
    // not be put in place).
    BOOL Attach(CRootFilter* renderer);
    // Forgets the renderer (the graph deletes it).
    void Detach();

    BOOL GetDisplayControl(ComPtr<IMFVideoDisplayControl>& display) const;

    // The system is Wine (its ntdll answers wine_get_version).
    static BOOL IsWine();

private:
    CRootFilter* m_pRenderer = NULL;  // in the graph's list, not owned
};
