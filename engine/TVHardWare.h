// CTVHardWare: the engine's graph owner. It keeps the filter graph and plain
// pointers to the filter wrappers in the graph's list (the graph owns them),
// builds and runs the preview graph in the video window, switches the card's
// inputs, standards and capture size, and is the one place for the card's
// individual controls (sound mode, picture, deinterlace, desktop video,
// power-on timer, scans, remote polling, volume, teletext). The record,
// FM-record and time-shift graphs reuse its creation and connection steps.
// A member of the TV manager; no window, thread or timer of its own. UI
// thread only (a single-threaded COM apartment).
#pragma once
#include "engine/EvrControl.h"
#include "engine/HardwareSettings.h"
#include "engine/RecordGraphs.h"
#include "graph/DeviceEnum.h"
#include "graph/RootGraph.h"
#include "platform/mfc/Array.h"
#include "platform/mfc/String.h"

#include <windows.h>
#include <dshow.h>

#include <vector>

class Audio_Control;
class CAudioDeviceFilter;
class CAVMuxFilter;
class CAVSwitchFilter;
class CCrossBarFilter;
class CDeinterlaceFilter;
class CDumpFilter;
class CFileWriteFilter;
class CMCEncoderFilter;
class CMPEG2Demultiplexer;
class COverlayFilter;
class CTVCardFilter;
class CTVHardWare;
class CTVTuner;
class CTimeShiftFilter;
struct MCEncoderSettings;

// The program-wide start-up error: 0 while none, else the code of the first
// device that could not be created. The manager's start-up reads it.
enum : DWORD
{
    kErrorNoCaptureFilter = 0xE0601001,
    kErrorNoCrossbar = 0xE0601002,
    kErrorNoAudioDevice = 0xE0601003,
    kErrorNoVideoRenderer = 0xE0601004,
    kErrorNoWaveOutRenderer = 0xE0601005,
    kErrorNoDeinterlace = 0xE0601006,
};
DWORD GetStartupErrorCode();
void SetStartupErrorCode(DWORD code);

// Where the preview's devices come from: the card driver's device names and
// the class ids of the helper filters and renderers. The program uses
// kPreviewDevices; tests point an entry elsewhere to take a device away.
struct PreviewDevices
{
    const char* bdaCapture;
    const char* wdmCapture;
    const char* bdaCrossbar;
    const char* wdmCrossbar;
    const GUID* tunerCategory;
    const char* tvTuner;
    const char* tvAudio;
    const CLSID* deinterlace;
    const CLSID* evr;
    const CLSID* vmr;
    const CLSID* waveOut;
    const CLSID* directSound;
    const CLSID* nullRenderer;
    // The audio capture devices by name, in the system's order.
    BOOL (*listAudioDevices)(CStringArray& names, LPCSTR selected);
};
extern const PreviewDevices kPreviewDevices;

// One row of a record dispatch table: a format id and the four steps that
// make its graph, each run only after the one before succeeded. A step left
// NULL has nothing to do.
struct RecordFormatRow
{
    int id;
    BOOL (CTVHardWare::*CreateFilter)();
    BOOL (CTVHardWare::*PresetFilter)();
    BOOL (CTVHardWare::*BuildFilter)();
    BOOL (CTVHardWare::*SetfilterProp)();
};

// The class ids of the filters the record, FM-record and time-shift graphs
// add. The program uses kRecordDevices; tests point an entry elsewhere to
// take a filter away.
struct RecordDevices
{
    const CLSID* aviMux;
    const CLSID* fileWriter;
    const CLSID* infTee;
    const CLSID* smartTee;
    const CLSID* encoder;
    const CLSID* dump;
    const CLSID* acmWrapper;
    const CLSID* avSwitch;
    const CLSID* timeShift;
    const CLSID* demultiplexer;
    const CLSID* videoDecoder;
    const CLSID* audioDecoder;
    const CLSID* overlayMixer;
    const char* xvidCodec;  // by name among the video compressors
};
extern const RecordDevices kRecordDevices;

