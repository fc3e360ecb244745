#include "engine/ChannelTable.h"

#include "store/SafeSaveFile.h"
#include "store/SkinIniFile.h"
#include "store/TextFileReader.h"

#include <climits>
#include <cstdlib>

namespace {

const long kTVTolerance = 1000; // kHz
const long kFMTolerance = 200;  // kHz
// Tuned when a table has no channel at all.
const long kEmptyTVKHz = 500000;
const long kEmptyFMKHz = 100000;

// In 64 bits: two frequencies far apart (one of them from a damaged file)
// must not wrap round to a small distance.
long long Distance(long long a, long long b) { return a > b ? a - b : b - a; }

bool IsWritten(const CChannel* c)
{
    // Only visible channels (valid, favourite or not) are written.
    return c->Flags == CHANNEL_VALID || c->Flags == (CHANNEL_VALID | CHANNEL_FAVOR);
}

} // namespace

CChannelTable::CChannelTable()
    : m_lCurFreq(0), m_bFavor(FALSE), m_bReservePrev(TRUE), m_bFM(FALSE), m_lTolerance(0),
      m_nCurIndex(-1), m_lLastFreq(0), m_bModified(FALSE), m_pTuner(NULL)
{
}

CChannelTable::CChannelTable(const CChannelTable& other) : CChannelTable()
{
    *this = other;
}

CChannelTable::~CChannelTable()
{
    RemoveAll();
}

CChannelTable& CChannelTable::operator=(const CChannelTable& other)
{
    if (this != &other) {
        CopyChannels(other);
        CopyFields(other);
    }
    return *this;
}

void CChannelTable::CopyFields(const CChannelTable& other)
{
    m_lCurFreq = other.m_lCurFreq;
    m_bFavor = other.m_bFavor;
    m_bReservePrev = other.m_bReservePrev;
    m_bFM = other.m_bFM;
    m_lTolerance = other.m_lTolerance;
    m_nCurIndex = other.m_nCurIndex;
    m_lLastFreq = other.m_lLastFreq;
    m_bModified = other.m_bModified;
    m_pTuner = other.m_pTuner;
    m_unread = other.m_unread;
}

long CChannelTable::SetFM(BOOL fm)
{
    m_bFM = fm;
    m_lTolerance = fm ? kFMTolerance : kTVTolerance;
    return m_lTolerance;
}

CChannel* CChannelTable::GetChannel(int index) const
{
    return IsValidIndex(index) ? GetAt(index) : NULL;
}

int CChannelTable::FindById(long id) const
{
    for (int i = (int)GetSize() - 1; i >= 0; --i)
        if (GetAt(i)->ID == id)
            return i;
    return -1;
}

int CChannelTable::IndexOf(const CChannel* channel) const
{
    for (int i = (int)GetSize() - 1; i >= 0; --i)
        if (GetAt(i) == channel)
            return i;
    return -1;
}

int CChannelTable::FindByFrequency(long kHz) const
{
    for (int i = (int)GetSize() - 1; i >= 0; --i)
        if (Distance(GetAt(i)->Frequency, kHz) <= m_lTolerance)
            return i;
    return -1;
}

long CChannelTable::GetMaxId() const
{
    long maxId = 0;
    for (INT_PTR i = 0; i < GetSize(); ++i)
        if (GetAt(i)->ID > maxId)
            maxId = GetAt(i)->ID;
    return maxId;
}

CChannel* CChannelTable::GetCurrentChannel() const
{
    if (IsValidIndex(m_nCurIndex))
        return GetAt(m_nCurIndex);
    return GetChannel(FindByFrequency(m_lCurFreq));
}

BOOL CChannelTable::SetCurrentChannel(CChannel* channel)
{
    int index = IndexOf(channel);
    if (index < 0)
        return FALSE;
    m_nCurIndex = index;
    // A fine-tune step within the tolerance keeps the channel to jump back to.
    if (Distance(channel->Frequency, m_lCurFreq) > m_lTolerance)
        m_lLastFreq = m_lCurFreq;
    m_lCurFreq = channel->Frequency;
    BOOL tuned = TuneFrequency(m_lCurFreq);
    if (!m_bFM && m_pTuner)
        m_pTuner->ReapplyTVAudioMode();
    return tuned;
}

BOOL CChannelTable::Qualifies(const CChannel* channel) const
{
    return channel->IsVisible() && (!m_bFavor || channel->IsFavor());
}

