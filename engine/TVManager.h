// CTVManager: the single object through which the windows reach the
// hardware, the channel tables, the countries and scan lists, the remote
// key table and the settings. The program has one (constructed at start-up);
// tests construct their own on a scratch work folder. It calls up into the
// windows only through IEngineUi. UI thread only: no window, thread or timer
// of its own.
#pragma once
#include "engine/ChannelTable.h"
#include "engine/CustomFMFormat.h"
#include "engine/DiskManager.h"
#include "engine/DiskWatch.h"
#include "engine/EngineUi.h"
#include "engine/FreqAndName.h"
#include "engine/HardwareSettings.h"
#include "engine/TVHardWare.h"
#include "engine/IdStringMap.h"
#include "engine/NameTables.h"
#include "engine/PointManager.h"
#include "engine/RecordGraphs.h"
#include "engine/ScanListener.h"
#include "store/SkinIniFile.h"
#include "skin/SkinSet.h"
#include "platform/mfc/List.h"
#include "platform/mfc/Time.h"

#include <functional>
#include <vector>

// The settings of "TVParam.ini" the manager holds itself (the channel
// tables, the FM format list and HardwareSettings hold the rest).
struct ManagerSettings
{
    CString SkinName;
    int TVInput = 0;        // 0 cable, 1 antenna, 2 no built-in scan list
    int CountryCode = 886;
    CString City;
    CString PicDir;
    CString VideoDir;
    BOOL SnapBmp = FALSE;
    int JpgQuality = 100;
    int DisplayQuality = 1; // 0-2
    BOOL EnableShut = FALSE;
    CTime ShutTime;
    BOOL StartTray = TRUE;
    BOOL EnableSuspend = FALSE;
    int CardVideo[5] = {128, 68, 0, 64, 0};         // brightness, contrast, hue, saturation, sharpness
    int OverlayVideo[5] = {750, 10000, 0, 10000, 5};
    BOOL UseOverlay = TRUE;
    BOOL UseCardOrOverlay = FALSE;
    BOOL HightQuality = TRUE;
    BOOL HalfRate = TRUE;
    BOOL NoiseReduce = TRUE;
    int ReduceValue = 5;    // 0-10
    BOOL OverlayDesktop = FALSE;
    CString VideoFolder = "TVVideo";
    int MaxLength = 120;    // minutes, 1-300
    BOOL NoSpaceStop = TRUE;
    BOOL ExcessLength = TRUE;
    CStringArray ValidDisk;
    CString CurDisk;
    int ReservedSpace = 300; // MiB
    CRect VideoWnd;
    CPoint ControlLeftTop;
    CSize VideoRatio = CSize(1, 1);
    BOOL FullScreen = FALSE;
    BOOL TopMost = FALSE;
    BOOL Run = TRUE;        // first run: the set-up wizard is due
    BOOL EnableOpen = FALSE;
    CTime OpenTime;         // 0: no time
    int StartUpTime = 120;  // seconds
    BOOL AutoLogin = FALSE;
    CString AutoUser;
    CString AutoPass;
};

// {min, max, default} of one picture control.
struct CMinMaxDef
{
    int Min;
    int Max;
    int Def;
};

class CTVManager : public IChannelTuner
{
public:
    // `workPath`: the folder of the settings and channel files (NULL: the
    // program's folder). `ui`: the windows (NULL: the do-nothing stand-in).
    explicit CTVManager(LPCSTR workPath = NULL, IEngineUi* ui = NULL);
    virtual ~CTVManager();
    CTVManager(const CTVManager&) = delete;
    CTVManager& operator=(const CTVManager&) = delete;

    void SetUi(IEngineUi* ui);
    const CString& GetWorkPath() const { return m_strWorkPath; }
    CString GetWorkFile(LPCSTR name) const;

