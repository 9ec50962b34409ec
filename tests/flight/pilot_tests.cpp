// The example flown by hand: a scripted take-off through `vantor-sim fly --control` and keys,
// then the autopilot on the circuit; and a landing from the short-final scenario.
#include <vantor/sim/PilotControls.h>

#include <algorithm>

#include "flight_harness.h"

using namespace flight_test;

namespace {

namespace sim = vantor::sim;

constexpr double kGravity = 9.80665;
constexpr double kSeaLevelDensity = 1.225;
constexpr double kMetresPerDegreeLatitude = 6371000.0 * kPi / 180.0;
constexpr DWORD kBrakeKey = 48;  // B
// Where the example's airframe would meet the ground first: the tail's underside (12 m long,
// the main wheels 1.5 m below the centre and 0.35 m behind it, the tail's underside 0.3 m below
// the centre 6 m behind it) and a wingtip (4.25 m out, 0.3 m below the centre).
const double kTailStrikePitch = Degrees(std::atan2(1.5 - 0.3, 6.0 - 0.35));
const double kWingtipStrikeBank = Degrees(std::atan2(1.5 - 0.3, 4.25 - 1.5));

class Pilot : public FlightFixture {
 protected:
  // The clean stall speed at sea level that the wing's lift table and the vessel's mass give.
  double StallSpeed(const vantor::VesselRecord& vessel) {
    double mass = vessel.emptyMass;
    for (const auto& tank : vessel.propellants) {
      mass += tank->mass;
    }
    double area = 0.0;
    double maxLift = 0.0;
    for (const auto& airfoil : vessel.airfoils) {
      if (airfoil->orientation != LIFT_VERTICAL || airfoil->coefficients == nullptr) {
        continue;
      }
      area += airfoil->area;
      for (double aoa = -30.0; aoa <= 30.0; aoa += 0.05) {
        double cl = 0.0;
        double cm = 0.0;
        double cd = 0.0;
        airfoil->coefficients(aoa * kPi / 180.0, 0.2, 1e7, &cl, &cm, &cd);
        maxLift = std::max(maxLift, cl);
      }
    }
    return std::sqrt(2.0 * mass * kGravity / (kSeaLevelDensity * area * maxLift));
  }
};

// The time of the first status line with the text, or -1.
double StatusTime(const std::string& output, const std::string& text) {
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (line.find(text) != std::string::npos) {
      return std::atof(line.c_str());
    }
  }
  return -1.0;
}

TEST_F(Pilot, ScriptedTakeOffByHandThenTheAutopilotFliesTheCircuit) {
  const double stall = StallSpeed(*Load(LandedKestrel(0.0, 0.0)).front());
  vantor::testing::ResetHost();

  const TestRoot scratch;
  const std::filesystem::path trace = scratch.path() / "takeoff.csv";
  // Take-off flaps and full throttle; rotate, hold the attitude, gear up, climb; past 500 m load
  // the circuit, skip the waypoint behind and engage the autopilot.
  const std::string output = RunSimulator(
      "fly \"" AIRCRAFT_EXAMPLE_ROOT
      "/Scenarios/Runway.scn\" --duration 260 "
      "--status-every 1000 --key 0:f --control 0:throttle=1 --control 17:elevator=0.6 "
      "--control 20:elevator=0.45 --control 26:elevator=0.3 --key 26:g --control 32:elevator=0.2 "
      "--control 32:throttle=0.9 --key 75:l --input 75:Circuit --key 76:s --key 76:1 "
      "--control 76:elevator=0 --trace \"" +
          trace.string() + "\"",
      scratch.path());
  std::ifstream file(trace);
  std::stringstream text;
  text << file.rdbuf();
  const std::vector<TraceRow> rows = ReadTraceRows(text.str());
  ASSERT_FALSE(rows.empty()) << output;

  const auto liftOff = std::find_if(rows.begin(), rows.end(),
                                    [&](const TraceRow& row) { return row.altitude > 3.0; });
  ASSERT_NE(liftOff, rows.end());
  const double groundRoll = (liftOff->latitude - rows.front().latitude) * kMetresPerDegreeLatitude;
  RecordProperty("ground_roll_m", std::to_string(groundRoll));
  RecordProperty("lift_off_speed", std::to_string(liftOff->airspeed));
  RecordProperty("stall_speed", std::to_string(stall));
  EXPECT_LT(groundRoll, 1500.0);
  EXPECT_LE(liftOff->airspeed, 1.3 * stall) << "stall speed " << stall;
  EXPECT_GT(liftOff->airspeed, stall);

  const auto through500 =
      std::find_if(liftOff, rows.end(), [&](const TraceRow& row) { return row.altitude > 500.0; });
  ASSERT_NE(through500, rows.end());
  EXPECT_TRUE(
      std::all_of(liftOff, through500, [](const TraceRow& row) { return row.altitude > 2.0; }));
  const double gearUp = StatusTime(output, "Gear Stowed");
  EXPECT_GT(gearUp, liftOff->time) << output;
  EXPECT_LT(gearUp, through500->time) << output;

  // On the west leg towards waypoint 1; reaching it moves the plan on to waypoint 2.
  EXPECT_EQ(rows.back().waypoint, 2) << output;
  EXPECT_GT(
      std::min_element(through500, rows.end(),
                       [](const TraceRow& a, const TraceRow& b) { return a.altitude < b.altitude; })
          ->altitude,
      400.0);
}