int CChannelTable::StartIndex(long kHz) const
{
    long wanted = kHz == -1 ? m_lCurFreq : kHz;
    const CChannel* current = GetChannel(m_nCurIndex);
    if (current && current->Frequency == wanted)
        return m_nCurIndex;
    return FindByFrequency(wanted);
}

CChannel* CChannelTable::Step(long kHz, int direction)
{
    const int count = (int)GetSize();
    if (count == 0)
        return NULL;
    const int start = StartIndex(kHz);
    // Without a starting channel, "next" begins at the first entry and
    // "previous" at the last.
    int index = start >= 0 ? start : (direction > 0 ? -1 : count);
    for (int step = 0; step < count; ++step) {
        index = ((index + direction) % count + count) % count;
        if (Qualifies(GetAt(index))) {
            m_nCurIndex = index;
            return GetAt(index);
        }
    }
    return GetChannel(start);
}

CChannel* CChannelTable::NextChannel(long kHz) { return Step(kHz, +1); }
CChannel* CChannelTable::PrevChannel(long kHz) { return Step(kHz, -1); }

CChannel* CChannelTable::RestoreCurrentChannel()
{
    if (GetSize() == 0) {
        TuneFrequency(m_bFM ? kEmptyFMKHz : kEmptyTVKHz);
        return NULL;
    }
    CChannel* channel = GetCurrentChannel();
    if (!channel || channel->IsHidden())
        channel = GetChannel(FindByFrequency(m_lLastFreq));
    if (!channel || channel->IsHidden()) {
        // The first visible channel; when all are hidden the walk ends on
        // the last one, which is taken.
        for (INT_PTR i = 0; i < GetSize(); ++i) {
            channel = GetAt(i);
            if (channel->IsVisible())
                break;
        }
    }
    SetCurrentChannel(channel);
    return channel;
}

int CChannelTable::GetVisibleCount() const
{
    int n = 0;
    for (INT_PTR i = 0; i < GetSize(); ++i)
        n += Qualifies(GetAt(i)) ? 1 : 0;
    return n;
}

BOOL CChannelTable::TuneFrequency(long kHz)
{
    return m_pTuner ? m_pTuner->TuneFrequency(m_bFM, kHz) : FALSE;
}

void CChannelTable::GetFrequencyRange(long& minKHz, long& maxKHz) const
{
    if (m_pTuner)
        m_pTuner->GetFrequencyRange(m_bFM, minKHz, maxKHz);
}

void CChannelTable::MergeFrom(const CChannelTable& source)
{
    for (INT_PTR i = 0; i < source.GetSize(); ++i) {
        const CChannel* found = source.GetAt(i);
        CChannel* stored = GetChannel(FindByFrequency(found->Frequency));
        if (stored) {
            // The stored frequency may be fine-tuned by the user: keep it.
            const long keptFrequency = stored->Frequency;
            const BOOL wasVisible = stored->IsVisible();
            *stored = *found;
            stored->Frequency = keptFrequency;
            if (wasVisible && stored->IsHidden())
                stored->SetHidden(FALSE);
            continue;
        }
        CChannel* copy = new CChannel(*found);
        if (FindById(copy->ID) >= 0)
            copy->ID = GetMaxId() + 1;
        Add(copy);
    }
}

void CChannelTable::ApplyNames(const CFreqNameMap& names)
{
    for (POSITION pos = names.GetStartPosition(); pos;) {
        DWORD kHz = 0;
        CString name;
        names.GetNextAssoc(pos, kHz, name);
        // A key no channel frequency can be near (it would turn negative).
        if (kHz > (DWORD)LONG_MAX)
            continue;
        if (CChannel* channel = GetChannel(FindByFrequency((long)kHz)))
            channel->Name = name;
    }
}

BOOL CChannelTable::LookupNameByFrequency(const CFreqNameMap& names, long kHz, CString& name) const
{
    for (POSITION pos = names.GetStartPosition(); pos;) {
        DWORD key = 0;
        CString value;
        names.GetNextAssoc(pos, key, value);
        if (Distance(key, kHz) <= m_lTolerance) {
            name = value;
            return TRUE;
        }
    }
    return FALSE;
}

void CChannelTable::RemoveAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    CTypedPtrArray<CPtrArray, CChannel*>::RemoveAll();
}

void CChannelTable::CopyChannels(const CChannelTable& source)
{
    if (this == &source)
        return;
    RemoveAll();
    for (INT_PTR i = 0; i < source.GetSize(); ++i)
        AddChannel(*source.GetAt(i));
}

void CChannelTable::AddChannel(const CChannel& channel)
{
    Add(new CChannel(channel));
}

