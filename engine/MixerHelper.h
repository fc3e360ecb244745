// CMixerHelper: one open sound-card mixer (the Windows multimedia mixer) and
// one of its destination lines, for the XP variant of the sound mixer layer:
// names of devices and lines, and the volume and mute controls of the
// destination or of one of its source lines. The handle is closed by
// Close or the destructor; nothing is kept between the layer's calls. UI
// thread.
#pragma once
#include "platform/mfc/Array.h"

#include <windows.h>
#include <mmsystem.h>

// The winmm mixer's volume scale: 0-100 in the program, 0-65535 raw.
// Percentages outside 0-100 are clamped.
DWORD MixerRawFromPercent(int volume);
int MixerPercentFromRaw(DWORD raw);

class CMixerHelper
{
public:
    enum { kLineNameSize = MIXER_LONG_NAME_CHARS };

    CMixerHelper();
    virtual ~CMixerHelper();

    // The first mixer whose product name is deviceName (any case; any mixer
    // for NULL or ""), and its first destination of that component type.
    BOOL Open(const char* deviceName, DWORD componentType, HWND callback);
    void Close();
    BOOL IsOpen() const { return m_hMixer != NULL; }
    const char* DestinationName() const { return m_szLineName; }

    BOOL GetLineName(DWORD componentType, char* name, int size);
    BOOL GetLineControl(DWORD componentType, DWORD controlType, DWORD* controlId);
    BOOL GetSourceControl(DWORD source, DWORD controlType, DWORD* controlId);
    // The first source line of that name (any case) and its control.
    BOOL FindSourceControl(const char* lineName, DWORD controlType, DWORD* controlId);

    // line NULL, "" or the destination's own name (any case) addresses the
    // destination; any other name a source line.
    BOOL SetVolume(const char* line, int volume);
    BOOL GetVolume(const char* line, int* volume);
    BOOL SetControlValue(DWORD controlType, const char* line, DWORD value);
    BOOL GetControlValue(DWORD controlType, const char* line, DWORD* value);

    // The names of the open destination's source lines, in source order.
    BOOL EnumSourceLines(CStringArray& lines);
    // The product names of every mixer, in device order.
    static BOOL EnumMixerDevices(CStringArray& devices);

private:
    // Source line `source` of the open destination, its name terminated.
    BOOL SourceLine(DWORD source, MIXERLINEA* line);
    BOOL ChooseControl(DWORD controlType, const char* line, DWORD* controlId);
    BOOL ControlOfLine(MIXERLINEA* line, DWORD flags, DWORD controlType, DWORD* controlId);
    BOOL ControlDetails(DWORD controlId, DWORD* value, BOOL write);

    HMIXER m_hMixer;
    DWORD m_dwDestination;
    DWORD m_dwComponentType;
    DWORD m_dwConnections;
    char m_szLineName[kLineNameSize];

    CMixerHelper(const CMixerHelper&) = delete;
    CMixerHelper& operator=(const CMixerHelper&) = delete;
};
