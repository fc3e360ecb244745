#include "engine/EvrControl.h"

#include "graph/ComObject.h"
#include "graph/Guids.h"

#include <mftransform.h>

#include <new>

namespace {

// The system's mixer with every call passed on, except the clearing of the
// input type, which is answered as done.
class CMixerGuard final : public ComObject<IMFTransform>
{
public:
    explicit CMixerGuard(IMFTransform* mixer) : m_mixer(mixer) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        using Row = ComInterface<CMixerGuard>;
        static constexpr Row kRows[] = {
            Row::Via<IMFTransform>(IID_IUnknown),
            Row::Via<IMFTransform>(IID_IMFTransform),
        };
        // The mixer's other faces (device id, service client, controls)
        // are its own.
        return QueryInterfaceTable(this, kRows, iid, out, [&] { return m_mixer->QueryInterface(iid, out); });
    }

    STDMETHODIMP SetInputType(DWORD id, IMFMediaType* type, DWORD flags) override
    {
        if (!type && !(flags & MFT_SET_TYPE_TEST_ONLY))
            return S_OK;
        return m_mixer->SetInputType(id, type, flags);
    }

    STDMETHODIMP GetStreamLimits(DWORD* a, DWORD* b, DWORD* c, DWORD* d) override
    {
        return m_mixer->GetStreamLimits(a, b, c, d);
    }
    STDMETHODIMP GetStreamCount(DWORD* inputs, DWORD* outputs) override
    {
        return m_mixer->GetStreamCount(inputs, outputs);
    }
    STDMETHODIMP GetStreamIDs(DWORD inputSize, DWORD* inputs, DWORD outputSize, DWORD* outputs) override
    {
        return m_mixer->GetStreamIDs(inputSize, inputs, outputSize, outputs);
    }
    STDMETHODIMP GetInputStreamInfo(DWORD id, MFT_INPUT_STREAM_INFO* info) override
    {
        return m_mixer->GetInputStreamInfo(id, info);
    }
    STDMETHODIMP GetOutputStreamInfo(DWORD id, MFT_OUTPUT_STREAM_INFO* info) override
    {
        return m_mixer->GetOutputStreamInfo(id, info);
    }
    STDMETHODIMP GetAttributes(IMFAttributes** attributes) override { return m_mixer->GetAttributes(attributes); }
    STDMETHODIMP GetInputStreamAttributes(DWORD id, IMFAttributes** attributes) override
    {
        return m_mixer->GetInputStreamAttributes(id, attributes);
    }
    STDMETHODIMP GetOutputStreamAttributes(DWORD id, IMFAttributes** attributes) override
    {
        return m_mixer->GetOutputStreamAttributes(id, attributes);
    }
    STDMETHODIMP DeleteInputStream(DWORD id) override { return m_mixer->DeleteInputStream(id); }
    STDMETHODIMP AddInputStreams(DWORD count, DWORD* ids) override { return m_mixer->AddInputStreams(count, ids); }
    STDMETHODIMP GetInputAvailableType(DWORD id, DWORD index, IMFMediaType** type) override
    {
        return m_mixer->GetInputAvailableType(id, index, type);
    }
    STDMETHODIMP GetOutputAvailableType(DWORD id, DWORD index, IMFMediaType** type) override
    {
        return m_mixer->GetOutputAvailableType(id, index, type);
    }
    STDMETHODIMP SetOutputType(DWORD id, IMFMediaType* type, DWORD flags) override
    {
        return m_mixer->SetOutputType(id, type, flags);
    }
    STDMETHODIMP GetInputCurrentType(DWORD id, IMFMediaType** type) override
    {
        return m_mixer->GetInputCurrentType(id, type);
    }
    STDMETHODIMP GetOutputCurrentType(DWORD id, IMFMediaType** type) override
    {
        return m_mixer->GetOutputCurrentType(id, type);
    }
    STDMETHODIMP GetInputStatus(DWORD id, DWORD* flags) override { return m_mixer->GetInputStatus(id, flags); }
    STDMETHODIMP GetOutputStatus(DWORD* flags) override { return m_mixer->GetOutputStatus(flags); }
    STDMETHODIMP SetOutputBounds(LONGLONG lower, LONGLONG upper) override
    {
        return m_mixer->SetOutputBounds(lower, upper);
    }
    STDMETHODIMP ProcessEvent(DWORD id, IMFMediaEvent* event) override { return m_mixer->ProcessEvent(id, event); }
    STDMETHODIMP ProcessMessage(MFT_MESSAGE_TYPE message, ULONG_PTR param) override
    {
        return m_mixer->ProcessMessage(message, param);
    }
    STDMETHODIMP ProcessInput(DWORD id, IMFSample* sample, DWORD flags) override
    {
        return m_mixer->ProcessInput(id, sample, flags);
    }
    STDMETHODIMP ProcessOutput(DWORD flags, DWORD count, MFT_OUTPUT_DATA_BUFFER* samples, DWORD* status) override
    {
        return m_mixer->ProcessOutput(flags, count, samples, status);
    }

private:
    ~CMixerGuard() override = default;
    ComPtr<IMFTransform> m_mixer;
};