    // Bring-up, in the application's order: name tables, resource-id maps,
    // LoadSettings, ApplyLoadedSettings, Startup, then ValidateSettings when
    // no start-up error code is set (GetStartupErrorCode), CloseDevice when
    // one is.
    BOOL InitNameTables();
    void InitResourceIdMaps();
    void ApplyLoadedSettings();
    // FALSE when the preview filters could not be made; the error code then
    // names the device (and channel files are not read).
    BOOL Startup();
    BOOL ValidateSettings();
    void CloseDevice();
    // The window that receives the card's remote keys and the scans' messages.
    BOOL SetNotifyWindow(HWND window);
    const CDwordStringArray& GetStandardNames() const { return m_standardNames; }
    const CDwordStringArray& GetInputNames() const { return m_inputNames; }
    const CDwordStringArray& GetQualityNames() const { return m_qualityNames; }
    const CDwordStringArray& GetRecordFormatNames() const { return m_recordFormatNames; }
    const MRscIDMap<VideoProperty>& GetVideoPropertyNames() const { return m_videoPropertyNames; }
    const MRscIDMap<DDCC>& GetOverlayControlNames() const { return m_overlayControlNames; }
    const MRscIDMap<int>& GetIntegerNames() const { return m_integerNames; }
    const CString& GetDefaultSkinName() const { return m_strDefaultSkinName; }
    const CString& GetRecordFolder() const { return m_strRecordFolder; }
    BOOL HasFMTuner() const { return m_bCardHasFM; }
    // Record formats: ids 0-7; FM formats 0-3, 3 only with a user-defined
    // format selected.
    BOOL SetRecordFormat(int format);
    int GetRecordFormat() const { return m_hardware.Settings().RecordFormat; }
    BOOL SelectFMFormat(int format);

    // Inputs (0 TV, 1 AV, 2 SV, 3 FM), tuning, scans.
    BOOL SetVideoSource(int input);
    BOOL NextVideoSource();
    int GetVideoSource() const { return m_hardware.GetInputMode(); }
    CChannel* GetCurrentChannel();
    CChannelTable& GetCurrentTable();
    void GetTunerRange(BOOL fm, long& minKHz, long& maxKHz) { GetFrequencyRange(fm, minKHz, maxKHz); }
    BOOL LoadChannelNames(CFreqNameMap& names);
    // A TV table scan (or sweep, with TVInput 2) or the FM search; refused
    // while one runs, and a TV table scan without a list for the country.
    // A scan that starts opens its table (BeginScanTable).
    BOOL StartScan(BOOL tv);
    void StopScan();
    // The scanned band's table taken aside and emptied, and the progress
    // set to 0. Once per scan: a second call before FinishScan does nothing.
    void BeginScanTable();
    // A point the search tried (WM_SEARCH_POINT; `lockResult` > 0 when it
    // locked): a TV scan over a point list keeps every point (hidden unless
    // it locked), a sweep and the FM search what locked; a channel is named
    // as in the table before the scan, else "TV-n" or "FM-n". The
    // listeners hear of the channel and of the progress.
    void AddScanPoint(long kHz, long lockResult);
    // How far the scan has come, 0-100.
    int GetScanPercent() const { return m_scan.percent; }
    static int ScanPercent(long step, long lower, long upper);
    // At the search's end (WM_SEARCH_END): the table before the scan merged
    // back as the table's settings say, names from the country, the table
    // marked for saving, the listeners told.
    void FinishScan();
    // The same with `previous` as the table before the scan.
    void FinishScan(const CChannelTable& previous);
    // Listeners are not owned; each is added once.
    void AddScanListener(IScanListener* listener);
    void RemoveScanListener(IScanListener* listener);

    // The teletext program started (when it is not running) and, once it
    // has had time to open its window, brought to the text view.
    BOOL StartTeletext();

    // Sound.
    BOOL GetVolume(int* volume);
    BOOL SetVolume(int volume);
    BOOL GetMute();
    BOOL SetMute(BOOL mute);
    BOOL SetMasterMute(BOOL mute);
    BOOL SetAudioDevice(LPCSTR name);
    BOOL SetAudioInput(LPCSTR input);
    const CString& GetAudioInput() const { return m_hardware.Settings().AudioInput; }
    const CStringArray& GetAudioPlayDevices();
    const CStringArray& GetAudioPlayLines();

    // The preview graph and its video window.
    BOOL RunPreview();
    BOOL StopGraph(BOOL toRadio);
    BOOL AdjustVideoRect(const RECT& rect);
    HRESULT ShowVideo();
    HRESULT SetVideoOwner(HWND owner);
    HRESULT SetVideoMessageDrain(HWND drain);
    void HideOsdPanel();

