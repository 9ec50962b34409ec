// The call log's grammar: what users and baseline logs compare against.
#include <gmock/gmock.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "support/HostFixture.h"
#include "vantor/Vantor.h"

namespace {

using ::testing::HasSubstr;
using vantor::testing::CreateVesselRecord;
using vantor::testing::EnableLog;
using vantor::testing::LogText;

class CallLogTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    record_ = &CreateVesselRecord("X1");
    vessel_ = std::make_unique<VESSEL>(record_);
    EnableLog(true);
  }
  vantor::VesselRecord* record_ = nullptr;
  std::unique_ptr<VESSEL> vessel_;
};

void Coefficients(double, double, double, double* cl, double* cm, double* cd) {
  *cl = *cm = *cd = 0.0;
}
bool Answer(void*, char*, void*) {
  return true;
}
bool AnswerLoudly(void*, char* text, void*) {
  std::snprintf(vapiDebugString(), VAPI_DEBUG_STRING_SIZE, "got %s", text);
  return true;
}

TEST_F(CallLogTest, DoublesAreWrittenInTheirShortestRoundTripForm) {
  vessel_->SetSize(12.5);
  vessel_->SetEmptyMass(-4.35);
  vessel_->SetCOG_elev(0.1);
  vessel_->SetTrimScale(1e20);
  vessel_->SetPitchMomentScale(1.0 / 3.0);
  vessel_->SetBankMomentScale(0.0);
  EXPECT_EQ(LogText(),
            "SetSize(12.5)\nSetEmptyMass(-4.35)\nSetCOG_elev(0.1)\nSetTrimScale(1e+20)\n"
            "SetPitchMomentScale(0.3333333333333333)\nSetBankMomentScale(0)\n");
}

TEST_F(CallLogTest, VectorsTextsBooleansAndResultsFollowTheGrammar) {
  vessel_->SetCrossSections(MakeVector(1, -2.5, 3));
  vessel_->AddMesh("a \"quoted\" \\ name\n\x01", nullptr);
  vessel_->SetWheelbrakeLevel(1, 0, true);
  vessel_->GetWheelbrakeLevel(0);
  EXPECT_EQ(LogText(),
            "SetCrossSections((1, -2.5, 3))\n"
            "AddMesh(\"a \\\"quoted\\\" \\\\ name\\n\\x01\", null) -> 0\n"
            "SetWheelbrakeLevel(1, 0, true)\n"
            "GetWheelbrakeLevel(0) -> 1\n");
}

TEST_F(CallLogTest, HandlesAreNamedByKindAndCreationOrderAcrossVessels) {
  VESSEL other(&CreateVesselRecord("X2"));
  PROPELLANT_HANDLE tank = vessel_->CreatePropellantResource(100);
  THRUSTER_HANDLE first = vessel_->CreateThruster({0, 0, -1}, {0, 0, 1}, 1000, tank, 3000);
  THRUSTER_HANDLE second = other.CreateThruster({0, 0, 0}, {0, 0, 1}, 10, nullptr, 1);
  vessel_->CreateThrusterGroup(&first, 1, THGROUP_MAIN);
  other.CreateThrusterGroup(&second, 1, THGROUP_HOVER);
  const std::string log = LogText();
  EXPECT_THAT(log, HasSubstr("CreatePropellantResource(100, -1, 1) -> prop0\n"));
  EXPECT_THAT(log, HasSubstr("CreateThruster((0, 0, -1), (0, 0, 1), 1000, prop0, 3000, 0, "
                             "101400) -> th0\n"));
  EXPECT_THAT(log, HasSubstr("CreateThruster((0, 0, 0), (0, 0, 1), 10, null, 1, 0, 101400) -> "
                             "th1\n"));
  EXPECT_THAT(log, HasSubstr("CreateThrusterGroup([th0], 1, THGROUP_MAIN) -> thg0\n"));
  EXPECT_THAT(log, HasSubstr("CreateThrusterGroup([th1], 1, THGROUP_HOVER) -> thg1\n"));
}

