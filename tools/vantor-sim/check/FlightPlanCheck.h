// Follows the module's flight-plan loading through a plan file.
#pragma once

#include "check/FileReads.h"

namespace check {

void CheckFlightPlan(const FileReads& reader);

}  // namespace check
