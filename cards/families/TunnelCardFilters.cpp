#include "cards/families/TunnelCardFilters.h"

#include "cards/families/CardRecords.h"
#include "cards/families/FenmoCardFilter.h"
#include "cards/families/TridentFenrixCardFilter.h"
#include "cards/families/TridentFilter.h"
#include "cards/families/TridentUsbFilter.h"

namespace {

FilterCreatorRecord g_tridentRecords[] = {
    CAPTURE_RECORD("TridVid Capture", CTridentFilter),
    CROSSBAR_RECORD("TridVid Crossbar", CTridentCrossbarFilter),
    CAPTURE_RECORD("Trident USB Capture", CTridentUsbFilter),
    CROSSBAR_RECORD("Trident USB Crossbar", CTridentUsbCrossBarFilter),
    TVAUDIO_RECORD("Trident USB TvAudio", CTridentUSBTVAudio),
    CAPTURE_RECORD("Trident Fenrix Capture", CTridentFenrixCardFilter),
    CROSSBAR_RECORD("Trident Fenrix Crossbar", CTridentFenrixCrossBarFilter),
    TVAUDIO_RECORD("Trident Fenrix TvAudio", CTridentFenrixTVAudio),
};
static_assert(sizeof(g_tridentRecords) / sizeof(g_tridentRecords[0]) == 8,
              "three cards, three crossbars, two TV-audio filters");

FilterCreatorRecord g_fenmoRecords[] = {
    CAPTURE_RECORD("Fenmo Capture", CFenmoCardFilter),
    CROSSBAR_RECORD("Fenmo Crossbar", CFenmoCrossbarFilter),
    CAPTURE_RECORD("Gallow Capture", CFenmorCardFilter),
    CROSSBAR_RECORD("Gallow Crossbar", CFenmorCrossbarFilter),
};
static_assert(sizeof(g_fenmoRecords) / sizeof(g_fenmoRecords[0]) == 4, "two boxes, two crossbars");

} // namespace

void RegisterTridentFilters() { RegisterRecords(g_tridentRecords); }
void UnregisterTridentFilters() { UnregisterRecords(g_tridentRecords); }
void RegisterFenmoFilters() { RegisterRecords(g_fenmoRecords); }
void UnregisterFenmoFilters() { UnregisterRecords(g_fenmoRecords); }
