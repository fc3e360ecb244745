// The settings store: "TVParam.ini", the registry values and the Run value.
#include "engine/TVManager.h"

#include "engine/PathHelpers.h"
#include "engine/RegisterKey.h"
#include "engine/Scrambler.h"
#include "platform/mfc/Resource.h"
#include "resources/Resource.h"

#include <shlobj.h>

#include <vector>

namespace {

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "Sarnet";
// The teletext program's window; its option is saved only while it runs.
const char kTeletextWindow[] = "PC Text Pro Light Version";

template <int LO, int HI>
bool InRange(int v) { return v >= LO && v <= HI; }
bool NotNegative(int v) { return v >= 0; }
bool PositiveSize(SIZE s) { return s.cx > 0 && s.cy > 0; }

// Reads a value into its holder, or writes it from there, by the direction
// of the walk. A value read from the file replaces the holder only when it
// has the type's form and passes the check its setter applies; otherwise
// the default stays.
class SettingsIo
{
public:
    SettingsIo(CSkinIniFile& ini, bool save) : m_ini(ini), m_save(save) {}

    void Int(LPCSTR section, LPCSTR key, int& value, bool (*valid)(int) = NULL)
    {
        CSkinSection* s = m_ini.GetSection(section);
        if (m_save) {
            s->SetInt(key, value);
            return;
        }
        int read;
        if (s->GetInt(key, read) && (!valid || valid(read)))
            value = read;
    }
    void Long(LPCSTR section, LPCSTR key, long& value, bool (*valid)(int) = NULL)
    {
        int v = (int)value;
        Int(section, key, v, valid);
        value = v;
    }
    void Dword(LPCSTR section, LPCSTR key, DWORD& value, bool (*valid)(DWORD))
    {
        CSkinSection* s = m_ini.GetSection(section);
        if (m_save) {
            s->SetUInt(key, value);
            return;
        }
        UINT read;
        if (s->GetUInt(key, read) && valid(read))
            value = read;
    }
    void Text(LPCSTR section, LPCSTR key, CString& value, bool nonEmpty = false)
    {
        CSkinSection* s = m_ini.GetSection(section);
        if (m_save) {
            s->SetString(key, value);
            return;
        }
        CString read;
        if (s->GetString(key, read) && (!nonEmpty || !read.IsEmpty()))
            value = read;
    }
    void Size(LPCSTR section, LPCSTR key, CSize& value, bool (*valid)(SIZE))
    {
        CSkinSection* s = m_ini.GetSection(section);
        if (m_save) {
            s->SetSize(key, value);
            return;
        }
        SIZE read;
        if (s->GetSize(key, read) && valid(read))
            value = read;
    }
    void Point(LPCSTR section, LPCSTR key, CPoint& value)
    {
        CSkinSection* s = m_ini.GetSection(section);
        if (m_save)
            s->SetPoint(key, value);
        else
            s->GetPoint(key, value);
    }
    void Rect(LPCSTR section, LPCSTR key, CRect& value)
    {
        CSkinSection* s = m_ini.GetSection(section);
        if (m_save)
            s->SetRect(key, value);
        else
            s->GetRect(key, value);
    }
    void Time(LPCSTR section, LPCSTR key, CTime& value)
    {
        CSkinSection* s = m_ini.GetSection(section);
        if (m_save)
            s->SetTime(key, value);
        else
            s->GetTime(key, value);
    }
    void List(LPCSTR section, LPCSTR key, CStringArray& value)
    {
        CSkinSection* s = m_ini.GetSection(section);
        if (m_save) {
            s->SetList(key, value, ',');
            return;
        }
        CStringArray read;
        if (s->GetList(key, read, ','))
            value.Copy(read);
    }
    // The logon account: scrambled, then written as hexadecimal text. An
    // empty value stays empty; one that fails to decode reads as empty.
    void Scrambled(LPCSTR section, LPCSTR key, CString& value)
    {
        CSkinSection* s = m_ini.GetSection(section);
        if (m_save) {
            s->SetString(key, Scramble(value));
            return;
        }
        CString read;
        if (s->GetString(key, read))
            value = Unscramble(read);
    }

private:
    static CString Scramble(const CString& text)
    {
        if (text.IsEmpty() || (UINT)text.GetLength() > kScrambleMaxInput)
            return CString();
        const UINT n = (UINT)text.GetLength();
        std::vector<BYTE> scrambled(n + 3);
        std::vector<char> hex(2 * (n + 3) + 1);
        UINT count = 0, length = 0;
        if (!ScrambleString((const BYTE*)(LPCSTR)text, n, scrambled.data(), (UINT)scrambled.size(), &count) ||
            !HexEncode(scrambled.data(), count, hex.data(), (UINT)hex.size(), &length))
            return CString();
        return CString(hex.data(), (int)length);
    }
    static CString Unscramble(const CString& hex)
    {
        if (hex.IsEmpty())
            return CString();
        const UINT length = (UINT)hex.GetLength();
        std::vector<BYTE> bytes(length / 2 + 1);
        std::vector<BYTE> plain(length / 2 + 1);
        UINT count = 0, n = 0;
        if (!HexDecode(hex, length, bytes.data(), (UINT)bytes.size(), &count) ||
            !UnscrambleString(bytes.data(), count, plain.data(), (UINT)plain.size(), &n))
            return CString();
        return CString((LPCSTR)plain.data(), (int)n);
    }