// The desktop's wallpaper, read and set through the shell (CActiveDesktop);
// tests give a fake so the machine's desktop stays as it is.
class IWallpaper
{
public:
    virtual ~IWallpaper() {}
    virtual BOOL GetWallpaper(CString& path) = 0;
    virtual BOOL SetWallpaper(LPCSTR path) = 0;
};

class CTVHardWare
{
public:
    // Input modes.
    enum { kInputTV = 0, kInputAV = 1, kInputSV = 2, kInputFM = 3 };

    CTVHardWare();
    virtual ~CTVHardWare();
    CTVHardWare(const CTVHardWare&) = delete;
    CTVHardWare& operator=(const CTVHardWare&) = delete;

    // The values of "TVParam.ini" this object keeps (the manager reads and
    // writes them with the file).
    HardwareSettings& Settings() { return m_settings; }
    const HardwareSettings& Settings() const { return m_settings; }
    CRootGraph& GetGraph() { return m_saRootGraph; }

    // --- creation (the error code is set on the first device missing) ---
    BOOL CreatePreviewFilter();
    BOOL CreateCardFilter();
    BOOL CreateAudioCaptureFilter();
    BOOL CreateRenderFilter(BOOL withDeinterlace);

    // --- the preview graph ---
    BOOL BuildPreviewGraph();
    BOOL RunPreview();
    BOOL RebuildPreview();
    BOOL StopGraph(BOOL toRadio);
    void CloseDevice();
    void ResetFilters();
    BOOL HasAudioPin();
    BOOL IsCaptureConnected();
    BOOL SetAudioDevice(LPCSTR name);
    // A preview rebuild would end a recording or time shift: refused then.
    BOOL IsGraphBusy() const { return m_bRecording || m_bTFRunning; }

    // --- inputs, standards, sizes ---
    BOOL SelectInput(int mode, BOOL remember);
    BOOL SelectInput(int mode) { return SelectInput(mode, TRUE); }
    int GetInputMode() const { return m_settings.VideoSource; }
    BOOL SetVideoStandard(DWORD standard);
    DWORD GetVideoStandard() const { return m_settings.TunerStandard; }
    DWORD GetAppliedStandard() const { return m_dwAppliedStandard; }
    void UpdateVideoStandard();
    BOOL Is525Line() const;
    static BOOL Is525LineStandard(DWORD standard);
    BOOL GetVideoStandards(CUIntArray& standards);
    static CSize MapVideoSize(CSize size, BOOL is525);
    BOOL SetCaptureFormat(int width, int height);
    BOOL SetVideoSize(CSize size);
    CSize GetVideoSize() const { return m_settings.VideoSize; }
    BOOL SetUseOverlay(BOOL use);
    BOOL IsOverlayInUse() const { return m_bUseOverlay; }
    // The manager's "OverlayDesktop": the preview starts on the desktop.
    void SetOverlayDesktop(BOOL desktop) { m_bOverlayDesktop = desktop; }

    // --- windows ---
    void SetVideoWindow(HWND window) { m_hVideoWnd = window; }
    HWND GetVideoWindow() const { return m_hVideoWnd; }
    // Hands the picture to another window, on a running graph too (the
    // caller pauses it around the switch): the enhanced renderer draws
    // into it through its display control over its whole client area, the
    // older renderer's window becomes its child. The window becomes the
    // video window. FALSE for no window or when the renderer refuses it.
    BOOL SetVideoOwner(HWND window);
    BOOL SetNotifyWindow(HWND window);
    HWND GetNotifyWindow() const { return m_hNotifyWnd; }
    BOOL SetVideoRect(int left, int top, int right, int bottom);
    BOOL RepaintVideo();
    BOOL IsEvrInUse() const { return m_bEvrInUse; }

