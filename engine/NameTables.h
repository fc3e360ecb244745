// The manager's name tables: {id, text} pairs kept in the order they were
// added (video standards, inputs, quality names, offered record formats),
// and maps from a value to the id of the string resource that names it
// (video properties, overlay colour controls, the integer map). Both
// serialise as a count followed by their entries. Built once at start-up
// and read by the windows; UI thread.
#pragma once
#include "platform/mfc/Archive.h"
#include "platform/mfc/Array.h"
#include "platform/mfc/Map.h"

struct CDwordStringPair
{
    DWORD id = 0;
    CString text;
};

class CDwordStringArray : public CArray<CDwordStringPair>
{
public:
    ~CDwordStringArray() override {}
    void Add(DWORD id, LPCSTR text);
    // The text of the first pair with that id, or NULL.
    const CString* Find(DWORD id) const;
    void Serialize(CArchive& ar) override;

    // A stored table holding more pairs than this is not one of ours.
    static constexpr DWORD_PTR kMaxPairs = 4096;
};

// The DirectShow video processing-amplifier properties, by value.
enum VideoProperty
{
    kVideoBrightness = 0, kVideoContrast, kVideoHue, kVideoSaturation, kVideoSharpness,
    kVideoGamma, kVideoColorEnable, kVideoWhiteBalance, kVideoBacklightCompensation, kVideoGain
};
// The overlay surface's colour controls, by index.
enum DDCC
{
    kOverlayBrightness = 0, kOverlayContrast, kOverlayHue, kOverlaySaturation, kOverlaySharpness
};

// A value's string resource id; 17 buckets, as the framework's default.
template <class T>
class MRscIDMap : public CMap<T, T, DWORD, DWORD>
{
public:
    MRscIDMap() : CMap<T, T, DWORD, DWORD>(10) { this->InitHashTable(17); }
    ~MRscIDMap() override {}

    // 0 when the value has no string.
    DWORD GetStringId(T value) const
    {
        DWORD id = 0;
        return this->Lookup(value, id) ? id : 0;
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount((DWORD_PTR)this->GetCount());
            POSITION pos = this->GetStartPosition();
            while (pos) {
                T key = T();
                DWORD id = 0;
                this->GetNextAssoc(pos, key, id);
                ar << (DWORD)key << id;
            }
            return;
        }
        this->RemoveAll();
        const DWORD_PTR count = ar.ReadCount();
        if (count > CDwordStringArray::kMaxPairs)
            return;
        for (DWORD_PTR i = 0; i < count && !ar.Failed(); ++i) {
            DWORD key = 0, id = 0;
            ar >> key >> id;
            if (!ar.Failed())
                this->SetAt((T)key, id);
        }
    }
};
