// CMpeg2BoxAccess: operations on the USB MPEG-2 encoder box through the
// encoder property set of its capture filter (hw/access/EncoderBoxWire.h):
// single properties, the tunnelled I2C transfer, the encoder settings
// (read, apply, pre-filter defaults, a text dump), the firmware image
// upload and version check, the driver's bitrate-interface switch in the
// registry, and the chips behind the I2C (decoder, demodulator, tuner with
// its channel plans). Stateless: every operation takes the capture filter
// first; never instantiated. No lock: callers serialise (the box's access
// object takes its own around the I2C transfer). Results: nonzero success.
#pragma once
#include "hw/access/EncoderBoxWire.h"

#include <unknwn.h>

class CMpeg2BoxAccess
{
public:
    CMpeg2BoxAccess() = delete;

    // One property of the encoder set, which must say it supports the call.
    static BOOL SetEncoderProperty(IUnknown* filter, ULONG id, void* instance, DWORD instanceLength,
                                   void* data, DWORD dataLength);
    static BOOL GetEncoderProperty(IUnknown* filter, ULONG id, void* instance, DWORD instanceLength,
                                   void* data, DWORD dataLength);
    // The buffer is instance and data at once.
    static BOOL GetEncoderPropertyInPlace(IUnknown* filter, ULONG id, void* buffer, DWORD length);
    static BOOL SetEncoderPropertyInPlace(IUnknown* filter, ULONG id, void* buffer, DWORD length);

    // The tunnelled I2C: a Get (the value read into *value) or a Set.
    static BOOL I2CTransfer(IUnknown* filter, DWORD address, BYTE mode, DWORD subAddress, DWORD* value);
    static BOOL I2CWrite(IUnknown* filter, DWORD address, BYTE mode, DWORD subAddress, DWORD value);

    // oldInterface: ReadOldBitrateInterface(); the bitrate block is then
    // its first 10 bytes. Properties the box does not offer keep the
    // record's defaults (reading) or are skipped (applying); 0 when the
    // filter has no property set, the second filter no storage interface,
    // or a property the box offers could not be sent.
    static BOOL ReadSettings(EncoderBoxSettings* settings, IUnknown* filter, IUnknown* storage,
                             BOOL oldInterface);
    static BOOL ReadSettingsNoPreFilter(EncoderBoxSettings* settings, IUnknown* filter, BOOL oldInterface);
    static BOOL ApplySettings(const EncoderBoxSettings* settings, IUnknown* filter, BOOL oldInterface);
    static BOOL ApplyAllSettings(const EncoderBoxSettings* settings, IUnknown* filter, IUnknown* storage,
                                 BOOL oldInterface);

    static int InitDefaultPreFilterInfo(EncoderPreFilterInfo* block);
    static BOOL GetPreFilterInfo(IUnknown* filter, EncoderPreFilterInfo* block);
    static BOOL SetPreFilterInfo(IUnknown* filter, EncoderPreFilterInfo* block);
    // The settings as text, one "name = value" line each; the file is
    // replaced only once it was written whole.
    static BOOL DumpSettings(const EncoderBoxSettings* settings, const char* path);
    static BOOL GetTVEncodeFormat(IUnknown* filter, DWORD* format);
    static BOOL SetTVEncodeFormat(IUnknown* filter, DWORD format);
    static BOOL SendZeroByte63(IUnknown* filter);
    static BOOL SendZeroByte64(IUnknown* filter);

    // Sends a firmware image file of exactly kEncoderBoxImageBytes.
    static BOOL UploadFile(IUnknown* filter, const char* path);
    // Whether the box's firmware is new enough; a box at version 200052
    // reports its real version once it has started (ParseVersion).
    static BOOL CheckFirmwareVersion(IUnknown* filter);
    static BOOL ParseVersion(IUnknown* filter, DWORD reserved);
    // The driver speaks the old bitrate block unless its registry switch
    // says otherwise.
    static BOOL ReadOldBitrateInterface();
    // The registry key of that switch, under HKEY_LOCAL_MACHINE.
    static const char* const kDriverKey;

    // Chips behind the tunnelled I2C; devices are 7-bit addresses.
    static BOOL SetDecoderInput(IUnknown* filter, int input, int kind);
    static BOOL SetDemodulatorA(IUnknown* filter, int standard);
    static BOOL SetDemodulatorB(IUnknown* filter, int standard);
    static BOOL SetDemodulatorC(IUnknown* filter, int standard);
    static BOOL SetDemodulator(IUnknown* filter, int a, int standard, int b);
    static BOOL ReadDecoderStatus(IUnknown* filter, DWORD* status);
    static BOOL WriteDevice51Register(IUnknown* filter, DWORD reg, DWORD value);
    static BOOL ReadDevice51Register(IUnknown* filter, DWORD reg, DWORD* value);
    static BOOL ProbeTuner(IUnknown* filter);
    static BOOL IsDecoderStatusBit1(IUnknown* filter, int kind);
    static BOOL WaitDecoderReady(IUnknown* filter);
    // *signal 1 while the decoder sees a signal.
    static BOOL GetDecoderSignal(IUnknown* filter, DWORD* signal);
    static BOOL GetPictureControl(IUnknown* filter, DWORD reg, LONG* value, int variant);
    static BOOL SetPictureControl(IUnknown* filter, DWORD reg, LONG value, int variant);
    static BOOL SetAudioPaths(IUnknown* filter);
    static BOOL WaitTunerLock(IUnknown* filter, DWORD device, DWORD reserved);
    static BOOL SetTunerFrequency(IUnknown* filter, DWORD kHz);
    // kind 0-5: the tuner module the box carries; air: the broadcast plan,
    // else cable. 0 for a channel outside the plan, with nothing sent.
    static BOOL SetTunerChannel(IUnknown* filter, int kind, int channel, BOOL air);
    // The divider and band word of a channel, as SetTunerChannel sends them.
    static BOOL ChannelDivider(int kind, int channel, BOOL air, DWORD* divider, DWORD* bandWord);
};
