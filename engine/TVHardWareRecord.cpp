// The hardware object's record graphs: the table of record formats and
// their four steps (create the filters, preset them, build the graph, set
// the encoder), the stop road back to preview or FM listening, the record
// pause, and the FM listening graph.
#include "engine/TVHardWare.h"

#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"
#include "graph/DebugHelper.h"
#include "graph/ComPtr.h"
#include "graph/Guids.h"
#include "graph/wrappers/AVMuxFilter.h"
#include "graph/wrappers/AVSwitchFilter.h"
#include "graph/wrappers/DeinterlaceFilter.h"
#include "graph/wrappers/DumpFilter.h"
#include "graph/wrappers/FileWriteFilter.h"
#include "graph/wrappers/MCEncoderFilter.h"
#include "graph/wrappers/MPEG2Demultiplexer.h"
#include "graph/wrappers/OverlayFilter.h"
#include "graph/wrappers/TimeShiftFilter.h"

#include <uuids.h>

#include <new>

namespace {

const char kAviMuxName[] = "AVI Mux";
const char kAviWriterName[] = "AVI Writer";
const char kInfTeeName[] = "Infinite Pin Tee Filter";
const char kAudioTeeName[] = "Audio SmartTee";
const char kDirectSoundName[] = "Default DirectSound Device";
const char kWaveOutName[] = "Default WaveOut Device";
const char kEncoderName[] = "MainConcept MPEG Encoder";
const char kDumpName[] = "Dump Filter";
const char kAcmWrapperName[] = "ACM Wrapper Filter";
const char kAVSwitchName[] = "AVISwitch";
const char kNullRendererName[] = "NULL Renderer";
const char kAudioRendererPin[] = "Audio Input pin (rendered)";

// Where the record file goes and what the card captures, per record format.
enum OutputSink { kToAviWriter, kToDump };
struct RecordPresetRow
{
    int format;
    OutputSink sink;
    SIZE size625;        // {0, 0}: the video size
    SIZE size525;
    BOOL captureOption;  // the deinterlace filter's half-size capture
};
const RecordPresetRow kRecordPresets[] = {
    {0 /* AVI */, kToAviWriter, {0, 0}, {0, 0}, FALSE},
    {1 /* MPEG1 */, kToDump, {0, 0}, {0, 0}, FALSE},
    {2 /* MPEG2 */, kToDump, {0, 0}, {0, 0}, FALSE},
    {4 /* VCD */, kToDump, {704, 576}, {704, 480}, TRUE},
    {5 /* SVCD */, kToDump, {480, 576}, {480, 480}, FALSE},
    {6 /* DVD */, kToDump, {720, 576}, {720, 480}, FALSE},
    {7 /* HIDVD */, kToDump, {720, 576}, {720, 480}, FALSE},
};

// The largest MPEG-4 record height captured as it is; smaller sizes are
// captured twice as large and halved by the deinterlace filter.
const LONG kMpeg4FullHeight = 288;

} // namespace

const RecordDevices kRecordDevices = {
    &CLSID_AviDest,
    &CLSID_FileWriter,
    &CLSID_InfTee,
    &CLSID_SmartTee,
    &CLSID_MCEncoder,
    &CLSID_DumpFilter,
    &CLSID_ACMWrapper,
    &CLSID_AVSwitchFilter,
    &CLSID_TimeShiftFilter,
    &CLSID_MPEG2Demultiplexer,
    &CLSID_MCVideoDecoder,
    &CLSID_MCAudioDecoder,
    &CLSID_OverlayMixer,
    "XviD MPEG-4 Codec",
};