DWORD WINAPI EndPresenterStreaming(void* presenter)
{
    static_cast<IMFVideoPresenter*>(presenter)->ProcessMessage(MFVP_MESSAGE_ENDSTREAMING, 0);
    return 0;
}

} // namespace

BOOL CEvrControl::Attach(CRootFilter* renderer)
{
    Detach();
    if (!renderer || !renderer->GetFilter())
        return FALSE;
    m_pRenderer = renderer;
    if (!IsWine())
        return FALSE;
    ComPtr<IMFVideoRenderer> video;
    ComPtr<IMFTransform> mixer;
    if (FAILED(renderer->GetFilter()->QueryInterface(IID_IMFVideoRenderer, video.ReceiveVoid())) ||
        FAILED(::CoCreateInstance(CLSID_MFVideoMixer9, NULL, CLSCTX_INPROC_SERVER, IID_IMFTransform,
                                  mixer.ReceiveVoid())))
        return FALSE;
    CMixerGuard* guard = new (std::nothrow) CMixerGuard(mixer.Get());
    if (!guard)
        return FALSE;
    const HRESULT hr = video->InitializeRenderer(guard, NULL);
    guard->Release();
    return SUCCEEDED(hr);
}

void CEvrControl::Detach()
{
    m_pRenderer = NULL;
}

void CEvrControl::EndStreaming() const
{
    ComPtr<IMFVideoDisplayControl> display;
    ComPtr<IMFVideoPresenter> presenter;
    if (!IsWine() || !GetDisplayControl(display) ||
        FAILED(display->QueryInterface(IID_IMFVideoPresenter, presenter.ReceiveVoid())))
        return;
    // The presenter waits for its thread, and that thread may be presenting
    // into the video window, whose messages this thread answers: the end is
    // asked from a helper thread while this one goes on answering the
    // messages sent to its windows (posted ones wait, so nothing re-enters).
    HANDLE helper = ::CreateThread(NULL, 0, &EndPresenterStreaming, presenter.Get(), 0, NULL);
    if (!helper) {
        presenter->ProcessMessage(MFVP_MESSAGE_ENDSTREAMING, 0);
        return;
    }
    while (::MsgWaitForMultipleObjects(1, &helper, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    ::CloseHandle(helper);
}

BOOL CEvrControl::GetDisplayControl(ComPtr<IMFVideoDisplayControl>& display) const
{
    if (!m_pRenderer || !m_pRenderer->GetFilter())
        return FALSE;
    ComPtr<IMFGetService> service;
    if (FAILED(m_pRenderer->GetFilter()->QueryInterface(IID_IMFGetService, service.ReceiveVoid())) || !service)
        return FALSE;
    return SUCCEEDED(service->GetService(MR_VIDEO_RENDER_SERVICE, IID_IMFVideoDisplayControl,
                                         display.ReceiveVoid())) &&
           display;
}

RECT CEvrControl::RendererDestination(const RECT& destination, SIZE picture, BOOL wine)
{
    if (!wine || picture.cx <= 0 || picture.cy <= 0)
        return destination;
    const RECT own = {0, 0, picture.cx, picture.cy};
    return own;
}

BOOL CEvrControl::SetVideoPosition(const RECT& destination, SIZE capture) const
{
    ComPtr<IMFVideoDisplayControl> display;
    if (!GetDisplayControl(display))
        return FALSE;
    SIZE picture = {0, 0};
    if (FAILED(display->GetNativeVideoSize(&picture, NULL)) || picture.cx <= 0 || picture.cy <= 0)
        picture = capture;
    RECT given = RendererDestination(destination, picture, IsWine());
    return SUCCEEDED(display->SetVideoPosition(NULL, &given));
}

BOOL CEvrControl::IsWine()
{
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != NULL;
}
