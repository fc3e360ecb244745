// IKsDeviceControl: the seam in front of the kernel-streaming device control
// (IOCTL_KS_PROPERTY on a driver handle). The system implementation calls
// KsSynchronousDeviceControl; tests hand the access object a fake that
// answers from the simulated card. Any thread; implementations keep no
// per-call state.
#pragma once
#include "platform/Replaceable.h"

#include <windows.h>
#include <unknwn.h>

class IKsDeviceControl
{
public:
    virtual HRESULT DeviceControl(HANDLE handle, ULONG ioControl, void* in, ULONG inLength,
                                  void* out, ULONG outLength, ULONG* returned) = 0;
protected:
    ~IKsDeviceControl() {}
};

// The kernel-streaming object interface of a capture filter, which hands
// out the driver handle. {423C13A2-2070-11D0-9EF7-00AA00A216A1}
static const IID IID_IKsObjectHandle = {
    0x423C13A2, 0x2070, 0x11D0, {0x9E, 0xF7, 0x00, 0xAA, 0x00, 0xA2, 0x16, 0xA1}};
struct IKsObjectHandle : public IUnknown
{
    virtual HANDLE STDMETHODCALLTYPE KsGetObjectHandle() = 0;
};

// The device control that access objects made from now on use: the
// system's (ksproxy.ax, loaded on first use; E_NOTIMPL when the system lacks
// it) unless a test has put its own in place.
Replaceable<IKsDeviceControl>& KsDeviceControlSeam();
inline IKsDeviceControl& KsDeviceControl() { return KsDeviceControlSeam().Get(); }
