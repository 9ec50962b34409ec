// Trim against flight: what the solver finds must be what the physics then flies.
#include "authoring_harness.h"

using namespace authoring_test;

namespace {

class TrimOfTheExample : public AuthoringFixture,
                         public ::testing::WithParamInterface<authoring::Condition> {};

// Flown with the found throttle and elevator held and no autopilot, the trim stays a trim.
TEST_P(TrimOfTheExample, HoldsAltitudeAndSpeedForAMinute) {
  std::filesystem::current_path(AIRCRAFT_EXAMPLE_ROOT);
  vantor::VesselRecord& kestrel = CreateAircraft("Kestrel");
  authoring::TrimSolver solver(kestrel);
  const authoring::Trim trim = solver.Solve(GetParam());
  ASSERT_TRUE(trim.found) << trim.why;
  EXPECT_FALSE(trim.glide);
  EXPECT_GT(trim.throttle, 0.0);

  const double altitude = kestrel.state.altitude;
  const double speed = kestrel.state.airspeed;
  double altitudeChange = 0.0;
  double speedChange = 0.0;
  Run(60.0, [&](double) {
    altitudeChange = std::max(altitudeChange, std::abs(kestrel.state.altitude - altitude));
    speedChange = std::max(speedChange, std::abs(kestrel.state.airspeed - speed));
  });
  EXPECT_LT(altitudeChange, 10.0);
  EXPECT_LT(speedChange, 1.0);
  EXPECT_NEAR(kestrel.controlLevels[AIRCTRL_ELEVATOR], trim.elevator, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(TwoConditions, TrimOfTheExample,
                         ::testing::Values(authoring::Condition{2000.0, 180.0, 0.0, 1.0},
                                           authoring::Condition{6000.0, 150.0, 0.0, 0.6}));

}  // namespace
