#include "hw/tuners/TVTuner.h"

#include "graph/Clock.h"
#include "hw/tuners/ChannelSearchTread.h"
#include "hw/tuners/FMSearchThread.h"

#include <cstring>

// Picture carriers of the built-in channel plan, MHz, ascending.
const float CTVTuner::kChannelTable[95] = {
    49.75f, 57.75f, 65.75f, 77.25f, 85.25f,
    // 112.25 to 464.25 in 8 MHz steps
    112.25f, 120.25f, 128.25f, 136.25f, 144.25f, 152.25f, 160.25f, 168.25f, 176.25f, 184.25f,
    192.25f, 200.25f, 208.25f, 216.25f, 224.25f, 232.25f, 240.25f, 248.25f, 256.25f, 264.25f,
    272.25f, 280.25f, 288.25f, 296.25f, 304.25f, 312.25f, 320.25f, 328.25f, 336.25f, 344.25f,
    352.25f, 360.25f, 368.25f, 376.25f, 384.25f, 392.25f, 400.25f, 408.25f, 416.25f, 424.25f,
    432.25f, 440.25f, 448.25f, 456.25f, 464.25f,
    // 471.25 to 559.25
    471.25f, 479.25f, 487.25f, 495.25f, 503.25f, 511.25f, 519.25f, 527.25f, 535.25f, 543.25f,
    551.25f, 559.25f,
    // 607.25 to 863.25
    607.25f, 615.25f, 623.25f, 631.25f, 639.25f, 647.25f, 655.25f, 663.25f, 671.25f, 679.25f,
    687.25f, 695.25f, 703.25f, 711.25f, 719.25f, 727.25f, 735.25f, 743.25f, 751.25f, 759.25f,
    767.25f, 775.25f, 783.25f, 791.25f, 799.25f, 807.25f, 815.25f, 823.25f, 831.25f, 839.25f,
    847.25f, 855.25f, 863.25f};

CTVTuner::CTVTuner(CCustomDataAccess* access)
    : m_pAccess(access), m_pChannelSearch(NULL), m_pFMSearch(NULL), m_hNotifyWnd(NULL),
      m_bSearching(0), m_pChannelTable(kChannelTable), m_nChannelCount(95), m_nMinFreq(48250),
      m_nBand1Top(170000), m_nBand2Start(170000), m_nBand2Top(450000), m_nBand3Start(450000),
      m_nMaxFreq(863250), m_nFMMin(0), m_nFMMax(0), m_bHasFM(0), m_nIF(38900), m_nFMIF(0),
      m_nSearchWindow(625), m_nFineStep(125), m_nFMStep(100), m_nFMSkip(100),
      m_nSweepJump(3500), m_nSweepHalfWindow(1000), m_nSettleMs(60), m_byBandLow(0x01),
      m_byBandMid(0x02), m_byBandHigh(0x08), m_byControl(0xCE), m_byStatusMask(0x40),
      m_byStatusAddr(0xC0), m_byAddr(0xC0), m_byFMControl(0xCE), m_byFMBand(0x01),
      m_afc{4, 3, 2, 1, 0}, m_nMaker('N'), m_nModelId(0), m_nModelId2(0),
      m_bReapplyStandard(0), m_nStandard(STD_PAL_B), m_nSweepStart(48250), m_nSweepEnd(863250),
      m_pCard(NULL), m_nFMMode(0)
{
    // A plain PLL reports a station the way it reports a tuned carrier: with
    // its tuned AFC code. Modules that read a demodulator replace this.
    m_fmStatuses.push_back(static_cast<DWORD>(m_afc[2]));
}

CTVTuner::CTVTuner(const CTVTuner& other) : m_pChannelSearch(NULL), m_pFMSearch(NULL),
                                            m_bSearching(0)
{
    CopyConfiguration(other);
}