TEST_F(CallLogTest, CallbacksAndPointersAreNamedByFirstAppearance) {
  double state = 0.0;
  int context = 0;
  vessel_->CreateAirfoil(LIFT_VERTICAL, {0, 0, 0}, Coefficients, 2, 20, 7);
  vessel_->CreateAirfoil(LIFT_HORIZONTAL, {0, 0, -5}, Coefficients, 1, 3, 1.5);
  vessel_->CreateVariableDragElement(&state, 2, {0, -1, 0});
  vapiOpenInputBox("Heading", Answer, "", 20, &context);
  vessel_->CreateVariableDragElement(&state, 1, {0, 0, 0});
  EXPECT_EQ(LogText(),
            "CreateAirfoil(LIFT_VERTICAL, (0, 0, 0), fn0, 2, 20, 7) -> af0\n"
            "CreateAirfoil(LIFT_HORIZONTAL, (0, 0, -5), fn0, 1, 3, 1.5) -> af1\n"
            "CreateVariableDragElement(ptr0, 2, (0, -1, 0))\n"
            "vapiOpenInputBox(\"Heading\", fn1, \"\", 20, ptr1) -> true\n"
            "CreateVariableDragElement(ptr0, 1, (0, 0, 0))\n");
}

TEST_F(CallLogTest, TransformsAndAnimationNumbersAreWrittenInFull) {
  static const UINT groups[] = {3, 4};
  MGROUP_ROTATE rotate(0, groups, 2, {1, 2, 3}, {0, 0, 1}, 1.5f);
  MGROUP_TRANSLATE translate(1, nullptr, 0, {0, 0.5, 0});
  const UINT animation = vessel_->CreateAnimation(0.25);
  ANIMATIONCOMPONENT_HANDLE parent = vessel_->AddAnimationComponent(animation, 0, 1, &rotate);
  vessel_->AddAnimationComponent(animation, 0.5, 1, &translate, parent);
  vessel_->CreateControlSurface(AIRCTRL_ELEVATOR, 1.5, 1.2, {0, 0, -8}, AIRCTRL_AXIS_YPOS);
  vessel_->SetAnimation(NO_ANIMATION, 1);
  EXPECT_EQ(LogText(),
            "CreateAnimation(0.25) -> 0\n"
            "AddAnimationComponent(0, 0, 1, ptr0 ROTATE{mesh 0, groups [3, 4], ref (1, 2, 3), "
            "axis (0, 0, 1), angle 1.5}, null) -> ac0\n"
            "AddAnimationComponent(0, 0.5, 1, ptr1 TRANSLATE{mesh 1, groups [], shift (0, 0.5, "
            "0)}, ac0) -> ac1\n"
            "CreateControlSurface(AIRCTRL_ELEVATOR, 1.5, 1.2, (0, 0, -8), 4, NO_ANIMATION) -> "
            "cs0\n"
            "SetAnimation(NO_ANIMATION, 1) -> false\n");
}

TEST_F(CallLogTest, OutParametersAreShownAsResults) {
  record_->state.longitude = 0.5;
  record_->state.latitude = -0.25;
  record_->state.radius = 6371000;
  record_->state.heading = 1.5;
  double longitude = 0, latitude = 0, radius = 0, heading = 0;
  vessel_->GetEquPos(longitude, latitude, radius);
  vapiGetFocusHeading(&heading);
  VESSELSTATUS status{};
  vessel_->GetStatus(status);
  const std::string log = LogText();
  EXPECT_THAT(log, HasSubstr("GetEquPos() -> (0.5, -0.25, 6371000)\n"));
  EXPECT_THAT(log, HasSubstr("vapiGetFocusHeading() -> (true, 1.5)\n"));
  EXPECT_THAT(log, HasSubstr("GetStatus() -> {position (0, 0, 0), velocity (0, 0, 0), "
                             "angularVelocity (0, 0, 0), rotation ((1, 0, 0), (0, 1, 0), "
                             "(0, 0, 1)), landed 0}\n"));
}

