// The manager's bring-up: its name tables and resource-id maps, the
// settings applied after loading, the start-up sequence that brings up the
// card and the channel files, the checks after it, and the close.
#include "engine/TVManager.h"

#include "engine/FilterRegistration.h"
#include "engine/PathHelpers.h"
#include "graph/DebugHelper.h"
#include "platform/mfc/Resource.h"
#include "resources/Resource.h"

namespace {

struct NamedId
{
    DWORD id;
    const char* text;
};

const NamedId kOfferedRecordFormats[] = {
    {1, "Mpeg1"}, {2, "Mpeg2"}, {4, "VCD"}, {5, "SVCD"}, {6, "DVD"}, {7, "HIDVD"},
};
const NamedId kInputs[] = {{0, "TV"}, {1, "AV"}, {2, "SV"}, {3, "FM"}};
// PAL_G (0x40) is not offered.
const NamedId kStandards[] = {
    {0, "None"},          {0x1, "NTSC_M"},        {0x2, "NTSC_M_J"},     {0x4, "NTSC_433"},
    {0x10, "PAL_B"},      {0x20, "PAL_D"},        {0x80, "PAL_H"},       {0x100, "PAL_I"},
    {0x200, "PAL_M"},     {0x400, "PAL_N"},       {0x800, "PAL_60"},     {0x1000, "SECAM_B"},
    {0x2000, "SECAM_D"},  {0x4000, "SECAM_G"},    {0x8000, "SECAM_H"},   {0x10000, "SECAM_K"},
    {0x20000, "SECAM_K1"}, {0x40000, "SECAM_L"},  {0x80000, "SECAM_L1"},
};
static_assert(sizeof(kStandards) / sizeof(kStandards[0]) == 19, "nineteen standards");

struct ValueString
{
    int value;
    DWORD stringId;
};

const ValueString kVideoPropertyNames[] = {
    {kVideoBrightness, IDS_PROPERTY_BRIGHTNESS},
    {kVideoContrast, IDS_PROPERTY_CONTRAST},
    {kVideoHue, IDS_PROPERTY_HUE},
    {kVideoSaturation, IDS_PROPERTY_SATURATION},
    {kVideoSharpness, IDS_PROPERTY_SHARPNESS},
    {kVideoGamma, IDS_PROPERTY_GAMMA},
    {kVideoColorEnable, IDS_PROPERTY_COLOR_ENABLE},
    {kVideoWhiteBalance, IDS_PROPERTY_WHITE_BALANCE},
    {kVideoBacklightCompensation, IDS_PROPERTY_BACKLIGHT},
    {kVideoGain, IDS_PROPERTY_GAIN},
};
const ValueString kOverlayControlNames[] = {
    {kOverlayBrightness, IDS_PROPERTY_BRIGHTNESS}, {kOverlayContrast, IDS_PROPERTY_CONTRAST},
    {kOverlayHue, IDS_PROPERTY_HUE},               {kOverlaySaturation, IDS_PROPERTY_SATURATION},
    {kOverlaySharpness, IDS_PROPERTY_SHARPNESS},
};
const ValueString kIntegerNames[] = {
    {1, IDS_DAY_SUNDAY},   {2, IDS_DAY_MONDAY}, {3, IDS_DAY_TUESDAY},  {4, IDS_DAY_WEDNESDAY},
    {5, IDS_DAY_THURSDAY}, {6, IDS_DAY_FRIDAY}, {7, IDS_DAY_SATURDAY}, {8, IDS_DAY_EVERY_DAY},
};
const UINT kQualityNameIds[] = {0, IDS_QUALITY_HIGH, IDS_QUALITY_NORMAL};  // 0: "Very High", written out

template <size_t N>
void Fill(CDwordStringArray& table, const NamedId (&rows)[N])
{
    table.RemoveAll();
    for (const NamedId& row : rows)
        table.Add(row.id, row.text);
}

template <class T, size_t N>
void Fill(MRscIDMap<T>& map, const ValueString (&rows)[N])
{
    map.RemoveAll();
    for (const ValueString& row : rows)
        map.SetAt((T)row.value, row.stringId);
}

} // namespace

BOOL CTVManager::InitNameTables()
{
    Fill(m_recordFormatNames, kOfferedRecordFormats);
    Fill(m_inputNames, kInputs);
    Fill(m_standardNames, kStandards);
    for (int i = 0; i < kVideoPropertyCount; ++i) {
        m_cardRange[i] = kCardVideoRange[i];
        m_overlayRange[i] = kOverlayRange[i];
    }
    return TRUE;
}

