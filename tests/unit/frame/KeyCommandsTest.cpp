// The pilot's keys and input boxes, on an aircraft whose records are set directly.
#include <array>
#include <memory>
#include <string>

#include "frame/Aircraft.h"
#include "support/TestRoot.h"
#include "unit/AircraftFixture.h"
#include "vantor/sim/Simulation.h"

namespace {

namespace host = vantor::testing;

constexpr DWORD kKey1 = 2, kKey2 = 3, kKey3 = 4, kKey4 = 5, kKey5 = 6, kKey7 = 8, kKey8 = 9,
                kKey9 = 10, kKey0 = 11, kKeyS = 31, kKeyJ = 36, kKeyL = 38, kKeyB = 48;

class KeyCommandsTest : public AircraftFixture {
 protected:
  // A press and its release, as the host delivers them; returns the release's result.
  int Tap(DWORD key) {
    EXPECT_EQ(a().ConsumeBufferedKey(key, true, keys_.data()), 0);
    return a().ConsumeBufferedKey(key, false, keys_.data());
  }

  void AddSequence(int key) {
    AnimationSequence& sequence = a().animations.sequences[a().animations.sequenceCount++];
    sequence.key = key;
    sequence.duration = 1.0;
    sequence.animation = a().CreateAnimation(0.0);
  }

  bool Channels(bool altitude, bool heading, bool bank) const {
    const AutopilotState& ap = aircraft_->autopilot;
    return ap.altitudeHoldOn == altitude && ap.headingHoldOn == heading && ap.bankHoldOn == bank;
  }

