// The filter-creator records of the filter wrappers in this folder: the
// stock, helper and codec filters, each found by its class id or by its
// device category and name. Start-up registers them once; the UI thread.
#pragma once
#include "graph/FilterCreatorRecord.h"

void RegisterWrapperFilters();
// For tests that take the records out again.
void UnregisterWrapperFilters();