void CTVHardWare::BuildRecordTables()
{
    typedef CTVHardWare H;
    m_recordFormats = {
        {0, &H::CreateFilterAVI, &H::PreSetFilterPropAVI, &H::BuildGraphAVI, NULL},
        {1, &H::CreateFilterMPEG, &H::PreSetFilterPropMPG1, &H::BuildGraphMPEG, &H::SetFilterPropMPG1},
        {2, &H::CreateFilterMPEG, &H::PreSetFilterPropMPG2, &H::BuildGraphMPEG, &H::SetFilterPropMPG2},
        {3, &H::CreateFilterMPEG4, &H::PreSetFilterPropMPEG4, &H::BuildGraphMPEG4, NULL},
        {4, &H::CreateFilterMPEG, &H::PreSetFilterPropVCD, &H::BuildGraphMPEG, &H::SetFilterPropVCD},
        {5, &H::CreateFilterMPEG, &H::PreSetFilterPropSVCD, &H::BuildGraphMPEG, &H::SetFilterPropSVCD},
        {6, &H::CreateFilterMPEG, &H::PreSetFilterPropDVD, &H::BuildGraphMPEG, &H::SetFilterPropDVD},
        {7, &H::CreateFilterMPEG, &H::PreSetFilterPropHIDVD, &H::BuildGraphMPEG, &H::SetFilterPropHIDVD},
    };
    m_fmRecordFormats = {
        {0, &H::CreateFilterFMPCM, &H::PreSetFilterFMAVI, &H::BuildGraphFMPCM, NULL},
        {1, &H::CreateFilterFMADPCM, &H::PreSetFilterFMAVI, &H::BuildGraphFMADPCM, NULL},
        {2, &H::CreateFilterFMMP2, &H::PreSetFilterFMMP2, &H::BuildGraphFMMP2, NULL},
        {3, &H::CreateFilterFMCustom, &H::PreSetFilterFMAVI, &H::BuildGraphFMCustom, NULL},
    };
}

// Creates the filter of a slot when the slot is empty; a wrapper of another
// class than the slot's (no creator record for it) is taken out again.
template <class T>
BOOL CTVHardWare::CreateOnce(T*& slot, const CLSID* clsid, const char* name)
{
    if (slot)
        return TRUE;
    CRootFilter* made = AddByClassId(clsid, name);
    slot = dynamic_cast<T*>(made);
    if (made && !slot)
        m_saRootGraph.DeleteFilter(made);
    if (!slot)
        DebugHelper("Create %s failed!\n", name);
    return slot != NULL;
}

// The slots of the record, FM-record and time-shift files.
template BOOL CTVHardWare::CreateOnce(CRootFilter*&, const CLSID*, const char*);
template BOOL CTVHardWare::CreateOnce(CAVMuxFilter*&, const CLSID*, const char*);
template BOOL CTVHardWare::CreateOnce(CDumpFilter*&, const CLSID*, const char*);
template BOOL CTVHardWare::CreateOnce(CMCEncoderFilter*&, const CLSID*, const char*);
template BOOL CTVHardWare::CreateOnce(CAVSwitchFilter*&, const CLSID*, const char*);
template BOOL CTVHardWare::CreateOnce(CTimeShiftFilter*&, const CLSID*, const char*);
template BOOL CTVHardWare::CreateOnce(CMPEG2Demultiplexer*&, const CLSID*, const char*);
template BOOL CTVHardWare::CreateOnce(COverlayFilter*&, const CLSID*, const char*);

// The file writer behind the AVI multiplexer, wrapped as one whatever its
// class id (the program's is the system's writer).
BOOL CTVHardWare::CreateAviWriter()
{
    if (m_pAviWriter)
        return TRUE;
    CFileWriteFilter* writer =
        m_recordDevices.fileWriter ? new (std::nothrow) CFileWriteFilter(&m_saRootGraph, m_recordDevices.fileWriter)
                                   : NULL;
    if (writer) {
        writer->SetName(kAviWriterName);
        if (m_saRootGraph.AddFilter(writer))
            m_pAviWriter = writer;
        else
            delete writer;
    }
    if (!m_pAviWriter)
        DebugHelper("Create %s failed!\n", kAviWriterName);
    return m_pAviWriter != NULL;
}

// The AVI multiplexer's output to the writer. The multiplexer writes its
// file through the IStream of the writer's input pin: a writer without one
// (Wine's) would leave it nothing to write to, and Wine's multiplexer
// crashes then, so such a writer is refused here.
BOOL CTVHardWare::ConnectAviMuxToWriter()
{
    if (!ConnectNamedPins(m_pAviMux, m_pAviWriter, "", ""))
        return FALSE;
    CRootPin* in = m_pAviWriter->FindPin(PINDIR_INPUT, FALSE);
    ComPtr<IStream> stream;
    if (!in || !in->GetIPin() || FAILED(in->GetIPin()->QueryInterface(IID_IStream, stream.ReceiveVoid()))) {
        DebugHelper("AVI Writer takes no stream writes\n");
        return FALSE;
    }
    return TRUE;
}

