// Countries, default video standards and the scan frequency list.
#include "engine/TVManager.h"

#include "engine/ScanPlans.h"
#include "resources/Resource.h"

namespace {

const int kPseudoCodeHRC = 1200;  // code 1's cable plan with "(HRC)"
const int kPseudoCodeHK = 1201;   // named by string 45276; tuned as 852
const int kMaxCountryName = 63;
// "Taiwan area", in the Big5 code page, for Chinese (Taiwan, Hong Kong) systems.
const char kTaiwanBig5[] = "\xA5\x78\xC6\x57\xA6\x61\xB0\xCF";

} // namespace

int CTVManager::GetLocaleCountryCode()
{
    char buf[16] = {0};
    int code = 0;
    if (::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_ICOUNTRY, buf, sizeof buf) > 0)
        code = atoi(buf);
    return code > 0 ? code : 886;
}

BOOL CTVManager::LoadCountryNames()
{
    m_countryNames.RemoveAll();
    CSkinIniFile ini(GetWorkFile("CountryCode.ini"));
    ini.Load();
    const CSkinSection* names = ini.FindSection("CountryCode");
    for (int code : ScanPlans::BuiltInCountryCodes()) {
        CString key, name;
        key.Format("%d", code);
        if (names && names->GetString(key, name) && !name.IsEmpty())
            m_countryNames.SetText((DWORD)code, name.Left(kMaxCountryName));
    }
    const LANGID language = ::GetSystemDefaultLangID();
    if (language == 1028 || language == 3076)
        m_countryNames.SetText(886, kTaiwanBig5);
    const CString usa = m_countryNames.GetText(1);
    m_countryNames.SetText(1, usa + "(IRC)");
    m_countryNames.SetText(kPseudoCodeHRC, usa + "(HRC)");
    CString pseudo;
    pseudo.LoadString(IDS_COUNTRY_HONG_KONG);
    m_countryNames.SetText(kPseudoCodeHK, pseudo);
    return m_countryNames.GetCount() > 0;
}

BOOL CTVManager::GetDefaultVideoStandard(int countryCode, DWORD& standard) const
{
    AnalogVideoStandard found = AnalogVideo_None;
    if (!ScanPlans::GetDefaultVideoStandard(countryCode, found))
        return FALSE;
    standard = (DWORD)found;
    return TRUE;
}

int CTVManager::TunerCountryCode(int countryCode)
{
    if (countryCode == kPseudoCodeHK)
        return 852;
    if (countryCode == kPseudoCodeHRC)
        return 1;
    return countryCode;
}

BOOL CTVManager::SetCountryCode(int countryCode)
{
    if (countryCode < 0)
        return FALSE;
    m_settings.CountryCode = countryCode;
    return m_hardware.CreateTunerFilter(TunerCountryCode(countryCode));
}

void CTVManager::SetTVInput(int input)
{
    if (input >= 0 && input <= 2)
        m_settings.TVInput = input;
}

BOOL CTVManager::BuildScanFrequencyList()
{
    const int input = m_settings.TVInput;
    if (input == 2)
        return FALSE;
    const int code = m_settings.CountryCode;
    const float* points = NULL;
    int count = 0;
    if (m_pointManager.FindTable(code, m_countryNames.GetText((DWORD)code), input, points, count))
        return SetFrequencyPoints(points, count);
    // TVInput 0 is cable; anything else scans the antenna plan.
    const ScanPlans::FrequencyPlan* plan = ScanPlans::FindBuiltInScanPlan(code, input != 0);
    if (!plan)
        return FALSE;
    std::vector<float> mhz = ScanPlans::ToMHzList(*plan);
    return SetFrequencyPoints(mhz.data(), (int)mhz.size());
}

BOOL CTVManager::SetFrequencyPoints(const float* mhz, int count)
{
    if (!mhz || count <= 0 || count > CPointTable::kMaxPoints)
        return FALSE;
    // The manager's list is the one built last; the card's tuner keeps a
    // copy of its own for its scan (none without a card).
    m_scanList.assign(mhz, mhz + count);
    return m_hardware.SetFrequencyPoints(mhz, count);
}