void CTVManager::InitResourceIdMaps()
{
    m_qualityNames.RemoveAll();
    for (UINT i = 0; i < sizeof(kQualityNameIds) / sizeof(kQualityNameIds[0]); ++i) {
        CString name("Very High");
        if (kQualityNameIds[i])
            name.LoadString(kQualityNameIds[i]);
        m_qualityNames.Add(i, name);
    }
    Fill(m_videoPropertyNames, kVideoPropertyNames);
    Fill(m_overlayControlNames, kOverlayControlNames);
    Fill(m_integerNames, kIntegerNames);
    m_strDefaultSkinName.LoadString(IDS_DEFAULT_SKIN);
}

void CTVManager::ApplyLoadedSettings()
{
    if (m_settings.SkinName.IsEmpty())
        m_settings.SkinName = m_strDefaultSkinName;
    // The default skin heads the list, once.
    for (POSITION pos = m_skinNames.GetHeadPosition(); pos;) {
        POSITION here = pos;
        if (m_skinNames.GetNext(pos) == m_strDefaultSkinName)
            m_skinNames.RemoveAt(here);
    }
    m_skinNames.AddHead(m_strDefaultSkinName);
    for (const CString* folder : {&m_settings.VideoDir, &m_strRecordFolder, &m_settings.PicDir}) {
        if (!folder->IsEmpty() && !IsDirectoryExist(*folder))
            CreateFolder(*folder);
    }
    WriteAutoStartKey(m_bAutoStart);
}

BOOL CTVManager::Startup()
{
    RegisterProgramFilters();
    LoadCountryNames();
    if (m_settings.CountryCode == 0)
        m_settings.CountryCode = GetLocaleCountryCode();

    m_hardware.SetAppTitle(GetAppTitle());
    m_hardware.SetDeinterlaceMode(m_settings.DisplayQuality);
    m_hardware.SetUseOverlay(m_settings.UseOverlay);
    m_hardware.SetOverlayDesktop(m_settings.OverlayDesktop);

    if (!m_hardware.CreatePreviewFilter()) {
        // Whatever stopped the preview filters ends the program: never let
        // it run on with channel files it has not read (a later save would
        // write empty ones over them).
        const DWORD code = GetStartupErrorCode();
        if (code == 0 || code == kErrorNoAudioDevice)
            SetStartupErrorCode(kErrorNoCaptureFilter);
        return FALSE;
    }
    // The saved standard and country reach the card (the filters only
    // checked the standard against the tuner's list).
    m_hardware.SetVideoStandard(m_hardware.GetVideoStandard());
    m_hardware.CreateTunerFilter(TunerCountryCode(m_settings.CountryCode));

    SetMute(TRUE);
    m_tvTable.SetFM(FALSE);
    m_fmTable.SetFM(TRUE);
    LoadChannelTables();
    m_freqAndName.Load(GetWorkFile("ChannelAddress.ini"));
    m_bCardHasFM = m_hardware.HasFMTuner();
    if (m_hardware.IsOverlayInUse())
        InitOverlayDefaults();
    m_pointManager.Load(GetWorkFile("ChannelPoint.ini"));
    BuildScanFrequencyList();

    m_hardware.SetDeinterlace(m_settings.HightQuality);
    m_hardware.SetHalfRate(m_settings.HalfRate);
    m_hardware.SetNoiseReduce(m_settings.NoiseReduce);
    m_hardware.SetReduceValue(m_settings.ReduceValue);
    ApplyVideoProperties();
    m_pUi->SetTrayAtExit(m_settings.StartTray);
    return TRUE;
}

BOOL CTVManager::ValidateSettings()
{
    if (m_settings.TVInput < 0 || m_settings.TVInput > 2)
        m_settings.TVInput = 0;
    if (!SelectFMFormat(m_hardware.Settings().FMRecordFormat))
        SelectFMFormat(0);
    if (!SetRecordFormat(m_hardware.Settings().RecordFormat))
        SetRecordFormat(4);
    return TRUE;
}

void CTVManager::CloseDevice()
{
    m_hardware.CloseDevice();
}

BOOL CTVManager::SetNotifyWindow(HWND window)
{
    return m_hardware.SetNotifyWindow(window);
}

BOOL CTVManager::SetRecordFormat(int format)
{
    if (!HardwareSettings::IsValidRecordFormat(format))
        return FALSE;
    m_hardware.Settings().RecordFormat = format;
    return TRUE;
}

BOOL CTVManager::SelectFMFormat(int format)
{
    if (!HardwareSettings::IsValidFMRecordFormat(format))
        return FALSE;
    if (format == 3) {
        // The user's own format: only with one selected in the list.
        const int selected = m_fmFormats.GetSelected();
        if (selected < 0 || selected >= (int)m_fmFormats.GetSize())
            return FALSE;
        m_hardware.SetFMCustomCompressor(m_fmFormats.GetAt(selected)->AudioComp);
    }
    m_hardware.Settings().FMRecordFormat = format;
    return TRUE;
}
