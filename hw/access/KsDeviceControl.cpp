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

} // namespace

IKsDeviceControl& SystemKsDeviceControl()
{
    static SystemDeviceControl control;
    return control;
}

namespace {
IKsDeviceControl* volatile g_installed = NULL;
} // namespace

IKsDeviceControl& KsDeviceControl()
{
    IKsDeviceControl* installed = g_installed;
    return installed ? *installed : SystemKsDeviceControl();
}

IKsDeviceControl* SetKsDeviceControl(IKsDeviceControl* control)
{
    IKsDeviceControl* previous = static_cast<IKsDeviceControl*>(
        InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&g_installed), control));
    return previous ? previous : &SystemKsDeviceControl();
}
