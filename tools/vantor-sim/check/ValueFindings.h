// What an author should hear about the values the module read: a number that is not one, text
// the conversion skipped, components that are missing, values cut to fit. Each finding comes
// from an observed read, so it describes what the module's own conversion did.
#pragma once

#include "check/Catalogue.h"
#include "check/FileReads.h"

namespace check {

void ReportValueFindings(const FileReads& reads, const Catalogue& catalogue);

}  // namespace check
