// CChannelTable: one band's ordered channel list with its current channel,
// favourites mode and frequency tolerance, and its text (".tvc", ".fmc")
// and ini file formats. The manager owns one for TV and one for FM; the
// table owns its channels. Tuning goes through an IChannelTuner (the
// manager). UI thread.
#pragma once
#include "engine/Channel.h"
#include "engine/ChannelTuner.h"
#include "store/SafeSaveFile.h"
#include "platform/mfc/Array.h"
#include "platform/mfc/Map.h"

typedef CMap<DWORD, DWORD, CString, CString> CFreqNameMap;

class CChannelTable : public CTypedPtrArray<CPtrArray, CChannel*>
{
public:
    CChannelTable();
    CChannelTable(const CChannelTable& other);
    ~CChannelTable() override;
    CChannelTable& operator=(const CChannelTable& other);

    void SetTuner(IChannelTuner* tuner) { m_pTuner = tuner; }

    // Sets the band; the tolerance becomes 200 kHz (FM) or 1000 kHz (TV).
    long SetFM(BOOL fm);
    BOOL IsFM() const { return m_bFM; }
    long GetTolerance() const { return m_lTolerance; }

    CChannel* GetChannel(int index) const;
    BOOL IsValidIndex(int index) const { return index >= 0 && index < GetSize(); }
    // Searched from the last entry to the first; -1 when none.
    int FindById(long id) const;
    int IndexOf(const CChannel* channel) const;
    // The last entry within the tolerance of the frequency.
    int FindByFrequency(long kHz) const;
    long GetMaxId() const;

    CChannel* GetCurrentChannel() const;
    // Makes the channel current and tunes it; the tuning result.
    BOOL SetCurrentChannel(CChannel* channel);
    // The next (previous) channel that is visible and, in favourites mode, a
    // favourite, from the channel at `kHz` (-1: the current one); it becomes
    // current but is not tuned. With none, the starting channel (or NULL).
    CChannel* NextChannel(long kHz = -1);
    CChannel* PrevChannel(long kHz = -1);
    // Chooses and tunes the channel to show after start-up or a band switch.
    CChannel* RestoreCurrentChannel();
    int GetVisibleCount() const;
    BOOL TuneFrequency(long kHz);
    void GetFrequencyRange(long& minKHz, long& maxKHz) const;

    // Scan results into the stored table (see the .cpp).
    void MergeFrom(const CChannelTable& source);
    void ApplyNames(const CFreqNameMap& names);
    BOOL LookupNameByFrequency(const CFreqNameMap& names, long kHz, CString& name) const;

    void RemoveAll();
    // Deep copy of the channels (after RemoveAll).
    void CopyChannels(const CChannelTable& source);
    // Appends a copy of the channel.
    void AddChannel(const CChannel& channel);

    // The text format. The load answers FALSE, the table unchanged, when
    // the file cannot be opened or is not text we read (UTF-16), and FALSE
    // with the channels read so far when a line was refused. The save
    // answers FALSE when the file cannot be written (the old file stays);
    // a file at the path that the last load could not read whole is set
    // aside first (CUnreadFile).
    BOOL SaveToFile(LPCSTR path);
    BOOL LoadFromFile(LPCSTR path);
    // Sets a file that the last load could not read whole aside now (see
    // CUnreadFile::SetAside).
    BOOL SetAsideUnread(CString* path, CString* aside) { return m_unread.SetAside(path, aside); }
    // The ini format; ImportIni changes the table only when at least one
    // channel was imported.
    BOOL ExportIni(LPCSTR path);
    BOOL ImportIni(LPCSTR path);

    long GetCurrentFrequency() const { return m_lCurFreq; }
    void SetCurrentFrequency(long kHz) { m_lCurFreq = kHz; }
    long GetLastFrequency() const { return m_lLastFreq; }
    void SetLastFrequency(long kHz) { m_lLastFreq = kHz; }
    int GetCurrentIndex() const { return m_nCurIndex; }
    void SetCurrentIndex(int index) { m_nCurIndex = index; }
    BOOL GetFavorMode() const { return m_bFavor; }
    void SetFavorMode(BOOL favor) { m_bFavor = favor; }
    BOOL GetReservePrev() const { return m_bReservePrev; }
    void SetReservePrev(BOOL reserve) { m_bReservePrev = reserve; }
    BOOL IsModified() const { return m_bModified; }
    void SetModified(BOOL modified = TRUE) { m_bModified = modified; }

    // A channel file holding more channels than this is not one of ours;
    // the rest is ignored.
    static constexpr int kMaxChannels = 4096;

private:
    BOOL Qualifies(const CChannel* channel) const;
    int StartIndex(long kHz) const;
    CChannel* Step(long kHz, int direction);
    void CopyFields(const CChannelTable& other);

    long m_lCurFreq;
    BOOL m_bFavor;
    BOOL m_bReservePrev;
    BOOL m_bFM;
    long m_lTolerance;
    int m_nCurIndex;
    long m_lLastFreq;
    BOOL m_bModified;
    IChannelTuner* m_pTuner; // the manager; not owned
    CUnreadFile m_unread;    // the channel file the last load left unread
};