    // Settings ("TVParam.ini").
    void SetDefaults();
    BOOL LoadSettings();
    void SerializeSettings(int direction);
    BOOL SaveSettings();
    // Once at start-up, after the settings and channel files were loaded:
    // each one that could not be read whole is copied aside now, and the
    // user is told in one self-closing box which files they were and where
    // their copies are. The number of files told of.
    int SetAsideUnreadFiles();
    void WriteSnapPathToRegistry();
    void WriteRecordPathToRegistry();
    BOOL WriteAutoStartKey(BOOL start);
    BOOL ReadAutoStartKey(BOOL& start);
    void SetAutoStart(BOOL start);
    BOOL GetAutoStart() const { return m_bAutoStart; }
    CString GetDefaultVideoDir() const;
    CString GetDefaultPicDir() const;
    // Where the registry values live; HKEY_LOCAL_MACHINE unless a test moves them.
    void SetRegistryRoot(HKEY root) { m_hRegistryRoot = root; }
    // The application title (string 57344), the "%s" of "SOFTWARE\%s\Common".
    static CString GetAppTitle();

    const ManagerSettings& GetSettings() const { return m_settings; }
    // For the settings pages, which edit in place and put a copy back on Cancel.
    ManagerSettings& Settings() { return m_settings; }
    HardwareSettings& GetHardwareSettings() { return m_hardware.Settings(); }
    CTVHardWare& GetHardware() { return m_hardware; }
    const CString& GetSkinName() const { return m_settings.SkinName; }
    void SetSkinName(LPCSTR name) { m_settings.SkinName = name; }
    BOOL GetEnableShut() const { return m_settings.EnableShut; }
    void SetEnableShut(BOOL enable) { m_settings.EnableShut = enable; }
    const CTime& GetShutTime() const { return m_settings.ShutTime; }
    void SetShutTime(const CTime& time) { m_settings.ShutTime = time; }
    BOOL GetStartTray() const { return m_settings.StartTray; }
    void SetStartTray(BOOL start);
    int GetMaxLength() const { return m_settings.MaxLength; }
    void SetMaxLength(int minutes);
    const CString& GetVideoFolder() const { return m_settings.VideoFolder; }
    const CString& GetVideoDir() const { return m_settings.VideoDir; }
    const CString& GetRecordDir() const { return m_settings.VideoDir; }
    int GetTFTime() const { return m_hardware.Settings().TFTime; }
    BOOL SetTFTime(int seconds);
    int GetTFReserved() const { return m_hardware.Settings().TFReserved; }
    BOOL SetTFReserved(int reserved);
    int GetDisplayQuality() const { return m_settings.DisplayQuality; }
    void SetDisplayQuality(int quality);
    int GetReservedSpace() const { return m_settings.ReservedSpace; }
    const CString& GetCurDisk() const { return m_settings.CurDisk; }
    const CStringArray& GetValidDiskArray() const { return m_settings.ValidDisk; }
    const CStringList& GetSkinNameList() const { return m_skinNames; }
    CSkinSet& GetSkinSet() { return m_skinSet; }

    // The picture-control ranges the loaded values obey, and the setters'
    // starting ranges (the overlay's are replaced by the mixer's own).
    static const CMinMaxDef kCardVideoRange[5];
    static const CMinMaxDef kOverlayRange[5];
    static const int kVideoPropertyCount = 5;
    const CMinMaxDef& GetCardRange(int index) const { return m_cardRange[index]; }
    const CMinMaxDef& GetOverlayRange(int index) const { return m_overlayRange[index]; }

    // Picture controls. The card setters return the previous value and
    // change nothing for a value out of range; the overlay setters FALSE.
    int SetBrightness(int value);
    int SetContrast(int value);
    int SetHue(int value);
    int SetSaturation(int value);
    int SetSharpness(int value);
    int GetBrightness() const { return m_settings.CardVideo[0]; }
    int GetContrast() const { return m_settings.CardVideo[1]; }
    int GetHue() const { return m_settings.CardVideo[2]; }
    int GetSaturation() const { return m_settings.CardVideo[3]; }
    int GetSharpness() const { return m_settings.CardVideo[4]; }
    // The card's own value, or the range's default when it cannot be read.
    int GetCardVideoProperty(int index);
    // Unchecked: straight to the card, cached for 0-4.
    BOOL SetVideoProperty(int index, int value);
    void ResetVideoProperties();
    BOOL SetOverlayBrightness(int value);
    BOOL SetOverlayContrast(int value);
    BOOL SetOverlayHue(int value);
    BOOL SetOverlaySaturation(int value);
    BOOL SetOverlaySharpness(int value);
    int GetOverlayBrightness() const { return m_settings.OverlayVideo[0]; }
    int GetOverlayContrast() const { return m_settings.OverlayVideo[1]; }
    int GetOverlayHue() const { return m_settings.OverlayVideo[2]; }
    int GetOverlaySaturation() const { return m_settings.OverlayVideo[3]; }
    int GetOverlaySharpness() const { return m_settings.OverlayVideo[4]; }
    void ResetOverlayProperties();
    BOOL InitOverlayDefaults();
    void ApplyVideoProperties();

