// Engine settings of the AIRCRAFT section and the per-frame engine management: the hand-over
// between main engine and afterburner, and the thrust-limit laws.
#include <algorithm>

#include "config/ProfileReaders.h"
#include "frame/Aircraft.h"

namespace {

// Above this throttle level the afterburner takes over; below it the main engine takes back.
constexpr double kHandOverLevel = 0.99;

// Flight model 3: an empirical fit in feet and miles per hour.
double AltitudeAndSpeedLaw(double altitude, double airspeed, double base) {
  const double h = altitude * 3.28;
  const double v = airspeed * 2.236;
  return (3e-10 * h * h - 0.00003 * h + 0.9934) * (0.00000167 * v * v - 0.00088789 * v + 0.9977) *
         base;
}

// Flight model 2: full thrust at sea level (and below), none at and above the ceiling.
double CeilingLaw(double altitude, double ceiling, double efficiency, double base) {
  if (!(ceiling > 0.0)) {
    return 0.0;
  }
  const double share = std::clamp(1.0 - altitude / ceiling, 0.0, 1.0);
  return efficiency * base * share;
}

}  // namespace

void Aircraft::ReadEngineSettings() {
  const char* path = vessel.configPath;
  engines.flightModel = 1;
  ReadProfileInt(path, "AIRCRAFT", "FLIGHT_MODEL", engines.flightModel);
  ReadProfileDouble(path, "AIRCRAFT", "CEILING", engines.ceiling);
  engines.engineEfficiency = 0.0;
  ReadProfileDouble(path, "AIRCRAFT", "EFFICIENCY", engines.engineEfficiency);
  if (!(engines.engineEfficiency > 0.0)) {
    engines.engineEfficiency = 1.0;
  }
}

void Aircraft::ManageEngines() {
  if (vessel.mainGroup == nullptr) {
    return;  // set-up made no engine group: nothing to manage
  }
  const double level = GetThrusterGroupLevel(vessel.mainGroup);

  const bool hasBurner = vessel.burnThrust != 0.0 && vessel.burnerThruster != nullptr;
  if (hasBurner && level != engines.lastThrottleLevel) {
    // The superseded group is left to the host; the newest main group carries the throttle.
    if (vessel.burnerEngaged && level < kHandOverLevel) {
      SetThrusterLevel(vessel.burnerThruster, 0.0);
      vessel.mainGroup = CreateThrusterGroup(&vessel.mainThruster, 1, THGROUP_MAIN);
      SetThrusterGroupLevel(vessel.mainGroup, level);
      vessel.burnerEngaged = false;
    }
    if (!vessel.burnerEngaged && level > kHandOverLevel) {
      SetThrusterLevel(vessel.mainThruster, 0.0);
      vessel.mainGroup = CreateThrusterGroup(&vessel.burnerThruster, 1, THGROUP_MAIN);
      SetThrusterGroupLevel(vessel.mainGroup, level);
      vessel.burnerEngaged = true;
    }
  }

  const double base = vessel.burnerEngaged ? vessel.burnThrust : vessel.mainThrust;
  const double density = std::min(GetAtmDensity(), 1.0);
  double limit = 0.0;
  switch (engines.flightModel) {
    case 1:
      limit = density * engines.engineEfficiency * base;
      break;
    case 2:
      limit = CeilingLaw(GetAltitude(), engines.ceiling, engines.engineEfficiency, base);
      break;
    case 3: {
      const double altitude = GetAltitude();  // the host sees altitude asked before airspeed
      limit = AltitudeAndSpeedLaw(altitude, GetAirspeed(), base);
      break;
    }
    default:
      break;  // no law: no thrust
  }
  if (!(density > 0.0)) {
    limit = 0.0;
  }

  const THRUSTER_HANDLE active = vessel.burnerEngaged ? vessel.burnerThruster : vessel.mainThruster;
  if (active != nullptr && GetThrusterMax0(active) != limit) {
    SetThrusterMax0(active, limit);
  }
  engines.lastThrottleLevel = level;
}
