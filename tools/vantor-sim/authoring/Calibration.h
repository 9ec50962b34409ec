// The generator's own check: the file it wrote is set up by the module and trimmed with the
// host's physics at the design cruise, and the moment table and the cruise speed are adjusted
// until the aircraft trims there with the elevator near neutral and the engine in reserve.
#pragma once

#include <functional>
#include <string>

#include "authoring/Generator.h"
#include "authoring/Trim.h"

namespace authoring {

struct Calibrated {
  std::string text;  // the aircraft file
  Trim cruise;       // at the design cruise, gear up
  Performance performance;
  std::string why;  // when the figures give no aircraft that cruises: what is short
};

// Needs the simulator root as working directory and the aircraft module loadable. write(text)
// must put the text where the module reads the aircraft NAME from.
Calibrated Calibrate(const std::string& name, Design& design,
                     const std::function<void(const std::string&)>& write);

}  // namespace authoring
