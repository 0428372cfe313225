#pragma once

#include "ui/toolbar/speeditem.h"

class IniStore;

// The toolbar layout in the configuration file: the docking edge, the bar's thickness, its
// version, the button size and each shown item's name and place.

// Replaces the section with the layout as it stands.
void WriteLayout(const SpeedBarLayout& layout, IniStore& store, const QString& section);
// Applies a stored layout. An older version, or a button size larger than the current one, keeps
// the designed buttons; a missing or empty button list keeps them too, but the edge is applied.
void ReadLayout(SpeedBarLayout& layout, const IniStore& store, const QString& section);
