// The host's free functions: input boxes, vessel creation, focus and scenario streams.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/HostFixture.h"
#include "vantor/Vantor.h"
#include "vantor/sim/ScenarioStream.h"
#include "vantor/sim/Simulation.h"

namespace {

using namespace vantor::testing;

class ApiTest : public HostFixture {};

struct Answers {
  std::string text;
  int calls = 0;
  bool reopen = false;
};

bool Remember(void* /*box*/, char* text, void* context) {
  auto* answers = static_cast<Answers*>(context);
  answers->text = text;
  ++answers->calls;
  if (answers->reopen) {
    answers->reopen = false;
    vapiOpenInputBox("Again", Remember, "", 10, context);
  }
  return answers->text != "no";
}

TEST_F(ApiTest, AnInputBoxIsAnsweredOnceThroughItsCallbackWithItsContext) {
  Answers answers;
  EXPECT_FALSE(AnswerInputBox("ignored"));
  EXPECT_TRUE(vapiOpenInputBox("Altitude", Remember, "1000", 20, &answers));
  EXPECT_TRUE(InputBoxOpen());
  EXPECT_EQ(InputBoxTitle(), "Altitude");
  EXPECT_TRUE(AnswerInputBox("2500"));
  EXPECT_EQ(answers.text, "2500");
  EXPECT_FALSE(InputBoxOpen());
  EXPECT_FALSE(AnswerInputBox("again"));
  EXPECT_EQ(answers.calls, 1);

  // The callback may open the next box; its result is passed back.
  answers.reopen = true;
  vapiOpenInputBox("First", Remember, "", 10, &answers);
  EXPECT_FALSE(AnswerInputBox("no"));
  EXPECT_EQ(InputBoxTitle(), "Again");
  EXPECT_TRUE(AnswerInputBox("yes"));
  EXPECT_EQ(answers.calls, 3);
}

TEST_F(ApiTest, VesselCreationFailsForATakenNameAndWhenInjected) {
  VESSELSTATUS status{};
  status.position = {6371000, 0, 0};
  status.rotation[0][0] = status.rotation[1][1] = status.rotation[2][2] = 1;
  status.landed = 1;
  OBJHANDLE created = vapiCreateVessel("Pod", "no-such-class", status);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(FindVessel("Pod"), created);
  EXPECT_EQ(created->className, "no-such-class");
  EXPECT_EQ(created->module, nullptr);
  EXPECT_TRUE(created->state.groundContact);
  EXPECT_NEAR(created->state.altitude, 0, 1e-9);

  EXPECT_EQ(vapiCreateVessel("Pod", "other", status), nullptr);
  SetVesselCreationFails(true);
  EXPECT_EQ(vapiCreateVessel("Pod2", "plain", status), nullptr);
  EXPECT_EQ(FindVessel("Pod2"), nullptr);
  SetVesselCreationFails(false);
  EXPECT_NE(vapiCreateVessel("Pod2", "plain", status), nullptr);
  EXPECT_EQ(vapiCreateVessel(nullptr, "plain", status), nullptr);
  EXPECT_EQ(vapiCreateVessel("../escape", "../aircraft", status)->module, nullptr);
}

TEST_F(ApiTest, TheFirstVesselHasTheFocusUntilAnotherIsGivenIt) {
  double heading = -1;
  EXPECT_FALSE(vapiGetFocusHeading(&heading));
  vantor::VesselRecord& first = CreateVesselRecord("F1");
  vantor::VesselRecord& second = CreateVesselRecord("F2");
  first.state.heading = 1.0;
  second.state.heading = 2.0;
  EXPECT_TRUE(vapiGetFocusHeading(&heading));
  EXPECT_EQ(heading, 1.0);
  SetFocus(&second);
  EXPECT_TRUE(vapiGetFocusHeading(&heading));
  EXPECT_EQ(heading, 2.0);
  EXPECT_TRUE(vapiGetVesselHeading(&first, &heading));
  EXPECT_EQ(heading, 1.0);
  vantor::sim::DeleteVessel(second);
  EXPECT_TRUE(vapiGetFocusHeading(&heading));
  EXPECT_EQ(heading, 1.0);
  EXPECT_FALSE(vapiGetVesselHeading(&second, &heading));
}

TEST_F(ApiTest, ScenarioStreamsHandOutLinesAndCollectWrittenOnes) {
  vantor::ScenarioStream stream;
  stream.lines = {"SEQ 0 1 0.5", "", "END?"};
  char* line = nullptr;
  ASSERT_TRUE(vapiReadScenario_nextline(&stream, line));
  EXPECT_STREQ(line, "SEQ 0 1 0.5");
  line[0] = 'X';  // the module may cut the line it was handed
  ASSERT_TRUE(vapiReadScenario_nextline(&stream, line));
  EXPECT_STREQ(line, "");
  ASSERT_TRUE(vapiReadScenario_nextline(&stream, line));
  EXPECT_STREQ(line, "END?");
  EXPECT_FALSE(vapiReadScenario_nextline(&stream, line));
  EXPECT_EQ(stream.lines[0], "SEQ 0 1 0.5");
  EXPECT_FALSE(vapiReadScenario_nextline(nullptr, line));

  vapiWriteScenario_string(&stream, "AUTOPILOT", "1 0 0");
  vapiWriteScenario_string(&stream, "FLAG", nullptr);
  vapiWriteScenario_string(nullptr, "LOST", "1");
  ASSERT_EQ(stream.written.size(), 2u);
  EXPECT_EQ(stream.written[0], "AUTOPILOT 1 0 0");
  EXPECT_EQ(stream.written[1], "FLAG ");
}

TEST_F(ApiTest, ResetForgetsVesselsStatusBoxAndInjectedFailures) {
  CreateVesselRecord("R");
  std::snprintf(vapiDebugString(), VAPI_DEBUG_STRING_SIZE, "hello");
  Answers answers;
  vapiOpenInputBox("Box", Remember, "", 5, &answers);
  SetVesselCreationFails(true);
  ResetHost();
  EXPECT_EQ(FindVessel("R"), nullptr);
  EXPECT_EQ(StatusLine(), "");
  EXPECT_FALSE(InputBoxOpen());
  VESSELSTATUS status{};
  EXPECT_NE(vapiCreateVessel("R", "plain", status), nullptr);
}

}  // namespace