CTVTuner& CTVTuner::operator=(const CTVTuner& other)
{
    if (this != &other) {
        DeleteSearchThreads();
        InterlockedExchange(&m_bSearching, 0);
        CopyConfiguration(other);
    }
    return *this;
}

void CTVTuner::CopyConfiguration(const CTVTuner& o)
{
    m_pAccess = o.m_pAccess;
    m_hNotifyWnd = o.m_hNotifyWnd;
    m_scanList = o.m_scanList;
    // A list of the other tuner's own is copied, never shared.
    const bool ownList = !o.m_scanList.empty() && o.m_pChannelTable == o.m_scanList.data();
    m_pChannelTable = ownList ? m_scanList.data() : o.m_pChannelTable;
    m_nChannelCount = o.m_nChannelCount;
    m_nMinFreq = o.m_nMinFreq;
    m_nBand1Top = o.m_nBand1Top;
    m_nBand2Start = o.m_nBand2Start;
    m_nBand2Top = o.m_nBand2Top;
    m_nBand3Start = o.m_nBand3Start;
    m_nMaxFreq = o.m_nMaxFreq;
    m_nFMMin = o.m_nFMMin;
    m_nFMMax = o.m_nFMMax;
    m_bHasFM = o.m_bHasFM;
    m_nIF = o.m_nIF;
    m_nFMIF = o.m_nFMIF;
    m_nSearchWindow = o.m_nSearchWindow;
    m_nFineStep = o.m_nFineStep;
    m_nFMStep = o.m_nFMStep;
    m_nFMSkip = o.m_nFMSkip;
    m_nSweepJump = o.m_nSweepJump;
    m_nSweepHalfWindow = o.m_nSweepHalfWindow;
    m_nSettleMs = o.m_nSettleMs;
    m_byBandLow = o.m_byBandLow;
    m_byBandMid = o.m_byBandMid;
    m_byBandHigh = o.m_byBandHigh;
    m_byControl = o.m_byControl;
    m_byStatusMask = o.m_byStatusMask;
    m_byStatusAddr = o.m_byStatusAddr;
    m_byAddr = o.m_byAddr;
    m_byFMControl = o.m_byFMControl;
    m_byFMBand = o.m_byFMBand;
    memcpy(m_afc, o.m_afc, sizeof(m_afc));
    m_fmStatuses = o.m_fmStatuses;
    m_nMaker = o.m_nMaker;
    m_nModelId = o.m_nModelId;
    m_nModelId2 = o.m_nModelId2;
    m_bReapplyStandard = o.m_bReapplyStandard;
    m_nStandard = o.m_nStandard;
    m_standards = o.m_standards;
    m_nSweepStart = o.m_nSweepStart;
    m_nSweepEnd = o.m_nSweepEnd;
    m_pCard = o.m_pCard;
    m_nFMMode = o.m_nFMMode;
}

CTVTuner::~CTVTuner()
{
    EndSearches();
}

void CTVTuner::EndSearches()
{
    DeleteSearchThreads();
}

void CTVTuner::DeleteSearchThreads()
{
    // Each thread's destructor stops it and waits for it.
    delete m_pChannelSearch;
    m_pChannelSearch = NULL;
    delete m_pFMSearch;
    m_pFMSearch = NULL;
}

BYTE CTVTuner::BandFor(float kHz) const
{
    if (kHz < m_nBand1Top)
        return m_byBandLow;
    if (kHz < m_nBand2Top)
        return m_byBandMid;
    return m_byBandHigh;
}

BOOL CTVTuner::WriteTVMessage(float kHz, int ifKHz, BYTE* extra, int extraLength)
{
    if (!m_pAccess)
        return 0;
    // Divider in 62.5 kHz steps of (carrier + IF), truncated toward zero.
    int divider = static_cast<int>((static_cast<double>(kHz) + ifKHz) * 16.0 / 1000.0);
    BYTE message[8] = {m_byAddr, static_cast<BYTE>(divider >> 8), static_cast<BYTE>(divider),
                       m_byControl, BandFor(kHz)};
    int length = 5;
    for (int i = 0; i < extraLength && length < 8; ++i)
        message[length++] = extra[i];
    return m_pAccess->WriteI2CBlock(message, length) == S_OK;
}

