#include "cards/families/CadroxCardFilter.h"

#include "hw/access/CadroxAccess.h"

#include <new>

namespace {

const int kCardType = 20;
// The board's text: a count at sub-address 32 of device 0x72, then the
// digits from 33 on, each stored as its value.
const BYTE kTextDevice = 0x72;
const LONG kTextCountSub = 32;
const LONG kTextFirstSub = 33;
const unsigned kTextMaxLength = 0x100 - kTextFirstSub;  // sub-addresses end at 255

} // namespace

BOOL CCadroxCardFilter::Init()
{
    m_strTunerDevice = "PhTVTune";
    return CTVCardFilter::Init();
}

HRESULT CCadroxCardFilter::OpenAccess()
{
    return AttachAccess(new (std::nothrow) CCadroxAccess(), kCardType);
}

BOOL CCadroxCardFilter::ExtQuery(char* text, unsigned* length)
{
    if (!m_pAccess || !text || !length)
        return FALSE;
    BYTE count = 0;
    if (m_pAccess->ReadI2CByte(kTextDevice, kTextCountSub, &count) != S_OK || count == 0)
        return FALSE;
    // The caller's room must hold the text and its terminator.
    if (count > kTextMaxLength || count >= *length)
        return FALSE;
    for (unsigned i = 0; i < count; ++i) {
        BYTE digit = 0;
        if (m_pAccess->ReadI2CByte(kTextDevice, kTextFirstSub + static_cast<LONG>(i), &digit) != S_OK)
            return FALSE;
        text[i] = static_cast<char>(digit + '0');
    }
    text[count] = '\0';
    *length = count;
    return TRUE;
}
