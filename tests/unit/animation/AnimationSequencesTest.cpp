#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "AnimationFixture.h"
#include "frame/StatusLine.h"

using vantor::testing::StatusLine;

namespace {

class SequenceTest : public AnimationFixture {};

TEST_F(SequenceTest, ListEndsAtFirstMissingKeyAndNamesAreCut) {
  Aircraft& a = Build(
      "[ANIM_SEQ_0]\nKEY=G\nINITIAL=0.25\nNAME=A very long name for a landing gear\n"
      "[ANIM_SEQ_1]\nKEY=*\n"
      "[ANIM_SEQ_2]\nKEY=g\n"
      "[ANIM_SEQ_3]\nKEY=H\n");
  ASSERT_EQ(a.animations.sequenceCount, 2);
  EXPECT_EQ(a.animations.sequences[0].key, 34);
  EXPECT_EQ(a.animations.sequences[1].key, -1);
  EXPECT_STREQ(a.animations.sequences[0].name, "A very long name for a ");
  EXPECT_STREQ(a.animations.sequences[1].name, "Sequence 1");
  ASSERT_EQ(record_->animations.size(), 3u);
  EXPECT_EQ(record_->animations[a.animations.sequences[0].animation].initialState, 0.25);
}

TEST_F(SequenceTest, NoSequencesWithoutTheFirstKey) {
  Aircraft& a = Build("[ANIM_SEQ_0]\nNAME=Gear\n[ANIM_SEQ_1]\nKEY=G\n");
  EXPECT_EQ(a.animations.sequenceCount, 0);
  EXPECT_EQ(record_->animations.size(), 1u);
}

TEST_F(SequenceTest, InitialStateDecidesTheFirstMove) {
  struct Case {
    const char* initial;
    const char* increment;
    int direction;
    double firstTarget;
  };
  const Case cases[] = {{"1", "1", 1, 0.0},    {"1", "0.25", 1, 0.75}, {"0.6", "1", 1, 1.0},
                        {"0.5", "1", -1, 0.0}, {"0.3", "1", -1, 0.0},  {"0", "1", -1, 1.0}};
  std::string config;
  for (int i = 0; i < 6; ++i) {
    config += "[ANIM_SEQ_" + std::to_string(i) + "]\nKEY=" + std::string(1, char('A' + i)) +
              "\nINITIAL=" + cases[i].initial + "\nINCREMENT=" + cases[i].increment + "\n";
  }
  Aircraft& a = Build(config);
  ASSERT_EQ(a.animations.sequenceCount, 6);
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(a.animations.sequences[i].direction, cases[i].direction);
    a.ToggleSequence(i);
    EXPECT_DOUBLE_EQ(a.animations.sequences[i].target, cases[i].firstTarget);
  }
}

TEST_F(SequenceTest, MoveTakesItsDurationAndAnnouncesOnce) {
  Aircraft& a = Build("[ANIM_SEQ_0]\nKEY=G\nDURATION=4\nNAME=Gear\n");
  const AnimationSequence& gear = a.animations.sequences[0];
  WriteStatusLine("-");
  a.ToggleSequence(0);
  StepFrom(10.0, 11.9);
  a.ToggleSequence(0);  // pressed again during the move: ignored
  EXPECT_DOUBLE_EQ(gear.target, 1.0);
  StepFrom(12.0, 13.9);
  EXPECT_TRUE(gear.busy);
  EXPECT_NEAR(gear.state, (3.9 + 0.001) / 4.0, 1e-9);
  EXPECT_EQ(record_->animations[gear.animation].state, gear.state);
  EXPECT_EQ(StatusLine(), "-");

  a.StepSequences(14.0);
  EXPECT_FALSE(gear.busy);
  EXPECT_EQ(gear.state, 1.0);
  EXPECT_EQ(StatusLine(), "Gear Deployed");
  WriteStatusLine("-");
  StepFrom(14.1, 20.0);
  EXPECT_EQ(StatusLine(), "-");

  a.ToggleSequence(0);
  StepFrom(30.0, 34.0);
  EXPECT_EQ(gear.state, 0.0);
  EXPECT_EQ(StatusLine(), "Gear Stowed");
}

TEST_F(SequenceTest, HalfIncrementsTakeTheFullDurationEach) {
  Aircraft& a = Build("[ANIM_SEQ_0]\nKEY=B\nDURATION=4\nINCREMENT=0.5\nNAME=Bay\n");
  const AnimationSequence& bay = a.animations.sequences[0];
  const struct {
    double target;
    const char* message;
  } moves[] = {
      {0.5, "Bay at 50%"}, {1.0, "Bay Deployed"}, {0.5, "Bay at 50%"}, {0.0, "Bay Stowed"}};
  double t = 100.0;
  for (const auto& move : moves) {
    SCOPED_TRACE(move.message);
    const double from = bay.state;
    a.ToggleSequence(0);
    StepFrom(t, t + 2.0);
    EXPECT_NEAR(bay.state, from + (move.target - from) * (2.001 / 4.0), 1e-9);
    StepFrom(t + 2.1, t + 3.9);
    EXPECT_TRUE(bay.busy);
    a.StepSequences(t + 4.0);
    EXPECT_EQ(bay.state, move.target);
    EXPECT_EQ(StatusLine(), move.message);
    t += 10.0;
  }
}

