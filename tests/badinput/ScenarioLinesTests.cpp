// Bad scenario lines: a line the module cannot read leaves its field as it was, values are
// brought into range where an index or a state depends on them, and whatever was loaded saves
// and loads back to the same lines.
#include <gmock/gmock.h>

#include <cmath>
#include <string>
#include <vector>

#include "BadInputFixture.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

// Two payloads and two sequences.
constexpr const char* kPlaneFile =
    "[PAYLOAD_0]\nMASS=10\n[PAYLOAD_1]\nMASS=10\n"
    "[ANIM_SEQ_0]\nKEY=G\nDURATION=1\n[ANIM_SEQ_1]\nKEY=H\nDURATION=1\n";

class ScenarioLines : public BadInputTest {
 protected:
  void SetUp() override {
    BadInputTest::SetUp();
    aircraft = &BadInputTest::SetUp("Plane", kPlaneFile);
  }
  const AnimationSequence& Sequence(int index) const {
    return aircraft->animations.sequences[index];
  }
  Aircraft* aircraft = nullptr;
};

TEST_F(ScenarioLines, PayloadIndexesOutsideTheListAreBroughtIntoIt) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"CURRENT_PAYLOAD -5", 0}, {"CURRENT_PAYLOAD 99", 2},
      {"CURRENT_PAYLOAD 1", 1},  {"CURRENT_PAYLOAD abc", 1},
      {"CURRENT_PAYLOAD", 1},    {"CURRENT_PAYLOAD 99999999999", 1},
      {"CURRENT_PAYLOAD 2", 2},  {"CURRENT_PAYLOAD -2147483648", 0},
  };
  for (const auto& [line, expected] : cases) {
    Load(*aircraft, {line});
    EXPECT_EQ(aircraft->payloads.currentPayload, expected) << line;
  }
}

TEST_F(ScenarioLines, SequenceLinesWithWrongValuesAreIgnoredOrBroughtIntoRange) {
  Load(*aircraft, {"SEQ 1 1 0.5"});
  ASSERT_EQ(Sequence(1).state, 0.5);
  // Too few values, no numbers, an index naming no sequence, NaN and infinities: ignored.
  for (const char* line : {"SEQ", "SEQ 1", "SEQ 1 -1", "SEQ a b c", "SEQ 2 1 0.25", "SEQ -1 1 0.25",
                           "SEQ 99999999999 1 0.25", "SEQ 1 1 nan", "SEQ 1 1 inf", "SEQ 1 1 1e400",
                           "SEQ 1 99999999999 0.25"}) {
    Load(*aircraft, {line});
    EXPECT_EQ(Sequence(1).state, 0.5) << line;
    EXPECT_EQ(Sequence(1).direction, 1) << line;
  }
  // Extra values are ignored; states beyond the ends are the ends; any direction is one of two.
  Load(*aircraft, {"SEQ 1 -1 0.25 7 8"});
  EXPECT_EQ(Sequence(1).state, 0.25);
  EXPECT_EQ(Sequence(1).direction, -1);
  Load(*aircraft, {"SEQ 1 7 5"});
  EXPECT_EQ(Sequence(1).state, 1.0);
  EXPECT_EQ(Sequence(1).direction, 1);
  Load(*aircraft, {"SEQ 1 0 -3"});
  EXPECT_EQ(Sequence(1).state, 0.0);
  EXPECT_EQ(Sequence(1).direction, -1);
  Load(*aircraft, {"SEQ 0 1 -0"});
  EXPECT_EQ(Sequence(0).state, 0.0);
  EXPECT_THAT(SaveModuleLines(*aircraft), Contains("SEQ 0 1 0.0000"));
}

TEST_F(ScenarioLines, TargetsThatAreNoFiniteNumbersAreIgnored) {
  Load(*aircraft, {"ALTITUDE 1200", "HEADING 45"});
  for (const char* line : {"ALTITUDE nan", "ALTITUDE inf", "ALTITUDE -1e400", "ALTITUDE",
                           "HEADING nan", "HEADING -inf", "HEADING 1e400", "HEADING x"}) {
    Load(*aircraft, {line});
    EXPECT_EQ(aircraft->autopilot.altitudeTarget, 1200.0) << line;
    EXPECT_EQ(aircraft->autopilot.headingTarget, 45.0) << line;
  }
  // The largest doubles are numbers: stored, and written in full.
  Load(*aircraft, {"ALTITUDE 1e308", "HEADING -1e308"});
  EXPECT_EQ(aircraft->autopilot.altitudeTarget, 1e308);
  const std::vector<std::string> saved = SaveModuleLines(*aircraft);
  Aircraft& other = BadInputTest::SetUp("Other", kPlaneFile);
  Load(other, saved);
  EXPECT_EQ(SaveModuleLines(other), saved);
}

