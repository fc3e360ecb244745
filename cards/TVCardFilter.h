// CTVCardFilter: the capture filter of one analog TV card, the device
// side's main interface to the engine. Beside the driver's DirectShow
// filter (CRootFilter) it owns the chip access object, the tuner, the
// remote-control polling thread and the IO-alert thread. Made by the
// filter-creator registry (construct, then InitOnce: SetDefaults, Init) and
// owned by the graph's list. UI thread, except the ITunerOwner calls, which
// the tuner's search threads make too.
//
// Lifetime, for every card class: the card's threads (remote polling, the
// IO alert, the tuner's searches) call its virtual operations, so they must
// have ended before any part of the card is destroyed. Each card class
// therefore closes the card in its own destructor:
//     ~CMyCardFilter() override { Close(); }
// also when it overrides nothing a thread calls today, and also when it
// derives from another card class (the class destroyed first is the one
// that must close). Close stops the threads while the whole object still
// stands; the closes of the bases' destructors then find nothing to do.
#pragma once
#include <windows.h>
#include <dshow.h>

#include <map>
#include <string>

#include "cards/CaptureControls.h"
#include "graph/FilterCreatorRecord.h"
#include "cards/McuLink.h"
#include "graph/IoAlertThread.h"
#include "graph/RootFilter.h"
#include "hw/access/CustomDataAccess.h"
#include "hw/tuners/TVTuner.h"
#include "hw/tuners/TunerOwner.h"

class CRemoteThread;

class CTVCardFilter : public CRootFilter, public ITunerOwner, public IIoAlertOwner
{
public:
    CTVCardFilter(CRootGraph* owner, const GUID* category, const char* friendlyName, BOOL firstMatch);
    CTVCardFilter(CRootGraph* owner, const CLSID* clsid);
    ~CTVCardFilter() override;

    // Slots of the root filter.
    CRootPin* FindPinByName(const char* name) override;
    void OnVirtual4() override { SetDefaults(); }
    BOOL Init() override;

    // Per-card defaults (EEPROM addresses, tuner device, remote interval).
    virtual void SetDefaults() {}
    virtual HRESULT GetTVFormats(long* current, long* available);
    virtual HRESULT PutTVFormat(long standard);
    virtual BOOL SetFMFrequency(float kHz);
    virtual int SetTunerMode(int mode) { (void)mode; return 0; }
    virtual HRESULT SelectAudioInput(int input, BOOL on);
    virtual BOOL ReadRemoteKey(BYTE* key);
    virtual HRESULT I2CWriteBlock(BYTE* buf, int len);
    virtual HRESULT I2CWrite(const BYTE* buf, BYTE sub, int* count, unsigned delayMs);
    virtual HRESULT I2CRead(BYTE* buf, BYTE sub, int* count);
    virtual HRESULT OpenAccess();
    virtual int Close();
    virtual BOOL CreateTunerFromType();
    virtual int ReadTunerInfo();
    virtual int WaitGpioLevel(BOOL level, BOOL settle);
    virtual signed char ReadConfigByte();
    virtual void ScanI2C(CTVTuner* tuner);
    virtual BOOL SetTunerType(int type);
    virtual BOOL ProbeI2C(int addr);
    virtual HRESULT ReadTunerInfoFromEeprom(int* brand, int* type);
    virtual CTVTuner* CreateTuner(int type);
    // On-card controller link over the card's wiring (GetMcuWiring), and
    // the power-on timer on it where the controller keeps one
    // (HasPowerOnTimer; FALSE without).
    virtual BOOL McuWrite(DWORD value, DWORD mask, DWORD delayMs);
    virtual BOOL McuRead(DWORD* reply);
    virtual BOOL SetOpenComputerTime(WORD minutes);
    virtual BOOL GetOpenComputerTime(WORD* minutes);
    virtual BOOL EnableOpenComputer(BOOL on);
    // The IO card's driver requests and device event; the base has none and
    // StopIoAlert only ends the IO-alert thread.
    virtual BOOL SendIoCommand(unsigned) { return FALSE; }
    virtual BOOL SetIoEvent(IoAlertCallback) { return FALSE; }
    virtual BOOL StartIoAlert(unsigned) { return FALSE; }
    virtual BOOL StopIoAlert();
    HRESULT IsSignalLocked(long* locked) override;
    virtual HRESULT SelectAudioLine(int line, BOOL on);
    virtual HRESULT ExtCommand(DWORD, DWORD) { return E_FAIL; }
    // A family's text query: text of *length bytes' room in, its length out.
    virtual BOOL ExtQuery(char*, unsigned*) { return FALSE; }
    virtual BOOL GetDriverVersion(unsigned* version);
    virtual int GetBoardVariant();
    // The capture chip's type as the driver of an SAA713x-type card gives
    // it (0x7133 ...); 0 when the driver does not tell.
    DWORD GetChipType();

