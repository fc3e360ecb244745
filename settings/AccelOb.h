// CAccelOb: one keyboard binding of the hot-key table, a Win32 accelerator
// entry (flags, virtual key, command) with the archive's spare fields. Owned
// by the CAccel that lists it; UI thread only.
#pragma once
#include "platform/mfc/Afx.h"

class CAccelOb : public CObject
{
public:
    // Win32 accelerator flags of fVirt.
    static constexpr BYTE kVirtKey = 0x01; // FVIRTKEY
    static constexpr BYTE kShift = 0x04;   // FSHIFT
    static constexpr BYTE kCtrl = 0x08;    // FCONTROL
    static constexpr BYTE kAlt = 0x10;     // FALT

    CAccelOb() {}
    CAccelOb(BYTE fVirt, WORD key, WORD cmd, WORD extra = 0) : m_fVirt(fVirt), m_key(key), m_cmd(cmd), m_extra(extra) {}

    // fVirt (8 bits), key, command and extra (16 bits each): seven bytes.
    void Serialize(CArchive& ar) override;

    // The binding as the user reads it ("Ctrl+Shift+A"); empty when the key
    // is 0 or has no name.
    CString GetKeyText() const;

    BYTE m_fVirt = 0;
    BYTE m_spare = 0; // never archived
    WORD m_key = 0;
    WORD m_cmd = 0;
    WORD m_extra = 0; // always 0 in this program, archived as it stands

    static constexpr UINT kArchivedSize = 7;
};
