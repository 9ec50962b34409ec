// The check's flight-worthiness findings: each on a file made to have it, none on the example.
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
  const auto findings = Assess(text);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].section, fault.findingSection);
  EXPECT_NE(findings[0].message.find(fault.words), std::string::npos) << findings[0].message;
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
        Fault{"ShallowBank", {{"AUTOPILOT", "MAX_BANK", "4"}, {}}, "AUTOPILOT", "turns too wide"}),
    [](const ::testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

}  // namespace
