#include "engine/RecordGraphs.h"

#include "engine/TVHardWare.h"
#include "graph/DebugHelper.h"

BOOL CHardwareRecordGraphs::HasAudioCapture()
{
    return m_hardware.GetAudioFilter() != NULL;
}

BOOL CHardwareRecordGraphs::IsRecording()
{
    return m_hardware.IsRecording();
}

void CHardwareRecordGraphs::SetRecordFile(LPCSTR path)
{
    m_hardware.SetRecordFile(path);
}

BOOL CHardwareRecordGraphs::RunRecord()
{
    return m_hardware.RunRecord();
}

BOOL CHardwareRecordGraphs::StopRecord()
{
    return m_hardware.StopRecord();
}

BOOL CHardwareRecordGraphs::PauseRecord(BOOL pause)
{
    return m_hardware.PauseRecord(pause);
}

BOOL CHardwareRecordGraphs::IsRecordPaused()
{
    BOOL paused = FALSE;
    return m_hardware.IsRecordPaused(&paused) && paused;
}

void CHardwareRecordGraphs::SetTFFile(LPCSTR path)
{
    m_hardware.SetTFFile(path);
}

BOOL CHardwareRecordGraphs::RunTFPreview()
{
    return m_hardware.RunTFPreview();
}

BOOL CHardwareRecordGraphs::IsTFRunning()
{
    return m_hardware.IsTFRunning();
}

BOOL CHardwareRecordGraphs::PauseTF()
{
    return m_hardware.PauseTF();
}

BOOL CHardwareRecordGraphs::IsTFPaused()
{
    return m_hardware.IsTFPaused();
}

BOOL CHardwareRecordGraphs::IsTFAvailable()
{
    return m_hardware.IsTFAvailable();
}

BOOL CHardwareRecordGraphs::SeekTF(LONGLONG position)
{
    // The filter seeks within a LONG.
    if (position < 0 || position > LONG_MAX)
        return FALSE;
    return m_hardware.SeekTF((LONG)position);
}

BOOL CHardwareRecordGraphs::GetTFPosition(TimeShiftPosition* position)
{
    return m_hardware.GetTFPosition(position);
}

BOOL CHardwareRecordGraphs::MuteRecordSourcePlayback(BOOL mute)
{
    return m_hardware.MuteRecSrcPalyBack(mute);
}

BOOL CHardwareRecordGraphs::TakeSnapshot(LPCSTR path, int type, int quality)
{
    return m_hardware.TakeSnapshot(path, type, quality);
}