    // --- audio lists (capture devices and inputs, sound outputs and lines) ---
    BOOL GetAudioInputDevices();
    BOOL GetAudioInputSrc();
    BOOL GetAudioPlayDeviceArray();
    BOOL GetAudioPlaySrc();
    const CStringArray& GetAudioDevices() const { return m_saAudioDevices; }
    const CStringArray& GetAudioInputs() const { return m_saAudioInputs; }
    const CStringArray& GetPlayDevices() const { return m_saPlayDevices; }
    const CStringArray& GetPlayLines() const { return m_saPlayLines; }
    BOOL EnumFilterNames(int kind, CStringArray& names);

    // --- sound and picture controls ---
    BOOL SetTVAudioMode(int index);
    int GetTVAudioMode() const { return m_settings.TVAudio; }
    BOOL PutTVAudioMode(long value);
    BOOL SetVideoProperty(int index, long value);
    BOOL GetVideoProperty(int index, long* value);
    BOOL GetVideoPropertyRange(int index, long* minimum, long* maximum, long* defaultValue);
    int GetCachedVideoProperty(int index) const;
    BOOL SetOverlayProperty(int index, long value);
    BOOL GetOverlayProperty(int index, long* value);
    BOOL GetOverlayPropertyRange(int index, long* minimum, long* maximum, long* defaultValue);
    int GetCachedOverlayProperty(int index) const;
    BOOL SetAspectRatioMode(int mode);
    BOOL IsOverlayConnected();
    BOOL SetDeinterlace(BOOL on);
    BOOL SetHalfRate(BOOL on);
    BOOL SetNoiseReduce(BOOL on);
    BOOL SetReduceValue(int value);
    BOOL TakeSnapshot(LPCSTR path, int format, int quality);
    BOOL EnableAudioInputPin(LPCSTR pin, BOOL enable);
    void SetDeinterlaceMode(int mode) { m_nDeinterlaceMode = mode; }
    int GetDeinterlaceMode() const { return m_nDeinterlaceMode; }

    // --- video on the desktop ---
    BOOL EnableDesktopVideo();
    BOOL DisableDesktopVideo();
    BOOL IsDesktopVideo() const { return m_bDesktopVideo; }
    COLORREF GetColorKey() const { return m_crColorKey; }
    BOOL ApplyDesktopWallpaper();
    BOOL RestoreWallpaper();
    // A wallpaper left behind by a run that did not end properly.
    BOOL RestoreSavedWallpaper();
    const CString& GetSavedWallpaper() const { return m_strSavedWallpaper; }

    // --- power-on timer ---
    BOOL EnableOpenComputer(int minutes, BOOL enable);

    // --- channel search set-up ---
    BOOL StartScan(BOOL tv, BOOL sweep);
    void StopScan();
    // A scan was started here and the tuner's search still runs.
    BOOL IsScanning() const;
    BOOL SetFrequencyPoints(const float* mhz, int count);
    BOOL GetTVFrequencyRange(long* minKHz, long* maxKHz);
    BOOL GetFMFrequencyRange(long* minKHz, long* maxKHz);
    BOOL HasFMTuner();
    BOOL HasFMModule();
    // The card's capture chip (0x7133 ...), 0 without a card or an answer.
    DWORD GetChipType();
    BOOL CreateTunerFilter(long countryCode);
    BOOL SetTVFrequency(float kHz);
    BOOL SetFMFrequency(float kHz);

    // --- remote control ---
    BOOL StartRemote();
    void StopRemote();

    // --- volume, mute, record level ---
    BOOL GetMute(BOOL* mute);
    BOOL SetMute(BOOL mute);
    BOOL SetVolume(int value);
    BOOL GetVolume(int* value);
    BOOL GetAudioMixLevel(int* value);
    BOOL SetAudioMixLevel(int value);
    BOOL MuteRecSrcPalyBack(BOOL mute);