    // ITunerOwner.
    int GetCardType() override { return m_nCardType; }
    void PauseRemote() override;
    void ResumeRemote() override;

    // IIoAlertOwner.
    HANDLE GetIoEvent() const override { return m_hIoEvent; }
    IoAlertCallback GetIoCallback() const override { return m_pfnIoCallback; }

    // Remote control. Polling runs while the user wants it (StartRemote
    // until StopRemote or Close) and no search holds it paused. StartRemote
    // during a pause only records the wish: polling starts when the last
    // pause ends. FALSE when the card is closing or no thread could be made.
    BOOL StartRemote();
    void StopRemote();
    BOOL IsRemoteRunning();
    BOOL SetRemoteInterval(int ms);
    HWND GetNotifyWindow() const { return m_hNotifyWnd; }
    int GetRemoteInterval() const { return m_nRemoteInterval; }
    // Pause after a key the reader found, taken with the remote-control
    // mutex released (a card Init waiting for it is not starved).
    virtual DWORD GetRemoteKeyPause() const { return 100; }

    // Tuner factory helpers.
    BOOL ProbeTunerAddress(CTVTuner* tuner);
    BOOL ProbeTunerType(int type, float kHz);
    BOOL ReplaceTuner(CTVTuner* tuner);
    int GetTunerType() const { return m_nTunerType; }
    int GetTunerBrand() const { return m_nTunerBrand; }
    static BOOL GetTunerName(int type, std::string* name);
    // Maker letter of a tuner type; FALSE (and 'N') for unknown codes.
    static BOOL LookUpTunerBrand(int type, int* brand);

    // Tuner pass-through; FALSE (or 0) without a tuner.
    BOOL SetSweepSteps(int jump, int halfWindow);
    BOOL SetSweepRange(int start, int end);
    BOOL SetFMSkip(int kHz);
    BOOL SetSettleTime(int ms);
    BOOL SetFMStep(int kHz);
    BOOL SetFMRange(int lo, int hi);
    BOOL IsSearching();
    BOOL IsTVTuned();
    BOOL IsFMSignal();
    BOOL GetTVStatus(DWORD* status);
    BOOL GetFMStatus(DWORD* status);
    const std::vector<DWORD>* GetTunerStandards();
    BOOL SetTunerStandard(long standard);
    BOOL SetTVFrequency(float kHz);
    int GetTunerModelId();

    // Video controls of the capture filter.
    HRESULT SetProcAmp(long property, long value);
    HRESULT GetProcAmpRange(long property, ProcAmpRange* range);
    HRESULT GetStreamFormat(AM_MEDIA_TYPE** mt, int which);
    HRESULT GetVideoFormat(VideoFormat* rec, int which);
    HRESULT SetVideoFormat(VideoFormat rec, int which);
    // The largest maximum cropping size among the capture pin's
    // capabilities of `subtype` (StreamCaps); FALSE when it has none.
    BOOL GetLargestCaptureSize(const GUID& subtype, SIZE* size);
    void FindCapturePins();
    HRESULT QueryTVTuner(void** out);
    BOOL ReadRegisterByte(unsigned address, BYTE* value);

