#include "engine/RecordGraphs.h"

#include "engine/TVHardWare.h"
#include "graph/DebugHelper.h"

namespace {

BOOL NoRecordGraph(const char* what)
{
    DebugHelper("%s: the hardware object builds no record graph yet", what);
    return FALSE;
}

} // namespace

BOOL CHardwareRecordGraphs::HasAudioCapture()
{
    return m_hardware.GetAudioFilter() != NULL;
}

BOOL CHardwareRecordGraphs::IsRecording()
{
    return m_hardware.IsRecording();
}

void CHardwareRecordGraphs::SetRecordFile(LPCSTR) {}

BOOL CHardwareRecordGraphs::RunRecord()
{
    return NoRecordGraph("RunRecord");
}

BOOL CHardwareRecordGraphs::StopRecord()
{
    return NoRecordGraph("StopRecord");
}

BOOL CHardwareRecordGraphs::PauseRecord(BOOL)
{
    return NoRecordGraph("PauseRecord");
}

BOOL CHardwareRecordGraphs::IsRecordPaused()
{
    return FALSE;
}

void CHardwareRecordGraphs::SetTFFile(LPCSTR) {}

BOOL CHardwareRecordGraphs::RunTFPreview()
{
    return NoRecordGraph("RunTFPreview");
}

BOOL CHardwareRecordGraphs::IsTFRunning()
{
    return m_hardware.IsTFRunning();
}

BOOL CHardwareRecordGraphs::PauseTF()
{
    return NoRecordGraph("PauseTF");
}

BOOL CHardwareRecordGraphs::TakeSnapshot(LPCSTR path, int type, int quality)
{
    return m_hardware.TakeSnapshot(path, type, quality);
}
