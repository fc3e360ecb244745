// POSITION: the opaque iterator of the framework's lists and maps.
#pragma once

struct PositionTag;
typedef PositionTag* POSITION;

// The start position of a map walk before its first element is found.
#define BEFORE_START_POSITION ((POSITION)-1)