TEST_F(CallLogTest, NothingIsLoggedWhileDisabledAndResetRestartsTheNames) {
  EnableLog(false);
  vessel_->SetSize(1);
  vessel_->CreateDock({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
  EXPECT_EQ(LogText(), "");

  // Names follow creation order even for handles made while the log was off.
  EnableLog(true);
  vessel_->CreateDock({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
  EXPECT_THAT(LogText(), HasSubstr("-> dock1\n"));

  vantor::testing::ResetHost();
  EnableLog(true);
  VESSEL fresh(&CreateVesselRecord("X3"));
  fresh.CreateDock({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
  EXPECT_EQ(LogText(), "CreateDock((0, 0, 0), (0, 0, 1), (0, 1, 0)) -> dock0\n");
}

TEST_F(CallLogTest, AStreamedLogHandsOverEveryLineOnceAndKeepsNone) {
  const auto calls = [this] {
    for (int i = 0; i < 5000; ++i) {
      vessel_->SetSize(i + 0.5);
      double longitude = 0, latitude = 0, radius = 0;
      vessel_->GetEquPos(longitude, latitude, radius);
    }
  };
  calls();
  const std::string kept = LogText();
  vantor::testing::ClearLog();

  std::string streamed;
  bool wholeLines = true;
  std::size_t mostKept = 0;
  vantor::testing::StreamLog([&](std::string_view piece) {
    wholeLines = wholeLines && !piece.empty() && piece.back() == '\n';
    streamed += piece;
  });
  for (int round = 0; round < 4; ++round) {
    calls();
    mostKept = std::max(mostKept, LogText().size());
  }
  vantor::testing::StreamLog({});
  vessel_->SetSize(1);  // the log is off again

  EXPECT_EQ(streamed, kept + kept + kept + kept);
  EXPECT_TRUE(wholeLines);
  EXPECT_LT(mostKept, kept.size());
  EXPECT_EQ(LogText(), "");
}

TEST_F(CallLogTest, StatusBufferRequestsAreLogged) {
  std::snprintf(vapiDebugString(), VAPI_DEBUG_STRING_SIZE, "Brakes On");
  EXPECT_EQ(LogText(), "vapiDebugString() -> status\n");
  EXPECT_EQ(vantor::testing::StatusLine(), "Brakes On");
}

TEST_F(CallLogTest, AnsweringAnInputBoxIsMarkedWithItsCallback) {
  int context = 0;
  vapiOpenInputBox("Altitude", AnswerLoudly, "100", 8, &context);
  vantor::testing::AnswerInputBox("2000");
  EXPECT_EQ(LogText(),
            "vapiOpenInputBox(\"Altitude\", fn0, \"100\", 8, ptr0) -> true\n"
            "> fn0\n"
            "vapiDebugString() -> status\n"
            "status \"got 2000\"\n");
}

TEST_F(CallLogTest, CreatedVesselsAreNamedAndFailuresReturnNull) {
  VESSELSTATUS status{};
  status.position = {6371000, 0, 0};
  status.landed = 1;
  vapiCreateVessel("Pod", "", status);
  vapiCreateVessel("Pod", "", status);
  double heading = 0;
  vapiGetVesselHeading(vantor::testing::FindVessel("Pod"), &heading);
  EXPECT_EQ(LogText(),
            "vapiCreateVessel(\"Pod\", \"\", {position (6371000, 0, 0), velocity (0, 0, 0), "
            "angularVelocity (0, 0, 0), rotation ((0, 0, 0), (0, 0, 0), (0, 0, 0)), landed 1}) -> "
            "vessel:\"Pod\"\n"
            "vapiCreateVessel(\"Pod\", \"\", {position (6371000, 0, 0), velocity (0, 0, 0), "
            "angularVelocity (0, 0, 0), rotation ((0, 0, 0), (0, 0, 0), (0, 0, 0)), landed 1}) -> "
            "null\n"
            "vapiGetVesselHeading(vessel:\"Pod\") -> (true, 0)\n");
}

}  // namespace
