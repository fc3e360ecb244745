// A stand-in for the on-screen menu's door: channel tables of its own,
// settings as plain fields, and every call that changes something logged in
// order. Hiding the menu hides the host it is given, as the program's door
// does through the manager; the tables tune through it. Header only; test
// thread.
#pragma once
#include "app/OsdEngine.h"
#include "app/Panel2.h"

#include <cstdio>
#include <string>
#include <vector>

class FakeOsdEngine : public IOsdEngine, public IChannelTuner
{
public:
    FakeOsdEngine()
    {
        fm.SetFM(TRUE);
        tv.SetFM(FALSE);
        fm.SetTuner(this);
        tv.SetTuner(this);
    }

    int GetVideoSource() override { return source; }
    CChannelTable& GetCurrentTable() override { return source == kSourceFM ? fm : tv; }
    BOOL IsScanning() override { return scanning; }
    BOOL StartScan(BOOL isTv) override
    {
        Log("start scan %s", isTv ? "tv" : "fm");
        scanning = TRUE;
        return TRUE;
    }
    void StopScan() override
    {
        Log("stop scan");
        scanning = FALSE;
    }
    BOOL TuneFrequency(BOOL isFm, long kHz) override
    {
        Log("tune %s %ld", isFm ? "fm" : "tv", kHz);
        return TRUE;
    }
    void GetFrequencyRange(BOOL, long& minKHz, long& maxKHz) override { GetTVFrequencyRange(&minKHz, &maxKHz); }
    void ReapplyTVAudioMode() override {}
    BOOL GetTVFrequencyRange(long* minKHz, long* maxKHz) override
    {
        *minKHz = 44000;
        *maxKHz = 870000;
        return TRUE;
    }
    int GetVideoProperty(int property) override { return picture[property]; }
    int SetVideoProperty(int property, int value) override
    {
        Log("picture %d %d", property, value);
        const int previous = picture[property];
        // The card takes values of its own ranges only.
        if (value >= pictureMin[property] && value <= pictureMax[property])
            picture[property] = value;
        return previous;
    }
    void ResetVideoProperties() override
    {
        Log("reset picture");
        const int defaults[kVideoPropertyCount] = {128, 68, 0, 64, 0};
        for (int i = 0; i < kVideoPropertyCount; ++i)
            picture[i] = defaults[i];
    }
    BOOL GetSnapBmp() override { return snapBmp; }
    void SetSnapBmp(BOOL bmp) override { Log("snap bmp %d", bmp); snapBmp = bmp; }
    int GetRecordFormat() override { return recordFormat; }
    BOOL SetRecordFormat(int format) override
    {
        Log("record format %d", format);
        recordFormat = format;
        return TRUE;
    }
    void UpdateMenuChecks() override { Log("menu checks"); }
    int GetMotionSearch() override { return motionSearch; }
    void SetMotionSearch(int increment) override { Log("motion search %d", increment); motionSearch = increment; }
    int GetDisplayQuality() override { return displayQuality; }
    void SetDisplayQuality(int quality) override { Log("display quality %d", quality); displayQuality = quality; }
    int GetJpgQuality() override { return jpgQuality; }
    void SetJpgQuality(int quality) override { Log("jpeg quality %d", quality); jpgQuality = quality; }
    BOOL Is525Line() override { return line525; }
    CSize GetVideoSize() override { return videoSize; }
    BOOL SetVideoSize(CSize size) override
    {
        Log("video size %dx%d", (int)size.cx, (int)size.cy);
        videoSize = size;
        return TRUE;
    }
    BOOL SetMasterMute(BOOL mute) override { Log("master mute %d", mute); return TRUE; }
    BOOL GetHightQuality() override { return highQuality; }
    BOOL SetHightQuality(BOOL on) override { Log("high quality %d", on); highQuality = on; return TRUE; }
    BOOL GetNoiseReduce() override { return noiseReduce; }
    BOOL SetNoiseReduce(BOOL on) override { Log("noise reduce %d", on); return noiseReduce = on, TRUE; }
    BOOL GetHalfRate() override { return halfRate; }
    BOOL SetHalfRate(BOOL on) override { Log("half rate %d", on); return halfRate = on, TRUE; }
    int GetReduceValue() override { return reduceValue; }
    int SetReduceValue(int value) override { Log("reduce value %d", value); return reduceValue = value; }
    BOOL GetEnableShut() override { return enableShut; }
    void SetEnableShut(BOOL enable) override { Log("enable shut %d", enable); enableShut = enable; }
    void SetShutTime(const CTime& time) override { Log("shut time %s", (LPCSTR)time.Format("%Y-%m-%d %H:%M:%S")); }
    void SetPowerOffTime(const CTime& time, BOOL enable) override
    {
        Log("power-off time %s %d", (LPCSTR)time.Format("%Y-%m-%d %H:%M:%S"), enable);
    }
    void HideOsdPanel() override
    {
        Log("hide menu");
        if (host != NULL)
            host->ShowPanel(FALSE);
    }
    void ShowMessage(UINT textId) override { Log("message %u", textId); }

    // The calls logged since the last look, and the log emptied.
    std::vector<std::string> Take()
    {
        std::vector<std::string> taken;
        taken.swap(log);
        return taken;
    }

    CPanel2* host = nullptr;
    int source = kSourceTV;
    CChannelTable tv;
    CChannelTable fm;
    BOOL scanning = FALSE;
    int picture[kVideoPropertyCount] = {128, 68, 0, 64, 0};
    int pictureMin[kVideoPropertyCount] = {0, 0, -128, 0, -8};
    int pictureMax[kVideoPropertyCount] = {255, 127, 127, 127, 7};
    BOOL snapBmp = FALSE;
    int recordFormat = 0;
    int motionSearch = 0;
    int displayQuality = 1;
    int jpgQuality = 100;
    BOOL line525 = FALSE;
    CSize videoSize = CSize(720, 576);
    BOOL highQuality = TRUE;
    BOOL noiseReduce = TRUE;
    BOOL halfRate = TRUE;
    int reduceValue = 5;
    BOOL enableShut = FALSE;
    std::vector<std::string> log;

private:
    void Log(const char* format, ...)
    {
        char text[256];
        va_list args;
        va_start(args, format);
        vsnprintf(text, sizeof text, format, args);
        va_end(args);
        log.push_back(text);
    }
};
