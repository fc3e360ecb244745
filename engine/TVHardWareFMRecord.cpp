// The hardware object's FM record graphs: the radio's sound, from the
// card's "Audio" pin or the audio capture device, through an audio
// compressor into an AVI file, or through the MPEG encoder into an MPEG
// audio file. FM listening (the NULL-renderer graph) goes on underneath.
#include "engine/TVHardWare.h"

#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"
#include "graph/DebugHelper.h"
#include "graph/wrappers/AVMuxFilter.h"
#include "graph/wrappers/DumpFilter.h"
#include "graph/wrappers/FileWriteFilter.h"
#include "graph/wrappers/MCEncoderFilter.h"

#include <uuids.h>

namespace {

const char kAudioTeeName[] = "Audio SmartTee";
const char kFMEncoderName[] = "MainConcept Demo MPEG Encoder";
const char kDumpName[] = "Dump Filter";
const char kPcmName[] = "PCM";
const char kAdpcmName[] = "Microsoft ADPCM";
const char kAudioInputPin[] = "Input Audio";

// FM record format 2 is MPEG audio from the encoder; the others are AVI.
const int kFMFormatMP2 = 2;

} // namespace

const char* CTVHardWare::GetFMRecordExtension(int format)
{
    return format == kFMFormatMP2 ? ".mp2" : ".avi";
}

BOOL CTVHardWare::RunFMRecord()
{
    if (m_bRecording)
        return StopRecord();
    StopRemote();
    m_saRootGraph.DisconnectAll();
    ConnectNullGraph();

    BOOL result = RunRecordRow(m_fmRecordFormats, m_settings.FMRecordFormat, FALSE);
    if (result) {
        for (int i = 0; i < kVideoPropertyCount; ++i)
            SetOverlayProperty(i, m_nOverlayProperty[i]);
        m_bRecording = TRUE;
        SelectInput(kInputFM, TRUE);
        result = m_saRootGraph.Run();
        SelectInput(kInputFM, TRUE);
        StartRemote();
    }
    if (result)
        return result;
    StopRecord();
    return result;
}

// --- creating the filters ---------------------------------------------------------

BOOL CTVHardWare::CreateFilterFMPCM()
{
    return CreateAviMux() &&
           CreateAviWriter() &&
           CreateAudioCompressor(m_pFMPcm, kPcmName) &&
           CreateOnce(m_pAudioTee, m_recordDevices.smartTee, kAudioTeeName);
}

BOOL CTVHardWare::CreateFilterFMADPCM()
{
    return CreateAviMux() &&
           CreateAviWriter() &&
           CreateAudioCompressor(m_pFMAdpcm, kAdpcmName) &&
           CreateOnce(m_pAudioTee, m_recordDevices.smartTee, kAudioTeeName);
}

BOOL CTVHardWare::CreateFilterFMMP2()
{
    return CreateOnce(m_pMCEncoder, m_recordDevices.encoder, kFMEncoderName) &&
           CreateOnce(m_pAudioTee, m_recordDevices.smartTee, kAudioTeeName) &&
           CreateOnce(m_pDump, m_recordDevices.dump, kDumpName);
}

BOOL CTVHardWare::CreateFilterFMCustom()
{
    CString name = m_strFMCustomCompressor;
    name.Trim();
    if (name.IsEmpty()) {
        DebugHelper("CreateFilterFMCustom: no compressor chosen\n");
        return FALSE;
    }
    if (!CreateAviMux() ||
        !CreateAviWriter())
        return FALSE;
    // The user may have chosen another compressor since the last recording.
    m_saRootGraph.DeleteFilter(m_pFMCustom);
    m_pFMCustom = NULL;
    return CreateAudioCompressor(m_pFMCustom, name) &&
           CreateOnce(m_pAudioTee, m_recordDevices.smartTee, kAudioTeeName);
}

// --- presets --------------------------------------------------------------------------

BOOL CTVHardWare::PreSetFilterFMAVI()
{
    return m_pAviWriter && m_pAviWriter->SetFileName(m_strRecordFile);
}

BOOL CTVHardWare::PreSetFilterFMMP2()
{
    return !m_pDump || m_pDump->SetFileName(m_strRecordFile);
}

// --- building the graphs ---------------------------------------------------------

// Every connection is tried, even after one failed; the result is their AND.
BOOL CTVHardWare::BuildGraphFMAVI(CRootFilter* compressor)
{
    // The multiplexer's output first (see BuildGraphAVI).
    BOOL ok = ConnectAviMuxToWriter();
    if (HasAudioPin()) {
        // The crossbar's sound output to the card (not rendered: see
        // BuildGraphAVI); the listening graph already carries its video.
        if (m_pCrossBar && m_pCrossBar->FindPin(PINDIR_OUTPUT, TRUE))
            ConnectCrossbarToCard();
        ok = ConnectNamedPins(m_pCardFilter, m_pAudioTee, "Audio", "") && ok;
        ok = ConnectNamedPins(m_pAudioTee, compressor, "Capture", "") && ok;
        ok = ConnectNamedPins(m_pAudioTee, m_pAudioRender, "Preview", "") && ok;
    } else {
        ok = m_pAudioFilter && compressor &&
             m_saRootGraph.ConnectPins(m_pAudioFilter->FindPin(PINDIR_OUTPUT, TRUE),
                                       compressor->FindPin(PINDIR_INPUT, TRUE));
    }
    return ConnectNamedPins(compressor, m_pAviMux, "", "") && ok;
}

BOOL CTVHardWare::BuildGraphFMPCM() { return BuildGraphFMAVI(m_pFMPcm); }
BOOL CTVHardWare::BuildGraphFMADPCM() { return BuildGraphFMAVI(m_pFMAdpcm); }
BOOL CTVHardWare::BuildGraphFMCustom() { return BuildGraphFMAVI(m_pFMCustom); }

BOOL CTVHardWare::BuildGraphFMMP2()
{
    BOOL ok = TRUE;
    if (HasAudioPin()) {
        ok = ConnectNamedPins(m_pCardFilter, m_pAudioTee, "Audio", "") && ok;
        ok = ConnectNamedPins(m_pAudioTee, m_pMCEncoder, "Capture", "") && ok;
        ok = ConnectNamedPins(m_pAudioTee, m_pAudioRender, "Preview", "") && ok;
    } else {
        ok = ConnectNamedPins(m_pAudioFilter, m_pMCEncoder, "Capture", kAudioInputPin) && ok;
    }
    return ConnectNamedPins(m_pMCEncoder, m_pDump, "", "") && ok;
}
