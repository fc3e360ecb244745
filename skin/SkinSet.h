// CSkinSet: the skin catalogue "SkinSet.ini" — the skins the user may choose
// and, for each, its skin file and resource library. Owned by the manager;
// UI thread.
#pragma once
#include "store/SkinIniFile.h"

class CSkinSet
{
public:
    CSkinSet() : m_pIni(NULL) {}
    virtual ~CSkinSet() { delete m_pIni; }
    CSkinSet(const CSkinSet&) = delete;
    CSkinSet& operator=(const CSkinSet&) = delete;

    // Reads the catalogue at `path`; loading the same path again reads it
    // afresh (without doubling its sections).
    BOOL Load(LPCSTR path);
    // Appends the names of the skins, in catalogue order ("Skin-<i>" of
    // [General] for i below "Total"; missing ones skipped). FALSE before loading.
    BOOL GetSkinNames(CStringList& names);
    // "Total" of [General]; 0 before loading or without the key.
    int GetCount();
    // The skin's "Ini" and "Dll" values where present; TRUE once loaded,
    // even for an unknown skin (then both stay as they were).
    BOOL GetSkinFiles(LPCSTR skinName, CString& iniFile, CString& library);
    // The catalogue's ini model; NULL before loading.
    const CSkinIniFile* GetIniFile() const { return m_pIni; }

private:
    CSkinIniFile* m_pIni;
};
