#include "engine/NameTables.h"

void CDwordStringArray::Add(DWORD id, LPCSTR text)
{
    CDwordStringPair pair;
    pair.id = id;
    pair.text = text;
    CArray<CDwordStringPair>::Add(pair);
}

const CString* CDwordStringArray::Find(DWORD id) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (GetAt(i).id == id)
            return &GetAt(i).text;
    }
    return NULL;
}

void CDwordStringArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD_PTR)GetSize());
        for (INT_PTR i = 0; i < GetSize(); ++i)
            ar << GetAt(i).id << GetAt(i).text;
        return;
    }
    RemoveAll();
    const DWORD_PTR count = ar.ReadCount();
    if (count > kMaxPairs)
        return;
    for (DWORD_PTR i = 0; i < count && !ar.Failed(); ++i) {
        CDwordStringPair pair;
        ar >> pair.id;
        ar.ReadString(pair.text);
        if (!ar.Failed())
            CArray<CDwordStringPair>::Add(pair);
    }
}
