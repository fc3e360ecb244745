#include "engine/TVManager.h"

#include "engine/PathHelpers.h"
#include "graph/DebugHelper.h"

#include <cstring>

namespace {

// The tuning range a card reports when it cannot be asked (the tuner base's
// defaults for TV; the FM broadcast band for FM).
const long kDefaultTVMinKHz = 48250;
const long kDefaultTVMaxKHz = 863250;
const long kDefaultFMMinKHz = 87500;
const long kDefaultFMMaxKHz = 108000;

} // namespace

CTVManager::CTVManager(LPCSTR workPath, IEngineUi* ui)
    : m_pUi(ui ? ui : &m_nullUi), m_bAutoStart(FALSE), m_pSettingsIni(NULL), m_hRegistryRoot(HKEY_LOCAL_MACHINE),
      m_bScanning(FALSE), m_bCardHasFM(FALSE), m_pRecordDisk(NULL), m_bRecording(FALSE), m_bRecordDisabled(FALSE),
      m_hardwareGraphs(m_hardware), m_pRecordGraphs(&m_hardwareGraphs), m_pfnNow(NULL)
{
    for (int i = 0; i < kVideoPropertyCount; ++i) {
        m_cardRange[i] = kCardVideoRange[i];
        m_overlayRange[i] = kOverlayRange[i];
    }
    if (workPath && *workPath) {
        m_strWorkPath = workPath;
        m_strWorkPath.TrimRight('\\');
    } else {
        ::GetWorkPath(m_strWorkPath);
    }
    m_tvTable.SetFM(FALSE);
    m_fmTable.SetFM(TRUE);
    m_tvTable.SetTuner(this);
    m_fmTable.SetTuner(this);
    for (int k = 0; k < 256; ++k)
        m_remoteKeys[k] = (BYTE)k;
    SetDefaults();
    m_hardware.Settings().TFTime = 600;
    m_settings.StartTray = TRUE;
    m_settings.Run = TRUE;
    m_settings.AutoLogin = FALSE;
    m_settings.OverlayDesktop = FALSE;
    m_settings.AutoUser.Empty();
    m_settings.AutoPass.Empty();
}

CTVManager::~CTVManager()
{
    delete m_pSettingsIni;
}

void CTVManager::SetUi(IEngineUi* ui)
{
    m_pUi = ui ? ui : &m_nullUi;
}

CString CTVManager::GetWorkFile(LPCSTR name) const
{
    return PathJoin(m_strWorkPath, name);
}

BOOL CTVManager::LoadChannelTables()
{
    BOOL tv = m_tvTable.LoadFromFile(GetWorkFile("TVChannel.tvc"));
    BOOL fm = m_fmTable.LoadFromFile(GetWorkFile("FMChannel.fmc"));
    return tv && fm;
}

BOOL CTVManager::SaveChannelTables()
{
    BOOL ok = TRUE;
    if (m_tvTable.IsModified())
        ok = m_tvTable.SaveToFile(GetWorkFile("TVChannel.tvc")) && ok;
    if (m_fmTable.IsModified())
        ok = m_fmTable.SaveToFile(GetWorkFile("FMChannel.fmc")) && ok;
    return ok;
}

BOOL CTVManager::TuneFrequency(BOOL fm, long kHz)
{
    return fm ? m_hardware.SetFMFrequency((float)kHz) : m_hardware.SetTVFrequency((float)kHz);
}

void CTVManager::GetFrequencyRange(BOOL fm, long& minKHz, long& maxKHz)
{
    const BOOL asked = fm ? m_hardware.GetFMFrequencyRange(&minKHz, &maxKHz)
                          : m_hardware.GetTVFrequencyRange(&minKHz, &maxKHz);
    if (asked)
        return;
    minKHz = fm ? kDefaultFMMinKHz : kDefaultTVMinKHz;
    maxKHz = fm ? kDefaultFMMaxKHz : kDefaultTVMaxKHz;
}

void CTVManager::ReapplyTVAudioMode()
{
    if (m_hardware.HasAudioPin())
        m_hardware.SetTVAudioMode(m_hardware.GetTVAudioMode());
}