    CSkinIniFile& m_ini;
    bool m_save;
};

bool IsCardValue(int index, int v)
{
    return v >= CTVManager::kCardVideoRange[index].Min && v <= CTVManager::kCardVideoRange[index].Max;
}

bool IsOverlayValue(int index, int v)
{
    return v >= CTVManager::kOverlayRange[index].Min && v <= CTVManager::kOverlayRange[index].Max;
}

template <int I> bool CardValue(int v) { return IsCardValue(I, v); }
template <int I> bool OverlayValue(int v) { return IsOverlayValue(I, v); }

// Below the shell's documents folder: on Windows 6 and later the profile's
// own folder next to it, before that "My ..." inside it.
CString DefaultMediaFolder(LPCSTR modernName, LPCSTR legacyName)
{
    char documents[MAX_PATH + 1] = {0};
    if (FAILED(::SHGetFolderPathA(NULL, CSIDL_PERSONAL, NULL, SHGFP_TYPE_CURRENT, documents)))
        return CString();
    CString folder(documents);
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    if (version.dwMajorVersion >= 6) {
        folder.TrimRight('\\');
        int slash = folder.ReverseFind('\\');
        if (slash >= 0)
            folder = folder.Left(slash);
        return folder + "\\" + modernName;
    }
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    return folder + legacyName;
}

} // namespace

const CMinMaxDef CTVManager::kCardVideoRange[5] = {
    {0, 255, 128}, {0, 127, 68}, {-128, 127, 0}, {0, 127, 64}, {-8, 7, -6},
};
const CMinMaxDef CTVManager::kOverlayRange[5] = {
    {0, 10000, 750}, {0, 20000, 10000}, {-180, 180, 0}, {0, 20000, 10000}, {0, 10, 5},
};

CString CTVManager::GetAppTitle()
{
    return GetApplicationTitle();
}

CString CTVManager::GetDefaultVideoDir() const { return DefaultMediaFolder("Videos", "My Videos"); }
CString CTVManager::GetDefaultPicDir() const { return DefaultMediaFolder("Pictures", "My Pictures"); }

void CTVManager::SetDefaults()
{
    m_settings = ManagerSettings();
    m_hardware.Settings() = HardwareSettings();
    m_settings.CountryCode = GetLocaleCountryCode();
    m_settings.ShutTime = CTime::GetCurrentTime();
    m_settings.PicDir = GetDefaultPicDir();
    m_settings.VideoDir = GetDefaultVideoDir();
    m_strRecordFolder = m_settings.VideoDir;
    m_fmFormats.RemoveAll();
    ReadAutoStartKey(m_bAutoStart);
    LoadRemoteKeyRedef();
}

