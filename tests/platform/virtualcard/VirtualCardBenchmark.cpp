// Benchmark, not a test: the cost of the virtual card's preview at
// 720x576 YUY2 and the regularity of its frames. Run it by hand in a
// prefix where the card is registered:
//   build/win64/wine-exec build/win64/tests/platform/virtualcard/virtualcard_benchmark.exe [seconds]
// It prints the process CPU time per second of preview (card into a sink
// that does nothing, then into the Video Renderer), the spread of the frame
// arrival intervals, and the generator's cost per frame on its own.
#include "platform/dshow/BaseFilter.h"
#include "platform/dshow/ComPtr.h"
#include "platform/dshow/VideoFormat.h"
#include "platform/dshow/InputPin.h"
#include "platform/virtualcard/PictureGenerator.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <control.h>
#include <uuids.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

using dshow::ComPtr;

namespace {

// {9E4C2A71-0B3D-4E55-8F17-2C6A9B0D3E41}
const CLSID CLSID_ArrivalSink = {0x9e4c2a71, 0x0b3d, 0x4e55, {0x8f, 0x17, 0x2c, 0x6a, 0x9b, 0x0d, 0x3e, 0x41}};

// Notes when each frame arrives, and nothing else.
class ArrivalSink : public dshow::CBaseFilter
{
public:
    ArrivalSink() : CBaseFilter(CLSID_ArrivalSink, L"Arrivals"), m_pin(this) { m_arrivals.reserve(4096); }
    int GetPinCount() override { return 1; }
    dshow::CBasePin* GetPin(int index) override { return index == 0 ? &m_pin : NULL; }
    std::vector<LONGLONG> m_arrivals;   // performance-counter ticks; one writer

private:
    class Pin : public dshow::CBaseInputPin
    {
    public:
        explicit Pin(ArrivalSink* sink) : CBaseInputPin(sink, L"In"), m_pSink(sink) {}
        HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override
        {
            return mt->subtype == MEDIASUBTYPE_YUY2 ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
        }

    protected:
        HRESULT OnReceive(IMediaSample*) override
        {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            if (m_pSink->m_arrivals.size() < m_pSink->m_arrivals.capacity())
                m_pSink->m_arrivals.push_back(now.QuadPart);
            return S_OK;
        }

    private:
        ArrivalSink* m_pSink;
    };
    Pin m_pin;
};

double CpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return static_cast<double>(k.QuadPart + u.QuadPart) / 1e7;
}

HRESULT BindCapture(IBaseFilter** filter)
{
    return CoCreateInstance(virtualcard::CLSID_VirtualCardCapture, NULL, CLSCTX_INPROC_SERVER,
                            IID_IBaseFilter, reinterpret_cast<void**>(filter));
}

// Runs the graph for `seconds` while pumping messages; returns CPU s per s.
double RunAndMeasure(IMediaControl* control, double seconds)
{
    control->Run();
    // Let start-up (thread creation, renderer window) settle first.
    Sleep(500);
    double cpu0 = CpuSeconds();
    DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(seconds * 1000)) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
    }
    double cpu = CpuSeconds() - cpu0;
    double wall = (GetTickCount() - start) / 1000.0;
    control->Stop();
    return cpu / wall;
}

int Sink(double seconds)
{
    ComPtr<IGraphBuilder> graph;
    ComPtr<IBaseFilter> capture;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph.ReceiveVoid())) ||
        FAILED(BindCapture(capture.Receive()))) {
        fprintf(stderr, "the virtual card is not registered\n");
        return 1;
    }
    ArrivalSink* sink = new ArrivalSink();
    graph->AddFilter(capture.Get(), L"Capture");
    graph->AddFilter(sink, L"Sink");
    ComPtr<IPin> preview;
    capture->FindPin(L"Preview", preview.Receive());
    if (FAILED(graph->ConnectDirect(preview.Get(), sink->GetPin(0), NULL))) {
        fprintf(stderr, "could not connect the preview pin\n");
        return 1;
    }
    ComPtr<IMediaControl> control;
    control.QueryFrom(graph.Get(), IID_IMediaControl);
    double cpuPerSecond = RunAndMeasure(control.Get(), seconds);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> intervals;
    for (size_t i = 1; i < sink->m_arrivals.size(); ++i)
        intervals.push_back((sink->m_arrivals[i] - sink->m_arrivals[i - 1]) * 1000.0 / frequency.QuadPart);
    double mean = 0, deviation = 0, worst = 0;
    for (double v : intervals)
        mean += v;
    mean /= intervals.empty() ? 1 : intervals.size();
    for (double v : intervals) {
        deviation += (v - 40.0) * (v - 40.0);
        worst = std::max(worst, std::fabs(v - 40.0));
    }
    deviation = std::sqrt(deviation / (intervals.empty() ? 1 : intervals.size()));
    printf("preview 720x576 YUY2 into a null sink: %.1f ms CPU per second (%.1f%% of one core)\n",
           cpuPerSecond * 1000, cpuPerSecond * 100);
    printf("frame intervals: %zu frames, mean %.3f ms, rms deviation from 40 ms %.3f ms, worst %.3f ms\n",
           sink->m_arrivals.size(), mean, deviation, worst);
    graph.Reset();
    sink->Release();
    return 0;
}

