// Thrust and the propellant it burns, and the forces a module added for this frame.
#include <algorithm>

#include "physics/Loads.h"

namespace vantor::physics {

void AddThrustLoads(VesselRecord& vessel, double dt, Loads& loads) {
  for (const auto& thruster : vessel.thrusters) {
    const double level = std::clamp(thruster->level, 0.0, 1.0);
    const Vec3 direction = ToEigen(thruster->dir);
    PropellantRecord* propellant = thruster->propellant;
    // An engine needs fuel and a positive specific impulse (m/s) to turn it into thrust.
    if (level <= 0.0 || !(thruster->max0 > 0.0) || propellant == nullptr ||
        !(thruster->isp > 0.0) || !(propellant->mass > 0.0) || !(direction.norm() > 0.0)) {
      continue;
    }
    double thrust = level * thruster->max0;
    const double needed = thrust / thruster->isp * dt;
    if (needed > propellant->mass) {
      thrust *= propellant->mass / needed;  // the tank runs dry within this step
      propellant->mass = 0.0;
    } else {
      propellant->mass -= needed;
    }
    loads.AddForceAt(thrust * direction.normalized(), ToEigen(thruster->pos));
  }
}

void AddAppliedForces(const VesselRecord& vessel, Loads& loads) {
  for (const AddedForce& added : vessel.addedForces) {
    loads.AddForceAt(ToEigen(added.force), ToEigen(added.point));
  }
}

}  // namespace vantor::physics
