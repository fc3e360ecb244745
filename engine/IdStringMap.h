// CIdStringMap: a map from a 32-bit id to a text (the manager's country
// names), archived as a count and then {id, text} pairs in bucket order.
// Owned by the manager; UI thread.
#pragma once
#include "platform/mfc/Archive.h"
#include "platform/mfc/Map.h"

class CIdStringMap : public CMap<DWORD, DWORD, CString, LPCSTR>
{
public:
    // 17 buckets, the id >> 4 hash: the archive's pair order follows them.
    CIdStringMap() : CMap<DWORD, DWORD, CString, LPCSTR>(10) {}

    BOOL LookupText(DWORD id, CString& text) const { return Lookup(id, text); }
    // The text, or the empty text.
    CString GetText(DWORD id) const;
    void SetText(DWORD id, LPCSTR text) { SetAt(id, text); }

    // Loading replaces what the map holds; a damaged archive keeps the
    // pairs read before the damage and fails the archive.
    void Serialize(CArchive& ar) override;
};
