// The user-defined FM record formats: FMParam (a name and an audio
// compressor) and CCustomFMFormat, the list with its selected index. The
// manager owns the program-wide list; the FM format dialog edits a copy.
// UI thread.
#pragma once
#include "platform/mfc/Array.h"

struct FMParam
{
    CString Name;
    CString AudioComp; // the audio compressor's friendly name
};

class CCustomFMFormat : public CTypedPtrArray<CPtrArray, FMParam*>
{
public:
    CCustomFMFormat() : m_nSelected(-1) {}
    CCustomFMFormat(const CCustomFMFormat& other) : m_nSelected(-1) { Copy(other); }
    ~CCustomFMFormat() override { RemoveAll(); }
    CCustomFMFormat& operator=(const CCustomFMFormat& other)
    {
        Copy(other);
        return *this;
    }

    // The element below the count; at index == count a new empty format is
    // appended and returned (the settings loader fills the list this way);
    // NULL for any other index.
    FMParam* GetAt(INT_PTR index);
    const FMParam* GetAt(INT_PTR index) const;
    // Deletes every element; the selected index becomes -1.
    void RemoveAll();
    // RemoveAll, then deep copies of the other's elements and its selection.
    void Copy(const CCustomFMFormat& other);
    void RemoveAt(INT_PTR index);
    BOOL IsValidIndex(INT_PTR index) const { return index >= 0 && index < GetSize(); }

    int GetSelected() const { return m_nSelected; }
    void SetSelected(int index) { m_nSelected = index; }

private:
    int m_nSelected;
};