    // --- teletext (an outside program, found by its window) ---
    void SetTeletextOn(BOOL on) { m_settings.TVData = on; }
    BOOL IsTeletextOn() const { return m_settings.TVData; }
    BOOL StartTeletext();
    BOOL IsTeletextRunning();
    BOOL CloseTeletext();
    BOOL ActivateTeletext();

    // --- recording (TVHardWareRecord.cpp) ---
    // Starts a recording of the current record format into the record file,
    // or stops the running one; FM mode records through RunFMRecord. A
    // failed start falls back to preview (or FM listening).
    BOOL RunRecord();
    // Ends a recording, FM recording or time shift and returns to preview,
    // or to FM listening in FM mode.
    BOOL StopRecord();
    BOOL SetRecordFile(LPCSTR path);
    const CString& GetRecordFile() const { return m_strRecordFile; }
    BOOL SetRecordFormat(int format);
    int GetRecordFormat() const { return m_settings.RecordFormat; }
    // Holds (pause) or passes the streams of an MPEG recording; the result
    // is the switch's.
    BOOL PauseRecord(BOOL pause);
    BOOL IsRecordPaused(BOOL* paused);
    // The MPEG-4 codec's own settings dialog over `owner` (with `show`);
    // FALSE: nothing to keep. `fault` says what was missing, if anything.
    enum CodecDialogFault { kCodecDialogShown, kCodecMissing, kCodecDialogMissing };
    BOOL ShowCodecDialog(HWND owner, BOOL show, CodecDialogFault* fault = NULL);
    // FM listening: crossbar, card and the NULL renderer.
    BOOL BuildNullGraph();
    BOOL ConnectNullGraph();
    // An empty pin name takes the filter's first free pin of its direction.
    BOOL ConnectNamedPins(CRootFilter* from, CRootFilter* to, LPCSTR outName, LPCSTR inName);
    const std::vector<RecordFormatRow>& GetRecordFormatTable() const { return m_recordFormats; }
    const CStringArray& GetMpeg4Codecs() const { return m_saMpeg4Codecs; }
    const CStringArray& GetMpeg4AudioCodecs() const { return m_saMpeg4AudioCodecs; }

    // The record steps of the dispatch table.
    BOOL CreateFilterAVI();
    BOOL CreateFilterMPEG();
    BOOL CreateFilterMPEG4();
    BOOL PreSetFilterPropAVI();
    BOOL PreSetFilterPropMPG1();
    BOOL PreSetFilterPropMPG2();
    BOOL PreSetFilterPropMPEG4();
    BOOL PreSetFilterPropVCD();
    BOOL PreSetFilterPropSVCD();
    BOOL PreSetFilterPropDVD();
    BOOL PreSetFilterPropHIDVD();
    BOOL BuildGraphAVI();
    BOOL BuildGraphMPEG();
    BOOL BuildGraphMPEG4();
    BOOL SetFilterPropMPG1();
    BOOL SetFilterPropMPG2();
    BOOL SetFilterPropVCD();
    BOOL SetFilterPropSVCD();
    BOOL SetFilterPropDVD();
    BOOL SetFilterPropHIDVD();

    // --- FM recording (TVHardWareFMRecord.cpp) ---
    BOOL RunFMRecord();
    int GetFMRecordFormat() const { return m_settings.FMRecordFormat; }
    void SetFMRecordFormat(int format) { m_settings.FMRecordFormat = format; }
    // The extension of an FM recording's file: ".mp2" for the MPEG audio
    // format, ".avi" for the formats the AVI multiplexer writes.
    static const char* GetFMRecordExtension(int format);
    const std::vector<RecordFormatRow>& GetFMRecordFormatTable() const { return m_fmRecordFormats; }
    BOOL CreateFilterFMPCM();
    BOOL CreateFilterFMADPCM();
    BOOL CreateFilterFMMP2();
    BOOL CreateFilterFMCustom();
    BOOL PreSetFilterFMAVI();
    BOOL PreSetFilterFMMP2();
    BOOL BuildGraphFMPCM();
    BOOL BuildGraphFMADPCM();
    BOOL BuildGraphFMMP2();
    BOOL BuildGraphFMCustom();

