// The manager's recording road: whether a recording may start, the record
// disk it goes to and the file's name; the record disk's choice and its
// moves when space runs short; time shift and snapshots. The graphs are
// the hardware object's (through IRecordGraphs).
// The window classes first: the system's message-cracker macros, which the
// graph headers bring in, would rewrite some of their member names.
#include "platform/mfc/WinApp.h"
#include "platform/mfc/Wnd.h"

#include "engine/TVManager.h"

#include "engine/PathHelpers.h"
#include "graph/DebugHelper.h"
#include "resources/Resource.h"

namespace {

// Watch interval of the record disk.
const UINT kDiskWatchIntervalMs = 5000;
// A recording starts only with this much more than the reserve free.
const LONGLONG kStartMarginMiB = 10;


const char* const kRecordFormatNames[] = {"AVI", "MPEG1", "MPEG2", "MPEG4", "VCD", "SVCD", "DVD", "HIDVD"};
const char* const kFMFormatNames[] = {"PCM", "ADPCM", "MP2"};
const int kFMUserFormat = 3;

// The MPEG formats write a program stream; AVI, MPEG-4 and anything else an
// AVI file.
const char* RecordExtension(int format)
{
    switch (format) {
    case 1: case 2: case 4: case 5: case 6: case 7:
        return ".mpg";
    default:
        return ".avi";
    }
}

const char* SnapshotExtension(int type)
{
    return type == 2 ? ".jpg" : ".bmp";
}

template <size_t N>
const char* NameAt(const char* const (&names)[N], int index)
{
    return index >= 0 && index < (int)N ? names[index] : "";
}

// The first three characters of a path: its drive's root.
CString DriveRoot(const CString& path)
{
    return path.Left(3);
}

// Names are to the second: a second file in the same second (a snapshot
// key held down, a recording restarted at once) gets "-2", "-3" ... before
// its extension instead of overwriting the first.
CString UnusedPath(LPCSTR folder, const CString& name)
{
    const CString first = PathJoin(folder, name);
    if (!IsFileExist(first))
        return first;
    const int dot = name.ReverseFind('.');
    const CString stem = dot < 0 ? name : name.Left(dot);
    const CString extension = dot < 0 ? CString() : name.Mid(dot);
    for (int n = 2; n < 100; ++n) {
        CString numbered;
        numbered.Format("%s-%d%s", (LPCSTR)stem, n, (LPCSTR)extension);
        const CString path = PathJoin(folder, numbered);
        if (!IsFileExist(path))
            return path;
    }
    return first;
}

} // namespace

// --- names ------------------------------------------------------------------------

CString CTVManager::TimedFileName(LPCSTR extension) const
{
    const CTime now = m_pfnNow ? m_pfnNow() : CTime::GetCurrentTime();
    return now.Format("%Y%m%d-%H%M%S") + extension;
}

CString CTVManager::GetRecordFileName(int format) const
{
    return TimedFileName(RecordExtension(format));
}

CString CTVManager::GetFMRecordFileName(int format) const
{
    return TimedFileName(CTVHardWare::GetFMRecordExtension(format));
}

CString CTVManager::GetSnapshotFileName(int type) const
{
    return TimedFileName(SnapshotExtension(type));
}

void CTVManager::GetRecordFormatNameById(CString& name, int format) const
{
    name = NameAt(kRecordFormatNames, format);
}

void CTVManager::GetFMRecordFormatName(CString& name, int format) const
{
    if (format != kFMUserFormat) {
        name = NameAt(kFMFormatNames, format);
        return;
    }
    const FMParam* user = m_fmFormats.IsValidIndex(m_fmFormats.GetSelected())
                              ? m_fmFormats.GetAt(m_fmFormats.GetSelected()) : NULL;
    name = user ? user->Name : CString();
}

void CTVManager::GetRecordFormatName(CString& name) const
{
    if (GetVideoSource() == CTVHardWare::kInputFM)
        GetFMRecordFormatName(name, m_hardware.Settings().FMRecordFormat);
    else
        GetRecordFormatNameById(name, m_hardware.Settings().RecordFormat);
}

