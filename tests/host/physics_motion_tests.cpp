// Gravity, thrust and propellant, and the step's determinism.
#include <gtest/gtest.h>

#include <cstring>

#include "physics_body.h"
#include "support/HostFixture.h"

using namespace physics_test;

namespace {

class PhysicsMotion : public HostFixture {};

TEST_F(PhysicsMotion, FreeFallAcceleratesAtGravity) {
  vantor::VesselRecord& body = MakeBody();
  vantor::testing::PlaceVessel(body, {.altitude = 20000.0});
  Fly(2.0);
  // Gravity at 20 km is 0.6 % weaker than at the surface; the air is thin and the body has no
  // drag area.
  EXPECT_NEAR(ClimbRate(body.state), -2.0 * 9.7451, 0.01);
  EXPECT_NEAR(body.state.altitude, 20000.0 - 0.5 * 9.7451 * 4.0, 0.25);
  EXPECT_FALSE(body.state.groundContact);
  EXPECT_NEAR(body.state.loadFactor, 0.0, 0.01);  // nothing but gravity acts: weightless
}

TEST_F(PhysicsMotion, ThrustAcceleratesAtForceOverMassAndBurnsAtForceOverIsp) {
  vantor::VesselRecord& body = MakeBody();
  vantor::ThrusterRecord& engine = AddMainEngine(body, 6000.0, 3000.0);
  engine.level = 0.5;
  vantor::testing::PlaceVessel(body, {.altitude = 3000.0, .headingDeg = 90.0});
  Fly(1.0);
  // 3000 N for one second burns 1 kg; the mean mass is 1199.5 kg.
  EXPECT_NEAR(body.propellants.front()->mass, 199.0, 1e-9);
  EXPECT_NEAR(LocalVelocity(body.state).z, 3000.0 / 1199.5, 0.01);
  EXPECT_NEAR(vantor::testing::FindVessel("B1")->state.heading, kPi / 2, 1e-9);
}

TEST_F(PhysicsMotion, AnEngineStopsWhenItsTankRunsDry) {
  vantor::VesselRecord& body = MakeBody();
  body.propellants.front()->mass = 0.1;
  AddMainEngine(body, 6000.0, 3000.0).level = 1.0;
  vantor::testing::PlaceVessel(body, {.altitude = 3000.0});
  Fly(1.0);
  EXPECT_EQ(body.propellants.front()->mass, 0.0);
  // 0.1 kg at an isp of 3000 m/s gives an impulse of 300 N s, and no more.
  EXPECT_NEAR(LocalVelocity(body.state).z, 300.0 / 1000.0, 0.005);
}

TEST_F(PhysicsMotion, AddedForcesActForOneFrameAtTheirPoint) {
  vantor::VesselRecord& body = MakeBody();
  vantor::testing::PlaceVessel(body, {.altitude = 3000.0});
  // A sideways push ahead of the centre of gravity turns the nose right.
  body.addedForces.push_back({VECTOR3{1000.0, 0, 0}, VECTOR3{0, 0, 5.0}});
  vantor::sim::AdvancePhysics(kStep, kStep);
  EXPECT_TRUE(body.addedForces.empty());
  EXPECT_NEAR(LocalVelocity(body.state).x, 1000.0 / 1200.0 * kStep, 1e-4);
  const double yawRate = body.state.angularVelocity.y;
  EXPECT_GT(yawRate, 0.0);
  Fly(0.2);
  EXPECT_EQ(body.state.angularVelocity.y, yawRate);  // nothing pushes any more
  EXPECT_GT(body.state.heading, 0.0);
  EXPECT_LT(body.state.heading, 0.5);
}

// Everything that acts in the tests below at once: gear, brakes, thrust, airfoils, surfaces.
void FlyBusyScenario() {
  vantor::VesselRecord& body = MakeBody("Busy");
  AddGear(body);
  AddMainEngine(body, 9000.0, 2500.0).level = 1.0;
  AddAirfoil(
      body, LIFT_VERTICAL,
      [](double aoa, double, double, double* cl, double* cm, double* cd) {
        *cl = 0.2 + 5.0 * aoa;
        *cm = 0.0;
        *cd = 0.03 + 0.05 * *cl * *cl;
      },
      12.0, VECTOR3{0, 0, 0.3});
  // Tailplane and fin keep it pointing into the wind.
  const AirfoilCoeffFunc tail = [](double angle, double, double, double* cl, double* cm,
                                   double* cd) {
    *cl = 4.0 * angle;
    *cm = 0.0;
    *cd = 0.02;
  };
  AddAirfoil(body, LIFT_VERTICAL, tail, 3.0, VECTOR3{0, 0, -5});
  AddAirfoil(body, LIFT_HORIZONTAL, tail, 2.0, VECTOR3{0, 1, -5});
  AddSurface(body, AIRCTRL_ELEVATOR, VECTOR3{0, 0, -5}, AIRCTRL_AXIS_YNEG);
  AddSurface(body, AIRCTRL_RUDDER, VECTOR3{0, 1, -5}, AIRCTRL_AXIS_XNEG);
  body.rotDrag = VECTOR3{0.1, 0.13, 0.04};
  body.controlLevels[AIRCTRL_ELEVATOR] = 0.05;
  body.controlLevels[AIRCTRL_RUDDER] = 0.02;
  vantor::testing::PlaceVessel(body, {.longitudeDeg = 10.0,
                                      .latitudeDeg = 45.0,
                                      .altitude = 2.0,
                                      .headingDeg = 30.0,
                                      .landed = true});
  Fly(40.0);
}

TEST_F(PhysicsMotion, TheSameScenarioGivesTheSameStateBitForBit) {
  FlyBusyScenario();
  const vantor::FlightState first = vantor::testing::FindVessel("Busy")->state;
  vantor::testing::ResetHost();
  FlyBusyScenario();
  const vantor::FlightState second = vantor::testing::FindVessel("Busy")->state;
  EXPECT_EQ(std::memcmp(&first.position, &second.position, sizeof first.position), 0);
  EXPECT_EQ(std::memcmp(&first.rotation, &second.rotation, sizeof first.rotation), 0);
  EXPECT_EQ(std::memcmp(&first.velocity, &second.velocity, sizeof first.velocity), 0);
  // It did something worth comparing: it took off.
  EXPECT_GT(first.altitude, 20.0);
}

TEST_F(PhysicsMotion, ABodyWithoutMassFallsAndStopsOnTheGround) {
  vantor::VesselRecord& payload = vantor::testing::CreateVesselRecord("Crate");
  vantor::testing::PlaceVessel(payload, {.altitude = 10.0, .airspeed = 5.0});
  Fly(5.0);
  EXPECT_NEAR(payload.state.altitude, 0.0, 1e-6);
  EXPECT_NEAR(payload.state.airspeed, 0.0, 1e-9);
  EXPECT_TRUE(payload.state.groundContact);
}

}  // namespace