BOOL CTVHardWare::CreateAudioCompressor(CRootFilter*& slot, const char* name)
{
    if (!slot)
        slot = AddByName(&CLSID_AudioCompressorCategory, name, name);
    return slot != NULL;
}

// --- RunRecord and StopRecord ----------------------------------------------------

// Runs the four steps of the table's row for `format` (row 0 when no row
// has that id); TRUE when all succeeded.
BOOL CTVHardWare::RunRecordRow(const std::vector<RecordFormatRow>& table, int format, BOOL traced)
{
    if (table.empty())
        return FALSE;
    const RecordFormatRow* row = &table[0];
    for (const RecordFormatRow& candidate : table) {
        if (candidate.id == format) {
            row = &candidate;
            break;
        }
    }
    const struct {
        BOOL (CTVHardWare::*step)();
        const char* trace;
    } steps[] = {
        {row->CreateFilter, "Runrecord CreateFilter is execute success.\n"},
        {row->PresetFilter, "Runrecord PresetFilter is excute success.\n"},
        {row->BuildFilter, "Runrecord BuildFilter is execute success.\n"},
        {row->SetfilterProp, "Runrecord SetfilterProp is execute success.\n"},
    };
    for (const auto& s : steps) {
        if (s.step && !(this->*s.step)())
            return FALSE;
        if (traced)
            DebugHelper(s.trace);
    }
    return TRUE;
}

BOOL CTVHardWare::RunRecord()
{
    if (m_settings.VideoSource == kInputFM)
        return RunFMRecord();
    DebugHelper("CTVHardWare::RunRecord()\n");
    if (m_bRecording) {
        DebugHelper("excute StopRecord()!\n");
        return StopRecord();
    }
    StopRemote();
    m_saRootGraph.DisconnectAll();
    UpdateVideoStandard();

    BOOL ran = RunRecordRow(m_recordFormats, m_settings.RecordFormat, TRUE);
    if (ran) {
        for (int i = 0; i < kVideoPropertyCount; ++i)
            SetOverlayProperty(i, m_nOverlayProperty[i]);
        m_bRecording = TRUE;
        ApplyDesktopMode();
        ran = m_saRootGraph.Run();
        DebugHelper("RootGraph::Run is %d\n", ran);
        StartRemote();
    }
    if (ran)
        return ran;
    // The stop road rebuilds the preview itself; a second preview on top
    // of it would only tear the first one down again.
    DebugHelper("Failed to record,StopRecord and runPrivew\n");
    StopRecord();
    return FALSE;
}

BOOL CTVHardWare::StopRecord()
{
    DebugHelper("TVHardWare StopRecord\n");
    m_bRecording = FALSE;
    StopRemote();
    m_saRootGraph.DisconnectAll();
    DestroyGraph();
    // The time-shift filter has closed its buffer with the graph.
    DeleteTFBuffer();
    ResetFilters();
    if (!m_saRootGraph.MakeGraph())
        return FALSE;
    if (m_settings.VideoSource == kInputFM) {
        DebugHelper("StopRecord() IsFM\n");
        if (StopToRadio())
            return TRUE;
    }
    if (!RunPreview())
        return FALSE;
    SelectInput(m_settings.VideoSource, TRUE);
    return TRUE;
}

// FM listening after a stop: FALSE when the NULL-renderer graph cannot be
// made, so the caller builds the TV preview instead.
BOOL CTVHardWare::StopToRadio()
{
    if (!CreateRenderFilter(TRUE)) {
        DebugHelper("CreatePreviewFilter failed!\n");
        return FALSE;
    }
    if (!m_pNullRender)
        m_pNullRender = AddByClassId(m_devices.nullRenderer, kNullRendererName);
    SetNotifyWindow(m_hNotifyWnd);
    if (!ConnectNullGraph())
        return FALSE;
    SelectInput(kInputFM, TRUE);
    DebugHelper("Graph.Run is %d\n", m_saRootGraph.Run());
    SelectInput(kInputFM, TRUE);
    StartRemote();
    return TRUE;
}

