#include "app/ManagerOsdEngine.h"

#include "app/PellamarApp.h"
#include "app/TVControl.h"
#include "engine/TVManager.h"
#include "resources/Resource.h"

int CManagerOsdEngine::GetVideoSource() { return m_manager.GetVideoSource(); }
CChannelTable& CManagerOsdEngine::GetCurrentTable() { return m_manager.GetCurrentTable(); }
BOOL CManagerOsdEngine::IsScanning() { return m_manager.IsScanning(); }
BOOL CManagerOsdEngine::StartScan(BOOL tv) { return m_manager.StartScan(tv); }
void CManagerOsdEngine::StopScan() { m_manager.StopScan(); }
BOOL CManagerOsdEngine::TuneFrequency(BOOL fm, long kHz) { return m_manager.TuneFrequency(fm, kHz); }

BOOL CManagerOsdEngine::GetTVFrequencyRange(long* minKHz, long* maxKHz)
{
    return m_manager.GetHardware().GetTVFrequencyRange(minKHz, maxKHz);
}

int CManagerOsdEngine::GetVideoProperty(int property)
{
    switch (property) {
    case kBrightness: return m_manager.GetBrightness();
    case kContrast: return m_manager.GetContrast();
    case kHue: return m_manager.GetHue();
    case kSaturation: return m_manager.GetSaturation();
    case kSharpness: return m_manager.GetSharpness();
    default: return 0;
    }
}

int CManagerOsdEngine::SetVideoProperty(int property, int value)
{
    switch (property) {
    case kBrightness: return m_manager.SetBrightness(value);
    case kContrast: return m_manager.SetContrast(value);
    case kHue: return m_manager.SetHue(value);
    case kSaturation: return m_manager.SetSaturation(value);
    case kSharpness: return m_manager.SetSharpness(value);
    default: return 0;
    }
}

void CManagerOsdEngine::ResetVideoProperties() { m_manager.ResetVideoProperties(); }
BOOL CManagerOsdEngine::GetSnapBmp() { return m_manager.GetSettings().SnapBmp; }
void CManagerOsdEngine::SetSnapBmp(BOOL bmp) { m_manager.Settings().SnapBmp = bmp ? TRUE : FALSE; }
int CManagerOsdEngine::GetRecordFormat() { return m_manager.GetRecordFormat(); }
BOOL CManagerOsdEngine::SetRecordFormat(int format) { return m_manager.SetRecordFormat(format); }

void CManagerOsdEngine::UpdateMenuChecks()
{
    // The control panel reads the record format from the manager whenever
    // its menu opens: nothing is kept to bring up to date.
}

int CManagerOsdEngine::GetMotionSearch() { return m_manager.GetHardwareSettings().MotionSearchInc; }

void CManagerOsdEngine::SetMotionSearch(int increment)
{
    if (HardwareSettings::IsValidMotionSearch(increment))
        m_manager.GetHardwareSettings().MotionSearchInc = increment;
}

int CManagerOsdEngine::GetDisplayQuality() { return m_manager.GetDisplayQuality(); }
void CManagerOsdEngine::SetDisplayQuality(int quality) { m_manager.SetDisplayQuality(quality); }
int CManagerOsdEngine::GetJpgQuality() { return m_manager.GetSettings().JpgQuality; }

void CManagerOsdEngine::SetJpgQuality(int quality)
{
    if (quality >= 0 && quality <= 100)
        m_manager.Settings().JpgQuality = quality;
}

BOOL CManagerOsdEngine::Is525Line() { return m_manager.GetHardware().Is525Line(); }
CSize CManagerOsdEngine::GetVideoSize() { return m_manager.GetVideoSize(); }
BOOL CManagerOsdEngine::SetVideoSize(CSize size) { return m_manager.SetVideoSize(size); }
BOOL CManagerOsdEngine::SetMasterMute(BOOL mute) { return m_manager.SetMasterMute(mute); }
BOOL CManagerOsdEngine::GetHightQuality() { return m_manager.GetHightQuality(); }
BOOL CManagerOsdEngine::SetHightQuality(BOOL on) { return m_manager.SetHightQuality(on); }
BOOL CManagerOsdEngine::GetNoiseReduce() { return m_manager.GetNoiseReduce(); }
BOOL CManagerOsdEngine::SetNoiseReduce(BOOL on) { return m_manager.SetNoiseReduce(on); }
BOOL CManagerOsdEngine::GetHalfRate() { return m_manager.GetHalfRate(); }
BOOL CManagerOsdEngine::SetHalfRate(BOOL on) { return m_manager.SetHalfRate(on); }
int CManagerOsdEngine::GetReduceValue() { return m_manager.GetReduceValue(); }
int CManagerOsdEngine::SetReduceValue(int value) { return m_manager.SetReduceValue(value); }
BOOL CManagerOsdEngine::GetEnableShut() { return m_manager.GetEnableShut(); }
void CManagerOsdEngine::SetEnableShut(BOOL enable) { m_manager.SetEnableShut(enable); }
void CManagerOsdEngine::SetShutTime(const CTime& time) { m_manager.SetShutTime(time); }

void CManagerOsdEngine::SetPowerOffTime(const CTime& time, BOOL enable)
{
    m_control.SetPowerOffTime(time, enable);
}

void CManagerOsdEngine::HideOsdPanel() { m_manager.HideOsdPanel(); }

void CManagerOsdEngine::ShowMessage(UINT textId)
{
    if (CPellamarApp* app = dynamic_cast<CPellamarApp*>(AfxGetApp()))
        app->ShowMessage(&m_control, textId, IDS_APP_TITLE, MB_OK | MB_ICONINFORMATION);
}
