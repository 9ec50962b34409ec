#include "FlightReadings.h"

#include <algorithm>

double ThrottleLevel(const vantor::VesselRecord& vessel) {
  for (auto group = vessel.thrusterGroups.rbegin(); group != vessel.thrusterGroups.rend();
       ++group) {
    if ((*group)->type != THGROUP_MAIN) {
      continue;
    }
    if ((*group)->thrusters.empty()) {
      return 0.0;
    }
    double sum = 0.0;
    for (const vantor::ThrusterRecord* thruster : (*group)->thrusters) {
      sum += thruster->level;
    }
    return sum / static_cast<double>((*group)->thrusters.size());
  }
  return 0.0;
}

double FuelMass(const vantor::VesselRecord& vessel) {
  double mass = 0.0;
  for (const auto& propellant : vessel.propellants) {
    mass += std::max(propellant->mass, 0.0);
  }
  return mass;
}

double FuelCapacity(const vantor::VesselRecord& vessel) {
  double mass = 0.0;
  for (const auto& propellant : vessel.propellants) {
    mass += std::max(propellant->maxMass, 0.0);
  }
  return mass;
}

double VerticalSpeed(const vantor::VesselRecord& vessel) {
  return vessel.state.horizonAirspeed.y;
}