// --- recording --------------------------------------------------------------------

BOOL CTVManager::StartRecord()
{
    m_pUi->MuteForTuning();
    if (m_bRecording || m_bScanning || m_bRecordDisabled || !m_pRecordGraphs->HasAudioCapture())
        return FALSE;
    CString root;
    getRecordDisk(root);
    if (root.IsEmpty()) {
        DebugHelper("CTVManager::getRecordDisk is empty!");
        return FALSE;
    }
    // The file goes to the disk the check found with room: when that is
    // not the record folder's own, the record disk moves there first.
    if (DriveRoot(m_strRecordFolder).CompareNoCase(root) != 0 && !SwitchRecordDisk(m_diskManager.FindDisk(root)))
        return FALSE;
    if (!IsDirectoryExist(m_strRecordFolder))
        CreateFolder(m_strRecordFolder);

    const HardwareSettings& settings = m_hardware.Settings();
    const CString name = GetVideoSource() == CTVHardWare::kInputFM ? GetFMRecordFileName(settings.FMRecordFormat)
                                                                   : GetRecordFileName(settings.RecordFormat);
    m_strRecordFile = UnusedPath(m_strRecordFolder, name);
    m_pRecordGraphs->SetRecordFile(m_strRecordFile);
    const BOOL running = m_pRecordGraphs->RunRecord();
    if (running) {
        DebugHelper("tvHardware.RunRecord return value is true");
        m_bRecording = TRUE;
    }
    return running;
}

BOOL CTVManager::StopRecord()
{
    m_bRecording = FALSE;
    const BOOL stopped = m_pRecordGraphs->StopRecord();
    if (!stopped) {
        // The graph is in no state to go on with: the program ends.
        CString text;
        text.LoadString(IDS_STOP_RECORD_FAILED);
        m_pUi->ShowTimedMessage(text, 1);
        if (CWnd* main = AfxGetMainWnd())
            ::SendMessageA(main->GetSafeHwnd(), WM_CLOSE, 0, 0);
    }
    return stopped;
}

BOOL CTVManager::PauseRecord(BOOL pause)
{
    return m_pRecordGraphs->PauseRecord(pause);
}

BOOL CTVManager::IsRecordPaused()
{
    return m_pRecordGraphs->IsRecordPaused();
}

CTVManager::CodecDialogResult CTVManager::ShowMpeg4CodecDialog(HWND owner)
{
    CTVHardWare::CodecDialogFault fault = CTVHardWare::kCodecDialogShown;
    const BOOL changed = m_hardware.ShowCodecDialog(owner, TRUE, &fault);
    switch (fault) {
    case CTVHardWare::kCodecMissing:
        return kCodecMissing;
    case CTVHardWare::kCodecDialogMissing:
        return kCodecDialogMissing;
    default:
        return changed ? kCodecChanged : kCodecUnchanged;
    }
}

void CTVManager::DisableRecord(BOOL disable)
{
    if (disable && m_pRecordGraphs->IsRecording()) {
        DebugHelper("TVManager DisableRecord stopRecord");
        StopRecord();
    }
    m_bRecordDisabled = disable;
}

// --- the record disk --------------------------------------------------------------

CHardDisk* CTVManager::WalkValidDisks(LPCSTR root, LONGLONG moreThan)
{
    const CStringArray& valid = m_settings.ValidDisk;
    const INT_PTR count = valid.GetSize();
    // An absent root starts at the first allowed disk.
    const INT_PTR first = root ? FindStringNoCase(valid, root) : -1;
    const INT_PTR start = first < 0 ? 0 : first;
    for (INT_PTR step = 0; step < count; ++step) {
        CHardDisk* disk = m_diskManager.FindDisk(valid[(start + step) % count]);
        if (disk && (LONGLONG)disk->GetFreeSpace() > moreThan)
            return disk;
    }
    return NULL;
}