BOOL CTVTuner::SetTVFrequency(float kHz)
{
    if (kHz > m_nMaxFreq || kHz < m_nMinFreq)
        return 0;
    return WriteTVMessage(kHz, m_nIF, NULL, 0);
}

BOOL CTVTuner::SetFMFrequency(float kHz)
{
    if (!m_pAccess)
        return 0;
    if (kHz >= m_nFMMax)
        kHz = static_cast<float>(m_nFMMax);
    if (kHz < m_nFMMin)
        kHz = static_cast<float>(m_nFMMin);
    // 31.25 kHz steps of (station + FM IF).
    int divider = static_cast<int>((static_cast<double>(kHz) + m_nFMIF) / 31.25);
    BYTE message[5] = {m_byAddr, static_cast<BYTE>(divider >> 8), static_cast<BYTE>(divider),
                       m_byFMControl, m_byFMBand};
    return m_pAccess->WriteI2CBlock(message, 5) == S_OK;
}

BOOL CTVTuner::ReadStatusByte(BYTE address, BYTE* value)
{
    if (!m_pAccess)
        return 0;
    BYTE buffer[1] = {address};
    if (m_pAccess->ReadI2CBlock(buffer, 1) != S_OK)
        return 0;
    *value = buffer[0];
    return 1;
}

BOOL CTVTuner::GetTVStatus(DWORD* status)
{
    BYTE value = 0;
    if (!status || !ReadStatusByte(m_byStatusAddr, &value) || !(value & m_byStatusMask))
        return 0;
    *status = value & 7;
    return 1;
}

BOOL CTVTuner::GetFMStatus(DWORD* status)
{
    return CTVTuner::GetTVStatus(status);
}

BOOL CTVTuner::IsTVTuned()
{
    DWORD code = 0;
    return GetTVStatus(&code) && code == static_cast<DWORD>(m_afc[2]);
}

BOOL CTVTuner::IsFMSignal()
{
    DWORD code = 0;
    if (!GetFMStatus(&code))
        return 0;
    for (DWORD station : m_fmStatuses) {
        if (station == code)
            return 1;
    }
    return 0;
}

BOOL CTVTuner::CreateChannelSearchThread()
{
    delete m_pChannelSearch;
    m_pChannelSearch = new CChannelSearchTread(this);
    return m_pChannelSearch != NULL;
}

BOOL CTVTuner::CreateFMSearchThread()
{
    delete m_pFMSearch;
    m_pFMSearch = new CFMSearchThread(this);
    return m_pFMSearch != NULL;
}

BOOL CTVTuner::SetStandard(DWORD)
{
    return 1;
}

BOOL CTVTuner::GetSignalLock(DWORD* locked)
{
    if (!m_pCard || !locked)
        return 0;
    zunk::Sleep(20);
    long answer = 0;
    if (FAILED(m_pCard->IsSignalLocked(&answer)))
        return 0;
    *locked = static_cast<DWORD>(answer);
    if (answer)
        return 1;
    zunk::Sleep(10);
    if (FAILED(m_pCard->IsSignalLocked(&answer)))
        return 0;
    *locked = static_cast<DWORD>(answer);
    return 1;
}