    // Video options.
    BOOL IsOverlayInUse() const { return m_hardware.IsOverlayInUse(); }
    BOOL SetUseOverlay(BOOL use);
    BOOL SetUseCardOrOverlay(BOOL overlay) { m_settings.UseCardOrOverlay = overlay; return TRUE; }
    BOOL GetUseCardOrOverlay() const { return m_settings.UseCardOrOverlay; }
    // Each returns the previous value; the new one is kept only when the
    // deinterlace filter took it.
    BOOL SetNoiseReduce(BOOL on);
    BOOL SetHalfRate(BOOL on);
    int SetReduceValue(int value);
    // The deinterlace filter's result.
    BOOL SetHightQuality(BOOL on);
    BOOL GetNoiseReduce() const { return m_settings.NoiseReduce; }
    BOOL GetHalfRate() const { return m_settings.HalfRate; }
    int GetReduceValue() const { return m_settings.ReduceValue; }
    BOOL GetHightQuality() const { return m_settings.HightQuality; }
    BOOL SetVideoSize(CSize size);
    CSize GetVideoSize() const;
    BOOL SetOverlayDesktop(BOOL desktop);
    BOOL GetOverlayDesktop() const { return m_settings.OverlayDesktop; }
    BOOL ApplyDesktopWallpaper();
    BOOL RestoreWallpaper();
    BOOL IsScanning() const { return m_bScanning; }

    // Countries and scan lists.
    static int GetLocaleCountryCode();
    BOOL LoadCountryNames();
    CIdStringMap& GetCountryNames() { return m_countryNames; }
    BOOL GetDefaultVideoStandard(int countryCode, DWORD& standard) const;
    int GetCountryCode() const { return m_settings.CountryCode; }
    BOOL SetCountryCode(int countryCode);
    // The country the tuner is given for a country code: 852 for the
    // pseudo-code 1201, 1 for 1200, else the code itself.
    static int TunerCountryCode(int countryCode);
    int GetTVInput() const { return m_settings.TVInput; }
    void SetTVInput(int input);
    BOOL BuildScanFrequencyList();
    BOOL SetFrequencyPoints(const float* mhz, int count);
    const std::vector<float>& GetScanFrequencies() const { return m_scanList; }

    // Remote keys.
    void LoadRemoteKeyRedef();
    void ShowLastError();
    BYTE TranslateRemoteKey(BYTE key) const { return m_remoteKeys[key]; }
    const BYTE* GetRemoteKeyTable() const { return m_remoteKeys; }

    // Channel tables and the country tables.
    CChannelTable& GetTVTable() { return m_tvTable; }
    CChannelTable& GetFMTable() { return m_fmTable; }
    BOOL LoadChannelTables();
    // Writes each table that is marked modified; TRUE when every write made
    // succeeded.
    BOOL SaveChannelTables();
    CFreqAndName& GetFreqAndName() { return m_freqAndName; }
    CPointManager& GetPointManager() { return m_pointManager; }
    CCustomFMFormat& GetCustomFMFormat() { return m_fmFormats; }

    // IChannelTuner: the channel tables tune through the manager.
    BOOL TuneFrequency(BOOL fm, long kHz) override;
    void GetFrequencyRange(BOOL fm, long& minKHz, long& maxKHz) override;
    void ReapplyTVAudioMode() override;

