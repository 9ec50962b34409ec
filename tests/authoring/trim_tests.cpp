// Trim against flight: what the solver finds must be what the physics then flies.
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "authoring_harness.h"
#include "support/TestRoot.h"

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
                                           authoring::Condition{6000.0, 150.0, 0.0, 0.6}),
                         [](const ::testing::TestParamInfo<authoring::Condition>& info) {
                           return "At" + std::to_string(static_cast<int>(info.param.altitude)) +
                                  "mAnd" + std::to_string(static_cast<int>(info.param.airspeed)) +
                                  "mps";
                         });

}  // namespace

namespace {

class PerformanceOfTheExample : public AuthoringFixture {};

// The speeds trim reports are where steady flight begins and ends.
TEST_F(PerformanceOfTheExample, StallAndTopSpeedAreWhereTrimsBeginAndEnd) {
  std::filesystem::current_path(AIRCRAFT_EXAMPLE_ROOT);
  vantor::VesselRecord& kestrel = CreateAircraft("Kestrel");
  authoring::TrimSolver solver(kestrel);
  authoring::Condition condition;
  condition.altitude = 3000.0;
  const authoring::Performance performance = solver.PerformanceAt(condition);
  ASSERT_GT(performance.stallSpeed, 0.0);
  ASSERT_GT(performance.maxLevelSpeed, performance.bestGlideSpeed);
  ASSERT_GT(performance.bestGlideSpeed, performance.stallSpeed);
  EXPECT_GT(performance.bestClimbRate, 0.0);

  const struct {
    double speed;
    bool found;
    const char* why;
  } edges[] = {{0.99 * performance.stallSpeed, false, "too slow"},
               {1.01 * performance.stallSpeed, true, ""},
               {0.99 * performance.maxLevelSpeed, true, ""},
               {1.01 * performance.maxLevelSpeed, false, "not enough thrust"}};
  for (const auto& edge : edges) {
    condition.airspeed = edge.speed;
    const authoring::Trim trim = solver.Solve(condition);
    EXPECT_EQ(trim.LevelPossible(), edge.found) << edge.speed;
    EXPECT_NE(trim.why.find(edge.why), std::string::npos) << trim.why;
  }
  condition.airspeed = performance.bestGlideSpeed;
  EXPECT_NEAR(solver.Solve(condition).LiftToDrag(), performance.bestLiftToDrag, 1e-9);
}

// The command says why there is no trim, and fails.
TEST(TrimCommand, ExitsNonZeroWithTheReasonWhenNoTrimExists) {
  const TestRoot scratch;
  const std::filesystem::path output = scratch.path() / "output.txt";
  const std::string command = std::string("\"") + VANTOR_SIM_PATH + "\" trim Kestrel --root \"" +
                              AIRCRAFT_EXAMPLE_ROOT + "\" --speed 40 > \"" + output.string() +
                              "\" 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
  std::ifstream file(output);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("no steady flight for Kestrel: too slow"), std::string::npos) << text;
}

}  // namespace