BOOL CTVManager::LoadSettings()
{
    if (!m_pSettingsIni)
        m_pSettingsIni = new CSkinIniFile;
    m_pSettingsIni->RemoveAll();
    m_pSettingsIni->SetFilePath(GetWorkFile("TVParam.ini"));
    // A file that fails part-way still gives the values read before the
    // failure (the rest keep their defaults); dropping them would let the
    // next save write defaults over every one of them.
    if (m_pSettingsIni->Load() || m_pSettingsIni->GetSectionCount() > 0)
        SerializeSettings(0);
    const CString catalogue = GetWorkFile("SkinSet.ini");
    if (IsFileExist(catalogue) && m_skinSet.Load(catalogue))
        m_skinSet.GetSkinNames(m_skinNames);
    return TRUE;
}

void CTVManager::SerializeSettings(int direction)
{
    if (!m_pSettingsIni)
        return;
    SettingsIo io(*m_pSettingsIni, direction != 0);
    ManagerSettings& s = m_settings;
    HardwareSettings& hw = m_hardware.Settings();

    io.Text("Interface", "SkinName", s.SkinName);

    io.Int("Channel", "TVInput", s.TVInput, &InRange<0, 2>);
    io.Int("Channel", "CountryCode", s.CountryCode, &InRange<0, 99999>);
    io.Text("Channel", "City", s.City);
    struct { CChannelTable& table; const char* prefix; } tables[] = {{m_tvTable, "TV"}, {m_fmTable, "FM"}};
    for (auto& t : tables) {
        long cur = t.table.GetCurrentFrequency(), last = t.table.GetLastFrequency();
        int index = t.table.GetCurrentIndex();
        int favor = t.table.GetFavorMode(), reserve = t.table.GetReservePrev();
        io.Long("Channel", CString(t.prefix) + "CurFreq", cur, &NotNegative);
        io.Long("Channel", CString(t.prefix) + "LastFreq", last, &NotNegative);
        io.Int("Channel", CString(t.prefix) + "CurIndex", index, &InRange<-1, CChannelTable::kMaxChannels>);
        io.Int("Channel", CString(t.prefix) + "Favor", favor);
        io.Int("Channel", CString(t.prefix) + "ReservePrev", reserve);
        t.table.SetCurrentFrequency(cur);
        t.table.SetLastFrequency(last);
        t.table.SetCurrentIndex(index);
        t.table.SetFavorMode(favor);
        t.table.SetReservePrev(reserve);
    }

    io.Dword("Device", "TunerStandard", hw.TunerStandard, &HardwareSettings::IsValidStandard);
    io.Int("Device", "VideoSource", hw.VideoSource, &HardwareSettings::IsValidVideoSource);
    io.Text("Device", "AudioDevice", hw.AudioDevice);
    io.Text("Device", "AudioInput", hw.AudioInput);
    io.Text("Device", "AudioPlayInput", hw.AudioPlayInput);
    io.Text("Device", "AudioPlayInputDev", hw.AudioPlayInputDev);
    io.Int("Device", "TVAUDIO", hw.TVAudio, &HardwareSettings::IsValidTVAudio);
    io.Int("Device", "TVDATA", hw.TVData);

    io.Text("Record", "PicDir", s.PicDir, true);
    io.Text("Record", "VideoDir", s.VideoDir, true);
    io.Int("Record", "SnapBmp", s.SnapBmp);
    io.Int("Record", "JpgQuality", s.JpgQuality, &InRange<0, 100>);
    io.Int("Record", "MotionSearchInc", hw.MotionSearchInc, &HardwareSettings::IsValidMotionSearch);
    io.Int("Record", "DisplayQuality", s.DisplayQuality, &InRange<0, 2>);
    io.Int("Record", "RecordFormat", hw.RecordFormat, &HardwareSettings::IsValidRecordFormat);
    io.Int("Record", "FMRecordFormat", hw.FMRecordFormat, &HardwareSettings::IsValidFMRecordFormat);
    io.Size("Record", "Mpeg4RecordSize", hw.Mpeg4RecordSize, &HardwareSettings::IsValidMpeg4Size);
    io.Text("Record", "Mpeg4Audio", hw.Mpeg4Audio);
    io.Int("Record", "TFTime", hw.TFTime, &HardwareSettings::IsValidTFTime);
    io.Int("Record", "TFReserved", hw.TFReserved, &HardwareSettings::IsValidTFReserved);

    io.Int("Schedule", "EnableShut", s.EnableShut);
    io.Time("Schedule", "ShutTime", s.ShutTime);
    io.Int("Schedule", "StartTray", s.StartTray);
    io.Int("Schedule", "EnableSuspend", s.EnableSuspend);

    static const char* const kCardKeys[5] = {"Brightness", "Contrast", "Hue", "Saturation", "Sharpness"};
    static const char* const kOverlayKeys[5] = {"OverlayBri", "OverlayCon", "OverlayHue", "OverlaySat", "OverlaySha"};
    static bool (*const kCardChecks[5])(int) = {&CardValue<0>, &CardValue<1>, &CardValue<2>, &CardValue<3>, &CardValue<4>};
    static bool (*const kOverlayChecks[5])(int) = {&OverlayValue<0>, &OverlayValue<1>, &OverlayValue<2>,
                                                   &OverlayValue<3>, &OverlayValue<4>};
    for (int i = 0; i < 5; ++i)
        io.Int("Video", kCardKeys[i], s.CardVideo[i], kCardChecks[i]);
    for (int i = 0; i < 5; ++i)
        io.Int("Video", kOverlayKeys[i], s.OverlayVideo[i], kOverlayChecks[i]);
    io.Int("Video", "UseOverlay", s.UseOverlay);
    io.Int("Video", "UseCardOrOverlay", s.UseCardOrOverlay);
    io.Size("Video", "VideoSize", hw.VideoSize, &HardwareSettings::IsValidVideoSize);
    io.Int("Video", "HightQuality", s.HightQuality);
    io.Int("Video", "HalfRate", s.HalfRate);
    io.Int("Video", "NoiseReduce", s.NoiseReduce);
    io.Int("Video", "ReduceValue", s.ReduceValue, &InRange<0, 10>);
    io.Int("Video", "OverlayDesktop", s.OverlayDesktop);

    io.Text("Storage", "VideoFolder", s.VideoFolder, true);
    io.Int("Storage", "MaxLength", s.MaxLength, &InRange<1, 300>);
    io.Int("Storage", "NoSpaceStop", s.NoSpaceStop);
    io.Int("Storage", "ExcessLength", s.ExcessLength);
    io.List("Storage", "ValidDisk", s.ValidDisk);
    io.Text("Storage", "CurDisk", s.CurDisk);
    io.Int("Storage", "ReservedSpace", s.ReservedSpace, &NotNegative);

    io.Rect("Window", "VideoWnd", s.VideoWnd);
    io.Point("Window", "ControlLeftTop", s.ControlLeftTop);
    io.Size("Window", "VideoRatio", s.VideoRatio, &PositiveSize);
    io.Int("Window", "FullScreen", s.FullScreen);
    io.Int("Window", "TopMost", s.TopMost);

    io.Int("Runonce", "Run", s.Run);

    SerializeFMCustom(*m_pSettingsIni, direction != 0);

    io.Int("Windows System", "EnableOpen", s.EnableOpen);
    io.Time("Windows System", "OpenTime", s.OpenTime);
    io.Int("Windows System", "StartUpTime", s.StartUpTime, &NotNegative);
    io.Int("Windows System", "AutoLogin", s.AutoLogin);
    io.Scrambled("Windows System", "AutoUser", s.AutoUser);
    io.Scrambled("Windows System", "AutoPass", s.AutoPass);
}

