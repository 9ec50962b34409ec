// The flight-worthiness part of `vantor-sim check NAME`: the aircraft set up by the module and
// assessed with the host's physics, each finding a warning at the line it concerns.
#pragma once

#include <cstdio>
#include <string>

namespace authoring {

// Prints "FILE:LINE: warning: ..." per finding and returns their number. Needs the simulator
// root as working directory and the aircraft module loadable.
int PrintFlightWorthiness(const std::string& root, const std::string& name, std::FILE* out);

}  // namespace authoring
