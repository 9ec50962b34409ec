// Checks that need no knowledge of what the module does with the values: lines the lookup
// skips, repeated sections and keys, unknown names (with the nearest known one), and values that
// do not read as their kind.
#pragma once

#include "check/Catalogue.h"
#include "check/IniDocument.h"
#include "check/Report.h"

namespace check {

void CheckStructure(const IniDocument& document, const Catalogue& catalogue, Report& report);

}  // namespace check