void CTVManager::SerializeFMCustom(CSkinIniFile& ini, bool save)
{
    CSkinSection* section = ini.GetSection("FMCustom");
    if (save) {
        section->SetInt("Current", m_fmFormats.GetSelected());
        section->SetInt("Count", (int)m_fmFormats.GetSize());
        for (int i = 0; i < (int)m_fmFormats.GetSize(); ++i) {
            CString key;
            key.Format("FMCustom%d", i);
            section->SetString(key + "_Name", m_fmFormats.GetAt(i)->Name);
            section->SetString(key + "_AudioComp", m_fmFormats.GetAt(i)->AudioComp);
        }
        return;
    }
    int current = m_fmFormats.GetSelected();
    section->GetInt("Current", current);
    int count = 0;
    if (!section->GetInt("Count", count) || count < 0)
        count = 0;
    if (count > kMaxFMFormats)
        count = kMaxFMFormats;
    m_fmFormats.RemoveAll();
    for (int i = 0; i < count; ++i) {
        FMParam* format = m_fmFormats.GetAt(i); // grows the list by one
        CString key;
        key.Format("FMCustom%d", i);
        section->GetString(key + "_Name", format->Name);
        section->GetString(key + "_AudioComp", format->AudioComp);
    }
    m_fmFormats.SetSelected(current >= -1 && current < count ? current : -1);
}

