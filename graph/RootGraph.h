// CRootGraph: one DirectShow filter graph with its capture graph builder,
// control interfaces, run state and the list of filter wrappers it owns.
// The engine's hardware object holds one as a member. Every operation runs on
// the thread that called MakeGraph (the UI thread, a single-threaded COM
// apartment).
#pragma once
#include <windows.h>
#include <dshow.h>

#include <string>
#include <vector>

#include "graph/NameText.h"
#include "graph/RootFilter.h"

class CRootGraph
{
public:
    enum { kMaxDeviceNames = 64 };
    // EnumDeviceNames kinds.
    enum { kAudioInput = 0, kVideoInput = 1, kAudioCompressor = 2, kVideoCompressor = 3 };

    CRootGraph();
    virtual ~CRootGraph();

    BOOL MakeGraph();
    void DestroyGraph();
    BOOL IsMade() const { return m_bComInitialised; }

    // The layer's last failure text (MakeGraph's steps).
    static void ReportError(const char* format, ...);
    static std::string GetLastErrorText();
    static std::string GetVersion();

    // Run state: 0 stopped, 1 running, 2 paused.
    HRESULT SetState(int state);
    int GetState() const { return m_nState; }
    BOOL Run();
    BOOL Pause();
    BOOL Stop();
    // E_NOTIMPL where the graph has no IAMGraphStreams.
    HRESULT SyncUsingStreamOffset(BOOL use);

    // Filters. The list owns every wrapper added through these.
    CRootFilter* AddFilterByCLSID(const CLSID* clsid, const char* name);
    CRootFilter* AddFilterByName(const GUID* category, const char* friendlyName, const char* name,
                                 BOOL firstMatch, int deviceIndex);
    BOOL AddFilter(CRootFilter* filter);
    BOOL AddFilterToGraph(CRootFilter* filter);
    BOOL RemoveFilterFromGraph(CRootFilter* filter);
    BOOL RemoveFilterByName(const char* name);
    CRootFilter* FindFilterByName(const char* name) const;
    CRootFilter* FindFilter(IBaseFilter* filter) const;
    void DeleteFilter(CRootFilter* filter);
    void DeleteAllFilters();
    virtual void RemoveAllFilters();
    void AddExistingFilter(IBaseFilter* filter);
    BOOL WrapGraphFilters();
    static BOOL GetFilterClassID(IUnknown* object, CLSID* out);
    void RefreshPinLists();
    CRootFilter* GetFirstFilter() const { return m_pFilters; }

    // Connections.
    BOOL ConnectPins(CRootPin* out, CRootPin* in);
    BOOL ConnectFilters(CRootFilter* up, CRootFilter* down, const char* outPin, const char* inPin);
    HRESULT Render(CRootPin* pin);
    BOOL RenderEx(CRootPin* pin, DWORD flags);
    void DisconnectPin(CRootPin* pin);
    void DisconnectFilter(CRootFilter* filter);
    void DisconnectAll();
    // Disconnects one pin through the graph; "not connected" counts as done.
    // A refusal stops the graph and retries a few times. TRUE when done.
    BOOL DisconnectPinRetry(IPin* pin);

    // Devices: the FriendlyNames of one category (kinds above), at most 64,
    // taken from one listing (EnumDeviceNameList).
    char (*EnumDeviceNames(int kind, int* count))[zunk::kNameSize];
    static HRESULT EnumDeviceNameList(const GUID* category, std::vector<std::string>* out);
    // The table EnumDeviceNames answers, filled from a listing: its first
    // kMaxDeviceNames names, each cut to fit; NULL when the listing is empty.
    char (*FillDeviceNames(const std::vector<std::string>& names, int* count))[zunk::kNameSize];

    // Video window and events.
    HRESULT ShowVideoWindow(BOOL show);
    BOOL IsVideoWindowVisible();
    HRESULT SetVideoOwner(HWND owner);
    HRESULT SetMessageDrain(HWND drain);
    HRESULT SetVideoWindowStyle(long style);
    HRESULT SetVideoWindowPosition(long left, long top, long right, long bottom);
    HRESULT GetEvent(long* code, LONG_PTR* p1, LONG_PTR* p2, long timeout);
    HRESULT SetNotifyWindow(HWND wnd, long message, LONG_PTR instance);
    HRESULT SetRate(double rate);
    LONGLONG GetCurrentPosition();
    HRESULT SetCurrentPosition(LONGLONG position);
    LONGLONG GetDuration();

    // Read by the wrappers that work on the graph themselves and by the
    // engine (sync source, volume). No reference is added.
    ICaptureGraphBuilder2* GetBuilder() const { return m_pBuilder; }
    IGraphBuilder* GetGraph() const { return m_pGraph; }
    IMediaEventEx* GetEvents() const { return m_pEvents; }
    IMediaControl* GetControl() const { return m_pControl; }
    IVideoWindow* GetVideoWindow() const { return m_pVideoWindow; }
    IMediaSeeking* GetSeeking() const { return m_pSeeking; }
    IBasicVideo* GetBasicVideo() const { return m_pBasicVideo; }
    IBasicAudio* GetBasicAudio() const { return m_pBasicAudio; }
    IAMGraphStreams* GetGraphStreams() const { return m_pGraphStreams; }

protected:
    char m_szDeviceNames[kMaxDeviceNames][zunk::kNameSize];
    CRootFilter* m_pFilters;
    ICaptureGraphBuilder2* m_pBuilder;
    IGraphBuilder* m_pGraph;
    IMediaEventEx* m_pEvents;
    IMediaControl* m_pControl;
    IVideoWindow* m_pVideoWindow;
    IMediaSeeking* m_pSeeking;
    IBasicVideo* m_pBasicVideo;
    IBasicAudio* m_pBasicAudio;
    IAMGraphStreams* m_pGraphStreams;  // optional: some graphs lack it
    int m_nState;
    BOOL m_bComInitialised;

private:
    // The graph's clock with a reference of its own, or NULL.
    IReferenceClock* TakeSyncSource() const;
    CRootFilter* AddMadeFilter(CRootFilter* wrapper, const char* name);
    BOOL IsInList(CRootFilter* filter) const;
    CRootPin* FindPinWrapper(IPin* pin) const;
    void DisconnectPair(IPin* a, IPin* b);
    void DisconnectPinOnly(CRootPin* pin, std::vector<CRootFilter*>* touched);
    static void RefreshOwners(const std::vector<CRootFilter*>& touched);

    CRootGraph(const CRootGraph&) = delete;
    CRootGraph& operator=(const CRootGraph&) = delete;
};
