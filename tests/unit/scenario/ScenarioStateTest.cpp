// The aircraft's scenario lines: what SaveState writes and what LoadState restores.
#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "frame/Aircraft.h"
#include "support/TestRoot.h"
#include "unit/AircraftFixture.h"
#include "vantor/sim/ScenarioStream.h"

namespace {

namespace host = vantor::testing;
using ::testing::ElementsAre;

class ScenarioStateTest : public AircraftFixture {
 protected:
  void AddSequences(int count) {
    for (int i = 0; i < count; ++i) {
      AnimationSequence& sequence = a().animations.sequences[a().animations.sequenceCount++];
      sequence.duration = 1.0;
      sequence.animation = a().CreateAnimation(0.0);
    }
  }

  // Every line SaveState wrote, the host's first.
  std::vector<std::string> SaveAll() {
    vantor::ScenarioStream stream;
    a().SaveState(&stream);
    return stream.written;
  }

  // The module's lines: everything from CURRENT_PAYLOAD on.
  std::vector<std::string> SaveModuleLines() {
    std::vector<std::string> lines = SaveAll();
    const auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
      return line.rfind("CURRENT_PAYLOAD ", 0) == 0;
    });
    return std::vector<std::string>(first, lines.end());
  }

  std::string SavedLine(const char* keyword) {
    for (const std::string& line : SaveModuleLines()) {
      if (line.rfind(std::string(keyword) + " ", 0) == 0) {
        return line;
      }
    }
    return "";
  }

  void Load(std::vector<std::string> lines) {
    vantor::ScenarioStream stream;
    stream.lines = std::move(lines);
    a().LoadState(&stream, nullptr);
  }
};

TEST_F(ScenarioStateTest, SaveWritesTheModuleLinesInOrderAfterTheHostLines) {
  AddSequences(3);
  a().animations.sequences[0].direction = 1;
  a().animations.sequences[0].state = 1.0;
  a().animations.sequences[2].direction = -1;
  a().animations.sequences[2].state = 0.375;
  a().payloads.payloadCount = 2;
  a().payloads.currentPayload = 1;

  const std::vector<std::string> all = SaveAll();
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all.front().rfind("STATUS ", 0), 0u);
  EXPECT_THAT(SaveModuleLines(),
              ElementsAre("CURRENT_PAYLOAD 1", "SEQ 0 1 1.0000", "SEQ 1 -1 0.0000",
                          "SEQ 2 -1 0.3750", "AUTOPILOT 0", "ALTITUDE 10000", "HEADING 180.00"));
}

TEST_F(ScenarioStateTest, SaveCutsTheAltitudeTowardZeroAndRoundsTheHeading) {
  const std::pair<double, const char*> altitudes[] = {{10000.9, "ALTITUDE 10000"},
                                                      {-5.7, "ALTITUDE -5"},
                                                      {-0.7, "ALTITUDE 0"},
                                                      {812.75, "ALTITUDE 812"},
                                                      {5e9, "ALTITUDE 5000000000"}};
  for (const auto& [target, line] : altitudes) {
    a().autopilot.altitudeTarget = target;
    EXPECT_EQ(SavedLine("ALTITUDE"), line);
  }
  a().autopilot.headingTarget = 180.0;
  EXPECT_EQ(SavedLine("HEADING"), "HEADING 180.00");
  a().autopilot.headingTarget = 359.996;
  EXPECT_EQ(SavedLine("HEADING"), "HEADING 360.00");
}

TEST_F(ScenarioStateTest, SaveWritesThePlanAndWaypointOnlyWithAPlanName) {
  a().flightPlan.current = 3;
  for (const std::string& line : SaveModuleLines()) {
    EXPECT_EQ(line.find("FLIGHTPLAN"), std::string::npos);
    EXPECT_EQ(line.find("WAYPOINT"), std::string::npos);
  }
  std::snprintf(a().flightPlan.name, sizeof a().flightPlan.name, "Circuit");
  const std::vector<std::string> lines = SaveModuleLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "FLIGHTPLAN Circuit");
  EXPECT_EQ(lines.back(), "WAYPOINT 3");
}

TEST_F(ScenarioStateTest, OnlyTheMasterSwitchIsSavedForTheAutopilot) {
  a().autopilot.altitudeHoldOn = true;  // as key 3 alone leaves it
  EXPECT_EQ(SavedLine("AUTOPILOT"), "AUTOPILOT 0");
  Load({"AUTOPILOT 0"});
  EXPECT_FALSE(a().autopilot.altitudeHoldOn);
  EXPECT_FALSE(a().autopilot.headingHoldOn);
  EXPECT_FALSE(a().autopilot.bankHoldOn);
}

