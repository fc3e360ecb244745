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
    // Before the renderer goes, with the graph stopped: its presenter's
    // streaming ended. Wine's renderer never ends it on a stop (it asks
    // its mixer for the end of stream first, which Wine's mixer refuses),
    // and the presenter's streaming thread then keeps the presenter, its
    // Direct3D device, the device's thread and window alive for good: one
    // more of each with every graph. Ending it on the renderer's own stop
    // instead would race the upstream thread, which still delivers then.
    void EndStreaming() const;

    BOOL GetDisplayControl(ComPtr<IMFVideoDisplayControl>& display) const;

    // Hands the renderer its destination in the video window. Wine's
    // renderer fits the picture into a surface of the destination's size,
    // keeping the picture's shape whatever the aspect mode says, and then
    // stretches that surface over the whole window wherever the destination
    // lies: there the destination takes the picture's own size (`capture`
    // until the renderer knows it), so nothing is letterboxed and the
    // picture fills the window.
    BOOL SetVideoPosition(const RECT& destination, SIZE capture) const;
    // The destination the renderer is given for `destination` and the
    // picture's size on this system.
    static RECT RendererDestination(const RECT& destination, SIZE picture, BOOL wine);

    // The system is Wine (its ntdll answers wine_get_version).
    static BOOL IsWine();

private:
    CRootFilter* m_pRenderer = NULL;  // in the graph's list, not owned
};