    // Wake-up set-up from the schedule (the timing library's items). Each
    // has a form taking the current time, for tests.
    // OpenTime = the earliest scheduled start less StartUpTime, then
    // SetOpenComputer; with no recording to come, the card's power-on
    // timer is disarmed and the result is FALSE.
    BOOL SetOpenComputerTime();
    BOOL SetOpenComputerTime(const CTime& now);
    // Arms the card's power-on timer for OpenTime; FALSE when OpenTime is
    // not later than now or the card refused.
    BOOL SetOpenComputer();
    BOOL SetOpenComputer(const CTime& now);
    // The earliest scheduled start less StartUpTime when that is still
    // ahead; otherwise kNoWakeUpTime.
    CTime GetWakeUpTime();
    CTime GetWakeUpTime(const CTime& now);
    static constexpr __time64_t kNoWakeUpTime = -1;
    void SetEnableOpen(BOOL enable) { m_settings.EnableOpen = enable; }
    BOOL GetEnableOpen() const { return m_settings.EnableOpen; }
    BOOL SetOpenTime(const CTime& time);
    const CTime& GetOpenTime() const { return m_settings.OpenTime; }
    // Seconds; FALSE for a negative lead.
    BOOL SetStartUpTime(int seconds);
    int GetStartUpTime() const { return m_settings.StartUpTime; }
    // FALSE, nothing stored, for an empty user.
    BOOL SetAutoLoginAccount(LPCSTR user, LPCSTR password);
    BOOL GetAutoLoginAccount(CString& user, CString& password) const;
    // Writes the logon values for the stored account; FALSE with no account
    // stored or when the values could not be written.
    BOOL SetAutoLogin(BOOL enable);
    BOOL GetAutoLogin() const { return m_settings.AutoLogin; }
    // The Winlogon values under the registry root (HKLM, 64-bit view);
    // TRUE when every value was written.
    BOOL WriteAutoLogon(LPCSTR user, LPCSTR password, BOOL enable);

    // Recording, the record disk, time shift and snapshots. Record file
    // names are the local time as "%Y%m%d-%H%M%S" and the format's
    // extension.
    BOOL StartRecord();
    BOOL StopRecord();
    BOOL IsRecording() const { return m_bRecording; }
    // The file the running recording writes ("" before the first).
    const CString& GetRecordFilePath() const { return m_strRecordFile; }
    BOOL PauseRecord(BOOL pause);
    BOOL IsRecordPaused();
    // The MPEG-4 codec's settings dialog over `owner`, through the hardware
    // object: what came of it (the codec or its dialog may be missing, as
    // under Wine, where nothing shows).
    enum CodecDialogResult { kCodecUnchanged, kCodecChanged, kCodecMissing, kCodecDialogMissing };
    CodecDialogResult ShowMpeg4CodecDialog(HWND owner);
    void GetRecordFormatNameById(CString& name, int format) const;
    void GetFMRecordFormatName(CString& name, int format) const;
    // The FM format's name with the FM input, the video format's otherwise.
    void GetRecordFormatName(CString& name) const;
    CString GetRecordFileName(int format) const;
    CString GetFMRecordFileName(int format) const;
    // type 2 JPEG, any other BMP.
    CString GetSnapshotFileName(int type) const;
    // Once, by the control panel: the watch's window, the allowed disks and
    // the first record disk.
    void InitRecordDisk(HWND owner);
    // The root of the first allowed disk with room for a recording from
    // CurDisk on, or the empty text.
    void getRecordDisk(CString& root);
    // The first allowed disk with more than the reserve free, from `root` on.
    CHardDisk* FindNextRecordDisk(LPCSTR root);
    BOOL SwitchRecordDisk(CHardDisk* disk);
    BOOL SetRecordDiskByPath(LPCSTR path);
    BOOL SetVideoDir(LPCSTR path);
    BOOL SetVideoFolder(LPCSTR name);
    BOOL SetReservedSpace(int mebibytes);
    // The position of the record disk in the new list, -1 when none has room.
    int SetDiskArray(const CStringArray& disks);
    void DisableRecord(BOOL disable);
    BOOL IsRecordDisabled() const { return m_bRecordDisabled; }
    CDiskManager& GetDiskManager() { return m_diskManager; }
    CHardDisk* GetRecordDisk() const { return m_pRecordDisk; }
    CDiskWatch& GetDiskWatch() { return m_diskWatch; }
    BOOL StartTFPreview();
    BOOL IsTFRunning();
    BOOL PauseTF();
    BOOL StopTF();
    BOOL IsTFPaused();
    // The filters time shift needs are installed (Wine has none of them).
    BOOL IsTFAvailable();
    // Playback moved within the buffer (the time-shift bar's drag).
    BOOL SeekTF(LONGLONG position);
    // The time-shift bar's figures through the hardware object.
    BOOL GetTFPosition(TimeShiftPosition* position);
    BOOL MuteRecSrcPalyBack(BOOL mute);
    BOOL TakeSnapshot();
    BOOL SaveBmpSnapshot(LPCSTR path);
    // Seams for tests: the record graphs (NULL: the hardware object's) and
    // the clock the file names are read from (NULL: the local time).
    void SetRecordGraphs(IRecordGraphs* graphs) { m_pRecordGraphs = graphs ? graphs : &m_hardwareGraphs; }
    void SetClock(CTime (*now)()) { m_pfnNow = now; }

