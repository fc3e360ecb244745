// CTVTuner: one analogue tuner module driven over the card's chip access
// object - frequency to programming bytes, status and lock reads, and the
// channel and FM searches it owns. Module classes overwrite the data fields
// in their constructor and override the virtual operations their chip
// needs. Owned by the card filter; called from the UI thread and from its
// own search thread (tuning, lock and status reads).
#pragma once
#include "hw/access/CustomDataAccess.h"
#include "hw/tuners/TunerOwner.h"

#include <vector>

class CChannelSearchTread;
class CFMSearchThread;

// AnalogVideoStandard bits (DirectShow).
enum TunerStandard : DWORD
{
    STD_NTSC_M = 0x1, STD_NTSC_M_J = 0x2, STD_NTSC_433 = 0x4,
    STD_PAL_B = 0x10, STD_PAL_D = 0x20, STD_PAL_G = 0x40, STD_PAL_H = 0x80, STD_PAL_I = 0x100,
    STD_PAL_M = 0x200, STD_PAL_N = 0x400, STD_PAL_60 = 0x800,
    STD_SECAM_B = 0x1000, STD_SECAM_D = 0x2000, STD_SECAM_G = 0x4000, STD_SECAM_H = 0x8000,
    STD_SECAM_K = 0x10000, STD_SECAM_K1 = 0x20000, STD_SECAM_L = 0x40000,
    STD_SECAM_L1 = 0x80000
};

class CTVTuner
{
public:
    explicit CTVTuner(CCustomDataAccess* access);
    CTVTuner(const CTVTuner& other);
    CTVTuner& operator=(const CTVTuner& other);
    virtual ~CTVTuner();

    virtual BOOL SetFMFrequency(float kHz);
    virtual BOOL GetFMStatus(DWORD* status);
    virtual BOOL IsFMSignal();
    virtual BOOL IsTVTuned();
    virtual BOOL SetTVFrequency(float kHz);
    virtual BOOL GetTVStatus(DWORD* status);
    virtual BOOL CreateFMSearchThread();
    virtual BOOL CreateChannelSearchThread();
    virtual BOOL SetStandard(DWORD standard);
    virtual BOOL GetSignalLock(DWORD* locked);

    // UI thread.
    BOOL StartSearch(BOOL tv, BOOL sweep);
    void StopSearch();
    BOOL IsSearching() const;
    HWND GetNotifyWindow() const { return m_hNotifyWnd; }
    void SetNotifyWindow(HWND window) { m_hNotifyWnd = window; }
    void SetSearchWindow(int kHz);
    void SetFineStep(int kHz);
    void SetSettleTime(int ms);
    BOOL SetFMStep(int kHz);
    BOOL SetFMSkip(int kHz);
    BOOL SetFMRange(int minKHz, int maxKHz);
    BOOL SetSweepSteps(int jump, int halfWindow);
    BOOL SetSweepRange(int start, int end);
    BOOL GetSignalPresent(DWORD* present);
    // The table search's frequencies (MHz): the tuner keeps its own copy,
    // so the caller's list may go at once. Refused while a search runs (it
    // reads the list) and for an empty or missing list.
    BOOL SetChannelTable(const float* mhz, int count);
    void SetOwner(ITunerOwner* owner) { m_pCard = owner; }

    // Module data. Written by the module constructors (and by the card
    // filter: m_nStandard, m_nMaker), read by the search threads.
    CCustomDataAccess* m_pAccess;          // not owned
    CChannelSearchTread* m_pChannelSearch; // owned
    CFMSearchThread* m_pFMSearch;          // owned
    HWND m_hNotifyWnd;
    volatile LONG m_bSearching;            // cleared by the search thread at its end
    const float* m_pChannelTable;          // MHz; the built-in table or m_scanList
    int m_nChannelCount;
    std::vector<float> m_scanList;         // the list given by SetChannelTable
    int m_nMinFreq;
    int m_nBand1Top;
    int m_nBand2Start;
    int m_nBand2Top;
    int m_nBand3Start;
    int m_nMaxFreq;
    int m_nFMMin;
    int m_nFMMax;
    int m_bHasFM;
    int m_nIF;
    int m_nFMIF;
    int m_nSearchWindow;
    int m_nFineStep;
    int m_nFMStep;
    int m_nFMSkip;
    int m_nSweepJump;
    int m_nSweepHalfWindow;
    int m_nSettleMs;
    BYTE m_byBandLow;
    BYTE m_byBandMid;
    BYTE m_byBandHigh;
    BYTE m_byControl;
    BYTE m_byStatusMask;
    BYTE m_byStatusAddr;
    BYTE m_byAddr;
    BYTE m_byFMControl;
    BYTE m_byFMBand;
    int m_afc[5];                     // the third is the code of a tuned carrier
    std::vector<DWORD> m_fmStatuses;  // status codes that mean "station"
    int m_nMaker;
    int m_nModelId;
    int m_nModelId2;
    int m_bReapplyStandard;
    int m_nStandard;
    std::vector<DWORD> m_standards;
    int m_nSweepStart;
    int m_nSweepEnd;
    ITunerOwner* m_pCard;             // the owning card filter; not owned
    int m_nFMMode;

    static const float kChannelTable[95];  // MHz

protected:
    // Stops both search threads for good. A module class with state or overrides of its own
    // calls it first in its destructor: a search still running would
    // otherwise call into the class while its members are destroyed.
    void EndSearches();

    // The PLL message of a TV frequency: {addr, div hi, div lo, control, band}.
    BOOL WriteTVMessage(float kHz, int ifKHz, BYTE* extra, int extraLength);
    BYTE BandFor(float kHz) const;
    BOOL ReadStatusByte(BYTE address, BYTE* value);

private:
    void CopyConfiguration(const CTVTuner& other);
    void DeleteSearchThreads();
};