    // --- time shift (TVHardWareTimeShift.cpp) ---
    BOOL RunTFPreview();
    BOOL IsTFPaused() const { return m_bTFPaused; }
    BOOL PauseTF();
    BOOL SeekTF(LONG position);
    // The buffer's size, the span it holds and where playback reads; FALSE
    // unless time shift runs and the filter answers with a sane span.
    BOOL GetTFPosition(TimeShiftPosition* position);
    // The time-shift filter and the MPEG encoder it reads are installed.
    BOOL IsTFAvailable() const;
    BOOL SetTFLength(int seconds);
    int GetTFLength() const { return m_settings.TFTime; }
    BOOL SetTFReserved(int value);
    int GetTFReserved() const { return m_settings.TFReserved; }
    // The buffer file; its index file lies beside it. A path the filter
    // cannot take (it keeps both names in MAX_PATH bytes) is refused and
    // leaves no buffer set, so time shift cannot start on it.
    BOOL SetTFFile(LPCSTR path);
    const CString& GetTFFile() const { return m_strTFFile; }
    // Bytes of buffer for `seconds` of the encoder's stream: its audio at
    // the MPEG-1 Layer II rate of `audioIndex` (1-14) plus the multiplex at
    // `muxBitRate` bit/s. FALSE for an index outside the table or a size
    // that is not positive.
    static BOOL TimeShiftBufferSize(int audioIndex, double muxBitRate, int seconds, LONGLONG* bytes);
    BOOL CreateTFFilter();
    BOOL PreSetFilterTF();
    BOOL BuildTFGraph();
    BOOL SetFilterTF();

    // --- run state shared with the record and time-shift graphs ---
    BOOL IsRecording() const { return m_bRecording; }
    void SetRecording(BOOL recording) { m_bRecording = recording; }
    BOOL IsTFRunning() const { return m_bTFRunning; }
    void SetTFRunning(BOOL running) { m_bTFRunning = running; }
    BOOL IsDigitalAudio() const { return m_bDigitalAudio; }
    // The audio compressor of the user-defined FM record format.
    void SetFMCustomCompressor(LPCSTR name) { m_strFMCustomCompressor = name; }
    const CString& GetFMCustomCompressor() const { return m_strFMCustomCompressor; }

    // The card and its parts, for the manager and the record graphs.
    CTVCardFilter* GetCardFilter() const { return m_pCardFilter; }
    CCrossBarFilter* GetCrossBar() const { return m_pCrossBar; }
    CDeinterlaceFilter* GetDeinterlaceFilter() const { return m_pDeinterlace; }
    CRootFilter* GetVideoRenderer() const { return m_pVideoRender; }
    CRootFilter* GetAudioFilter() const { return m_pAudioFilter; }
    CTVTuner* GetTuner() const;

    // --- seams for tests ---
    void SetDevices(const PreviewDevices& devices) { m_devices = devices; }
    void SetRecordDevices(const RecordDevices& devices) { m_recordDevices = devices; }
    // The Windows major version that picks the renderer (0: ask the system).
    void SetWindowsMajorVersion(DWORD major) { m_dwForcedMajor = major; }
    // Where "DigitalAudio" (HKLM by default) and the remembered wallpaper
    // (HKCU by default) are read: both under one root for a test.
    void SetRegistryRoot(HKEY root) { m_hMachineRoot = m_hUserRoot = root; }
    // The application title that names the key "SOFTWARE\<title>\Common"
    // (given by the manager; until then the resource module's).
    void SetAppTitle(const CString& title) { m_strAppTitle = title; }
    void SetWallpaper(IWallpaper* wallpaper) { m_pWallpaper = wallpaper ? wallpaper : m_pOwnWallpaper; }
    void SetTeletextProgram(LPCSTR path) { m_strTeletextPath = path; }
    Audio_Control* GetAudioControl() const { return m_pAudioControl; }

