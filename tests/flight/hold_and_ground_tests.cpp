// The autopilot channels and the ground handling of the example aircraft, frame by frame.
#include <vantor/sim/PilotControls.h>

#include "flight_harness.h"

using namespace flight_test;

namespace {

class Holds : public FlightFixture {};
class Runway : public FlightFixture {};

constexpr DWORD kBrakeKey = 48;  // B, the example aircraft's brake key

double GroundSpeed(const vantor::FlightState& state) {
  return std::hypot(state.horizonAirspeed.x, state.horizonAirspeed.z);
}

TEST_F(Holds, HeadingHoldTurnsNinetyDegreesAndHoldsTheNewHeading) {
  vantor::VesselRecord& kestrel =
      *Load(AirborneKestrel(2000, 90, "AUTOPILOT 1\nALTITUDE 2000\nHEADING 180\n")).front();
  Run(90.0);
  double worst = 0.0;
  Run(60.0, [&](double) {
    worst = std::max(worst, std::abs(HeadingDifference(Degrees(kestrel.state.heading), 180.0)));
  });
  EXPECT_LT(worst, 2.0);
  EXPECT_NEAR(kestrel.state.altitude, 2000.0, 150.0);
}

TEST_F(Holds, AltitudeHoldClimbsAThousandMetresAndHoldsThem) {
  vantor::VesselRecord& kestrel =
      *Load(AirborneKestrel(2000, 90, "AUTOPILOT 1\nALTITUDE 3000\nHEADING 90\n")).front();
  Run(180.0);
  double lowest = 1e9;
  double highest = -1e9;
  Run(120.0, [&](double) {
    lowest = std::min(lowest, kestrel.state.altitude);
    highest = std::max(highest, kestrel.state.altitude);
  });
  EXPECT_GT(lowest, 2900.0);
  EXPECT_LT(highest, 3100.0);
  EXPECT_NEAR(Degrees(kestrel.state.heading), 90.0, 2.0);
}

TEST_F(Runway, TheAircraftStandsStillOnItsGear) {
  vantor::VesselRecord& kestrel = *Load(LandedKestrel(0.0, 0.0)).front();
  Run(5.0);
  const VECTOR3 start = kestrel.state.position;
  Run(60.0);
  EXPECT_TRUE(kestrel.state.groundContact);
  EXPECT_NEAR(kestrel.state.position.x, start.x, 1e-3);
  EXPECT_NEAR(kestrel.state.position.y, start.y, 1e-3);
  EXPECT_NEAR(kestrel.state.position.z, start.z, 1e-3);
  EXPECT_GT(kestrel.state.altitude, 1.3);  // on its wheels, not its belly
}

TEST_F(Runway, FullThrottleAcceleratesAlongTheRunway) {
  vantor::VesselRecord& kestrel = *Load(LandedKestrel(0.0, 1.0)).front();
  Run(10.0);
  EXPECT_GT(GroundSpeed(kestrel.state), 40.0);
  EXPECT_TRUE(kestrel.state.groundContact);
  EXPECT_NEAR(Degrees(kestrel.state.heading), 90.0, 1.0);
}

TEST_F(Runway, UnderAutopilotAtFullThrottleItTakesOffAndClimbs) {
  const std::string scenario =
      "Kestrel:aircraft\nSTATUS Landed\nPOS 10.0 45.0\nALT 0\nHDG 90\nSPEED 0\nFUEL 1\n"
      "THROTTLE 1\nAUTOPILOT 1\nALTITUDE 1000\nHEADING 90\nEND\n";
  vantor::VesselRecord& kestrel = *Load(scenario).front();
  double liftOff = -1.0;
  Run(150.0, [&](double simt) {
    if (liftOff < 0.0 && !kestrel.state.groundContact) {
      liftOff = simt;
    }
  });
  EXPECT_GT(liftOff, 5.0);  // it rolls first
  EXPECT_LT(liftOff, 60.0);
  EXPECT_NEAR(kestrel.state.altitude, 1000.0, 150.0);
  EXPECT_NEAR(Degrees(kestrel.state.heading), 90.0, 2.0);
}

TEST_F(Runway, TheBrakesStopARollingAircraft) {
  vantor::VesselRecord& kestrel = *Load(LandedKestrel(30.0, 0.0)).front();
  PressKey(kestrel, kBrakeKey);
  Run(10.0);
  EXPECT_LT(GroundSpeed(kestrel.state), 0.01);
  EXPECT_TRUE(kestrel.state.groundContact);
}

TEST_F(Runway, ADeflectedRudderTurnsTheAircraft) {
  vantor::VesselRecord& kestrel = *Load(LandedKestrel(10.0, 0.1)).front();
  vantor::sim::SetPilotControl(kestrel, vantor::sim::PilotControl::Rudder, 1.0);
  Run(5.0);
  EXPECT_GT(HeadingDifference(Degrees(kestrel.state.heading), 90.0), 10.0);
  EXPECT_TRUE(kestrel.state.groundContact);
}

}  // namespace