TEST_F(Pilot, ScriptedLandingFromShortFinalTouchesDownOnTheGearAndStops) {
  std::ifstream file(std::string(AIRCRAFT_EXAMPLE_ROOT) + "/Scenarios/Approach.scn");
  std::stringstream scenario;
  scenario << file.rdbuf();
  vantor::VesselRecord& kestrel = *Load(scenario.str()).front();
  const auto control = [&](sim::PilotControl which, double value) {
    sim::SetPilotControl(kestrel, which, value);
  };
  // The glide, the flare at about 20 m, the engine to idle on the runway, then stick forward
  // and brakes.
  control(sim::PilotControl::Elevator, 0.4);
  control(sim::PilotControl::Throttle, 0.35);
  double touchdown = -1.0;
  double sinkRate = 0.0;
  double touchdownLatitude = 0.0;
  double worstPitch = -90.0;
  double worstBank = 0.0;
  double lowestCentre = 1e9;
  const std::vector<std::pair<double, std::function<void()>>> script = {
      {19.0,
       [&] {
         control(sim::PilotControl::Elevator, 0.45);
         control(sim::PilotControl::Throttle, 0.35);
       }},
      {32.0, [&] { control(sim::PilotControl::Throttle, 0.0); }},
      {34.0,
       [&] {
         control(sim::PilotControl::Elevator, 0.0);
         PressKey(kestrel, kBrakeKey);
       }},
  };
  std::size_t next = 0;
  Run(90.0, [&](double simt) {
    const vantor::FlightState& state = kestrel.state;
    if (touchdown < 0.0 && state.groundContact) {
      touchdown = simt;
      const VECTOR3& r = state.position;
      const double radius = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
      sinkRate =
          -(state.velocity.x * r.x + state.velocity.y * r.y + state.velocity.z * r.z) / radius;
      touchdownLatitude = Degrees(state.latitude);
    }
    if (touchdown >= 0.0) {
      worstPitch = std::max(worstPitch, Degrees(state.pitch));
      worstBank = std::max(worstBank, std::abs(Degrees(state.bank)));
      lowestCentre = std::min(lowestCentre, state.altitude);
    }
    for (; next < script.size() && script[next].first <= simt + 1e-9; ++next) {
      script[next].second();
    }
  });
  ASSERT_GT(touchdown, 0.0);
  EXPECT_LT(sinkRate, 3.0);
  EXPECT_GT(sinkRate, 0.0);
  // Only the gear: the tail and the wingtips stay clear, and the centre rides on the wheels.
  EXPECT_LT(worstPitch, kTailStrikePitch);
  EXPECT_LT(worstBank, kWingtipStrikeBank);
  EXPECT_GT(lowestCentre, 1.2);
  const double rollOut =
      (Degrees(kestrel.state.latitude) - touchdownLatitude) * kMetresPerDegreeLatitude;
  RecordProperty("sink_rate", std::to_string(sinkRate));
  RecordProperty("touchdown_pitch", std::to_string(worstPitch));
  RecordProperty("roll_out_m", std::to_string(rollOut));
  EXPECT_LT(rollOut, 2000.0);
  EXPECT_LT(std::hypot(kestrel.state.horizonAirspeed.x, kestrel.state.horizonAirspeed.z), 0.01);
  EXPECT_NE(sim::ScenarioText().find("STATUS Landed"), std::string::npos);
}

}  // namespace