    // Bound on the user-defined FM formats read from the settings file.
    static constexpr int kMaxFMFormats = 256;

private:
    void SerializeFMCustom(CSkinIniFile& ini, bool save);
    int SetCardProperty(int index, int value);
    void EnableTunerCommands(BOOL tuner);
    BOOL SetOverlayProperty(int index, int value);
    // A value under "SOFTWARE\<title>\Common"; nothing when the key cannot be opened.
    void WriteCommonValue(LPCSTR name, LPCSTR value);
    // The allowed disks from `root`'s place in ValidDisk on, cyclically: the
    // first whose free space exceeds `moreThan` MiB, or NULL.
    CHardDisk* WalkValidDisks(LPCSTR root, LONGLONG moreThan);
    CString TimedFileName(LPCSTR extension) const;
    void WatchRecordDisk();
    // Stops a running recording (with its trace) and moves to the next
    // allowed disk from CurDisk; recording is disabled when none has room.
    BOOL MoveToNextRecordDisk(LPCSTR trace);

    IEngineUi* m_pUi;
    CNullEngineUi m_nullUi;
    CTVHardWare m_hardware;
    CChannelTable m_tvTable;
    CChannelTable m_fmTable;
    CFreqAndName m_freqAndName;
    CIdStringMap m_countryNames;
    std::vector<float> m_scanList; // MHz
    CString m_strWorkPath;
    CString m_strDefaultSkinName;
    CSkinSet m_skinSet;
    CStringList m_skinNames;
    ManagerSettings m_settings;
    BOOL m_bAutoStart;
    CSkinIniFile* m_pSettingsIni; // "TVParam.ini", owned
    CCustomFMFormat m_fmFormats;
    CPointManager m_pointManager;
    BYTE m_remoteKeys[256];
    HKEY m_hRegistryRoot;
    CMinMaxDef m_cardRange[kVideoPropertyCount];
    CMinMaxDef m_overlayRange[kVideoPropertyCount];
    BOOL m_bScanning;
    // The table scan's bookkeeping (BeginScanTable to FinishScan).
    struct ScanTable
    {
        BOOL open = FALSE;
        BOOL points = FALSE; // a TV point list: every point counts
        long step = 0;
        long lower = 0;
        long upper = 0;
        int percent = 0;
    };
    ScanTable m_scan;
    CChannelTable m_scanCopy; // the table as it was before the scan
    std::vector<IScanListener*> m_scanListeners; // not owned
    void TellScanListeners(const std::function<void(IScanListener&)>& tell);
    BOOL m_bCardHasFM;
    CString m_strRecordFolder;
    CString m_strRecordFile;
    CDiskManager m_diskManager;
    CHardDisk* m_pRecordDisk; // in m_diskManager's list, or NULL
    CDiskWatch m_diskWatch;
    BOOL m_bRecording;
    BOOL m_bRecordDisabled;
    CHardwareRecordGraphs m_hardwareGraphs;
    IRecordGraphs* m_pRecordGraphs; // m_hardwareGraphs unless a test gives one
    CTime (*m_pfnNow)(); // NULL: the local time
    CDwordStringArray m_standardNames;
    CDwordStringArray m_inputNames;
    CDwordStringArray m_qualityNames;
    CDwordStringArray m_recordFormatNames;
    MRscIDMap<VideoProperty> m_videoPropertyNames;
    MRscIDMap<DDCC> m_overlayControlNames;
    MRscIDMap<int> m_integerNames;
};
