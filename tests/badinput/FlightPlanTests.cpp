// Bad flight plans: the loader keeps what makes whole waypoints, the step keeps the waypoint
// index within the plan, and nothing but finite numbers reaches the host.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <string>

#include "BadInputFixture.h"

namespace {

class FlightPlanFile : public BadInputTest {
 protected:
  void SetUp() override {
    BadInputTest::SetUp();
    aircraft = &BadInputTest::SetUp("Plane", "[CONFIG]\nMAIN_THRUST=1000\n");
    vantor::testing::Placement placement;
    placement.altitude = 1000.0;
    placement.airspeed = 100.0;
    vantor::testing::PlaceVessel(RecordOf(*aircraft), placement);
    aircraft->autopilot.autopilotEngaged = true;
  }

  static std::string Waypoint(int index, const std::string& body) {
    return "[WAYPOINT_" + std::to_string(index) + "]\nDESCRIPTION=W" + std::to_string(index) +
           "\n" + body + "\n";
  }

  Aircraft* aircraft = nullptr;
};

TEST_F(FlightPlanFile, MissingEmptyAndBinaryPlansHaveNoWaypoints) {
  root_.WriteFlightPlan("Empty", "");
  root_.WriteFlightPlan("Binary", std::string("\0\xff\x01[WAYPOINT_0]\0\n\xfe", 13));
  for (const char* name : {"Missing", "Empty", "Binary"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(aircraft->LoadFlightPlan(name));
    EXPECT_STREQ(aircraft->flightPlan.name, name);
    EXPECT_EQ(aircraft->flightPlan.count, 0);
    aircraft->StepAircraft(1.0);
    EXPECT_EQ(aircraft->flightPlan.current, 0);
  }
}

TEST_F(FlightPlanFile, ANameTooLongForThePlanIsRefusedAndThePlanStays) {
  root_.WriteFlightPlan("Short", Waypoint(0, "POSITION=(1,2,300)"));
  ASSERT_TRUE(aircraft->LoadFlightPlan("Short"));
  const std::string longest(kPlanNameSize - 1, 'p');
  const std::string tooLong(kPlanNameSize, 'p');
  EXPECT_FALSE(aircraft->LoadFlightPlan(tooLong.c_str()));
  EXPECT_FALSE(aircraft->LoadFlightPlan(std::string(100000, 'p').c_str()));
  EXPECT_STREQ(aircraft->flightPlan.name, "Short");
  EXPECT_EQ(aircraft->flightPlan.count, 1);
  EXPECT_EQ(vantor::testing::StatusLine(),
            "Flight plan not loaded - name longer than 63 characters");
  EXPECT_TRUE(aircraft->LoadFlightPlan(longest.c_str()));
  EXPECT_EQ(aircraft->flightPlan.name, longest);
}

TEST_F(FlightPlanFile, AWaypointWithoutAWholePositionEndsTheList) {
  root_.WriteFlightPlan("Gaps", Waypoint(0, "POSITION=(nan,inf,1e400)") +
                                    Waypoint(1, "POSITION=(1,2)") +
                                    Waypoint(2, "POSITION=(1,2,3)"));
  ASSERT_TRUE(aircraft->LoadFlightPlan("Gaps"));
  // nan, inf and 1e400 are no numbers and read as 0; the second waypoint lacks its altitude.
  ASSERT_EQ(aircraft->flightPlan.count, 1);
  EXPECT_EQ(aircraft->flightPlan.waypoints[0].position.x, 0.0);
  EXPECT_EQ(aircraft->flightPlan.waypoints[0].position.z, 0.0);
}

TEST_F(FlightPlanFile, MoreThanTwentyWaypointsKeepTheFirstTwenty) {
  std::string text;
  for (int i = 0; i < 30; ++i) {
    text += Waypoint(i, "POSITION=(1,2,3)");
  }
  root_.WriteFlightPlan("Many", text);
  ASSERT_TRUE(aircraft->LoadFlightPlan("Many"));
  EXPECT_EQ(aircraft->flightPlan.count, kMaxWaypoints);
}

TEST_F(FlightPlanFile, OverlongDescriptionsAreCut) {
  const std::string longText(100000, 'd');
  root_.WriteFlightPlan("Words", "[GENERAL]\nDescription=" + longText +
                                     "\n[WAYPOINT_0]\nDESCRIPTION=" + longText +
                                     "\nPOSITION=(1,2,3)\n");
  ASSERT_TRUE(aircraft->LoadFlightPlan("Words"));
  ASSERT_EQ(aircraft->flightPlan.count, 1);
  EXPECT_EQ(std::strlen(aircraft->flightPlan.description), std::size_t{kPlanDescriptionSize - 1});
  EXPECT_EQ(std::strlen(aircraft->flightPlan.waypoints[0].description),
            std::size_t{kWaypointDescriptionSize - 1});
  aircraft->StepAircraft(1.0);
  EXPECT_LT(vantor::testing::StatusLine().size(), std::size_t{VAPI_DEBUG_STRING_SIZE});
}

TEST_F(FlightPlanFile, ExtremeWaypointValuesGiveFiniteTargetsAndLevels) {
  root_.WriteFlightPlan("Wild", Waypoint(0,
                                         "POSITION=(1e300,-1e300,1e300)\nTHROTTLE=1e300\n"
                                         "PROXIMITY=-1\nCourse=1e300") +
                                    Waypoint(1, "POSITION=(-0,-0,-0)\nTHROTTLE=-5\nCourse=-0"));
  ASSERT_TRUE(aircraft->LoadFlightPlan("Wild"));
  ASSERT_EQ(aircraft->flightPlan.count, 2);
  for (int frame = 0; frame < 4; ++frame) {
    aircraft->StepAircraft(1.0 + frame);
    EXPECT_TRUE(std::isfinite(aircraft->autopilot.altitudeTarget));
    EXPECT_TRUE(std::isfinite(aircraft->autopilot.headingTarget));
    EXPECT_TRUE(std::isfinite(aircraft->autopilot.climbDistance));
    for (double level : RecordOf(*aircraft).controlLevels) {
      EXPECT_TRUE(std::isfinite(level));
    }
    for (const auto& thruster : RecordOf(*aircraft).thrusters) {
      EXPECT_TRUE(std::isfinite(thruster->level));
    }
    ++aircraft->flightPlan.current;
  }
}

TEST_F(FlightPlanFile, AnyWaypointIndexIsBroughtBackIntoThePlan) {
  root_.WriteFlightPlan("Two", Waypoint(0, "POSITION=(1,2,3)") + Waypoint(1, "POSITION=(1,2,3)"));
  ASSERT_TRUE(aircraft->LoadFlightPlan("Two"));
  for (int index : {-1, 2, 99, INT_MAX, INT_MIN}) {
    aircraft->flightPlan.current = index;
    aircraft->StepAircraft(1.0);
    EXPECT_EQ(aircraft->flightPlan.current, 0) << index;
  }
}

}  // namespace
