// Touchdown points on the ground: resting, rolling, braking, dropping.
#include <gtest/gtest.h>

#include "physics_body.h"
#include "support/HostFixture.h"

using namespace physics_test;

namespace {

class PhysicsGround : public HostFixture {};

double Distance(const VECTOR3& a, const VECTOR3& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                   (a.z - b.z) * (a.z - b.z));
}

double GroundSpeed(const vantor::FlightState& state) {
  return std::hypot(state.horizonAirspeed.x, state.horizonAirspeed.z);
}

vantor::VesselRecord& MakeGroundedBody(double speed = 0.0) {
  vantor::VesselRecord& body = MakeBody();
  AddGear(body);
  vantor::testing::PlaceVessel(body, {.longitudeDeg = -3.0,
                                      .latitudeDeg = 51.0,
                                      .altitude = 2.0,
                                      .headingDeg = 270.0,
                                      .airspeed = speed,
                                      .landed = true});
  return body;
}

TEST_F(PhysicsGround, AVesselAtRestSettlesOnItsGearAndStaysPut) {
  vantor::VesselRecord& body = MakeGroundedBody();
  double simt = 0.0;
  Fly(5.0, simt);
  const vantor::FlightState settled = body.state;
  EXPECT_TRUE(settled.groundContact);
  EXPECT_GT(settled.altitude, 1.85);  // the gear gives a few centimetres
  EXPECT_LT(settled.altitude, 2.0);
  Fly(120.0, simt);
  EXPECT_TRUE(body.state.groundContact);
  EXPECT_LT(Distance(body.state.position, settled.position), 1e-4);
  EXPECT_NEAR(body.state.heading, settled.heading, 1e-7);
  EXPECT_NEAR(body.state.pitch, settled.pitch, 1e-7);
  EXPECT_NEAR(body.state.bank, 0.0, 1e-7);
  EXPECT_LT(body.state.airspeed, 1e-5);
  EXPECT_NEAR(body.state.loadFactor, 1.0, 1e-3);  // the gear carries the weight
}

TEST_F(PhysicsGround, BrakesStopARollingVesselWhichRollsOnWithout) {
  vantor::VesselRecord& braked = MakeGroundedBody(20.0);
  braked.wheelbrakeLevels[0] = braked.wheelbrakeLevels[1] = 1.0;
  Fly(8.0);
  EXPECT_LT(GroundSpeed(braked.state), 1e-3);
  EXPECT_TRUE(braked.state.groundContact);

  vantor::testing::ResetHost();
  vantor::VesselRecord& rolling = MakeGroundedBody(20.0);
  Fly(8.0);
  EXPECT_GT(GroundSpeed(rolling.state), 17.0);  // rolling friction only
  EXPECT_NEAR(Degrees(rolling.state.heading), 270.0, 0.1);
}

TEST_F(PhysicsGround, OneSidedBrakingTurnsTowardsTheBrakedWheel) {
  vantor::VesselRecord& body = MakeGroundedBody(15.0);
  body.wheelbrakeLevels[1] = 0.3;  // right
  Fly(1.0);
  EXPECT_GT(Degrees(body.state.heading), 271.0);
  EXPECT_LT(Degrees(body.state.heading), 330.0);
}

TEST_F(PhysicsGround, ASidewaysPushBeyondTheGripSlidesTheVessel) {
  vantor::VesselRecord& body = MakeGroundedBody();
  double simt = 0.0;
  Fly(2.0, simt);
  const VECTOR3 start = body.state.position;
  // Pushed sideways at the main wheels, whose grip is 0.6 of their load (about 5.6 kN):
  // 3 kN holds, 12 kN does not.
  for (int i = 0; i < 50; ++i) {
    body.addedForces.push_back({VECTOR3{3000.0, 0, 0}, VECTOR3{0, 0, -1}});
    Fly(kStep, simt);
  }
  Fly(2.0, simt);  // it leans on its gear while pushed, and comes back where it stood
  EXPECT_LT(Distance(body.state.position, start), 1e-3);
  for (int i = 0; i < 50; ++i) {
    body.addedForces.push_back({VECTOR3{12000.0, 0, 0}, VECTOR3{0, 0, -1}});
    Fly(kStep, simt);
  }
  EXPECT_GT(Distance(body.state.position, start), 0.5);
}

TEST_F(PhysicsGround, ADroppedVesselLandsOnItsGearWithoutSinkingThrough) {
  vantor::VesselRecord& body = MakeBody();
  AddGear(body);
  vantor::testing::PlaceVessel(body, {.altitude = 5.0});
  double lowest = 1e9;
  bool touched = false;
  for (int i = 0; i < 500; ++i) {
    Fly(kStep);
    lowest = std::min(lowest, body.state.altitude);
    touched = touched || body.state.groundContact;
  }
  EXPECT_TRUE(touched);
  EXPECT_GT(lowest, 1.2);  // the centre stays well above the ground; the gear takes the blow
  EXPECT_NEAR(body.state.altitude, 1.93, 0.05);
  EXPECT_LT(std::abs(ClimbRate(body.state)), 1e-3);
}

}  // namespace