    CCustomDataAccess* GetAccess() const { return m_pAccess; }
    CTVTuner* GetTuner() const { return m_pTuner; }

    // Written by the engine after creation.
    HWND m_hNotifyWnd;

protected:
    CRemoteThread* m_pRemoteThread;
    CCustomDataAccess* m_pAccess;
    CTVTuner* m_pTuner;
    int m_nCardType;
    int m_nTunerBrand;
    int m_nTunerType;
    CRootPin* m_pCapturePin;  // from our pin list, not owned
    CRootPin* m_pPreviewPin;
    IBaseFilter* m_pTVTuner;  // counted; families that look for it upstream
    std::string m_strTunerDevice;
    std::map<int, int> m_TunerIdMap;
    BYTE m_nBrandSubAddr;
    BYTE m_nTypeSubAddr;
    BYTE m_nEepromAddr;
    int m_nRemoteInterval;
    IoAlertCallback m_pfnIoCallback;
    CIoAlertThread* m_pIoAlertThread;
    HANDLE m_hIoEvent;

    // Opens an access object of class A over the capture filter, storing
    // cardType on success: the shape every family's OpenAccess shares.
    // Clears the card's access first; takes ownership of access.
    HRESULT AttachAccess(CCustomDataAccess* access, int cardType);
    // The owner word every access object's Attach takes: the card itself
    // (a 64-bit build keeps its low half), never 0, which the Bt878 access
    // refuses as a missing owner.
    DWORD AccessOwnerWord() const;
    // Step one of every Init: the open state back to nothing.
    void ClearOpenState();
    // Init could not take "Mutex_Remote_Control" within its wait.
    virtual void OnInitLockFailed() {}
    // Init's work while it holds "Mutex_Remote_Control": the access object,
    // the pins, the tuner facts and the tuner.
    virtual BOOL OpenUnderLock();
    // How the card's controller is wired (the base wiring: byte on GPIO
    // bits 0-7, tags on bits 19-20), and whether it keeps a power-on timer.
    virtual const McuWiring& GetMcuWiring() const;
    virtual BOOL HasPowerOnTimer() const { return FALSE; }
    // The tuner maker letter at m_nBrandSubAddr of the EEPROM: one of the
    // known letters, else 'N'; *brand kept when the read fails.
    void ReadBrandByte(int* brand);
    // One byte of the card EEPROM (m_nEepromAddr): what the tuner facts,
    // the configuration bytes and I2CRead/I2CWrite go through. A family
    // whose bridge has EEPROM requests of its own overrides both.
    virtual HRESULT ReadEepromByte(BYTE sub, BYTE* value);
    virtual HRESULT WriteEepromByte(BYTE sub, BYTE value);
    // SetVideoFormat with the subtype given rather than a format code.
    HRESULT SetVideoFormatAs(const VideoFormat& rec, int which, const GUID& subtype);
    // Stops and deletes the IO-alert thread (before its event goes).
    void DeleteIoAlertThread();
    // The audio switches' first step: the multiplexer's lines settle
    // (300 ms), then the pins are read. E_POINTER without an access object;
    // a failed read is returned, so nothing is written back from it.
    HRESULT SettleAndReadGpio(DWORD* pins);

private:
    void SetFieldDefaults();
    HRESULT FindStreamConfig(int which, IAMStreamConfig** config);

    // Under m_csRemote: starts the polling thread when the user wants it,
    // no search holds it paused, the card is not closing and none runs yet.
    // FALSE only when that thread could not be made.
    BOOL ApplyRemoteState();
    void DeleteRemoteThread();

    // Remote polling state, read and written only under m_csRemote (the
    // UI thread and the sweep threads change it).
    CRITICAL_SECTION m_csRemote;
    BOOL m_bRemoteWanted;   // the user's StartRemote / StopRemote
    int m_nRemotePauses;    // searches running that hold polling off
    BOOL m_bClosing;        // Close in progress: nothing restarts polling
};
