// Putting a vessel somewhere: what a scenario's placement lines say, and what tests set.
#pragma once

#include "vantor/sim/Export.h"
#include "vantor/sim/VesselRecord.h"

namespace vantor::sim {

// A place and attitude, flying along the nose at the given airspeed (angle of attack and
// slip 0).
struct Placement {
  double longitudeDeg = 0.0;
  double latitudeDeg = 0.0;
  double altitude = 0.0;
  double headingDeg = 0.0;
  double pitchDeg = 0.0;
  double bankDeg = 0.0;
  double airspeed = 0.0;
  bool landed = false;
};

// Puts the vessel there and derives every observable of its flight state from that. A landed
// vessel is raised, where needed, until it stands on its lowest touchdown point.
VANTOR_SIM_API void PlaceVessel(VesselRecord& vessel, const Placement& placement);

}  // namespace vantor::sim
