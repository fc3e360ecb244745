// The program's one registration of filter-creator records: every folder's
// registration function, in a fixed order, before the first filter is made.
// The manager's start-up and the hardware object's first creation step call
// it; later calls do nothing. UI thread.
#pragma once

void RegisterProgramFilters();
