// The filter-creator records of the SAA713x card family: each card class by
// its capture device name and its crossbar by the crossbar's name, found by
// category and name only. Start-up registers them once; UI thread.
#pragma once
#include "graph/FilterCreatorRecord.h"

void RegisterSaa713xFilters();
// For tests that take the records out again.
void UnregisterSaa713xFilters();