BOOL CTVHardWare::SetRecordFile(LPCSTR path)
{
    if (!path)
        return FALSE;
    m_strRecordFile = path;
    return TRUE;
}

BOOL CTVHardWare::SetRecordFormat(int format)
{
    if (!HardwareSettings::IsValidRecordFormat(format))
        return FALSE;
    m_settings.RecordFormat = format;
    return TRUE;
}

BOOL CTVHardWare::PauseRecord(BOOL pause)
{
    if (!m_pAVSwitchFilter)
        return FALSE;
    const BOOL switched = m_pAVSwitchFilter->SetSwitch(!pause);
    if (switched)
        m_bRecordPaused = pause;
    return switched;
}

BOOL CTVHardWare::IsRecordPaused(BOOL* paused)
{
    BOOL pass = TRUE;
    if (!paused || !m_pAVSwitchFilter || !m_pAVSwitchFilter->GetSwitch(&pass))
        return FALSE;
    *paused = !pass;
    return TRUE;
}

BOOL CTVHardWare::ShowCodecDialog(HWND owner, BOOL show, CodecDialogFault* fault)
{
    CodecDialogFault result = kCodecDialogShown;
    if (!m_pXvidCodec)
        m_pXvidCodec = AddByName(&CLSID_VideoCompressorCategory, m_recordDevices.xvidCodec, m_recordDevices.xvidCodec);
    if (!m_pXvidCodec) {
        DebugHelper("ShowCodecDialog: no %s\n", m_recordDevices.xvidCodec);
        if (fault)
            *fault = kCodecMissing;
        return FALSE;
    }
    if (show && owner) {
        // The codec's own settings dialog lives in a library of its maker's.
        typedef void(WINAPI * ShowDialog)(HWND);
        HMODULE library = ::LoadLibraryA("Rendix.dll");
        FARPROC entry = library ? ::GetProcAddress(library, "XD_ShowVCMDialog") : NULL;
        if (ShowDialog showDialog = reinterpret_cast<ShowDialog>(reinterpret_cast<void*>(entry))) {
            showDialog(owner);
        } else {
            DebugHelper("ShowCodecDialog: Rendix.dll or its dialog not found\n");
            result = kCodecDialogMissing;
        }
        if (library)
            ::FreeLibrary(library);
    }
    m_saRootGraph.DeleteFilter(m_pXvidCodec);
    m_pXvidCodec = NULL;
    if (fault)
        *fault = result;
    return FALSE;
}

// --- FM listening -------------------------------------------------------------------

BOOL CTVHardWare::ConnectNullGraph()
{
    if (!ConnectCardInput(NULL))
        return FALSE;
    if (!ConnectNamedPins(m_pCardFilter, m_pNullRender, "", "")) {
        DebugHelper("Connect tvcardfilter with nullRenderer failed\n");
        return FALSE;
    }
    return TRUE;
}

BOOL CTVHardWare::BuildNullGraph()
{
    if (!m_pNullRender)
        m_pNullRender = AddByClassId(m_devices.nullRenderer, kNullRendererName);
    return ConnectNullGraph();
}

BOOL CTVHardWare::ConnectNamedPins(CRootFilter* from, CRootFilter* to, LPCSTR outName, LPCSTR inName)
{
    return from && to && m_saRootGraph.ConnectFilters(from, to, outName, inName);
}

BOOL CTVHardWare::ConnectInOrder(const Connection* steps, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (!ConnectNamedPins(steps[i].from, steps[i].to, steps[i].out, steps[i].in)) {
            DebugHelper(steps[i].failure);
            return FALSE;
        }
    }
    return TRUE;
}

// --- creating the filters ---------------------------------------------------------

