// Follows the module's flight-plan loading through a plan file.
#pragma once

#include "check/ValueReader.h"

namespace check {

void CheckFlightPlan(const ValueReader& reader);

}  // namespace check
