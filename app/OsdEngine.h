// IOsdEngine: the on-screen menu's one door to the rest of the program:
// the manager's channels, scans, picture, recording and video settings, and
// the few windows the menu acts on (hiding itself, the control panel's
// record-format checks and power-off time, a message box). The program's
// door is CManagerOsdEngine; tests put a fake in its place. UI thread.
#pragma once
#include "engine/ChannelTable.h"
#include "platform/mfc/Geometry.h"
#include "platform/mfc/Time.h"

class IOsdEngine
{
public:
    // The picture values, by index.
    enum VideoProperty { kBrightness, kContrast, kHue, kSaturation, kSharpness, kVideoPropertyCount };
    // The input sources.
    enum Source { kSourceTV = 0, kSourceAV = 1, kSourceSV = 2, kSourceFM = 3 };

    // Channels and scans.
    virtual int GetVideoSource() = 0;
    // The FM table with the FM source, else the TV table.
    virtual CChannelTable& GetCurrentTable() = 0;
    virtual BOOL IsScanning() = 0;
    virtual BOOL StartScan(BOOL tv) = 0;
    virtual void StopScan() = 0;
    virtual BOOL TuneFrequency(BOOL fm, long kHz) = 0;
    virtual BOOL GetTVFrequencyRange(long* minKHz, long* maxKHz) = 0;

    // Picture values; the setters answer the previous value.
    virtual int GetVideoProperty(int property) = 0;
    virtual int SetVideoProperty(int property, int value) = 0;
    virtual void ResetVideoProperties() = 0;

    // Recording settings.
    virtual BOOL GetSnapBmp() = 0;
    virtual void SetSnapBmp(BOOL bmp) = 0;
    virtual int GetRecordFormat() = 0;
    virtual BOOL SetRecordFormat(int format) = 0;
    // The control panel's record-format menu checks follow.
    virtual void UpdateMenuChecks() = 0;
    virtual int GetMotionSearch() = 0;
    virtual void SetMotionSearch(int increment) = 0;
    virtual int GetDisplayQuality() = 0;
    virtual void SetDisplayQuality(int quality) = 0;
    virtual int GetJpgQuality() = 0;
    virtual void SetJpgQuality(int quality) = 0;

    // Video options.
    virtual BOOL Is525Line() = 0;
    virtual CSize GetVideoSize() = 0;
    virtual BOOL SetVideoSize(CSize size) = 0;
    virtual BOOL SetMasterMute(BOOL mute) = 0;
    virtual BOOL GetHightQuality() = 0;
    virtual BOOL SetHightQuality(BOOL on) = 0;
    virtual BOOL GetNoiseReduce() = 0;
    virtual BOOL SetNoiseReduce(BOOL on) = 0;
    virtual BOOL GetHalfRate() = 0;
    virtual BOOL SetHalfRate(BOOL on) = 0;
    virtual int GetReduceValue() = 0;
    virtual int SetReduceValue(int value) = 0;

    // The daily power-off: the stored switch and time, and the control
    // panel's timer.
    virtual BOOL GetEnableShut() = 0;
    virtual void SetEnableShut(BOOL enable) = 0;
    virtual void SetShutTime(const CTime& time) = 0;
    virtual void SetPowerOffTime(const CTime& time, BOOL enable) = 0;

    // Windows: the menu hidden; a message box of a resource string.
    virtual void HideOsdPanel() = 0;
    virtual void ShowMessage(UINT textId) = 0;

protected:
    ~IOsdEngine() {}
};