// Wine's multiplexer starts only with full interleaving; started with the
// wrapper's "none" it fails its start, yet the graph runs and it crashes on
// the first sample. Windows' keeps the wrapper's setting.
BOOL CTVHardWare::CreateAviMux()
{
    const BOOL made = m_pAviMux != NULL;
    if (!CreateOnce(m_pAviMux, m_recordDevices.aviMux, kAviMuxName))
        return FALSE;
    ComPtr<IConfigInterleaving> interleaving;
    if (!made && CEvrControl::IsWine() &&
        SUCCEEDED(m_pAviMux->GetFilter()->QueryInterface(IID_IConfigInterleaving, interleaving.ReceiveVoid())))
        interleaving->put_Mode(INTERLEAVE_FULL);
    return TRUE;
}

BOOL CTVHardWare::CreateFilterAVI()
{
    if (!CreateAviMux() ||
        !CreateAviWriter() ||
        !CreateOnce(m_pInfTee, m_recordDevices.infTee, kInfTeeName))
        return FALSE;
    if (HasAudioPin()) {
        if (!CreateOnce(m_pAudioTee, m_recordDevices.smartTee, kAudioTeeName))
            return FALSE;
        if (m_bDigitalAudio && !CreateOnce(m_pDSoundRender, m_devices.directSound, kDirectSoundName))
            return FALSE;
    }
    return TRUE;
}

BOOL CTVHardWare::CreateFilterMPEG()
{
    if (!CreateOnce(m_pMCEncoder, m_recordDevices.encoder, kEncoderName) ||
        !CreateOnce(m_pDump, m_recordDevices.dump, kDumpName) ||
        !CreateOnce(m_pACMWrapper, m_recordDevices.acmWrapper, kAcmWrapperName) ||
        !CreateOnce(m_pAVSwitchFilter, m_recordDevices.avSwitch, kAVSwitchName))
        return FALSE;
    if (HasAudioPin()) {
        if (!CreateOnce(m_pAudioTee, m_recordDevices.smartTee, kAudioTeeName) ||
            !CreateOnce(m_pAudioRender, m_devices.waveOut, kWaveOutName))
            return FALSE;
    }
    return TRUE;
}

BOOL CTVHardWare::CreateFilterMPEG4()
{
    CStringArray names;
    m_saMpeg4Codecs.RemoveAll();
    EnumFilterNames(CRootGraph::kVideoCompressor, names);
    for (int i = 0; i < names.GetSize(); ++i) {
        if (names[i].Find("MPEG-4") >= 0)
            m_saMpeg4Codecs.Add(names[i]);
    }
    if (m_saMpeg4Codecs.GetSize() == 0) {
        DebugHelper("CreateFilterMPEG4: no MPEG-4 video compressor\n");
        return FALSE;
    }

    // Microsoft's ADPCM first, the InterVideo codecs left out (they only
    // work inside their own graphs).
    names.RemoveAll();
    m_saMpeg4AudioCodecs.RemoveAll();
    EnumFilterNames(CRootGraph::kAudioCompressor, names);
    for (int i = 0; i < names.GetSize(); ++i) {
        if (names[i].Find("InterVideo") >= 0)
            continue;
        if (names[i].Find("Microsoft ADPCM") >= 0)
            m_saMpeg4AudioCodecs.InsertAt(0, names[i]);
        else
            m_saMpeg4AudioCodecs.Add(names[i]);
    }
    if (m_saMpeg4AudioCodecs.GetSize() == 0) {
        DebugHelper("CreateFilterMPEG4: no audio compressor\n");
        return FALSE;
    }

    if (!CreateFilterAVI())
        return FALSE;
    if (!m_pXvidCodec)
        m_pXvidCodec = AddByName(&CLSID_VideoCompressorCategory, m_recordDevices.xvidCodec, m_recordDevices.xvidCodec);
    if (!m_pXvidCodec) {
        DebugHelper("Create %s failed!\n", m_recordDevices.xvidCodec);
        return FALSE;
    }
    // Without its audio codec the recording goes with uncompressed sound.
    if (!m_pMpeg4AudioCodec && !m_settings.Mpeg4Audio.IsEmpty())
        m_pMpeg4AudioCodec = AddByName(&CLSID_AudioCompressorCategory, m_settings.Mpeg4Audio, "Mpeg4AudioCodec");
    return TRUE;
}

