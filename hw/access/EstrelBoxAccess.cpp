#include "hw/access/EstrelBoxAccess.h"

BOOL CEstrelBoxAccess::SetTunerResetProperty(IUnknown* filter, BOOL released)
{
    BYTE level = released ? 1 : 0;
    return SetEncoderProperty(filter, ENCBOX_TUNER_RESET, NULL, 0, &level, sizeof(level));
}