TEST_F(ScenarioLines, AnAutopilotLineWithoutANumberChangesNothing) {
  Load(*aircraft, {"AUTOPILOT 1"});
  ASSERT_TRUE(aircraft->autopilot.autopilotEngaged);
  for (const char* line : {"AUTOPILOT", "AUTOPILOT on", "AUTOPILOT 99999999999"}) {
    Load(*aircraft, {line});
    EXPECT_TRUE(aircraft->autopilot.autopilotEngaged) << line;
  }
  Load(*aircraft, {"autopilot -7"});
  EXPECT_TRUE(aircraft->autopilot.bankHoldOn);
  Load(*aircraft, {"AUTOPILOT 0"});
  EXPECT_FALSE(aircraft->autopilot.headingHoldOn);
}

TEST_F(ScenarioLines, PlanNamesTooLongAreRefusedAndAnyWaypointIndexIsMendedByTheStep) {
  root_.WriteFlightPlan("Known", "[WAYPOINT_0]\nDESCRIPTION=A\nPOSITION=(1,2,3)\n");
  Load(*aircraft, {"FLIGHTPLAN Known", "WAYPOINT 99"});
  EXPECT_EQ(aircraft->flightPlan.count, 1);
  EXPECT_EQ(aircraft->flightPlan.current, 99);
  Load(*aircraft, {"FLIGHTPLAN " + std::string(100000, 'p'), "WAYPOINT -4"});
  EXPECT_STREQ(aircraft->flightPlan.name, "Known");
  EXPECT_EQ(aircraft->flightPlan.current, -4);
  // Saved as it stands; the flight-plan step brings it back to the first waypoint.
  EXPECT_THAT(SaveModuleLines(*aircraft), Contains("WAYPOINT -4"));
  aircraft->StepAircraft(1.0);
  EXPECT_EQ(aircraft->flightPlan.current, 0);
  // A name naming no file loads a plan without waypoints under that name.
  Load(*aircraft, {"FLIGHTPLAN Nowhere extra words"});
  EXPECT_STREQ(aircraft->flightPlan.name, "Nowhere");
  EXPECT_EQ(aircraft->flightPlan.count, 0);
}

TEST_F(ScenarioLines, HugeAndBinaryLinesGoToTheHostUntouched) {
  const std::string huge(100000, 'Z');
  const std::string binary("\x01\xff\x7f SEQ 1 1 1", 12);
  Load(*aircraft, {huge, binary, "", "   ", "SEQ" + huge});
  EXPECT_EQ(Sequence(1).state, 0.0);
  const auto& unknown = RecordOf(*aircraft).unknownScenarioLines;
  EXPECT_THAT(unknown, Contains(huge));
  EXPECT_THAT(unknown, Contains(binary));
}

// Found by fuzzing: the host's placement overflowed for angles near the largest double and for
// an altitude and a speed that large together, and wrote "nan" lines that did not read back.
TEST_F(ScenarioLines, HostLinesWithOverflowingFiguresNeverMakeTheStateNaN) {
  Load(*aircraft, {"STATUS Flying", "PITCH 1e308", "HDG -1e308", "BANK 1.7e308"});
  const vantor::FlightState& state = RecordOf(*aircraft).state;
  EXPECT_TRUE(std::isfinite(state.pitch) && std::isfinite(state.heading) &&
              std::isfinite(state.bank));
  Load(*aircraft, {"ALT 1e308", "SPEED 1e308"});
  EXPECT_TRUE(std::isfinite(state.altitude) && std::isfinite(state.airspeed));
  Load(*aircraft, {"ALT 2000"});
  EXPECT_NEAR(state.altitude, 2000.0, 1e-6);
  vantor::ScenarioStream stream;
  aircraft->SaveState(&stream);
  for (const std::string& line : stream.written) {
    EXPECT_EQ(line.find("nan"), std::string::npos) << line;
  }
}

TEST_F(ScenarioLines, WhatWasLoadedSavesAndLoadsBackToTheSameLines) {
  Load(*aircraft, {"CURRENT_PAYLOAD 7", "SEQ 0 -5 0.123456", "AUTOPILOT 3", "ALTITUDE -0.7",
                   "HEADING -0", "FLIGHTPLAN Nowhere", "WAYPOINT 2147483647"});
  const std::vector<std::string> saved = SaveModuleLines(*aircraft);
  EXPECT_THAT(saved, ElementsAre("CURRENT_PAYLOAD 2", "SEQ 0 -1 0.1235", "SEQ 1 -1 0.0000",
                                 "AUTOPILOT 1", "ALTITUDE 0", "HEADING -0.00", "FLIGHTPLAN Nowhere",
                                 "WAYPOINT 2147483647"));
  Aircraft& other = BadInputTest::SetUp("Other", kPlaneFile);
  Load(other, saved);
  EXPECT_EQ(SaveModuleLines(other), saved);
}

}  // namespace