// --- presets ------------------------------------------------------------------------

// Deinterlace mode 0 off, 1 deinterlace, 2 deinterlace and reduce noise;
// half rate always on.
BOOL CTVHardWare::ApplyDeinterlaceMode()
{
    if (!m_pDeinterlace)
        return FALSE;
    BOOL ok = m_pDeinterlace->SetDeinterlace(m_nDeinterlaceMode != 0);
    ok = m_pDeinterlace->SetNoiseReduce(m_nDeinterlaceMode == 2) && ok;
    if (m_nDeinterlaceMode == 2)
        ok = m_pDeinterlace->SetReduceValue(m_nReduceValue) && ok;
    return m_pDeinterlace->SetHalfRate(TRUE) && ok;
}

BOOL CTVHardWare::RecordPreset(int format)
{
    const RecordPresetRow* row = NULL;
    for (const RecordPresetRow& candidate : kRecordPresets) {
        if (candidate.format == format)
            row = &candidate;
    }
    if (!row)
        return FALSE;
    const char* file = m_strRecordFile;
    BOOL ok = row->sink == kToAviWriter ? (m_pAviWriter && m_pAviWriter->SetFileName(file))
                                        : (m_pDump && m_pDump->SetFileName(file));
    SIZE size = Is525Line() ? row->size525 : row->size625;
    if (size.cx == 0)
        size = m_settings.VideoSize;
    ok = SetCaptureFormat(size.cx, size.cy) && ok;
    ok = m_pDeinterlace && m_pDeinterlace->SetCaptureOption(row->captureOption) && ok;
    return ApplyDeinterlaceMode() && ok;
}

BOOL CTVHardWare::PreSetFilterPropAVI() { return RecordPreset(0); }
BOOL CTVHardWare::PreSetFilterPropMPG1() { return RecordPreset(1); }
BOOL CTVHardWare::PreSetFilterPropMPG2() { return RecordPreset(2); }
BOOL CTVHardWare::PreSetFilterPropVCD() { return RecordPreset(4); }
BOOL CTVHardWare::PreSetFilterPropSVCD() { return RecordPreset(5); }
BOOL CTVHardWare::PreSetFilterPropDVD() { return RecordPreset(6); }
BOOL CTVHardWare::PreSetFilterPropHIDVD() { return RecordPreset(7); }

BOOL CTVHardWare::PreSetFilterPropMPEG4()
{
    BOOL ok = m_pAviWriter && m_pAviWriter->SetFileName(m_strRecordFile);
    const CSize size = m_settings.Mpeg4RecordSize;
    const BOOL full = size.cy > kMpeg4FullHeight;
    ok = (full ? SetCaptureFormat(size.cx, size.cy) : SetCaptureFormat(2 * size.cx, 2 * size.cy)) && ok;
    return m_pDeinterlace && m_pDeinterlace->SetCaptureOption(!full) && ok;
}

// --- encoder settings -------------------------------------------------------------

// Fills the encoder's settings for the format and standard and applies
// them; `strict` ANDs every call into the result, else only the encoder's
// presence counts.
BOOL CTVHardWare::SetEncoderProps(BOOL (*fill)(MCEncoderSettings*, BOOL), BOOL strict)
{
    if (!m_pMCEncoder)
        return FALSE;
    MCEncoderSettings settings = {};
    BOOL ok = fill(&settings, !Is525Line());
    ok = m_pMCEncoder->ApplySettings(&settings) && ok;
    ok = m_pMCEncoder->SetOption97(1) && ok;
    ok = m_pMCEncoder->SetOption96(0) && ok;
    ok = m_pMCEncoder->SetConfigValue10(0) && ok;
    return strict ? ok : TRUE;
}

