#include "engine/IdStringMap.h"

CString CIdStringMap::GetText(DWORD id) const
{
    CString text;
    Lookup(id, text);
    return text;
}

void CIdStringMap::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD_PTR)GetCount());
        for (POSITION pos = GetStartPosition(); pos;) {
            DWORD id = 0;
            CString text;
            GetNextAssoc(pos, id, text);
            ar << id << text;
        }
        return;
    }
    RemoveAll();
    DWORD_PTR count = ar.ReadCount();
    for (DWORD_PTR i = 0; i < count && !ar.Failed(); ++i) {
        DWORD id = 0;
        CString text;
        ar >> id;
        if (ar.ReadString(text))
            SetAt(id, text);
    }
}
