// What the flight-worthiness assessment needs from the files of a simulator root: the
// aircraft's bank limit and the arrival radii its flight plans use.
#pragma once

#include <string>

#include "authoring/FlightWorthiness.h"

namespace authoring {

// The aircraft file ROOT/Config/Aircraft/NAME.ini and the plans ROOT/Config/Aircraft/FlightPlans.
WorthinessInputs ReadWorthinessInputs(const std::string& root, const std::string& name);

}  // namespace authoring