TEST_F(SequenceTest, MissingDurationCompletesAtOnceAndAnEmptyMoveSaysNothing) {
  Aircraft& a =
      Build("[ANIM_SEQ_0]\nKEY=D\nNAME=Door\n[ANIM_SEQ_1]\nKEY=E\nDURATION=4\nINCREMENT=0\n");
  WriteStatusLine("-");
  a.ToggleSequence(1);
  a.StepSequences(5.0);
  EXPECT_FALSE(a.animations.sequences[1].busy);
  EXPECT_EQ(StatusLine(), "-");

  a.ToggleSequence(0);
  a.StepSequences(5.0);
  EXPECT_FALSE(a.animations.sequences[0].busy);
  EXPECT_EQ(a.animations.sequences[0].state, 1.0);
  EXPECT_EQ(StatusLine(), "Door Deployed");
}

TEST_F(SequenceTest, StateThatIsNotANumberEndsStowed) {
  Aircraft& a = Build("[ANIM_SEQ_0]\nKEY=A\nDURATION=1\n");
  AnimationSequence& seq = a.animations.sequences[0];
  seq.state = seq.target = std::numeric_limits<double>::quiet_NaN();  // as a restore might leave it
  a.ToggleSequence(0);
  EXPECT_EQ(seq.target, 0.0);
  StepFrom(1.0, 2.0);
  EXPECT_EQ(seq.state, 0.0);
  EXPECT_EQ(StatusLine(), "Sequence 0 Stowed");
}

TEST_F(SequenceTest, FlapsSequenceDrivesTheFlapLevelInsteadOfItsAnimation) {
  Aircraft& a = Build("[ANIM_SEQ_0]\nKEY=F\nDURATION=2\nINITIAL=1\nNAME=Flaps\n[FLAPS]\nSEQ=0\n");
  const AnimationSequence& flaps = a.animations.sequences[0];
  EXPECT_EQ(flaps.state, 0.0);  // retracted whatever INITIAL said
  EXPECT_EQ(flaps.target, 0.0);
  vantor::testing::EnableLog(true);
  vantor::testing::ClearLog();
  a.ToggleSequence(0);
  StepFrom(1.0, 2.0);
  EXPECT_GT(flaps.state, 0.4);
  EXPECT_EQ(record_->controlLevels[AIRCTRL_FLAP], -flaps.state);
  StepFrom(2.1, 3.0);
  EXPECT_EQ(record_->controlLevels[AIRCTRL_FLAP], -1.0);
  EXPECT_EQ(StatusLine(), "Flaps Deployed");
  EXPECT_EQ(vantor::testing::LogText().find("SetAnimation"), std::string::npos);
  EXPECT_EQ(record_->animations[flaps.animation].state, 1.0);  // as created
}

TEST_F(SequenceTest, DragElementReadsTheSequenceStateInPlace) {
  Aircraft& a =
      Build("[ANIM_SEQ_0]\nKEY=B\nDURATION=1\nQFACTOR=2.5\nOFFSET=(0,1,2)\n[ANIM_SEQ_1]\nKEY=C\n");
  ASSERT_EQ(record_->dragElements.size(), 1u);
  const vantor::DragElementRecord& drag = record_->dragElements[0];
  EXPECT_EQ(drag.factor, 2.5);
  EXPECT_EQ(drag.ref.z, 2.0);
  a.ToggleSequence(0);
  StepFrom(0.5, 0.8);
  EXPECT_GT(*drag.state, 0.2);
  EXPECT_EQ(*drag.state, a.GetSequenceState(0));
}

TEST_F(SequenceTest, QueriesByIndexAndNameStayInsideTheList) {
  Aircraft& a = Build(
      "[ANIM_SEQ_0]\nKEY=A\nINITIAL=1\nNAME=Gear\n[ANIM_SEQ_1]\nKEY=B\nINITIAL=0.5\nNAME=Bay\n"
      "[ANIM_SEQ_2]\nKEY=C\nINITIAL=0.25\nNAME=Gear\n");
  AircraftInterface& api = a;  // other modules call through the table
  EXPECT_EQ(api.GetSequenceCount(), 3);
  char name[kSequenceNameSize] = "junk";
  api.GetSequenceName(1, name);
  EXPECT_STREQ(name, "Bay");
  EXPECT_EQ(api.GetSequenceState(2), 0.25);
  EXPECT_EQ(api.GetSequenceStateByName("Gear"), 1.0);  // the lower index wins
  EXPECT_EQ(api.GetSequenceStateByName("gear"), 0.0);
  EXPECT_EQ(api.GetSequenceStateByName(nullptr), 0.0);

  for (int index : {-1, 3, 10, 1000}) {
    SCOPED_TRACE(index);
    CopyText(name, "junk");
    api.GetSequenceName(index, name);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(api.GetSequenceState(index), 0.0);
    EXPECT_EQ(api.ToggleSequence(index), 0.0);
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(a.animations.sequences[i].busy);
  }
  EXPECT_EQ(api.ToggleSequence(1), 0.0);
  EXPECT_TRUE(a.animations.sequences[1].busy);
}

}  // namespace
