// The filter-creator records of the card families whose driver carries the
// USB request tunnel: the Trident cards (the PCI card and the two USB boxes)
// and the Fenmo boxes. Each card class by its capture device name, its
// crossbar and TV-audio filter by theirs, found by category and name only.
// Start-up registers them once; UI thread.
#pragma once
#include "graph/FilterCreatorRecord.h"

void RegisterTridentFilters();
void RegisterFenmoFilters();
// For tests that take the records out again.
void UnregisterTridentFilters();
void UnregisterFenmoFilters();
