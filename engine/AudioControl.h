// The sound mixer layer: volume and mute of one named line of one named
// sound device, and the lists of devices and lines to choose among.
// Audio_XP works on the Windows multimedia mixer (CMixerHelper), Audio_Vista
// on the Core Audio endpoint and its device topology; CreateAudioControl
// picks one by the Windows major version. The hardware object owns the one
// object and calls it on the UI thread (COM initialised there); nothing is
// kept open between calls.
#pragma once
#include "platform/mfc/Array.h"
#include "platform/mfc/String.h"

#include <windows.h>

class Audio_Control
{
public:
    virtual ~Audio_Control() {}
    // The base does nothing and answers TRUE. Volumes are 0-100 (others
    // are clamped), mute 0 or 1.
    virtual BOOL SetVolume(LPCSTR line, LPCSTR device, int volume);
    virtual BOOL GetVolume(LPCSTR line, LPCSTR device, int* volume);
    virtual BOOL SetMute(LPCSTR line, LPCSTR device, BOOL mute);
    virtual BOOL GetMute(LPCSTR line, LPCSTR device, BOOL* mute);
    // Lists are emptied, then filled.
    virtual BOOL GetDevices(CStringArray& devices, CString& selected);
    virtual BOOL GetLines(CStringArray& lines, CString& selected, LPCSTR device);
};

class Audio_XP : public Audio_Control
{
public:
    BOOL SetVolume(LPCSTR line, LPCSTR device, int volume) override;
    BOOL GetVolume(LPCSTR line, LPCSTR device, int* volume) override;
    BOOL SetMute(LPCSTR line, LPCSTR device, BOOL mute) override;
    BOOL GetMute(LPCSTR line, LPCSTR device, BOOL* mute) override;
    // Mixers with a speaker destination; selected stays when listed, else
    // becomes the first (or empty).
    BOOL GetDevices(CStringArray& devices, CString& selected) override;
    // The speaker destination and every source line whose volume can be
    // read; FALSE, list untouched, when the device cannot be opened.
    BOOL GetLines(CStringArray& lines, CString& selected, LPCSTR device) override;
};

// The default render endpoint's adapter topology: the subunit named as the
// line carries the volume, the subunit after it the mute. Where the system
// has no device topology (Wine), every per-line operation fails.
class Audio_Vista : public Audio_Control
{
public:
    BOOL SetVolume(LPCSTR line, LPCSTR device, int volume) override;
    BOOL GetVolume(LPCSTR line, LPCSTR device, int* volume) override;
    BOOL SetMute(LPCSTR line, LPCSTR device, BOOL mute) override;
    BOOL GetMute(LPCSTR line, LPCSTR device, BOOL* mute) override;
    // Active render endpoints by name; selected is not changed.
    BOOL GetDevices(CStringArray& devices, CString& selected) override;
    // Subunits without a mute control.
    BOOL GetLines(CStringArray& lines, CString& selected, LPCSTR device) override;
};

// The variant for the running Windows (GetVersionExA), NULL without memory.
Audio_Control* CreateAudioControl();
// The same for a given version: Audio_Vista from major version 6 on, else
// (and when the version could not be read) Audio_XP.
Audio_Control* CreateAudioControlFor(BOOL versionRead, DWORD majorVersion);

// The Core Audio scale: a level in dB between a minimum and maximum, read
// back in steps. FALSE for a zero or negative step or range, or values that
// are not numbers.
float VistaLevelFromPercent(float minimumDb, float maximumDb, int volume);
BOOL VistaPercentFromLevel(float levelDb, float minimumDb, float maximumDb, float stepDb, int* volume);