int Renderer(double seconds)
{
    ComPtr<IGraphBuilder> graph;
    ComPtr<IBaseFilter> capture;
    ComPtr<ICaptureGraphBuilder2> builder;
    CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.ReceiveVoid());
    CoCreateInstance(CLSID_CaptureGraphBuilder2, NULL, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                     builder.ReceiveVoid());
    if (!graph || !builder || FAILED(BindCapture(capture.Receive())))
        return 1;
    builder->SetFiltergraph(graph.Get());
    graph->AddFilter(capture.Get(), L"Capture");
    ComPtr<IBaseFilter> renderer;
    CoCreateInstance(CLSID_VideoRenderer, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter, renderer.ReceiveVoid());
    graph->AddFilter(renderer.Get(), L"Renderer");
    if (FAILED(builder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, capture.Get(), NULL,
                                     renderer.Get()))) {
        fprintf(stderr, "could not render the preview pin\n");
        return 1;
    }
    ComPtr<IMediaControl> control;
    control.QueryFrom(graph.Get(), IID_IMediaControl);
    double cpuPerSecond = RunAndMeasure(control.Get(), seconds);
    printf("preview 720x576 into the Video Renderer (with any converter the graph added): %.1f ms CPU "
           "per second (%.1f%% of one core)\n",
           cpuPerSecond * 1000, cpuPerSecond * 100);
    return 0;
}

void Generator()
{
    virtualcard::CPictureGenerator generator;
    BITMAPINFOHEADER bmi = {sizeof(BITMAPINFOHEADER), 720, 576, 1, 16, MAKEFOURCC('Y', 'U', 'Y', '2'), 0, 0, 0, 0, 0};
    std::vector<BYTE> frame(720 * 576 * 2);
    const struct { const char* what; bool locked; long sharpness; } cases[] = {
        {"test picture", true, 0}, {"test picture, sharpness 15", true, 15}, {"snow", false, 0}};
    for (const auto& c : cases) {
        virtualcard::PictureState state;
        state.tuned = true;
        state.kHz = 175250;
        state.locked = c.locked;
        state.sharpness = c.sharpness;
        state.standard = AnalogVideo_PAL_B;
        const int frames = 250;
        double cpu0 = CpuSeconds();
        for (int i = 0; i < frames; ++i)
            generator.Render(state, i * 400000LL, 400000, bmi, frame.data(), frame.size());
        double cpu = CpuSeconds() - cpu0;
        printf("generator alone, %s: %.2f ms CPU per 720x576 YUY2 frame\n", c.what, cpu * 1000 / frames);
    }
}

// The stand-in's YUY2 to RGB32 conversion, one pixel at a time and eight
// at a time, on the same frames in the same run.
void Conversion()
{
    const int width = 720, height = 576, frames = 250;
    std::vector<BYTE> yuy2(static_cast<size_t>(width) * height * 2);
    for (size_t i = 0; i < yuy2.size(); ++i)
        yuy2[i] = static_cast<BYTE>(i * 7 + (i >> 9));
    std::vector<BYTE> rgb(static_cast<size_t>(width) * height * 4);
    const struct { const char* what; bool vector; } forms[] = {{"one pixel at a time", false}, {"vectorised", true}};
    for (const auto& form : forms) {
        double cpu0 = CpuSeconds();
        for (int i = 0; i < frames; ++i) {
            if (form.vector)
                dshow::Yuy2ToRgb(yuy2.data(), width, height, rgb.data(), 4, false);
            else
                dshow::Yuy2ToRgbScalar(yuy2.data(), width, height, rgb.data(), 4, false);
        }
        double cpu = CpuSeconds() - cpu0;
        printf("YUY2 to RGB32, %s: %.3f ms CPU per 720x576 frame, %.1f ms per second at 25 frames\n", form.what,
               cpu * 1000 / frames, cpu * 1000 / frames * 25);
    }
}

} // namespace

int main(int argc, char** argv)
{
    double seconds = argc > 1 ? atof(argv[1]) : 10;
    if (seconds < 1 || seconds > 600)
        seconds = 10;
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    Generator();
    Conversion();
    int result = Sink(seconds);
    if (result == 0)
        result = Renderer(seconds);
    CoUninitialize();
    return result;
}
