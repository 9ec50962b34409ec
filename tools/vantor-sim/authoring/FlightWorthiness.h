// Whether an aircraft can fly steadily, found with the host's physics: static stability in
// pitch, trim within the elevator's authority and the lift table, thrust for level flight, and
// turns that fit the arrival circles of flight plans. Each finding carries its numbers.
#pragma once

#include <string>
#include <vector>

#include <vantor/sim/VesselRecord.h>

namespace authoring {

struct WorthinessFinding {
  std::string section;  // where in the aircraft file the cause lies, for the line
  std::string key;      // empty: the section as a whole
  std::string message;
};

struct WorthinessInputs {
  double maxBank = 20.0;        // degrees, the autopilot's MAX_BANK as the module uses it
  double typicalProximity = 0;  // metres, of the root's flight plans; 0: none to compare with
  double altitude = 1000.0;     // where the aircraft is assessed
};

// Assesses the vessel (set up from its file, gear up); changes its state and controls.
std::vector<WorthinessFinding> AssessFlightWorthiness(vantor::VesselRecord& vessel,
                                                      const WorthinessInputs& inputs);

}  // namespace authoring