BOOL CTVManager::SaveSettings()
{
    if (!::FindWindowA(NULL, kTeletextWindow))
        m_hardware.SetTeletextOn(FALSE);
    if (!m_pSettingsIni) {
        m_pSettingsIni = new CSkinIniFile;
        m_pSettingsIni->SetFilePath(GetWorkFile("TVParam.ini"));
    }
    SerializeSettings(1);
    return m_pSettingsIni->Save();
}

void CTVManager::SetStartTray(BOOL start)
{
    m_settings.StartTray = start;
    m_pUi->SetTrayAtExit(start);
}

void CTVManager::SetMaxLength(int minutes)
{
    if (minutes >= 1 && minutes <= 300)
        m_settings.MaxLength = minutes;
}

BOOL CTVManager::SetTFTime(int seconds)
{
    if (!HardwareSettings::IsValidTFTime(seconds))
        return FALSE;
    m_hardware.Settings().TFTime = seconds;
    return TRUE;
}

BOOL CTVManager::SetTFReserved(int reserved)
{
    if (!HardwareSettings::IsValidTFReserved(reserved))
        return FALSE;
    m_hardware.Settings().TFReserved = reserved;
    return TRUE;
}

void CTVManager::SetDisplayQuality(int quality)
{
    if (quality < 0 || quality > 2)
        return;
    m_settings.DisplayQuality = quality;
    m_hardware.SetDeinterlaceMode(quality);
}

void CTVManager::WriteCommonValue(LPCSTR name, LPCSTR value)
{
    CString path;
    path.Format("SOFTWARE\\%s\\Common", (LPCSTR)GetAppTitle());
    CRegisterKey key;
    if (key.Open(m_hRegistryRoot, path, FALSE) == ERROR_SUCCESS)
        key.SetValue(name, value);
}

void CTVManager::WriteSnapPathToRegistry()
{
    WriteCommonValue("SnapPath", m_settings.PicDir);
}

void CTVManager::WriteRecordPathToRegistry()
{
    WriteCommonValue("RecordPath", m_settings.VideoDir);
}

BOOL CTVManager::WriteAutoStartKey(BOOL start)
{
    CRegisterKey key;
    if (key.Open(m_hRegistryRoot, kRunKey, FALSE) != ERROR_SUCCESS)
        return FALSE;
    CString value;
    if (start)
        value = GetShortPath(GetWorkFile("Sarnet.exe"));
    return key.SetValue(kRunValue, value) == ERROR_SUCCESS;
}

BOOL CTVManager::ReadAutoStartKey(BOOL& start)
{
    start = FALSE;
    CRegisterKey key;
    if (key.OpenForRead(m_hRegistryRoot, kRunKey, FALSE) != ERROR_SUCCESS)
        return FALSE;
    CString value;
    if (key.QueryValue(kRunValue, value) != ERROR_SUCCESS)
        return FALSE;
    start = !value.IsEmpty();
    return start;
}

void CTVManager::SetAutoStart(BOOL start)
{
    m_bAutoStart = start;
    WriteAutoStartKey(start);
}
