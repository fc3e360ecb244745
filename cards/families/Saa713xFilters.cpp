#include "cards/families/Saa713xFilters.h"

#include "cards/families/7130CardFilter.h"
#include "cards/families/BrennCardFilter.h"
#include "cards/families/CadroxCardFilter.h"
#include "cards/families/CardRecords.h"
#include "cards/families/Hesk713xCardFilter.h"
#include "cards/families/PipCardFilter.h"
#include "cards/families/TV_IOFilter.h"

namespace {

FilterCreatorRecord g_records[] = {
    CAPTURE_RECORD("713x BDA Analog Capture", CHesk713xCardFilter),
    CROSSBAR_RECORD("713x BDA Analog Xbar", CHesk713XBarFilter),
    CAPTURE_RECORD("713x TV Card Capture", C7130CardFilter),
    CROSSBAR_RECORD("713x TV Card Crossbar", C7130CrossBarFilter),
    CAPTURE_RECORD("713x_IO TV Card Capture", CTV_IOFilter),
    CROSSBAR_RECORD("713x_IO TV Card Crossbar", CTV_IOCrossBarFilter),
    CAPTURE_RECORD("713x_3 TV Card Capture", CBrennCardFilter),
    CROSSBAR_RECORD("713x_3 TV Card Crossbar", CBrennCrossBarFilter),
    CAPTURE_RECORD("713x_PIP TV Card Capture", CPipCardFilter),
    CROSSBAR_RECORD("713x_PIP TV Card Crossbar", CPipCrossBarFilter),
    CAPTURE_RECORD("713x_Genius TV Card Capture", CTVGeniusFilter),
    CROSSBAR_RECORD("713x_Genius TV Card Crossbar", CTVGeniusCrossBarFilter),
    CAPTURE_RECORD("713x_D TV Card Capture", CCadroxCardFilter),
    CROSSBAR_RECORD("713x_D TV Card Crossbar", CCadroxCrossBarFilter),
    CAPTURE_RECORD("713x_4 TV Card Capture", CCadroCardFilter),
    CROSSBAR_RECORD("713x_4 TV Card Crossbar", CCadroCrossBarFilter),
};
static_assert(sizeof(g_records) / sizeof(g_records[0]) == 16, "eight cards, eight crossbars");

} // namespace

void RegisterSaa713xFilters()
{
    RegisterRecords(g_records);
}

void UnregisterSaa713xFilters()
{
    UnregisterRecords(g_records);
}