BOOL CTVTuner::StartSearch(BOOL tv, BOOL sweep)
{
    if (m_bSearching)
        return 0;
    if (tv) {
        CreateChannelSearchThread();
        if (!m_pChannelSearch)
            return 0;
        InterlockedExchange(&m_bSearching, 1);
        m_pChannelSearch->SetWindow(m_nSearchWindow);
        m_pChannelSearch->SetFineStep(m_nFineStep);
        if (sweep) {
            m_pChannelSearch->SetJump(m_nSweepJump);
            m_pChannelSearch->SetHalfWindow(m_nSweepHalfWindow);
            m_pChannelSearch->SetSweepRange(m_nSweepStart, m_nSweepEnd);
        }
        m_pChannelSearch->SetMode(sweep);
        m_pChannelSearch->SetSettleTime(m_nSettleMs);
        m_pChannelSearch->Resume();
        return 1;
    }
    if (!m_bHasFM)
        return 0;
    CreateFMSearchThread();
    if (!m_pFMSearch)
        return 0;
    InterlockedExchange(&m_bSearching, 1);
    m_pFMSearch->SetRange(m_nFMMin, m_nFMMax);
    m_pFMSearch->SetStep(m_nFMStep);
    m_pFMSearch->SetSkip(m_nFMSkip);
    m_pFMSearch->Resume();
    return 1;
}

void CTVTuner::StopSearch()
{
    InterlockedExchange(&m_bSearching, 0);
    DeleteSearchThreads();
}

static bool ThreadRuns(const CThread* thread)
{
    // The handle stays with the object after the thread ends; only a wait
    // tells whether it still runs.
    return thread && thread->GetThreadHandle() &&
           WaitForSingleObject(thread->GetThreadHandle(), 0) == WAIT_TIMEOUT;
}

BOOL CTVTuner::IsSearching() const
{
    if (!m_bSearching)
        return 0;
    if (!m_pChannelSearch && !m_pFMSearch)
        return 1;
    return ThreadRuns(m_pChannelSearch) || ThreadRuns(m_pFMSearch);
}

BOOL CTVTuner::SetChannelTable(const float* mhz, int count)
{
    if (!mhz || count <= 0 || IsSearching())
        return 0;
    m_scanList.assign(mhz, mhz + count);
    m_pChannelTable = m_scanList.data();
    m_nChannelCount = count;
    return 1;
}

void CTVTuner::SetSearchWindow(int kHz)
{
    m_nSearchWindow = kHz;
    if (m_pChannelSearch)
        m_pChannelSearch->SetWindow(kHz);
}

void CTVTuner::SetFineStep(int kHz)
{
    m_nFineStep = kHz;
    if (m_pChannelSearch)
        m_pChannelSearch->SetFineStep(kHz);
}

void CTVTuner::SetSettleTime(int ms)
{
    if (ms < 1)
        return;
    m_nSettleMs = ms;
    if (m_pChannelSearch)
        m_pChannelSearch->SetSettleTime(ms);
}

BOOL CTVTuner::SetFMStep(int kHz)
{
    if (kHz < 1)
        return 0;
    m_nFMStep = kHz;
    return 1;
}

BOOL CTVTuner::SetFMSkip(int kHz)
{
    if (kHz < 1)
        return 0;
    m_nFMSkip = kHz;
    return 1;
}

BOOL CTVTuner::SetFMRange(int minKHz, int maxKHz)
{
    if (!m_bHasFM || minKHz < 1 || maxKHz < minKHz)
        return 0;
    m_nFMMin = minKHz;
    m_nFMMax = maxKHz;
    return 1;
}

BOOL CTVTuner::SetSweepSteps(int jump, int halfWindow)
{
    if (halfWindow < 1 || jump <= halfWindow)
        return 0;
    m_nSweepJump = jump;
    m_nSweepHalfWindow = halfWindow;
    return 1;
}

BOOL CTVTuner::SetSweepRange(int start, int end)
{
    if (start < 1 || end <= start)
        return 0;
    m_nSweepStart = start;
    m_nSweepEnd = end;
    return 1;
}

BOOL CTVTuner::GetSignalPresent(DWORD* present)
{
    if (!m_pAccess)
        return 0;
    return m_pAccess->GetSignalPresent(present) >= 0;
}