BOOL CTVHardWare::SetFilterPropMPG1() { return SetEncoderProps(&CMCEncoderFilter::FillMPEG1Settings, TRUE); }
BOOL CTVHardWare::SetFilterPropMPG2() { return SetEncoderProps(&CMCEncoderFilter::FillMPEG2Settings, FALSE); }
BOOL CTVHardWare::SetFilterPropVCD() { return SetEncoderProps(&CMCEncoderFilter::FillVCDSettings, TRUE); }
BOOL CTVHardWare::SetFilterPropSVCD() { return SetEncoderProps(&CMCEncoderFilter::FillSVCDSettings, TRUE); }
BOOL CTVHardWare::SetFilterPropDVD() { return SetEncoderProps(&CMCEncoderFilter::FillDVDSettings, TRUE); }
BOOL CTVHardWare::SetFilterPropHIDVD() { return SetEncoderProps(&CMCEncoderFilter::FillHIDVDSettings, TRUE); }

// --- building the graphs ---------------------------------------------------------

// Card "Capture" to the deinterlace filter, the enhanced renderer's window,
// deinterlace "Preview" to the video renderer. The failures of the first
// and last connection are traced with the texts given (NULL: no trace).
BOOL CTVHardWare::ConnectCardInput(const char* failure)
{
    if (m_pCrossBar && m_pCardFilter && ConnectCrossbarToCard())
        return TRUE;
    if (failure)
        DebugHelper("%s", failure);
    return FALSE;
}

BOOL CTVHardWare::ConnectVideoPreview(const char* cardFailure, const char* rendererFailure)
{
    if (!RenewVideoRenderer() || !ConnectCardToDeinterlace()) {
        if (cardFailure)
            DebugHelper(cardFailure);
        return FALSE;
    }
    if (m_bEvrInUse && !InitEvrWindow()) {
        DebugHelper("InitEvrFilter failed!\n");
        return FALSE;
    }
    if (!m_pVideoRender || !ConnectNamedPins(m_pDeinterlace, m_pVideoRender, "Preview", "")) {
        if (rendererFailure)
            DebugHelper(rendererFailure);
        return FALSE;
    }
    return TRUE;
}

// The audio to record: with a card "Audio" pin, through the Smart Tee whose
// "Preview" plays on the wave-out renderer; else the audio capture device.
BOOL CTVHardWare::ConnectAudioSource(CRootFilter** source, BOOL withTraces)
{
    if (HasAudioPin()) {
        if (!ConnectNamedPins(m_pCardFilter, m_pAudioTee, "Audio", "")) {
            if (withTraces)
                DebugHelper("Connect to Audio Smart Tee Error!\n");
            return FALSE;
        }
        if (!ConnectNamedPins(m_pAudioTee, m_pAudioRender, "Preview", kAudioRendererPin)) {
            if (withTraces)
                DebugHelper("Connect to Direct Sound Filter or Audio Render Error.\n");
            return FALSE;
        }
        *source = m_pAudioTee;
        return TRUE;
    }
    if (!m_pAudioFilter) {
        if (withTraces)
            DebugHelper("m_pAudioFilter is NULL!\n");
        return FALSE;
    }
    *source = m_pAudioFilter;
    return TRUE;
}

BOOL CTVHardWare::BuildGraphAVI()
{
    if (m_saRootGraph.GetState() != 0) {
        StopRemote();
        m_saRootGraph.DisconnectAll();
    }
    if (!m_pCrossBar || !m_pCardFilter || !m_pDeinterlace)
        return FALSE;
    // The crossbar to the card directly: rendering its output would let the
    // graph builder render the card's outputs as well, into filters of its
    // own choosing, before the record path is built.
    if (!ConnectCrossbarToCard() || !ConnectVideoPreview(NULL, NULL))
        return FALSE;
    CRootFilter* source = NULL;
    if (!ConnectAudioSource(&source, FALSE))
        return FALSE;
    // A capture device without a capture pin (Wine's has none) gives no
    // sound to record; the picture is recorded all the same.
    CRootPin* sound = source->FindPinByName("Capture");
    if (!sound)
        DebugHelper("BuildGraphAVI: the audio source has no capture pin, recording without sound\n");
    // The multiplexer's output first: connecting it reconnects the inputs
    // already connected, which Wine's multiplexer does not survive.
    return ConnectAviMuxToWriter() &&
           (!sound || m_saRootGraph.ConnectPins(sound, m_pAviMux->FindPin(PINDIR_INPUT, TRUE))) &&
           ConnectNamedPins(m_pDeinterlace, m_pInfTee, "Capture", "") &&
           ConnectNamedPins(m_pInfTee, m_pAviMux, "", "");
}

