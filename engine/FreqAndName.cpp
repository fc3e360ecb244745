#include "engine/FreqAndName.h"

namespace {

int BoundedTotal(const CSkinSection* section, int maxTotal)
{
    int total = 0;
    if (!section || !section->GetInt("Total", total) || total < 0)
        return 0;
    return total < maxTotal ? total : maxTotal;
}

} // namespace

BOOL CFreqAndName::Load(LPCSTR path)
{
    m_ini.RemoveAll();
    m_ini.SetFilePath(path);
    return m_ini.Load();
}

BOOL CFreqAndName::GetTableNames(int countryCode, CStringArray& names) const
{
    CString sectionName;
    sectionName.Format("%d", countryCode);
    const CSkinSection* country = m_ini.FindSection(sectionName);
    const int total = BoundedTotal(country, kMaxEntries);
    BOOL any = FALSE;
    for (int i = 0; i < total; ++i) {
        CString key, name;
        key.Format("Table-%d", i);
        if (country->GetString(key, name)) {
            names.Add(name);
            any = TRUE;
        }
    }
    return any;
}

BOOL CFreqAndName::LoadTable(int countryCode, LPCSTR tableName, CFreqNameMap& names) const
{
    CString sectionName(tableName);
    if (sectionName.IsEmpty())
        sectionName.Format("%d-Default", countryCode);
    const CSkinSection* table = m_ini.FindSection(sectionName);
    const int total = BoundedTotal(table, kMaxEntries);
    BOOL any = FALSE;
    for (int i = 0; i < total; ++i) {
        CString key, value;
        key.Format("Channel-%d", i);
        if (!table->GetString(key, value))
            continue;
        int comma = value.Find(',');
        if (comma < 0)
            continue;
        // The whole frequency must be one number of at least 1 kHz; the
        // name must hold more than blanks, since a channel given a blank
        // name would not read back from its channel file.
        const CString name = value.Left(comma);
        int kHz = 0;
        if (!ParseIniInt(value.Mid(comma + 1), kHz) || kHz < 1 || CString(name).Trim().IsEmpty())
            continue;
        names[(DWORD)kHz] = name;
        any = TRUE;
    }
    return any;
}
