// vantor-sim new: what it writes passes the check, trims at its design cruise and flies.
#include <vantor/sim/ScenarioFile.h>

#include <numbers>
#include <sstream>

#include "authoring/Calibration.h"
#include "authoring/FlightWorthiness.h"
#include "authoring/WorthinessInputs.h"
#include "authoring_harness.h"
#include "check/Check.h"
#include "support/TestRoot.h"

using namespace authoring_test;

namespace {

// One name for every generated aircraft: the module's profile slots are shared by the process
// and a name seen before is refilled from its file.
constexpr const char* kName = "Generated";
constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kEarthRadius = 6371000.0;
constexpr double kStartLongitude = 10.0;
constexpr double kStartLatitude = 45.0;

struct Figures {
  authoring::Kind kind;
  double mass;
  double span;
  double thrust;
};

class NewAircraft : public AuthoringFixture {
 protected:
  authoring::Calibrated Make(const Figures& figures) {
    design_.kind = figures.kind;
    design_.mass = figures.mass;
    design_.span = figures.span;
    design_.thrust = figures.thrust;
    EXPECT_EQ(authoring::Complete(design_), "");
    return authoring::Calibrate(kName, design_,
                                [&](const std::string& text) { root_.WriteAircraft(kName, text); });
  }

  TestRoot root_;
  authoring::Design design_;
};

// Distance along the surface between two places given in degrees.
double Distance(double lon1, double lat1, double lon2, double lat2) {
  const double a = std::pow(std::sin((lat2 - lat1) * kDegree / 2.0), 2.0) +
                   std::cos(lat1 * kDegree) * std::cos(lat2 * kDegree) *
                       std::pow(std::sin((lon2 - lon1) * kDegree / 2.0), 2.0);
  return 2.0 * kEarthRadius * std::asin(std::min(1.0, std::sqrt(a)));
}

struct Waypoint {
  double longitude;
  double latitude;
};

class PoweredAircraft : public NewAircraft, public ::testing::WithParamInterface<Figures> {};

TEST_P(PoweredAircraft, PassesTheCheckTrimsAndFliesACircuitOnItsAutopilot) {
  const authoring::Calibrated made = Make(GetParam());
  ASSERT_EQ(made.why, "");
  const check::Report report = check::CheckAircraftText(made.text);
  EXPECT_EQ(report.Count(check::Severity::Error), 0);
  EXPECT_EQ(report.Count(check::Severity::Warning), 0);
  ASSERT_TRUE(made.cruise.found) << made.cruise.why;
  EXPECT_LT(std::abs(made.cruise.elevator), 0.05);

  // A square flown clockwise from the start, its legs and arrival circles scaled to the
  // aircraft's turns, all at the cruise altitude and throttle.
  const authoring::Airframe airframe = authoring::Derive(design_);
  const double proximity = 1.5 * airframe.turnRadius;
  const double side = 3.0 * airframe.turnRadius;
  const double dLat = side / kEarthRadius / kDegree;
  const double dLon = dLat / std::cos(kStartLatitude * kDegree);
  const Waypoint corners[4] = {{kStartLongitude, kStartLatitude + dLat},
                               {kStartLongitude + dLon, kStartLatitude + dLat},
                               {kStartLongitude + dLon, kStartLatitude},
                               {kStartLongitude, kStartLatitude}};
  const int courses[4] = {360, 90, 180, 270};
  std::ostringstream plan;
  plan.precision(10);
  for (int i = 0; i < 4; ++i) {
    plan << "[WAYPOINT_" << i << "]\nDESCRIPTION=Corner " << i << "\nPOSITION=("
         << corners[i].longitude << "," << corners[i].latitude << "," << design_.cruiseAltitude
         << ")\nTHROTTLE=" << made.cruise.throttle << "\nPROXIMITY=" << proximity
         << "\nCourse=" << courses[i] << "\n";
  }
  root_.WriteFlightPlan("Square", plan.str());
  vantor::VesselRecord& assessed = CreateAircraft(kName);
  for (const auto& finding : authoring::AssessFlightWorthiness(
           assessed, authoring::ReadWorthinessInputs(root_.path().string(), kName))) {
    ADD_FAILURE() << finding.message;
  }
  vantor::sim::DeleteVessel(assessed);
  std::ostringstream scenario;
  scenario << kName << ":aircraft\nSTATUS Flying\nPOS " << kStartLongitude << " " << kStartLatitude
           << "\nALT " << design_.cruiseAltitude << "\nHDG 0\nSPEED " << design_.cruiseSpeed
           << "\nFUEL 1\nTHROTTLE " << made.cruise.throttle
           << "\nSEQ 0 -1 0\nAUTOPILOT 1\nALTITUDE " << design_.cruiseAltitude
           << "\nHEADING 0\nFLIGHTPLAN Square\nWAYPOINT 0\nEND\n";
  vantor::VesselRecord& aircraft =
      *vantor::sim::LoadScenario(vantor::sim::ParseScenario(scenario.str(), "test"), "test")
           .front();

  double worst = 0.0;
  int reached = 0;  // corners reached in their order
  Run(600.0, [&](double) {
    worst = std::max(worst, std::abs(aircraft.state.altitude - design_.cruiseAltitude));
    if (reached < 4 &&
        Distance(aircraft.state.longitude / kDegree, aircraft.state.latitude / kDegree,
                 corners[reached].longitude, corners[reached].latitude) < proximity) {
      ++reached;
    }
  });
  EXPECT_LT(worst, 150.0);
  EXPECT_EQ(reached, 4);
}

INSTANTIATE_TEST_SUITE_P(
    EachKindAtTwoMasses, PoweredAircraft,
    ::testing::Values(Figures{authoring::Kind::Trainer, 900.0, 10.0, 3000.0},
                      Figures{authoring::Kind::Trainer, 1800.0, 12.0, 6000.0},
                      Figures{authoring::Kind::Jet, 7000.0, 9.0, 40000.0},
                      Figures{authoring::Kind::Jet, 16000.0, 12.0, 90000.0},
                      Figures{authoring::Kind::Transport, 40000.0, 28.0, 150000.0},
                      Figures{authoring::Kind::Transport, 150000.0, 50.0, 500000.0}),
    [](const ::testing::TestParamInfo<Figures>& info) {
      return std::string(authoring::KindName(info.param.kind)) + "Of" +
             std::to_string(static_cast<int>(info.param.mass)) + "kg";
    });

TEST_F(NewAircraft, AGliderGlidesAtTheLiftToDragTrimPredicts) {
  const authoring::Calibrated made = Make({authoring::Kind::Glider, 300.0, 15.0, 0.0});
  ASSERT_EQ(made.why, "");
  const check::Report report = check::CheckAircraftText(made.text);
  EXPECT_EQ(report.Count(check::Severity::Error), 0);
  EXPECT_EQ(report.Count(check::Severity::Warning), 0);
  ASSERT_TRUE(made.cruise.found) << made.cruise.why;
  ASSERT_TRUE(made.cruise.glide);

  vantor::VesselRecord& glider = CreateAircraft(kName);
  authoring::TrimSolver solver(glider);
  authoring::Condition condition;
  condition.altitude = design_.cruiseAltitude;
  condition.airspeed = design_.cruiseSpeed;
  const authoring::Trim trim = solver.Solve(condition);
  ASSERT_TRUE(trim.found) << trim.why;
  const double startAltitude = glider.state.altitude;
  const double startLongitude = glider.state.longitude / kDegree;
  const double startLatitude = glider.state.latitude / kDegree;
  Run(120.0, [](double) {});
  const double distance = Distance(startLongitude, startLatitude, glider.state.longitude / kDegree,
                                   glider.state.latitude / kDegree);
  const double ratio = distance / (startAltitude - glider.state.altitude);
  EXPECT_NEAR(ratio / trim.LiftToDrag(), 1.0, 0.05) << ratio << " against " << trim.LiftToDrag();
}

}  // namespace