    // The card's proc-amp cache and the overlay colour cache, index 0-4.
    static const int kVideoPropertyCount = 5;

private:
    // Creation helpers.
    CRootFilter* AddByName(const GUID* category, const char* device, const char* name);
    CRootFilter* AddByClassId(const CLSID* clsid, const char* name);
    BOOL CreateVideoRenderer();
    // The video renderer for the next connection of a graph being built:
    // one that has been handed out before is replaced on Wine, whose
    // enhanced renderer keeps the sample allocator of every connection but
    // its last one, and with it its presenter, the presenter's Direct3D
    // device and the device's thread and window, for good.
    BOOL RenewVideoRenderer();
    BOOL ProbeCapture();
    BOOL ReadWindowsVersion();
    void ReadRegistryOptions();
    // Graph steps.
    BOOL ConnectCrossbarToCard();
    BOOL ConnectCardToDeinterlace();
    BOOL ConnectAudioPath();
    BOOL InitEvrWindow();
    void PlaceVideoWindow();
    // Every teardown of the graph: the graph stopped, then its filters and
    // interfaces released with nothing of theirs left running.
    void DestroyGraph();
    void ApplyCaptureSettings();
    void ApplyVideoProperties();
    void ApplyDesktopMode();
    BOOL RouteInput(int mode);
    // A rebuild of the preview would end a recording or time shift: TRUE
    // (and a trace) when `what` must be refused for that.
    BOOL RefusedWhileBusy(const char* what) const;
    // Stops, reconnects and runs the preview with the filters in place.
    BOOL ReconnectPreview(BOOL setCaptureFormat);
    BOOL SwitchDesktopVideo(BOOL on);
    void RememberWallpaper(const CString& path);
    CString CommonKeyPath() const;
    // Record graph helpers.
    void BuildRecordTables();
    template <class T>
    BOOL CreateOnce(T*& slot, const CLSID* clsid, const char* name);
    BOOL CreateAudioCompressor(CRootFilter*& slot, const char* name);
    BOOL CreateAviWriter();
    BOOL CreateAviMux();
    BOOL ConnectAviMuxToWriter();
    BOOL RunRecordRow(const std::vector<RecordFormatRow>& table, int format, BOOL traced);
    BOOL RecordPreset(int row);
    BOOL ApplyDeinterlaceMode();
    BOOL SetEncoderProps(BOOL (*fill)(MCEncoderSettings*, BOOL), BOOL strict);
    // The crossbar to the card, both present; `failure` is traced when not.
    BOOL ConnectCardInput(const char* failure);
    BOOL ConnectVideoPreview(const char* cardFailure, const char* rendererFailure);
    BOOL ConnectAudioSource(CRootFilter** source, BOOL withTraces);
    // One connection of a graph build (an empty pin name takes the first
    // free pin) and the trace of its failure.
    struct Connection
    {
        CRootFilter* from;
        CRootFilter* to;
        const char* out;
        const char* in;
        const char* failure;
    };
    // Each connection in turn; the first that fails is traced and ends it.
    BOOL ConnectInOrder(const Connection* steps, size_t count);
    template <size_t N>
    BOOL ConnectInOrder(const Connection (&steps)[N]) { return ConnectInOrder(steps, N); }
    BOOL BuildGraphFMAVI(CRootFilter* compressor);
    BOOL StopToRadio();
    void DeleteTFBuffer();

    // Each graph build binds the same card, crossbar and sound devices; the
    // listings are kept for the engine's life rather than taken again.
    zunk::KeptDeviceListings m_keptListings;
    HardwareSettings m_settings;
    CRootGraph m_saRootGraph;
    PreviewDevices m_devices;
    RecordDevices m_recordDevices;
    CEvrControl m_evr;
    std::vector<RecordFormatRow> m_recordFormats;
    std::vector<RecordFormatRow> m_fmRecordFormats;

