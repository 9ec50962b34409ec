// Engine settings, the thrust-limit laws and the hand-over to the afterburner.
#include "unit/flight/FlightFixture.h"

namespace {

constexpr const char* kBurnerAircraft = R"([CONFIG]
MAIN_THRUST=40000
BURN_THRUST=60000
[AIRCRAFT]
FLIGHT_MODEL=1
EFFICIENCY=0.8
)";

class EnginesTest : public FlightFixture {
 protected:
  // Sets the throttle as the pilot does (the newest main group) and runs one frame's step.
  static void Frame(Aircraft& plane, double throttle) {
    plane.SetThrusterGroupLevel(THGROUP_MAIN, throttle);
    plane.ManageEngines();
  }
  static const vantor::ThrusterRecord& Main(Aircraft& plane) {
    return *RecordOf(plane).thrusters[0];
  }
  static const vantor::ThrusterRecord& Burner(Aircraft& plane) {
    return *RecordOf(plane).thrusters[1];
  }
};

TEST_F(EnginesTest, SettingsDefaultsAndBadEfficiency) {
  Aircraft& bare = Build("E0", nullptr);
  EXPECT_EQ(bare.engines.flightModel, 1);
  EXPECT_EQ(bare.engines.engineEfficiency, 1.0);
  Aircraft& given = Build("E1", "[AIRCRAFT]\nFLIGHT_MODEL=3\nCEILING=12000\nEFFICIENCY=-2\n");
  EXPECT_EQ(given.engines.flightModel, 3);
  EXPECT_EQ(given.engines.ceiling, 12000.0);
  EXPECT_EQ(given.engines.engineEfficiency, 1.0);
}

TEST_F(EnginesTest, FlightModelOneFollowsDensityCappedAtOne) {
  Aircraft& plane = Build("E1", kBurnerAircraft);
  vantor::VesselRecord& rec = RecordOf(plane);
  rec.state.density = 1.225;
  Frame(plane, 0.5);
  EXPECT_DOUBLE_EQ(Main(plane).max0, 0.8 * 40000);
  rec.state.density = 0.5;
  Frame(plane, 0.5);
  EXPECT_DOUBLE_EQ(Main(plane).max0, 0.5 * 0.8 * 40000);
  rec.state.density = 0.0;
  Frame(plane, 0.5);
  EXPECT_EQ(Main(plane).max0, 0.0);
}

TEST_F(EnginesTest, FlightModelThreeUsesAltitudeAndSpeed) {
  Aircraft& plane = Build("E3", "[CONFIG]\nMAIN_THRUST=10000\n[AIRCRAFT]\nFLIGHT_MODEL=3\n");
  vantor::VesselRecord& rec = RecordOf(plane);
  rec.state.density = 0.3;  // takes no part, as long as it is positive
  Frame(plane, 0.7);
  EXPECT_NEAR(Main(plane).max0, 0.99111518 * 10000, 1e-6);
  rec.state.altitude = 10000;
  rec.state.airspeed = 250;
  Frame(plane, 0.7);
  EXPECT_NEAR(Main(plane).max0, 0.332152 * 1.02321276 * 10000, 1e-3);
}

TEST_F(EnginesTest, FlightModelTwoFallsLinearlyToTheCeiling) {
  Aircraft& plane = Build(
      "E2",
      "[CONFIG]\nMAIN_THRUST=10000\n[AIRCRAFT]\nFLIGHT_MODEL=2\nCEILING=8000\nEFFICIENCY=0.9\n");
  vantor::VesselRecord& rec = RecordOf(plane);
  const double full = 0.9 * 10000;
  const std::pair<double, double> cases[] = {
      {0, full}, {2000, 0.75 * full}, {8000, 0}, {12000, 0}, {-100, full}};
  for (const auto& [altitude, limit] : cases) {
    rec.state.altitude = altitude;
    Frame(plane, 0.5);
    EXPECT_NEAR(Main(plane).max0, limit, 1e-9) << altitude;
  }
  plane.engines.ceiling = 0.0;
  rec.state.altitude = 100;
  Frame(plane, 0.5);
  EXPECT_EQ(Main(plane).max0, 0.0);
}

