#include "hw/access/KsDeviceControl.h"

namespace {

typedef HRESULT(WINAPI* KsSynchronousDeviceControlFn)(HANDLE, ULONG, PVOID, ULONG, PVOID, ULONG,
                                                       PULONG);

class SystemDeviceControl : public IKsDeviceControl
{
public:
    HRESULT DeviceControl(HANDLE handle, ULONG ioControl, void* in, ULONG inLength, void* out,
                          ULONG outLength, ULONG* returned) override
    {
        KsSynchronousDeviceControlFn call = Function();
        if (!call)
            return E_NOTIMPL;
        return call(handle, ioControl, in, inLength, out, outLength, returned);
    }

private:
    static KsSynchronousDeviceControlFn Function()
    {
        // Loaded once and kept for the process: the proxy is a system module.
        static KsSynchronousDeviceControlFn fn = [] {
            HMODULE module = LoadLibraryA("ksproxy.ax");
            return module ? reinterpret_cast<KsSynchronousDeviceControlFn>(reinterpret_cast<void*>(
                                GetProcAddress(module, "KsSynchronousDeviceControl")))
                          : nullptr;
        }();
        return fn;
    }
};

SystemDeviceControl g_systemControl;
Replaceable<IKsDeviceControl> g_control(&g_systemControl);

} // namespace

Replaceable<IKsDeviceControl>& KsDeviceControlSeam()
{
    return g_control;
}
