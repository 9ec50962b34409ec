// Thrust and the propellant it burns, and the forces a module added for this frame.
#include <algorithm>

#include "physics/Loads.h"

namespace vantor::physics {

namespace {

// An engine needs fuel and a positive specific impulse (m/s) to turn it into thrust; 0 for a
// thruster that gives none.
double NominalThrust(const ThrusterRecord& thruster) {
  const double level = std::clamp(thruster.level, 0.0, 1.0);
  const PropellantRecord* propellant = thruster.propellant;
  if (level <= 0.0 || !(thruster.max0 > 0.0) || propellant == nullptr || !(thruster.isp > 0.0) ||
      !(propellant->mass > 0.0) || !(ToEigen(thruster.dir).norm() > 0.0)) {
    return 0.0;
  }
  return level * thruster.max0;
}

}  // namespace

void AddThrustLoads(VesselRecord& vessel, double dt, Loads& loads) {
  for (const auto& thruster : vessel.thrusters) {
    double thrust = NominalThrust(*thruster);
    if (thrust == 0.0) {
      continue;
    }
    PropellantRecord* propellant = thruster->propellant;
    const double needed = thrust / thruster->isp * dt;
    if (needed > propellant->mass) {
      thrust *= propellant->mass / needed;  // the tank runs dry within this step
      propellant->mass = 0.0;
    } else {
      propellant->mass -= needed;
    }
    loads.AddForceAt(thrust * ToEigen(thruster->dir).normalized(), ToEigen(thruster->pos));
  }
}

void AddNominalThrustLoads(const VesselRecord& vessel, Loads& loads) {
  for (const auto& thruster : vessel.thrusters) {
    const double thrust = NominalThrust(*thruster);
    if (thrust != 0.0) {
      loads.AddForceAt(thrust * ToEigen(thruster->dir).normalized(), ToEigen(thruster->pos));
    }
  }
}

void AddAppliedForces(const VesselRecord& vessel, Loads& loads) {
  for (const AddedForce& added : vessel.addedForces) {
    loads.AddForceAt(ToEigen(added.force), ToEigen(added.point));
  }
}

}  // namespace vantor::physics
