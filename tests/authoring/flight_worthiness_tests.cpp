// The check's flight-worthiness findings: each on a file made to have it, none on the example.
#include <vantor/sim/ScenarioFile.h>

#include <fstream>
#include <sstream>

#include "authoring/FlightWorthiness.h"
#include "authoring/WorthinessInputs.h"
#include "authoring_harness.h"
#include "support/TestRoot.h"

using namespace authoring_test;

namespace {

// One name for every variant: the module refills a known name's profile slot from its file.
constexpr const char* kName = "Assessed";

std::string ExampleText(const std::string& name) {
  std::ifstream file(std::string(AIRCRAFT_EXAMPLE_ROOT) + "/Config/Aircraft/" + name + ".ini",
                     std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The text with KEY of [SECTION] set to value (the key's first line in that section).
std::string WithValue(std::string text, const std::string& section, const std::string& key,
                      const std::string& value) {
  const std::size_t start = text.find("[" + section + "]");
  const std::size_t line = text.find("\n" + key + "=", start);
  EXPECT_NE(start, std::string::npos);
  EXPECT_NE(line, std::string::npos);
  const std::size_t end = text.find('\n', line + 1);
  return text.replace(line + 1, end - line - 1, key + "=" + value);
}

class FlightWorthiness : public AuthoringFixture {
 protected:
  std::vector<authoring::WorthinessFinding> Assess(const std::string& text) {
    root_.WriteAircraft(kName, text);
    root_.WriteFlightPlan("Circuit", ExampleText("FlightPlans/Circuit"));
    return authoring::AssessFlightWorthiness(
        CreateAircraft(kName), authoring::ReadWorthinessInputs(root_.path().string(), kName));
  }

  TestRoot root_;
};

TEST_F(FlightWorthiness, TheExampleHasNoFinding) {
  for (const auto& finding : Assess(ExampleText("Kestrel"))) {
    ADD_FAILURE() << finding.message;
  }
}

struct Edit {
  const char* section;
  const char* key;
  const char* value;
};

struct Fault {
  const char* name;
  Edit edits[2];               // a second edit with no section is none
  const char* findingSection;  // where the finding must point
  const char* words;           // and what it must say
};

class AFileMadeToHaveIt : public FlightWorthiness, public ::testing::WithParamInterface<Fault> {};

TEST_P(AFileMadeToHaveIt, IsFoundWithItsNumbers) {
  const Fault& fault = GetParam();
  std::string text = ExampleText("Kestrel");
  for (const Edit& edit : fault.edits) {
    if (edit.section != nullptr) {
      text = WithValue(text, edit.section, edit.key, edit.value);
    }
  }
  // The fault's own finding must be there; others may follow from it (an unstable aircraft
  // also trims far from where it flies).
  std::string all;
  bool found = false;
  for (const auto& finding : Assess(text)) {
    all += finding.message + "\n";
    found = found || (finding.section == fault.findingSection &&
                      finding.message.find(fault.words) != std::string::npos);
  }
  EXPECT_TRUE(found) << all;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AFileMadeToHaveIt,
    ::testing::Values(
        Fault{"WingAheadOfTheCentreOfGravity",
              {{"WING", "OFFSET", "(0,0,1.5)"}, {}},
              "VLIFT",
              "statically unstable"},
        Fault{"WeakElevatorFarFromTrim",
              {{"WING", "OFFSET", "(0,0,-3)"}, {"ELEVATOR", "LIFT", "0.05"}},
              "ELEVATOR",
              "no trim within the elevator"},
        Fault{"WeakEngine",
              {{"CONFIG", "MAIN_THRUST", "3000"}, {"CONFIG", "BURN_THRUST", "0"}},
              "CONFIG",
              "cannot hold level flight"},
        Fault{"ShallowBank", {{"AUTOPILOT", "MAX_BANK", "4"}, {}}, "AUTOPILOT", "turns too wide"},
        Fault{"TrimmedFarFromThePlansSpeeds",
              {{"WING", "OFFSET", "(0,0,-1.0)"}, {}},
              "VLIFT",
              "altitude hold settles about"}),
    [](const ::testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

class HoldPrediction : public FlightWorthiness,
                       public ::testing::WithParamInterface<std::pair<const char*, double>> {};

// The altitude error predicted for a plan's leg is the one the autopilot then keeps.
TEST_P(HoldPrediction, TheAltitudeHoldSettlesWherePredicted) {
  const auto& [wingOffset, speed] = GetParam();
  const double altitude = 3000.0;
  root_.WriteAircraft(kName, WithValue(ExampleText("Kestrel"), "WING", "OFFSET", wingOffset));
  vantor::VesselRecord& assessed = CreateAircraft(kName);
  authoring::TrimSolver solver(assessed);
  // The plan's throttle is the one that flies level at the speed, whatever the engine gives.
  const double throttle = solver.Solve(authoring::Condition{altitude, speed, 0.0, 1.0}).throttle;
  std::ostringstream plan;
  plan << "[WAYPOINT_0]\nDESCRIPTION=Far north\nPOSITION=(10,47," << altitude
       << ")\nTHROTTLE=" << throttle << "\nPROXIMITY=2000\nCourse=360\n";
  root_.WriteFlightPlan("Far", plan.str());
  const authoring::LegHold hold = authoring::PredictLegHold(
      solver, authoring::ReadWorthinessInputs(root_.path().string(), kName),
      authoring::PlanLeg{altitude, throttle});
  vantor::sim::DeleteVessel(assessed);
  ASSERT_TRUE(hold.flown);

  std::ostringstream scenario;
  scenario << kName << ":aircraft\nSTATUS Flying\nPOS 10 45\nALT " << altitude << "\nHDG 0\nSPEED "
           << hold.speed << "\nFUEL 1\nTHROTTLE " << throttle
           << "\nSEQ 0 -1 0\nAUTOPILOT 1\nALTITUDE " << altitude
           << "\nHEADING 0\nFLIGHTPLAN Far\nWAYPOINT 0\nEND\n";
  vantor::VesselRecord& aircraft =
      *vantor::sim::LoadScenario(vantor::sim::ParseScenario(scenario.str(), "test"), "test")
           .front();
  Run(300.0, [](double) {});
  double sum = 0.0;
  int samples = 0;
  Run(100.0, [&](double) {
    sum += altitude - aircraft.state.altitude;
    ++samples;
  });
  EXPECT_NEAR(sum / samples, hold.offset, 0.25 * std::abs(hold.offset) + 10.0);
}

INSTANTIATE_TEST_SUITE_P(ThreeTrims, HoldPrediction,
                         ::testing::Values(std::make_pair("(0,0,-0.3)", 215.0),
                                           std::make_pair("(0,0,-0.6)", 190.0),
                                           std::make_pair("(0,0,-0.1)", 190.0)));

}  // namespace
