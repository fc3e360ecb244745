// CManagerOsdEngine: the on-screen menu's door in the program: the manager,
// its hardware object and the control panel. Owned by the control panel
// beside the menu it serves; UI thread.
#pragma once
#include "app/OsdEngine.h"

class CTVControl;
class CTVManager;

class CManagerOsdEngine : public IOsdEngine
{
public:
    CManagerOsdEngine(CTVManager& manager, CTVControl& control) : m_manager(manager), m_control(control) {}

    int GetVideoSource() override;
    CChannelTable& GetCurrentTable() override;
    BOOL IsScanning() override;
    BOOL StartScan(BOOL tv) override;
    void StopScan() override;
    BOOL TuneFrequency(BOOL fm, long kHz) override;
    BOOL GetTVFrequencyRange(long* minKHz, long* maxKHz) override;
    int GetVideoProperty(int property) override;
    int SetVideoProperty(int property, int value) override;
    void ResetVideoProperties() override;
    BOOL GetSnapBmp() override;
    void SetSnapBmp(BOOL bmp) override;
    int GetRecordFormat() override;
    BOOL SetRecordFormat(int format) override;
    void UpdateMenuChecks() override;
    int GetMotionSearch() override;
    void SetMotionSearch(int increment) override;
    int GetDisplayQuality() override;
    void SetDisplayQuality(int quality) override;
    int GetJpgQuality() override;
    void SetJpgQuality(int quality) override;
    BOOL Is525Line() override;
    CSize GetVideoSize() override;
    BOOL SetVideoSize(CSize size) override;
    BOOL SetMasterMute(BOOL mute) override;
    BOOL GetHightQuality() override;
    BOOL SetHightQuality(BOOL on) override;
    BOOL GetNoiseReduce() override;
    BOOL SetNoiseReduce(BOOL on) override;
    BOOL GetHalfRate() override;
    BOOL SetHalfRate(BOOL on) override;
    int GetReduceValue() override;
    int SetReduceValue(int value) override;
    BOOL GetEnableShut() override;
    void SetEnableShut(BOOL enable) override;
    void SetShutTime(const CTime& time) override;
    void SetPowerOffTime(const CTime& time, BOOL enable) override;
    void HideOsdPanel() override;
    void ShowMessage(UINT textId) override;

private:
    CTVManager& m_manager;
    CTVControl& m_control;
};