    // Filters: plain pointers into the graph's list, which owns them.
    CTVCardFilter* m_pCardFilter;
    CCrossBarFilter* m_pCrossBar;
    CDeinterlaceFilter* m_pDeinterlace;
    COverlayFilter* m_pOverlay;
    CRootFilter* m_pVideoRender;
    CRootFilter* m_pAudioRender;
    CRootFilter* m_pDSoundRender;
    CRootFilter* m_pNullRender;
    CRootFilter* m_pAudioFilter;       // a CAudioDeviceFilter unless the device has its own wrapper
    // Record, FM-record and time-shift graphs.
    CAVMuxFilter* m_pAviMux;
    CFileWriteFilter* m_pAviWriter;
    CRootFilter* m_pInfTee;
    CRootFilter* m_pAudioTee;          // the Smart Tee of the card's "Audio" pin
    CDumpFilter* m_pDump;
    CMCEncoderFilter* m_pMCEncoder;
    CRootFilter* m_pACMWrapper;
    CAVSwitchFilter* m_pAVSwitchFilter;
    CRootFilter* m_pXvidCodec;
    CRootFilter* m_pMpeg4AudioCodec;
    CRootFilter* m_pFMPcm;
    CRootFilter* m_pFMAdpcm;
    CRootFilter* m_pFMCustom;
    CTimeShiftFilter* m_pTimeShift;
    CMPEG2Demultiplexer* m_pDemux;
    CRootFilter* m_pVideoDecoder;
    CRootFilter* m_pAudioDecoder;
    BOOL m_bBdaCard;

    BOOL m_bUseOverlay;
    BOOL m_bOverlayDesktop;
    HWND m_hVideoWnd;
    HWND m_hNotifyWnd;
    int m_nVideoProperty[kVideoPropertyCount];
    int m_nOverlayProperty[kVideoPropertyCount];
    BOOL m_bDeinterlace;
    BOOL m_bCaptureOption;
    BOOL m_bHalfRate;
    BOOL m_bNoiseReduce;
    int m_nReduceValue;
    int m_nDeinterlaceMode;
    BOOL m_bRecording;
    BOOL m_bRecordPaused;
    BOOL m_bScanning;
    BOOL m_bTFRunning;
    BOOL m_bTFPaused;
    DWORD m_dwAppliedStandard;
    BOOL m_bEvrInUse;
    BOOL m_bRendererUsed;  // handed out by RenewVideoRenderer since made
    DWORD m_dwForcedMajor;
    BOOL m_bDesktopVideo;
    COLORREF m_crColorKey;
    COLORREF m_crDesktop;
    CString m_strSavedWallpaper;
    BOOL m_bDigitalAudio;
    HKEY m_hMachineRoot;
    CString m_strAppTitle;
    HKEY m_hUserRoot;

    CStringArray m_saAudioDevices;
    CStringArray m_saAudioInputs;
    CStringArray m_saPlayDevices;
    CStringArray m_saPlayLines;

    Audio_Control* m_pAudioControl;   // owned; the program's one sound mixer
    IWallpaper* m_pWallpaper;         // the shell's unless a test gives one
    IWallpaper* m_pOwnWallpaper;      // owned: the shell's
    CString m_strTeletextPath;
    CString m_strFMCustomCompressor;

    CString m_strRecordFile;
    CString m_strTFFile;
    // The buffer named by m_strTFFile was handed to a time-shift filter and
    // is to be deleted once that filter is gone.
    BOOL m_bTFBufferInUse;
    // Bytes handed to the time-shift filter as its buffer's size.
    LONGLONG m_llTFBufferSize;
    BOOL m_bMpeg4Audio;
    CStringArray m_saMpeg4Codecs;
    CStringArray m_saMpeg4AudioCodecs;
};
