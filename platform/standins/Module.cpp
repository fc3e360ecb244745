// Entry points of Standins.dll, the in-process COM server of the stand-ins
// for helper filters a Wine machine lacks: the deinterlace filter, the AV
// switch, the dump sink and the infinite pin tee, each under the class id
// the program creates; and a file writer a multiplexer can write through
// and an AVI multiplexer that takes sound, under class ids of their own
// for the tests to choose. regsvr32 registers it in the test and run Wine
// prefixes only; the program never registers it.
#include "graph/Guids.h"
#include "platform/dshow/ClassFactory.h"
#include "platform/standins/AVSwitchStandin.h"
#include "platform/standins/AviMuxStandin.h"
#include "platform/standins/DeinterlaceStandin.h"
#include "platform/standins/DumpStandin.h"
#include "platform/standins/InfTeeStandin.h"
#include "platform/standins/StreamWriterStandin.h"

#include <uuids.h>

namespace {

HMODULE g_module = NULL;

struct Standin
{
    dshow::FactoryRecord factory;
    const wchar_t* name;
};
const Standin kStandins[] = {
    {{&CLSID_DeinterlaceFilter, &standins::CDeinterlaceStandin::Create}, L"Deinterlace (stand-in)"},
    {{&CLSID_AVSwitchFilter, &standins::CAVSwitchStandin::Create}, L"AV Switch (stand-in)"},
    {{&CLSID_DumpFilter, &standins::CDumpStandin::Create}, L"Dump (stand-in)"},
    {{&CLSID_InfTee, &standins::CInfTeeStandin::Create}, L"Infinite Pin Tee (stand-in)"},
    {{&CLSID_StreamWriterStandin, &standins::CStreamWriterStandin::Create}, L"Stream Writer (stand-in)"},
    {{&standins::CLSID_AviMuxStandin, &standins::CAviMuxStandin::Create}, L"AVI Mux (stand-in)"},
};
const size_t kStandinCount = sizeof(kStandins) / sizeof(kStandins[0]);
// Served, never registered by DllRegisterServer: the run command points the
// File Writer's and the AVI Mux's classes at this library in its own prefix
// (a program recording AVI then writes through the stream writer, picture
// and sound: Wine's AVI Mux takes no sound).
const dshow::FactoryRecord kRunPrefixRecords[] = {
    {&CLSID_FileWriter, &standins::CStreamWriterStandin::Create},
    {&CLSID_AviDest, &standins::CAviMuxStandin::Create},
};
const size_t kRunPrefixRecordCount = sizeof(kRunPrefixRecords) / sizeof(kRunPrefixRecords[0]);

HRESULT Unregister()
{
    HRESULT result = S_OK;
    for (const Standin& s : kStandins) {
        HRESULT hr = dshow::UnregisterInprocServer(*s.factory.clsid);
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
    dshow::FactoryRecord records[kStandinCount + kRunPrefixRecordCount];
    for (size_t i = 0; i < kStandinCount; ++i)
        records[i] = kStandins[i].factory;
    for (size_t i = 0; i < kRunPrefixRecordCount; ++i)
        records[kStandinCount + i] = kRunPrefixRecords[i];
    return dshow::GetClassObject(records, kStandinCount + kRunPrefixRecordCount, clsid, iid, out);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return dshow::CanUnloadNow();
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer()
{
    for (const Standin& s : kStandins) {
        HRESULT hr = dshow::RegisterInprocServer(g_module, *s.factory.clsid, s.name);
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