TEST_F(ScenarioStateTest, LoadMatchesKeywordPrefixesInAnyCase) {
  a().payloads.payloadCount = 3;
  Load({"autopilot 1", "Altitude 812.75", "heading\t90.5", "current_payload 2"});
  EXPECT_TRUE(a().autopilot.autopilotEngaged);
  EXPECT_TRUE(a().autopilot.altitudeHoldOn);
  EXPECT_TRUE(a().autopilot.headingHoldOn);
  EXPECT_TRUE(a().autopilot.bankHoldOn);
  EXPECT_EQ(record_->adCtrlMode, 0u);
  EXPECT_EQ(record_->attitudeMode, 0);
  EXPECT_EQ(a().autopilot.altitudeTarget, 812.75);
  EXPECT_EQ(a().autopilot.headingTarget, 90.5);
  EXPECT_EQ(a().payloads.currentPayload, 2);
  EXPECT_EQ(SavedLine("ALTITUDE"), "ALTITUDE 812");

  // The keyword only has to start the line.
  Load({"ALTITUDE_TARGET 1500"});
  EXPECT_EQ(a().autopilot.altitudeTarget, 812.75);  // "_TARGET 1500" is no number
  Load({"ALTITUDE1500"});
  EXPECT_EQ(a().autopilot.altitudeTarget, 1500.0);
}

TEST_F(ScenarioStateTest, AutopilotOffMakesNoHostCalls) {
  a().autopilot.autopilotEngaged = true;
  a().autopilot.headingHoldOn = true;
  record_->adCtrlMode = 3;
  Load({"AUTOPILOT 0"});
  EXPECT_FALSE(a().autopilot.autopilotEngaged);
  EXPECT_FALSE(a().autopilot.headingHoldOn);
  EXPECT_EQ(record_->adCtrlMode, 3u);
}

TEST_F(ScenarioStateTest, UnreadableValuesLeaveTheirFields) {
  a().autopilot.autopilotEngaged = true;
  a().autopilot.headingHoldOn = true;
  a().flightPlan.current = 4;
  Load({"AUTOPILOT", "AUTOPILOT on", "ALTITUDE", "HEADING nan", "ALTITUDE inf",
        "WAYPOINT 99999999999", "CURRENT_PAYLOAD x"});
  EXPECT_TRUE(a().autopilot.autopilotEngaged);
  EXPECT_TRUE(a().autopilot.headingHoldOn);
  EXPECT_EQ(a().autopilot.altitudeTarget, 10000.0);
  EXPECT_EQ(a().autopilot.headingTarget, 180.0);
  EXPECT_EQ(a().flightPlan.current, 4);
  EXPECT_EQ(a().payloads.currentPayload, 0);
}

TEST_F(ScenarioStateTest, CurrentPayloadIsClampedToThePayloadList) {
  a().payloads.payloadCount = 2;
  Load({"CURRENT_PAYLOAD 7"});
  EXPECT_EQ(a().payloads.currentPayload, 2);
  Load({"CURRENT_PAYLOAD -3"});
  EXPECT_EQ(a().payloads.currentPayload, 0);
}

TEST_F(ScenarioStateTest, SequenceLinesRestoreDirectionStateAndAnimation) {
  AddSequences(3);
  Load({"SEQ 1 -1 0.5"});
  const AnimationSequence& sequence = a().animations.sequences[1];
  EXPECT_EQ(sequence.direction, -1);
  EXPECT_EQ(sequence.state, 0.5);
  EXPECT_EQ(sequence.target, 0.5);
  EXPECT_FALSE(sequence.busy);
  EXPECT_EQ(record_->animations[sequence.animation].state, 0.5);

  Load({"seq 2 1 1.7", "SEQ 0 0 -0.2"});
  EXPECT_EQ(a().animations.sequences[2].direction, 1);
  EXPECT_EQ(a().animations.sequences[2].state, 1.0);
  EXPECT_EQ(a().animations.sequences[0].direction, -1);
  EXPECT_EQ(a().animations.sequences[0].state, 0.0);
}

// Restored flaps lift: the flaps sequence sets the flap surface, as its moves do.
TEST_F(ScenarioStateTest, ARestoredFlapsSequenceDeflectsTheFlapSurface) {
  AddSequences(2);
  a().animations.links.flapsSequence = 1;
  Load({"SEQ 1 1 0.5"});
  EXPECT_EQ(record_->controlLevels[AIRCTRL_FLAP], -0.5);
  EXPECT_EQ(a().animations.sequences[1].state, 0.5);
  EXPECT_EQ(record_->animations[a().animations.sequences[1].animation].state, 0.0);
}

