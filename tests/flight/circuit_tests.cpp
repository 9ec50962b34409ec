// The example flights through vantor-sim, read from their traces.
#include <algorithm>
#include <map>

#include "flight_harness.h"

using namespace flight_test;

namespace {

constexpr double kMaxBank = 40.0;  // AUTOPILOT MAX_BANK of the example aircraft
const char* const kScenarios = AIRCRAFT_EXAMPLE_ROOT "/Scenarios/";

// The waypoints a vessel's plan moved to, in order, with the time of each move.
std::vector<std::pair<int, double>> WaypointChanges(const Trace& trace, const std::string& vessel) {
  std::vector<std::pair<int, double>> changes;
  for (const TraceRow& row : trace.rows) {
    if (row.vessel == vessel && row.waypoint >= 0 &&
        (changes.empty() || changes.back().first != row.waypoint)) {
      changes.emplace_back(row.waypoint, row.time);
    }
  }
  return changes;
}

// Checks a vessel's flight: bank within the limit, and once the altitude has come within 150 m
// of a target, it stays within 150 m until the target changes.
void ExpectSteadyFlight(const Trace& trace, const std::string& vessel) {
  double target = NAN;
  bool captured = false;
  for (const TraceRow& row : trace.rows) {
    if (row.vessel != vessel) {
      continue;
    }
    EXPECT_LE(std::abs(row.bank), kMaxBank + 10.0) << vessel << " at " << row.time;
    if (row.altitudeTarget != target) {
      target = row.altitudeTarget;
      captured = false;
    }
    const double error = std::abs(row.altitude - target);
    if (captured) {
      EXPECT_LE(error, 150.0) << vessel << " at " << row.time << " s, target " << target;
    }
    captured = captured || error < 150.0;
  }
}

TEST(Circuit, TheAirborneExampleFliesItsPlanInOrderHoldingAltitudeAndBank) {
  // The circuit is about 110 km with its turns; at about 170 m/s that is under 11 minutes.
  const Trace trace =
      FlyAndTrace(std::string(kScenarios) + "Airborne.scn --duration 700", "airborne");
  ASSERT_FALSE(trace.rows.empty());
  EXPECT_EQ(trace.text.find("nan"), std::string::npos);
  EXPECT_EQ(trace.text.find("inf"), std::string::npos);
  const auto changes = WaypointChanges(trace, "Kestrel");
  std::vector<int> order;
  for (const auto& change : changes) {
    order.push_back(change.first);
  }
  // Once round, from the first waypoint back to it.
  order.resize(std::min<std::size_t>(order.size(), 6));
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 0}));
  ExpectSteadyFlight(trace, "Kestrel");
}

TEST(Circuit, TwoAircraftFlyTheirOwnPlansWithoutDisturbingEachOther) {
  const Trace pair = FlyAndTrace(std::string(kScenarios) + "Pair.scn --duration 500", "pair");
  const Trace alone = FlyAndTrace(std::string(kScenarios) + "Airborne.scn --duration 500", "alone");
  // Kestrel2 starts for waypoint 2 some way north-east and goes round from there.
  std::vector<int> order;
  for (const auto& change : WaypointChanges(pair, "Kestrel2")) {
    order.push_back(change.first);
  }
  order.resize(std::min<std::size_t>(order.size(), 4));
  EXPECT_EQ(order, (std::vector<int>{2, 3, 4, 0}));
  ExpectSteadyFlight(pair, "Kestrel");
  ExpectSteadyFlight(pair, "Kestrel2");
  // Kestrel flies as it does alone: same waypoints at nearly the same times.
  const auto first = WaypointChanges(pair, "Kestrel");
  const auto reference = WaypointChanges(alone, "Kestrel");
  ASSERT_EQ(first.size(), reference.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].first, reference[i].first);
    EXPECT_NEAR(first[i].second, reference[i].second, 5.0);
  }
}

TEST(Circuit, TheSameScenarioFlownTwiceGivesTheSameTrace) {
  const std::string arguments = std::string(kScenarios) + "Pair.scn --duration 120";
  const Trace first = FlyAndTrace(arguments, "twice-1");
  const Trace second = FlyAndTrace(arguments, "twice-2");
  ASSERT_GT(first.rows.size(), 2000u);
  EXPECT_TRUE(first.text == second.text);
}

}  // namespace
