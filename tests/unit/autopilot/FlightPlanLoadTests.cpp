// Loading flight plans: the list's stop rules, defaults, replacement and names.
#include <fstream>
#include <iterator>
#include <string>

#include "AutopilotFixture.h"
#include "autopilot/GreatCircle.h"

namespace {

std::string WaypointSection(int index, const std::string& description,
                            const std::string& more = "") {
  return "[WAYPOINT_" + std::to_string(index) + "]\nDESCRIPTION=" + description + "\nPOSITION=(" +
         std::to_string(index) + ",45,1000)\n" + more;
}

class FlightPlanLoadTest : public AutopilotFixture {
 protected:
  const FlightPlan& plan() const { return aircraft->flightPlan; }
};

TEST_F(FlightPlanLoadTest, ReadsWaypointsWithTheirValuesAndDefaults) {
  root->WriteFlightPlan("Trip", "[GENERAL]\nDescription=Out and back\n" +
                                    WaypointSection(0, "Start",
                                                    "SPEED=200\nFLAPS=0.5\nBRAKES=1\nTHROTTLE=0.8\n"
                                                    "PROXIMITY=2500\nCourse=90\n") +
                                    "[WAYPOINT_1]\nDESCRIPTION=Turn\nPOSITION=(-10.5,-45.25,0)\n");
  EXPECT_TRUE(aircraft->LoadFlightPlan("Trip"));
  ASSERT_EQ(plan().count, 2);
  EXPECT_EQ(plan().current, 0);
  EXPECT_STREQ(plan().name, "Trip");
  EXPECT_STREQ(plan().description, "Out and back");
  const Waypoint& first = plan().waypoints[0];
  EXPECT_STREQ(first.description, "Start");
  EXPECT_DOUBLE_EQ(first.position.x, 0.0);
  EXPECT_NEAR(first.position.y, Radians(45.0), 1e-15);
  EXPECT_EQ(first.position.z, 1000.0);
  EXPECT_EQ(first.speed, 200.0);
  EXPECT_EQ(first.flaps, 0.5);
  EXPECT_EQ(first.brakes, 1.0);
  EXPECT_EQ(first.throttle, 0.8);
  EXPECT_EQ(first.proximity, 2500.0);
  EXPECT_EQ(first.course, 90.0);
  const Waypoint& second = plan().waypoints[1];
  EXPECT_NEAR(second.position.x, Radians(-10.5), 1e-15);
  EXPECT_NEAR(second.position.y, Radians(-45.25), 1e-15);
  EXPECT_EQ(second.speed, -1.0);
  EXPECT_EQ(second.flaps, -1.0);
  EXPECT_EQ(second.brakes, -1.0);
  EXPECT_EQ(second.throttle, -1.0);
  EXPECT_EQ(second.proximity, 1000.0);
  EXPECT_EQ(second.course, -1.0);
}

TEST_F(FlightPlanLoadTest, TheListEndsAtAGapAtAMissingPositionAndAfterTwenty) {
  root->WriteFlightPlan(
      "Gap", WaypointSection(0, "A") + WaypointSection(1, "B") + WaypointSection(3, "D"));
  aircraft->LoadFlightPlan("Gap");
  EXPECT_EQ(plan().count, 2);

  const char* endings[] = {"", "POSITION=\n", "POSITION=(10,45)\n"};
  for (const char* ending : endings) {
    root->WriteFlightPlan("NoPlace", WaypointSection(0, "A") + "[WAYPOINT_1]\nDESCRIPTION=B\n" +
                                         ending + WaypointSection(2, "C"));
    aircraft->LoadFlightPlan("NoPlace");
    EXPECT_EQ(plan().count, 1) << ending;
  }
  root->WriteFlightPlan("Origin", "[WAYPOINT_0]\nDESCRIPTION=Null island\nPOSITION=(0,0,0)\n");
  aircraft->LoadFlightPlan("Origin");
  EXPECT_EQ(plan().count, 1);  // given explicitly, (0, 0, 0) is a place like any other

  std::string many;
  for (int n = 0; n <= 20; ++n) {
    many += WaypointSection(n, "W" + std::to_string(n));
  }
  root->WriteFlightPlan("Many", many);
  aircraft->LoadFlightPlan("Many");
  EXPECT_EQ(plan().count, 20);
  EXPECT_STREQ(plan().waypoints[19].description, "W19");
}

TEST_F(FlightPlanLoadTest, EachLoadReplacesThePlan) {
  root->WriteFlightPlan("Long", "[GENERAL]\nDescription=Long one\n" + WaypointSection(0, "A") +
                                    WaypointSection(1, "B") + WaypointSection(2, "C"));
  root->WriteFlightPlan("Short", WaypointSection(0, "Z"));
  aircraft->LoadFlightPlan("Long");
  aircraft->flightPlan.current = 2;
  EXPECT_TRUE(aircraft->LoadFlightPlan("Short"));
  EXPECT_EQ(plan().count, 1);
  EXPECT_EQ(plan().current, 0);
  EXPECT_STREQ(plan().waypoints[0].description, "Z");
  EXPECT_STREQ(plan().description, "Long one");  // a file without one keeps the description

  EXPECT_TRUE(aircraft->LoadFlightPlan("Nowhere"));
  EXPECT_EQ(plan().count, 0);
  EXPECT_STREQ(plan().name, "Nowhere");  // kept for the scenario all the same
}

TEST_F(FlightPlanLoadTest, LongTextsAreCutAndLongNamesRefused) {
  const std::string name63(63, 'n');
  root->WriteFlightPlan(name63, "[GENERAL]\nDescription=" + std::string(100, 'd') + "\n" +
                                    WaypointSection(0, std::string(40, 'w')));
  EXPECT_TRUE(aircraft->LoadFlightPlan(name63.c_str()));
  EXPECT_EQ(plan().name, name63);
  EXPECT_EQ(std::string(plan().description), std::string(79, 'd'));
  EXPECT_EQ(std::string(plan().waypoints[0].description), std::string(31, 'w'));
  aircraft->flightPlan.current = 0;

  // Cut to 63 characters, this name would open the plan above: it must not.
  root->WriteFlightPlan("Other", WaypointSection(0, "A") + WaypointSection(1, "B"));
  aircraft->LoadFlightPlan("Other");
  aircraft->flightPlan.current = 1;
  const std::string name64 = name63 + "x";
  EXPECT_FALSE(aircraft->LoadFlightPlan(name64.c_str()));
  EXPECT_STREQ(plan().name, "Other");
  EXPECT_EQ(plan().count, 2);
  EXPECT_EQ(plan().current, 1);
  EXPECT_EQ(vantor::testing::StatusLine(),
            "Flight plan not loaded - name longer than 63 characters");
  EXPECT_FALSE(aircraft->LoadFlightPlan(nullptr));
  EXPECT_EQ(plan().count, 2);
}

// The example circuit: every waypoint steers (has a course), within 1500 to 4000 m, around
// about 100 km.
TEST_F(FlightPlanLoadTest, TheExampleCircuitIsAFlyableLoop) {
  std::ifstream file(std::string(AIRCRAFT_EXAMPLE_ROOT) +
                     "/Config/Aircraft/FlightPlans/Circuit.ini");
  ASSERT_TRUE(file.good());
  root->WriteFlightPlan("Circuit", std::string(std::istreambuf_iterator<char>(file), {}));
  aircraft->LoadFlightPlan("Circuit");
  ASSERT_GE(plan().count, 4);
  double length = 0.0;
  for (int n = 0; n < plan().count; ++n) {
    const Waypoint& w = plan().waypoints[n];
    const Waypoint& next = plan().waypoints[(n + 1) % plan().count];
    EXPECT_GT(w.course, 0.0) << n;
    EXPECT_GE(w.position.z, 1500.0);
    EXPECT_LE(w.position.z, 4000.0);
    length += GreatCircleDistance({w.position.x, w.position.y}, {next.position.x, next.position.y},
                                  6371000.0);
  }
  EXPECT_NEAR(length, 100000.0, 10000.0);
}

}  // namespace