BOOL CTVHardWare::BuildGraphMPEG()
{
    StopRemote();
    m_saRootGraph.DisconnectAll();
    if (!ConnectCardInput("connect crossbar with tvcard failed!\n"))
        return FALSE;
    if (!ConnectVideoPreview("Connect Card to Deinterlace error!\n", "Connect Deinterlace to VideoRender error!\n"))
        return FALSE;
    const Connection video[] = {
        {m_pDeinterlace, m_pAVSwitchFilter, "Capture", "Video Input",
         "Connect Deinterlace to AVSwitch`s Video input error!\n"},
        {m_pAVSwitchFilter, m_pMCEncoder, "Video Output", "Input Video",
         "Connect m_pAVSwitchFilter to MCEncoder error!\n"},
    };
    CRootFilter* source = NULL;
    if (!ConnectInOrder(video) || !ConnectAudioSource(&source, TRUE))
        return FALSE;
    const Connection audio[] = {
        {source, m_pAVSwitchFilter, "Capture", "Audio Input", "Connect AudioFilter to AVSwitch`s Audio input error!\n"},
        {m_pAVSwitchFilter, m_pACMWrapper, "Audio Output", "", "connect AVSwitch with ACMrapper failed!\n"},
        {m_pACMWrapper, m_pMCEncoder, "", "Input Audio", "Connect AudioEnc to Mux error!\n"},
        {m_pMCEncoder, m_pDump, "", "", "Connect Mux to Writer error!\n"},
    };
    return ConnectInOrder(audio);
}

BOOL CTVHardWare::BuildGraphMPEG4()
{
    StopRemote();
    m_saRootGraph.DisconnectAll();
    if (!ConnectCardInput("connect crossbar with Card failed!\n"))
        return FALSE;
    if (!ConnectVideoPreview("Connect Card to Deinterlace error!\n", "Connect AVIDec to VideoRender error!\n"))
        return FALSE;
    // The multiplexer's output first (see BuildGraphAVI).
    if (!ConnectAviMuxToWriter()) {
        DebugHelper("Connect AVIMux to AVIWriter error\n");
        return FALSE;
    }
    const Connection video[] = {
        {m_pDeinterlace, m_pXvidCodec, "Capture", "", "Connect Deinterlace to Mpeg4EncFiter error!\n"},
        {m_pXvidCodec, m_pAviMux, "", "", "Connect Mpeg4EncFilter to AVIMuxFiter error!\n"},
    };
    if (!ConnectInOrder(video))
        return FALSE;

    CRootPin* audioOut = NULL;
    if (!m_bMpeg4Audio || !m_pMpeg4AudioCodec) {
        CRootFilter* source = m_pAudioFilter;
        if (HasAudioPin()) {
            if (!ConnectNamedPins(m_pCardFilter, m_pAudioTee, "Audio", "") ||
                !ConnectNamedPins(m_pAudioTee, m_pAudioRender, "Preview", ""))
                return FALSE;
            source = m_pAudioTee;
        }
        audioOut = source ? source->FindPinByName("Capture") : NULL;
    } else {
        CRootFilter* source = m_pAudioFilter;
        if (m_bDigitalAudio && HasAudioPin()) {
            if (!ConnectNamedPins(m_pCardFilter, m_pAudioTee, "Audio", "") ||
                !ConnectNamedPins(m_pAudioTee, m_pDSoundRender, "Preview", ""))
                return FALSE;
            source = m_pAudioTee;
        }
        if (!ConnectNamedPins(source, m_pMpeg4AudioCodec, "Capture", ""))
            return FALSE;
        audioOut = m_pMpeg4AudioCodec->FindPin(PINDIR_OUTPUT, TRUE);
    }
    if (!audioOut || !m_saRootGraph.ConnectPins(audioOut, m_pAviMux->FindPin(PINDIR_INPUT, TRUE)))
        return FALSE;
    m_pAviMux->SetMasterStream(1);
    return TRUE;
}