  std::array<char, 256> keys_{};
};

TEST_F(KeyCommandsTest, OnlyTheReleaseOfAKeyActs) {
  EXPECT_EQ(a().ConsumeBufferedKey(kKey1, true, keys_.data()), 0);
  EXPECT_FALSE(a().autopilot.autopilotEngaged);
  EXPECT_EQ(record_->adCtrlMode, 7u);

  EXPECT_EQ(a().ConsumeBufferedKey(kKey1, false, keys_.data()), 1);
  EXPECT_TRUE(a().autopilot.autopilotEngaged);
}

TEST_F(KeyCommandsTest, AnyHeldModifierLeavesTheKeyAlone) {
  for (int modifier : {42, 54, 29, 157, 56, 184}) {
    keys_.fill(0);
    keys_[static_cast<std::size_t>(modifier)] = static_cast<char>(0x80);
    EXPECT_EQ(Tap(kKey1), 0) << "modifier " << modifier;
    EXPECT_EQ(Tap(kKeyS), 0) << "modifier " << modifier;
  }
  EXPECT_FALSE(a().autopilot.autopilotEngaged);
  EXPECT_EQ(a().flightPlan.current, 0);

  // Only the high bit means held; other scan codes held change nothing.
  keys_.fill(0);
  keys_[42] = 0x01;
  keys_[30] = static_cast<char>(0x80);
  EXPECT_EQ(Tap(kKey1), 1);
  EXPECT_TRUE(a().autopilot.autopilotEngaged);
  EXPECT_EQ(a().ConsumeBufferedKey(kKey3, false, nullptr), 1);
}

TEST_F(KeyCommandsTest, ASequenceKeyComesBeforeTheBrakeAndFixedKeys) {
  a().ground.brakeKey = kKeyB;
  AddSequence(30);
  AddSequence(kKeyB);
  AddSequence(kKeyB);
  AddSequence(kKey1);

  EXPECT_EQ(Tap(kKeyB), 1);
  EXPECT_TRUE(a().animations.sequences[1].busy);
  EXPECT_FALSE(a().animations.sequences[2].busy);  // only the first bound sequence
  EXPECT_EQ(record_->wheelbrakeLevels[0], 0.0);
  EXPECT_EQ(host::StatusLine(), "");

  EXPECT_EQ(Tap(kKey1), 1);
  EXPECT_TRUE(a().animations.sequences[3].busy);
  EXPECT_FALSE(a().autopilot.autopilotEngaged);

  // Unbound ("*" and none) sequences answer no key.
  a().animations.sequences[0].key = -1;
  a().ground.brakeKey = 0;
  EXPECT_EQ(a().ConsumeBufferedKey(0, false, keys_.data()), 0);
  EXPECT_EQ(a().ConsumeBufferedKey(0xFFFFFFFFu, false, keys_.data()), 0);
}

TEST_F(KeyCommandsTest, TheBrakeKeyTogglesTheLevelAndSaysSo) {
  a().ground.brakeKey = kKeyB;
  EXPECT_EQ(Tap(kKeyB), 1);
  EXPECT_EQ(record_->wheelbrakeLevels[0], 1.0);
  EXPECT_EQ(record_->wheelbrakeLevels[1], 1.0);
  EXPECT_EQ(host::StatusLine(), "Brakes On");

  EXPECT_EQ(Tap(kKeyB), 1);
  EXPECT_EQ(record_->wheelbrakeLevels[0], 0.0);
  EXPECT_EQ(host::StatusLine(), "Brakes Off");

  record_->wheelbrakeLevels[0] = record_->wheelbrakeLevels[1] = 0.25;
  EXPECT_EQ(Tap(kKeyB), 1);
  EXPECT_EQ(record_->wheelbrakeLevels[0], 0.75);
  EXPECT_EQ(record_->wheelbrakeLevels[1], 0.75);
  EXPECT_EQ(host::StatusLine(), "Brakes Off");
}

TEST_F(KeyCommandsTest, KeyOneSwitchesTheAutopilotWithTheHostModes) {
  EXPECT_EQ(Tap(kKey1), 1);
  EXPECT_TRUE(a().autopilot.autopilotEngaged);
  EXPECT_TRUE(Channels(true, true, true));
  EXPECT_EQ(record_->adCtrlMode, 0u);
  EXPECT_EQ(record_->attitudeMode, 0);

  a().autopilot.bankHoldOn = false;
  EXPECT_EQ(Tap(kKey1), 1);
  EXPECT_FALSE(a().autopilot.autopilotEngaged);
  EXPECT_TRUE(Channels(false, false, false));
  EXPECT_EQ(record_->adCtrlMode, 7u);
  EXPECT_EQ(record_->attitudeMode, 1);
}

TEST_F(KeyCommandsTest, KeysTwoToFourSwitchChannelsButNotTheMasterSwitch) {
  a().autopilot.altitudeHoldOn = true;
  EXPECT_EQ(Tap(kKey2), 1);  // heading hold was off: all on
  EXPECT_TRUE(Channels(true, true, true));
  EXPECT_EQ(Tap(kKey2), 1);
  EXPECT_TRUE(Channels(false, false, false));
  EXPECT_FALSE(a().autopilot.autopilotEngaged);
  EXPECT_EQ(record_->adCtrlMode, 7u);
  EXPECT_EQ(record_->attitudeMode, 1);

  EXPECT_EQ(Tap(kKey3), 1);
  EXPECT_TRUE(Channels(true, false, false));
  EXPECT_EQ(Tap(kKey4), 1);
  EXPECT_TRUE(Channels(true, false, true));
  EXPECT_EQ(Tap(kKey3), 1);
  EXPECT_TRUE(Channels(false, false, true));

  EXPECT_EQ(Tap(kKey5), 0);  // no key switches heading hold alone
  EXPECT_TRUE(Channels(false, false, true));
}

TEST_F(KeyCommandsTest, SkipAndReleaseKeysAreConsumedEvenWithNothingToDo) {
  EXPECT_EQ(Tap(kKeyS), 1);
  EXPECT_EQ(Tap(kKeyS), 1);
  EXPECT_EQ(a().flightPlan.current, 2);  // no plan: the flight-plan step will wrap it

  const std::size_t vessels = vantor::sim::Vessels().size();
  EXPECT_EQ(Tap(kKeyJ), 1);
  EXPECT_EQ(vantor::sim::Vessels().size(), vessels);
  EXPECT_EQ(a().payloads.currentPayload, 0);

  a().payloads.payloadCount = 1;
  a().payloads.currentPayload = 1;  // the only payload already gone
  EXPECT_EQ(Tap(kKeyJ), 1);
  EXPECT_EQ(vantor::sim::Vessels().size(), vessels);
}

TEST_F(KeyCommandsTest, TheTargetBoxesSetTheirTargets) {
  EXPECT_EQ(Tap(kKey7), 1);
  ASSERT_TRUE(host::InputBoxOpen());
  EXPECT_EQ(host::InputBoxTitle(), "Heading in Degrees");
  EXPECT_TRUE(host::AnswerInputBox("270.5 deg"));
  EXPECT_EQ(a().autopilot.headingTarget, 270.5);
  EXPECT_FALSE(host::InputBoxOpen());

  EXPECT_EQ(Tap(kKey8), 1);
  EXPECT_EQ(host::InputBoxTitle(), "Altitude in Metres");
  EXPECT_TRUE(host::AnswerInputBox("high"));
  EXPECT_EQ(a().autopilot.altitudeTarget, 0.0);

  EXPECT_EQ(Tap(kKey9), 1);
  EXPECT_EQ(host::InputBoxTitle(), "Wing Level angle in +- Degrees");
  EXPECT_TRUE(host::AnswerInputBox("-15"));
  EXPECT_EQ(a().autopilot.bankTarget, -15.0);

  EXPECT_EQ(Tap(kKey0), 1);
  EXPECT_EQ(host::InputBoxTitle(), "Pitch Level in +- Degrees");
  EXPECT_TRUE(host::AnswerInputBox("5"));
  EXPECT_EQ(a().autopilot.headingTarget, 270.5);
  EXPECT_EQ(a().autopilot.altitudeTarget, 0.0);
  EXPECT_EQ(a().autopilot.bankTarget, -15.0);
}

TEST_F(KeyCommandsTest, TheFlightPlanBoxLoadsThePlanNamed) {
  TestRoot root;
  root.WriteFlightPlan("Circuit",
                       "[WAYPOINT_0]\nDESCRIPTION=North\nPOSITION=(10,45.5,2000)\n"
                       "[WAYPOINT_1]\nDESCRIPTION=East\nPOSITION=(10.5,45.5,2000)\n");
  a().flightPlan.current = 1;
  EXPECT_EQ(Tap(kKeyL), 1);
  EXPECT_EQ(host::InputBoxTitle(), "Flight Plan Name");
  EXPECT_TRUE(host::AnswerInputBox("Circuit"));
  EXPECT_STREQ(a().flightPlan.name, "Circuit");
  EXPECT_EQ(a().flightPlan.count, 2);
  EXPECT_EQ(a().flightPlan.current, 0);
}

}  // namespace
