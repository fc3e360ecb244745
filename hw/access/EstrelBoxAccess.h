// CEstrelBoxAccess: the operations of the Estrel encoder box, whose driver
// speaks the MPEG-2 box's encoder property set: the property and I2C
// calls and settings of CMpeg2BoxAccess that this box has, and its tuner
// reset property. Stateless, never instantiated; no lock.
#pragma once
#include "hw/access/Mpeg2BoxAccess.h"

class CEstrelBoxAccess : private CMpeg2BoxAccess
{
public:
    using CMpeg2BoxAccess::SetEncoderProperty;
    using CMpeg2BoxAccess::GetEncoderProperty;
    using CMpeg2BoxAccess::SetEncoderPropertyInPlace;
    using CMpeg2BoxAccess::I2CTransfer;
    using CMpeg2BoxAccess::I2CWrite;
    using CMpeg2BoxAccess::ApplySettings;
    using CMpeg2BoxAccess::ReadSettingsNoPreFilter;
    using CMpeg2BoxAccess::GetTVEncodeFormat;
    using CMpeg2BoxAccess::SetTVEncodeFormat;

    // The tuner's reset line: released (TRUE) or held.
    static BOOL SetTunerResetProperty(IUnknown* filter, BOOL released);
};
