// The observation of a vessel's loads is what the physics step then applies, and changes nothing.
#include <gtest/gtest.h>

#include <cmath>

#include "physics_body.h"
#include "support/HostFixture.h"

using namespace physics_test;

namespace {

class PhysicsObservation : public HostFixture {};

void LiftWithAngle(double aoa, double, double, double* cl, double* cm, double* cd) {
  *cl = 0.1 + 5.0 * aoa;
  *cm = -0.2 * aoa;
  *cd = 0.02;
}

TEST_F(PhysicsObservation, TheObservedLoadsAreWhatTheNextStepApplies) {
  vantor::VesselRecord& vessel = MakeBody();
  AddAirfoil(vessel, LIFT_VERTICAL, LiftWithAngle, 10.0, VECTOR3{0, 0, -0.5});
  AddSurface(vessel, AIRCTRL_ELEVATOR, VECTOR3{0, 0, -5}, AIRCTRL_AXIS_YNEG);
  vessel.controlLevels[AIRCTRL_ELEVATOR] = 0.3;
  AddMainEngine(vessel, 5000.0, 30000.0).level = 0.5;
  vantor::sim::SteadyFlight flight;
  flight.altitude = 3000.0;
  flight.airspeed = 80.0;
  flight.climbAngle = 0.05;
  flight.aoa = 0.07;
  vantor::sim::PlaceInSteadyFlight(vessel, flight);
  EXPECT_NEAR(vessel.state.aoa, flight.aoa, 1e-9);
  EXPECT_NEAR(vessel.state.pitch, flight.climbAngle + flight.aoa, 1e-9);
  EXPECT_NEAR(vessel.state.airspeed, flight.airspeed, 1e-9);
  EXPECT_NEAR(vessel.state.altitude, flight.altitude, 1e-6);

  const double fuel = vessel.propellants.front()->mass;
  const vantor::sim::ObservedLoads loads = vantor::sim::ObserveLoads(vessel);
  EXPECT_EQ(vessel.propellants.front()->mass, fuel);
  EXPECT_NEAR(loads.thrustForce.z, 2500.0, 1e-9);
  EXPECT_GT(loads.force.y, 0.0);  // the wing lifts
  EXPECT_NEAR(loads.mass, 1200.0, 1e-9);
  EXPECT_NEAR(std::sqrt(loads.gravity.x * loads.gravity.x + loads.gravity.y * loads.gravity.y +
                        loads.gravity.z * loads.gravity.z),
              9.80665 * std::pow(6371000.0 / (6371000.0 + 3000.0), 2.0), 1e-9);

  // One very short step: the change of velocity along the vessel's axes is the observed
  // acceleration, gravity included.
  const VECTOR3 before = vessel.state.velocity;
  const double rotation[3][3] = {
      {vessel.state.rotation[0][0], vessel.state.rotation[0][1], vessel.state.rotation[0][2]},
      {vessel.state.rotation[1][0], vessel.state.rotation[1][1], vessel.state.rotation[1][2]},
      {vessel.state.rotation[2][0], vessel.state.rotation[2][1], vessel.state.rotation[2][2]}};
  constexpr double dt = 1e-4;
  vantor::sim::AdvancePhysics(dt, dt);
  const double change[3] = {vessel.state.velocity.x - before.x, vessel.state.velocity.y - before.y,
                            vessel.state.velocity.z - before.z};
  const double observed[3] = {loads.force.x / loads.mass + loads.gravity.x,
                              loads.force.y / loads.mass + loads.gravity.y,
                              loads.force.z / loads.mass + loads.gravity.z};
  for (int axis = 0; axis < 3; ++axis) {
    const double local = rotation[0][axis] * change[0] + rotation[1][axis] * change[1] +
                         rotation[2][axis] * change[2];
    EXPECT_NEAR(local / dt, observed[axis], 1e-3 * (1.0 + std::abs(observed[axis]))) << axis;
  }
}

}  // namespace
