// Loads on a vessel at a chosen flight state, for tools that solve for steady flight with the
// same physics the step integrates.
#include <cmath>

#include "CallLog.h"
#include "Geometry.h"
#include "physics/Loads.h"
#include "vantor/sim/Physics.h"

namespace vantor::sim {

using physics::Vec3;

void PlaceInSteadyFlight(VesselRecord& vessel, const SteadyFlight& flight) {
  FlightState& state = vessel.state;
  PlaceKinematics(state, flight.longitude, flight.latitude, flight.altitude, flight.track,
                  flight.climbAngle + flight.aoa, 0.0, flight.airspeed);
  // The motion lies aoa below the nose, in the vessel's symmetry plane.
  const Vec3 local(0.0, -std::sin(flight.aoa), std::cos(flight.aoa));
  double global[3] = {0.0, 0.0, 0.0};
  for (int row = 0; row < 3; ++row) {
    global[row] =
        flight.airspeed * (state.rotation[row][0] * local.x() + state.rotation[row][1] * local.y() +
                           state.rotation[row][2] * local.z());
  }
  state.velocity = VECTOR3{global[0], global[1], global[2]};
  // A positive rate about the right axis lowers the nose.
  const double radius = kPlanetRadius + flight.altitude;
  state.angularVelocity = VECTOR3{
      radius > 0.0 ? flight.airspeed * std::cos(flight.climbAngle) / radius : 0.0, 0.0, 0.0};
  DeriveObservables(state);
}

ObservedLoads ObserveLoads(const VesselRecord& vessel) {
  ObservedLoads observed;
  const physics::RigidBody body = physics::ReadBody(vessel);
  if (!physics::IsFinite(body)) {
    return observed;
  }
  observed.mass = body.mass;
  observed.gravity = physics::ToVector3(body.ToLocal(physics::Gravity(body.position)));
  if (!(body.mass > 0.0)) {
    return observed;
  }
  physics::Loads thrust;
  physics::AddNominalThrustLoads(vessel, thrust);
  physics::Loads loads;
  {
    const log::Pause quiet;
    physics::AddAerodynamicLoads(vessel, body,
                                 StandardAtmosphere(body.position.norm() - kPlanetRadius), loads);
  }
  physics::AddAppliedForces(vessel, loads);
  observed.force = physics::ToVector3(loads.force + thrust.force);
  observed.moment = physics::ToVector3(loads.moment + thrust.moment);
  observed.thrustForce = physics::ToVector3(thrust.force);
  observed.thrustMoment = physics::ToVector3(thrust.moment);
  return observed;
}

}  // namespace vantor::sim
