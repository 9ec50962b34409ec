// Checks of the file's layout as the module's lookup indexes it: lines the lookup skips,
// repeated sections and keys, unknown names (with the nearest known one), and keys that are
// read but have no effect.
#pragma once

#include "check/Catalogue.h"
#include "check/Report.h"
#include "config/ProfileIndex.h"

namespace check {

void CheckStructure(const ProfileIndex& file, const Catalogue& catalogue, Report& report);

}  // namespace check
