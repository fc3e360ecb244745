// The framework layer's umbrella header: everything the program's non-window
// code uses of it.
#pragma once
#include "platform/mfc/Archive.h"
#include "platform/mfc/Array.h"
#include "platform/mfc/File.h"
#include "platform/mfc/Geometry.h"
#include "platform/mfc/List.h"
#include "platform/mfc/Map.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/Object.h"
#include "platform/mfc/Resource.h"
#include "platform/mfc/String.h"
#include "platform/mfc/Time.h"