TEST_F(EnginesTest, ModelsWithoutALawGiveNoThrust) {
  for (int model : {0, 4}) {
    const std::string name = "M" + std::to_string(model);
    Aircraft& plane = Build(
        name.c_str(),
        ("[CONFIG]\nMAIN_THRUST=10000\n[AIRCRAFT]\nFLIGHT_MODEL=" + std::to_string(model) + "\n")
            .c_str());
    Frame(plane, 0.5);
    EXPECT_EQ(Main(plane).max0, 0.0);
  }
}

TEST_F(EnginesTest, ThrottleHandsOverAboveNinetyNinePercentAndBack) {
  Aircraft& plane = Build("E1", kBurnerAircraft);
  vantor::VesselRecord& rec = RecordOf(plane);
  Frame(plane, 0.5);
  EXPECT_EQ(rec.thrusterGroups.size(), 1u);

  Frame(plane, 1.0);
  ASSERT_EQ(rec.thrusterGroups.size(), 2u);
  const vantor::ThrusterGroupRecord& burnerGroup = *rec.thrusterGroups[1];
  EXPECT_EQ(burnerGroup.type, THGROUP_MAIN);
  ASSERT_EQ(burnerGroup.thrusters.size(), 1u);
  EXPECT_EQ(burnerGroup.thrusters[0], &Burner(plane));
  EXPECT_EQ(plane.vessel.mainGroup, &burnerGroup);
  EXPECT_TRUE(plane.vessel.burnerEngaged);
  EXPECT_EQ(Main(plane).level, 0.0);
  EXPECT_EQ(Burner(plane).level, 1.0);
  EXPECT_DOUBLE_EQ(Burner(plane).max0, 0.8 * 60000);

  // Exactly 0.99 hands over in neither direction.
  Frame(plane, 0.99);
  EXPECT_EQ(rec.thrusterGroups.size(), 2u);
  EXPECT_TRUE(plane.vessel.burnerEngaged);

  Frame(plane, 0.9);
  ASSERT_EQ(rec.thrusterGroups.size(), 3u);
  EXPECT_EQ(rec.thrusterGroups[2]->thrusters[0], &Main(plane));
  EXPECT_FALSE(plane.vessel.burnerEngaged);
  EXPECT_EQ(Burner(plane).level, 0.0);
  EXPECT_EQ(Main(plane).level, 0.9);
  EXPECT_DOUBLE_EQ(Main(plane).max0, 0.8 * 40000);

  // From the main engine, 0.99 does not hand over either.
  Frame(plane, 0.99);
  EXPECT_EQ(rec.thrusterGroups.size(), 3u);
  EXPECT_FALSE(plane.vessel.burnerEngaged);
}

TEST_F(EnginesTest, AnUnchangedThrottleMakesNoHandOverTest) {
  Aircraft& plane = Build("E1", kBurnerAircraft);
  Frame(plane, 1.0);
  ASSERT_TRUE(plane.vessel.burnerEngaged);
  plane.vessel.burnerEngaged = false;  // a state that would call for a hand-over
  plane.ManageEngines();
  EXPECT_EQ(RecordOf(plane).thrusterGroups.size(), 2u);
}

TEST_F(EnginesTest, WithoutAfterburnerTheMainEngineKeepsTheThrottle) {
  Aircraft& plane = Build("E1", "[CONFIG]\nMAIN_THRUST=40000\n");
  Frame(plane, 1.0);
  EXPECT_EQ(RecordOf(plane).thrusterGroups.size(), 1u);
  EXPECT_FALSE(plane.vessel.burnerEngaged);
  EXPECT_EQ(Main(plane).level, 1.0);
  EXPECT_DOUBLE_EQ(Main(plane).max0, 40000);
}

TEST_F(EnginesTest, TwoAircraftAtTheSameThrottleBothHandOver) {
  Aircraft& first = Build("A1", kBurnerAircraft);
  Aircraft& second = Build("B2", kBurnerAircraft);
  for (double throttle : {0.5, 1.0}) {
    Frame(first, throttle);
    Frame(second, throttle);
  }
  EXPECT_TRUE(first.vessel.burnerEngaged);
  EXPECT_TRUE(second.vessel.burnerEngaged);
  EXPECT_DOUBLE_EQ(Burner(second).max0, 0.8 * 60000);
}

}  // namespace
