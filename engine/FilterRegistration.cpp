#include "engine/FilterRegistration.h"

#include "cards/families/1394CardFilter.h"
#include "cards/families/2388xCardFilter.h"
#include "cards/families/DelvinCardFilter.h"
#include "cards/families/EncoderBoxFilter.h"
#include "cards/families/EncoderCardFilter.h"
#include "cards/families/OldBaseCardFilter.h"
#include "cards/families/PcieFilter.h"
#include "cards/families/Saa713xFilters.h"
#include "cards/families/TunnelCardFilters.h"
#include "cards/families/UsbCamFilter.h"
#include "cards/families/UsbTVFilter.h"
#include "cards/families/WiseCaptureFilter.h"
#include "graph/wrappers/WrapperFilters.h"

namespace {

// Stock and helper filters first, then the card families. A record for an
// exact device name wins over a wildcard of its category whatever the
// order; among records of one kind the later registration wins.
void (*const kRegistrations[])() = {
    &RegisterWrapperFilters,
    &RegisterSaa713xFilters,
    &Register2388xFilters,
    &RegisterDelvinFilters,
    &RegisterOldCardFilters,
    &RegisterTridentFilters,
    &RegisterFenmoFilters,
    &RegisterWiseFilters,
    &RegisterUsbTVFilters,
    &Register1394Filters,
    &RegisterUsbCamFilters,
    &RegisterEncoderCardFilters,
    &RegisterEncoderBoxFilters,
    &RegisterPcieFilters,
};

bool g_registered = false;

} // namespace

void RegisterProgramFilters()
{
    if (g_registered)
        return;
    g_registered = true;
    for (void (*registration)() : kRegistrations)
        registration();
}
