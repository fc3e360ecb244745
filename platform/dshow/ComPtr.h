// The filter kit uses the program's COM holder (graph/ComPtr.h).
#pragma once
#include "graph/ComPtr.h"

namespace dshow {
using ::ComPtr;
} // namespace dshow