void CTVManager::getRecordDisk(CString& root)
{
    CHardDisk* disk = WalkValidDisks(m_settings.CurDisk, m_settings.ReservedSpace + kStartMarginMiB);
    root = disk ? disk->GetRootPath() : CString();
}

CHardDisk* CTVManager::FindNextRecordDisk(LPCSTR root)
{
    return WalkValidDisks(root, m_settings.ReservedSpace);
}

void CTVManager::WatchRecordDisk()
{
    m_diskWatch.SetDisk(m_settings.CurDisk, (DWORD)m_settings.ReservedSpace);
    m_diskWatch.Start(kDiskWatchIntervalMs);
}

BOOL CTVManager::SwitchRecordDisk(CHardDisk* disk)
{
    if (!disk || (LONGLONG)disk->GetFreeSpace() <= m_settings.ReservedSpace)
        return FALSE;
    m_pRecordDisk = disk;
    m_settings.CurDisk = disk->GetRootPath();
    if (m_settings.CurDisk.CompareNoCase(DriveRoot(m_settings.VideoDir)) == 0) {
        m_strRecordFolder = m_settings.VideoDir;
    } else {
        m_strRecordFolder = PathJoin(m_settings.CurDisk, m_settings.VideoFolder);
        m_settings.VideoDir = m_strRecordFolder;
    }
    CreateFolder(m_strRecordFolder);
    WatchRecordDisk();
    m_bRecordDisabled = FALSE;
    return TRUE;
}

BOOL CTVManager::SetRecordDiskByPath(LPCSTR path)
{
    const CString text(path ? path : "");
    if (text.GetLength() < 3)
        return FALSE;
    CHardDisk* disk = m_diskManager.FindDisk(DriveRoot(text));
    return disk && SwitchRecordDisk(disk);
}

BOOL CTVManager::SetVideoDir(LPCSTR path)
{
    m_settings.VideoDir = path ? path : "";
    return SetRecordDiskByPath(path);
}

BOOL CTVManager::SetVideoFolder(LPCSTR name)
{
    // Without a record disk the folder would land wherever the process runs.
    if (!name || !*name || m_settings.CurDisk.IsEmpty() || !CreateFolder(PathJoin(m_settings.CurDisk, name)))
        return FALSE;
    m_settings.VideoFolder = name;
    if (m_pRecordDisk && m_strRecordFolder.CompareNoCase(m_settings.VideoDir) != 0)
        m_strRecordFolder = PathJoin(m_pRecordDisk->GetRootPath(), name);
    return TRUE;
}

BOOL CTVManager::MoveToNextRecordDisk(LPCSTR trace)
{
    if (m_bRecording) {
        DebugHelper("%s", trace);
        StopRecord();
    }
    const BOOL moved = SwitchRecordDisk(FindNextRecordDisk(m_settings.CurDisk));
    if (!moved)
        m_bRecordDisabled = TRUE;
    return moved;
}

BOOL CTVManager::SetReservedSpace(int mebibytes)
{
    // A negative reserve would become a threshold near 4 TiB for the watch.
    if (mebibytes < 0)
        return FALSE;
    m_settings.ReservedSpace = mebibytes;
    if (m_pRecordDisk && (LONGLONG)m_pRecordDisk->GetFreeSpace() > mebibytes) {
        const BOOL watched = m_diskWatch.SetDisk(m_settings.CurDisk, (DWORD)mebibytes);
        m_diskWatch.Start(kDiskWatchIntervalMs);
        m_bRecordDisabled = FALSE;
        return watched;
    }
    return MoveToNextRecordDisk("TVManager SetReservedSpace StopRecord");
}

int CTVManager::SetDiskArray(const CStringArray& disks)
{
    m_settings.ValidDisk.Copy(disks);
    const int current = FindStringNoCase(m_settings.ValidDisk, m_settings.CurDisk);
    if (current >= 0)
        return current;
    if (!MoveToNextRecordDisk("TVManager SetDiskArray"))
        return -1;
    return FindStringNoCase(m_settings.ValidDisk, m_settings.CurDisk);
}

