#include "skin/SkinSet.h"

namespace {

// A catalogue that names more skins than this is damaged; the count read
// from the file bounds a loop.
const int kMaxSkins = 1000;

} // namespace

BOOL CSkinSet::Load(LPCSTR path)
{
    if (!m_pIni || m_pIni->GetFilePath().CompareNoCase(path) != 0) {
        delete m_pIni;
        m_pIni = new CSkinIniFile(path);
    } else {
        m_pIni->RemoveAll();
    }
    return m_pIni->Load();
}

BOOL CSkinSet::GetSkinNames(CStringList& names)
{
    if (!m_pIni)
        return FALSE;
    CSkinSection* general = m_pIni->GetSection("General");
    int total = 0;
    general->GetInt("Total", total);
    for (int i = 0; i < total && i < kMaxSkins; ++i) {
        CString key, name;
        key.Format("Skin-%d", i);
        if (general->GetString(key, name))
            names.AddTail(name);
    }
    return TRUE;
}

int CSkinSet::GetCount()
{
    int total = 0;
    if (m_pIni)
        m_pIni->GetSection("General")->GetInt("Total", total);
    return total;
}

BOOL CSkinSet::GetSkinFiles(LPCSTR skinName, CString& iniFile, CString& library)
{
    if (!m_pIni)
        return FALSE;
    CSkinSection* skin = m_pIni->GetSection(skinName);
    skin->GetString("Ini", iniFile);
    skin->GetString("Dll", library);
    return TRUE;
}
