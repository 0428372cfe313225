#pragma once

#include "ui/persist/speeditem.h"

// The program's nineteen toolbar items in their sections, placed as on a first run.
SpeedBarLayout firstRunToolbar();