void CTVManager::InitRecordDisk(HWND owner)
{
    m_diskWatch.Init(owner);
    m_diskManager.Enumerate();
    // The enumeration freed the disk held so far.
    m_pRecordDisk = m_settings.CurDisk.IsEmpty() ? NULL : m_diskManager.FindDisk(m_settings.CurDisk);

    if (m_settings.ValidDisk.GetSize() == 0) {
        CHardDiskArray roomy;
        m_diskManager.GetDisksByFreeSpace((DWORD)m_settings.ReservedSpace, roomy, TRUE);
        for (INT_PTR i = 0; i < roomy.GetSize(); ++i)
            m_settings.ValidDisk.Add(roomy.GetAt(i)->GetRootPath());
    }
    if (m_settings.ValidDisk.GetSize() == 0) {
        m_bRecordDisabled = TRUE;
        m_settings.ValidDisk.Add(DriveRoot(m_strWorkPath));
        m_pUi->ShowMessage(IDS_NO_RECORD_DISK, MB_ICONINFORMATION);
        return;
    }
    if (m_settings.CurDisk.IsEmpty() || m_settings.CurDisk.CompareNoCase(DriveRoot(m_settings.VideoDir)) == 0) {
        if (SetVideoDir(CString(m_settings.VideoDir)))
            return;
    }
    CHardDisk* next = FindNextRecordDisk(m_settings.CurDisk);
    if (next && SetRecordDiskByPath(next->GetRootPath()))
        return;
    m_bRecordDisabled = TRUE;
    if (m_bRecording)
        m_pUi->ShowMessage(IDS_NO_RECORD_DISK, MB_ICONINFORMATION);
}

// --- time shift and snapshots -----------------------------------------------------

BOOL CTVManager::StartTFPreview()
{
    if (!m_pRecordGraphs->HasAudioCapture())
        return FALSE;
    m_pRecordGraphs->SetTFFile(PathJoin(m_strRecordFolder, GetRecordFileName(2)));
    const BOOL running = m_pRecordGraphs->RunTFPreview();
    DebugHelper("tvHardware.RunTFPreview value is %d", running);
    CChannelTable& table = GetVideoSource() == CTVHardWare::kInputFM ? m_fmTable : m_tvTable;
    if (CChannel* channel = table.GetCurrentChannel())
        table.SetCurrentChannel(channel);
    return running;
}

BOOL CTVManager::IsTFRunning()
{
    return m_pRecordGraphs->IsTFRunning();
}

BOOL CTVManager::PauseTF()
{
    return m_pRecordGraphs->PauseTF();
}

BOOL CTVManager::StopTF()
{
    return m_pRecordGraphs->StopRecord();
}

BOOL CTVManager::IsTFPaused()
{
    return m_pRecordGraphs->IsTFRunning() && m_pRecordGraphs->IsTFPaused();
}

BOOL CTVManager::IsTFAvailable()
{
    return m_pRecordGraphs->IsTFAvailable();
}

BOOL CTVManager::SeekTF(LONGLONG position)
{
    return m_pRecordGraphs->IsTFRunning() && m_pRecordGraphs->SeekTF(position);
}

BOOL CTVManager::GetTFPosition(TimeShiftPosition* position)
{
    return position != NULL && m_pRecordGraphs->GetTFPosition(position);
}

BOOL CTVManager::MuteRecSrcPalyBack(BOOL mute)
{
    return m_pRecordGraphs->MuteRecordSourcePlayback(mute);
}

BOOL CTVManager::TakeSnapshot()
{
    const int type = m_settings.SnapBmp ? 1 : 2;
    if (!IsDirectoryExist(m_settings.PicDir))
        CreateFolder(m_settings.PicDir);
    const CString path = UnusedPath(m_settings.PicDir, GetSnapshotFileName(type));
    return m_pRecordGraphs->TakeSnapshot(path, type, m_settings.JpgQuality);
}

BOOL CTVManager::SaveBmpSnapshot(LPCSTR path)
{
    return m_pRecordGraphs->TakeSnapshot(path, 1, 0);
}
