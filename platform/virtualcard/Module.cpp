// Entry points of VirtualCard.dll, the in-process COM server of the virtual
// capture card. regsvr32 registers the capture filter, the crossbar and the
// audio capture device under the WDM driver's names, and the capture
// filter, crossbar and TV audio
// filter under the BDA driver's names, in their device categories; the
// program itself never registers it.
#include "platform/dshow/ClassFactory.h"
#include "platform/virtualcard/AudioCaptureFilter.h"
#include "platform/virtualcard/CaptureFilter.h"
#include "platform/virtualcard/Crossbar.h"
#include "platform/virtualcard/TVAudioFilter.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <uuids.h>

namespace {

HMODULE g_module = NULL;

const dshow::FactoryRecord kFactories[] = {
    {&virtualcard::CLSID_VirtualCardCapture, &virtualcard::CCaptureFilter::Create},
    {&virtualcard::CLSID_VirtualCardCrossbar, &virtualcard::CCrossbar::Create},
    {&virtualcard::CLSID_VirtualCardAudioCapture, &virtualcard::CAudioCaptureFilter::Create},
    {&virtualcard::CLSID_VirtualCardBdaCapture, &virtualcard::CCaptureFilter::CreateBda},
    {&virtualcard::CLSID_VirtualCardBdaCrossbar, &virtualcard::CCrossbar::CreateBda},
    {&virtualcard::CLSID_VirtualCardBdaTVAudio, &virtualcard::CTVAudioFilter::Create},
};
const size_t kFactoryCount = sizeof(kFactories) / sizeof(kFactories[0]);
// The records from here on belong to the BDA driver.
const size_t kFirstBdaFactory = 3;

struct Registration
{
    const CLSID* clsid;
    const wchar_t* name;
    const GUID* category;
};
const Registration kRegistrations[] = {
    {&virtualcard::CLSID_VirtualCardCapture, virtualcard::kCaptureName, &CLSID_VideoInputDeviceCategory},
    {&virtualcard::CLSID_VirtualCardCrossbar, virtualcard::kCrossbarName, &virtualcard::kCategoryCrossbar},
    {&virtualcard::CLSID_VirtualCardAudioCapture, virtualcard::kAudioCaptureName, &CLSID_AudioInputDeviceCategory},
    {&virtualcard::CLSID_VirtualCardBdaCapture, virtualcard::kBdaCaptureName, &CLSID_VideoInputDeviceCategory},
    {&virtualcard::CLSID_VirtualCardBdaCrossbar, virtualcard::kBdaCrossbarName, &virtualcard::kCategoryCrossbar},
    {&virtualcard::CLSID_VirtualCardBdaTVAudio, virtualcard::kBdaTVAudioName, &virtualcard::kCategoryTVAudio},
};

// Registration runs on regsvr32's thread, which need not have COM yet.
class ComScope
{
public:
    ComScope() : m_hr(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }

private:
    HRESULT m_hr;
};

HRESULT Unregister()
{
    ComScope com;
    HRESULT result = S_OK;
    for (const Registration& r : kRegistrations) {
        dshow::UnregisterFilterFromCategory(*r.clsid, r.name, *r.category);
        HRESULT hr = dshow::UnregisterInprocServer(*r.clsid);
        if (FAILED(hr) && SUCCEEDED(result))
            result = hr;
    }
    return result;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid,
                                                                         void** out)
{
    // A process told to run with the WDM driver only finds no BDA classes.
    const bool wdmOnly = GetEnvironmentVariableA(virtualcard::kWdmOnlyVariable, NULL, 0) != 0;
    return dshow::GetClassObject(kFactories, wdmOnly ? kFirstBdaFactory : kFactoryCount, clsid, iid,
                                 out);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return dshow::CanUnloadNow();
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer()
{
    ComScope com;
    for (const Registration& r : kRegistrations) {
        HRESULT hr = dshow::RegisterInprocServer(g_module, *r.clsid, r.name);
        if (SUCCEEDED(hr)) {
            REGFILTER2 info = {};
            info.dwVersion = 1;
            info.dwMerit = MERIT_DO_NOT_USE;
            info.cPins = 0;
            info.rgPins = NULL;
            hr = dshow::RegisterFilterInCategory(*r.clsid, r.name, *r.category, info);
        }
        if (FAILED(hr)) {
            Unregister();
            return hr;
        }
    }
    return S_OK;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    return Unregister();
}
