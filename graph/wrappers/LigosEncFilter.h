// CLigosEncFilter: the outside capture encoder made for the maker, with its
// seven fixed presets in the encoder's settings block. Unlike the other
// wrappers its operations answer HRESULTs: E_POINTER when the control
// interface (or a block) is missing, else the encoder's own. Registered for
// completeness: the engine's graphs do not ask for it. Owned by the graph's
// list; the graph's thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/LigosInterfaces.h"

class CLigosEncFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // Asks the filter for its control interface alone (the pin list is the
    // base's): TRUE only when it answers S_OK.
    BOOL Init() override;

    // Presets: the block zero-filled, then the preset's words; arg fills
    // word 9 of presets 2 to 7 and chooses preset 4's word 0 (12 when it is
    // 1, else 15). 2 for preset 4, 1 for the others, 0 for a NULL block.
    static int FillPreset1(LigosEncSettings* block, LONG arg);
    static int FillPreset2(LigosEncSettings* block, LONG arg);
    static int FillPreset3(LigosEncSettings* block, LONG arg);
    static int FillPreset4(LigosEncSettings* block, LONG arg);
    static int FillPreset5(LigosEncSettings* block, LONG arg);
    static int FillPreset6(LigosEncSettings* block, LONG arg);
    static int FillPreset7(LigosEncSettings* block, LONG arg);

    // The block goes with the addresses of its words 55 and 56.
    HRESULT CallEncoder3(LigosEncSettings* block);
    HRESULT CallEncoder4(LigosEncSettings* block);
    HRESULT CallEncoder5(LONG a, LONG b);
    HRESULT CallEncoder6(LONG value);
    // The three words, in order.
    HRESULT CallEncoder7(const LONG words[3]);
    HRESULT CallEncoder8(LONG value);
    // Method 4 into a scratch block, method 3 with it, method 4 again; the
    // two values of the last call go out when it succeeds.
    HRESULT GetTwoValues(LONG* first, LONG* second);

    HRESULT SetFileName(const char* path);
    // The current file name into name, which holds size bytes.
    HRESULT GetFileName(char* name, int size);

private:
    typedef HRESULT (STDMETHODCALLTYPE ILigosEncControl::*BlockSlot)(LigosEncSettings*, LONG*,
                                                                     LONG*);
    HRESULT CallWithBlock(BlockSlot slot, LigosEncSettings* block);

    ComPtr<ILigosEncControl> m_pControl;
};