TEST_F(ScenarioStateTest, SequenceLinesNamingNoSequenceOrIncompleteAreIgnored) {
  AddSequences(2);
  a().animations.sequences[1].state = 0.25;
  Load({"SEQ 2 1 1.0", "SEQ -1 1 1.0", "SEQ 10 1 1.0", "SEQ 1000000 1 1", "SEQ 1 1", "SEQ 1 1 x",
        "SEQ", "SEQ 1 1 nan"});
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(a().animations.sequences[i].direction, -1);
  }
  EXPECT_EQ(a().animations.sequences[1].state, 0.25);
  EXPECT_EQ(a().animations.sequences[2].state, 0.0);  // beyond the count: untouched
}

TEST_F(ScenarioStateTest, AWaypointBeforeThePlanIsOverriddenByTheLoader) {
  TestRoot root;
  root.WriteFlightPlan("Circuit",
                       "[WAYPOINT_0]\nDESCRIPTION=A\nPOSITION=(10,45,2000)\n"
                       "[WAYPOINT_1]\nDESCRIPTION=B\nPOSITION=(11,45,2000)\n"
                       "[WAYPOINT_2]\nDESCRIPTION=C\nPOSITION=(11,46,2000)\n");
  Load({"WAYPOINT 2", "FLIGHTPLAN Circuit"});
  EXPECT_STREQ(a().flightPlan.name, "Circuit");
  EXPECT_EQ(a().flightPlan.count, 3);
  EXPECT_EQ(a().flightPlan.current, 0);

  Load({"FLIGHTPLAN Circuit extra words", "WAYPOINT 2"});
  EXPECT_EQ(a().flightPlan.current, 2);

  // No plan line keeps the plan; an empty one loads nothing.
  Load({"FLIGHTPLAN", "AUTOPILOT 0"});
  EXPECT_STREQ(a().flightPlan.name, "Circuit");
  EXPECT_EQ(a().flightPlan.count, 3);
}

TEST_F(ScenarioStateTest, APlanNameLongerThanAPlanNameMayBeIsRefused) {
  TestRoot root;
  std::snprintf(a().flightPlan.name, sizeof a().flightPlan.name, "Circuit");
  a().flightPlan.current = 1;
  const std::string tooLong(64, 'P');
  Load({"FLIGHTPLAN " + tooLong, "FLIGHTPLAN " + std::string(300, 'Q')});
  EXPECT_STREQ(a().flightPlan.name, "Circuit");
  EXPECT_EQ(a().flightPlan.current, 1);
  EXPECT_NE(host::StatusLine(), "");

  const std::string longest(63, 'P');
  Load({"FLIGHTPLAN " + longest});
  EXPECT_EQ(a().flightPlan.name, longest);
}

TEST_F(ScenarioStateTest, EveryLineAlsoReachesTheHostParser) {
  host::EnableLog(true);
  Load({"AUTOPILOT 1", "ALT 2000", "SEQ 0 1 1", "MY_NOTE keep me", "POS 10 45"});
  host::EnableLog(false);
  const std::string log = host::LogText();
  for (const char* line :
       {"AUTOPILOT 1", "ALT 2000", "SEQ 0 1 1", "MY_NOTE keep me", "POS 10 45"}) {
    EXPECT_NE(log.find(std::string("ParseScenarioLineEx(\"") + line + "\""), std::string::npos)
        << line;
  }
  EXPECT_NEAR(record_->state.altitude, 2000.0, 1e-6);
  EXPECT_EQ(a().autopilot.altitudeTarget, 10000.0);  // ALT is the host's, not ALTITUDE
  EXPECT_NEAR(record_->state.longitude * 180.0 / std::numbers::pi, 10.0, 1e-9);
  EXPECT_NEAR(record_->state.latitude * 180.0 / std::numbers::pi, 45.0, 1e-9);
  EXPECT_THAT(record_->unknownScenarioLines, ElementsAre("MY_NOTE keep me"));
}

TEST_F(ScenarioStateTest, SavedLinesLoadIntoTheSameState) {
  AddSequences(2);
  a().animations.sequences[1].direction = 1;
  a().animations.sequences[1].state = 0.6;
  a().payloads.payloadCount = 4;
  a().payloads.currentPayload = 3;
  a().autopilot.autopilotEngaged = true;
  a().autopilot.altitudeTarget = 3500.0;
  a().autopilot.headingTarget = 271.25;
  const std::vector<std::string> saved = SaveModuleLines();

  aircraft_ = std::make_unique<Aircraft>(&host::CreateVesselRecord("X2"));
  AddSequences(2);
  a().payloads.payloadCount = 4;
  Load(saved);
  EXPECT_EQ(SaveModuleLines(), saved);
  EXPECT_TRUE(a().autopilot.bankHoldOn);
}

}  // namespace