BOOL CChannelTable::SaveToFile(LPCSTR path)
{
    CSafeSaveFile file;
    if (!file.OpenFor(path, FALSE, &m_unread))
        return FALSE;
    // The count says how many channel lines follow, so hidden channels,
    // which are not written, are not counted.
    int written = 0;
    for (INT_PTR i = 0; i < GetSize(); ++i)
        written += IsWritten(GetAt(i)) ? 1 : 0;
    CString count;
    count.Format("; Count = %d\n", written);
    const char* header[8] = {
        ";========================================================",
        m_bFM ? ";\t\tFM Channel Table" : ";\t\tTV Channel Table",
        ";========================================================",
        "\n",
        "//ID(>0), Flags, Frequence, Name",
        "\n",
        count,
        "\n",
    };
    for (const char* line : header) {
        file.WriteString(line);
        file.WriteString("\n");
    }
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        const CChannel* c = GetAt(i);
        if (!IsWritten(c))
            continue;
        CString line;
        line.Format("%d,%d,%ld,%s\n", (int)c->ID, (int)c->Flags, c->Frequency, (LPCSTR)c->Name);
        file.WriteString(line);
    }
    if (!file.Commit())
        return FALSE;
    m_bModified = FALSE;
    return TRUE;
}

BOOL CChannelTable::LoadFromFile(LPCSTR path)
{
    CTextFileReader reader;
    const CTextFileReader::OpenResult opened = reader.Open(path);
    m_unread.Note(path, reader.LeftUnread());
    if (opened != CTextFileReader::kOpened)
        return FALSE;
    RemoveAll();
    CString line;
    bool beyondTheCap = false;
    while (!beyondTheCap && reader.ReadLine(line)) {
        line.Trim();
        if (line.GetLength() < 5 || line[0] == ';' || line.Left(2) == "//" || line.Left(2) == "\\\\")
            continue;
        CChannel channel;
        if (!channel.ParseLine(line))
            continue;
        if (GetSize() < kMaxChannels)
            AddChannel(channel);
        else
            beyondTheCap = true;
    }
    // A refused line, or channels past the cap, leave the channels read so
    // far and a file that the next save sets aside.
    const bool leftUnread = reader.LeftUnread() || beyondTheCap;
    m_unread.Note(path, leftUnread);
    m_bModified = FALSE;
    return !leftUnread;
}

BOOL CChannelTable::ExportIni(LPCSTR path)
{
    CSkinIniFile ini(path);
    CSkinSection* general = ini.GetSection("General");
    CSkinSection* channels = ini.GetSection("Channel");
    general->SetInt("Total", (int)GetSize());
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        const CChannel* c = GetAt(i);
        CString key, value;
        key.Format("Channel-%d", (int)i);
        value.Format("%s,%d,%ld", (LPCSTR)c->Name, (int)c->Frequency, (long)(c->IsFavor() ? 3 : 1));
        // A name the file could not give back fails the export.
        if (!channels->SetString(key, value))
            return FALSE;
    }
    if (!ini.Save())
        return FALSE;
    m_bModified = FALSE;
    return TRUE;
}

BOOL CChannelTable::ImportIni(LPCSTR path)
{
    CSkinIniFile ini(path);
    int total = 0;
    if (!ini.Load() || !ini.GetInt("General", "Total", total))
        return FALSE;
    // Built apart and swapped in only when something was imported, so a bad
    // file leaves the table as it was.
    CChannelTable imported;
    CSkinSection* channels = ini.GetSection("Channel");
    for (int i = 0; i < total && i < kMaxChannels; ++i) {
        CString key, value;
        key.Format("Channel-%d", i);
        if (!channels->GetString(key, value))
            continue;
        // name,frequency,flag: the name may hold commas itself, so the
        // fields are split at the last two commas.
        int last = value.ReverseFind(',');
        int middle = last > 0 ? value.Left(last).ReverseFind(',') : -1;
        if (middle < 0)
            continue;
        CString name = value.Left(middle);
        int frequency = 0, flag = 0;
        if (!ParseIniInt(value.Mid(middle + 1, last - middle - 1), frequency) ||
            !ParseIniInt(value.Mid(last + 1), flag))
            continue;
        if (name.IsEmpty() || frequency < 1)
            continue;
        DWORD flags = CHANNEL_VALID | ((flag & CHANNEL_FAVOR) ? CHANNEL_FAVOR : 0);
        imported.AddChannel(CChannel((long)imported.GetSize() + 1, frequency, name, flags));
    }
    if (imported.GetSize() == 0)
        return FALSE;
    CopyChannels(imported);
    m_bModified = FALSE;
    return TRUE;
}
