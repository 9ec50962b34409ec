// Bad keys and bad text typed into the input boxes: unknown keys are left to the host, numbers
// that are no finite numbers are refused, and nothing typed can overrun a buffer.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "BadInputFixture.h"

namespace {

namespace host = vantor::testing;

constexpr DWORD kKey7 = 8, kKey8 = 9, kKey9 = 10, kKey0 = 11, kKeyS = 31, kKeyJ = 36, kKeyL = 38;

class Keys : public BadInputTest {
 protected:
  void SetUp() override {
    BadInputTest::SetUp();
    aircraft = &BadInputTest::SetUp("Plane", "[PAYLOAD_0]\nMASS=10\n[ANIM_SEQ_0]\nKEY=*\n");
  }
  int Release(DWORD key) { return aircraft->ConsumeBufferedKey(key, false, keys); }
  // Opens the box with the key and answers it; the box's result.
  bool Answer(DWORD key, const std::string& text) {
    EXPECT_EQ(Release(key), 1);
    EXPECT_TRUE(host::InputBoxOpen());
    return host::AnswerInputBox(text.c_str());
  }

  Aircraft* aircraft = nullptr;
  char keys[256] = {};
};

TEST_F(Keys, UnknownKeyCodesAndAMissingKeyStateAreHandled) {
  for (DWORD key : {DWORD{0}, DWORD{255}, DWORD{256}, DWORD{0xFFFFFFFF}}) {
    EXPECT_EQ(Release(key), 0) << key;
  }
  // A sequence without a key ("*") is bound to no code, not to the code -1 would wrap to.
  EXPECT_EQ(Release(static_cast<DWORD>(-1)), 0);
  EXPECT_FALSE(aircraft->animations.sequences[0].busy);
  EXPECT_EQ(aircraft->ConsumeBufferedKey(kKeyS, false, nullptr), 1);
  EXPECT_EQ(aircraft->flightPlan.current, 1);
}

TEST_F(Keys, TargetBoxesRefuseNumbersThatAreNoFiniteNumbers) {
  aircraft->autopilot.altitudeTarget = 1500.0;
  aircraft->autopilot.headingTarget = 90.0;
  aircraft->autopilot.bankTarget = 5.0;
  for (const char* text : {"nan", "inf", "-inf", "1e400", "-1e400", "NaN(123)", "infinity"}) {
    EXPECT_FALSE(Answer(kKey8, text)) << text;
    EXPECT_FALSE(Answer(kKey9, text)) << text;
    EXPECT_EQ(aircraft->autopilot.altitudeTarget, 1500.0) << text;
    EXPECT_EQ(aircraft->autopilot.bankTarget, 5.0) << text;
    // The heading box took these as they came, and heading hold made NaN levels of them.
    EXPECT_FALSE(Answer(kKey7, text)) << text;
    EXPECT_EQ(aircraft->autopilot.headingTarget, 90.0) << text;
  }
  // -0 is a number; a text without one is 0; a long text is read for its leading number.
  EXPECT_TRUE(Answer(kKey8, "-0"));
  EXPECT_EQ(aircraft->autopilot.altitudeTarget, 0.0);
  EXPECT_TRUE(Answer(kKey8, "abc"));
  EXPECT_EQ(aircraft->autopilot.altitudeTarget, 0.0);
  // A hundred thousand digits make a number beyond a double: refused like 1e400.
  EXPECT_FALSE(Answer(kKey8, "2500" + std::string(100000, '7')));
  EXPECT_EQ(aircraft->autopilot.altitudeTarget, 0.0);
  EXPECT_TRUE(Answer(kKey8, "2500" + std::string(100000, ' ')));
  EXPECT_EQ(aircraft->autopilot.altitudeTarget, 2500.0);
  EXPECT_TRUE(Answer(kKey0, std::string(100000, 'x')));
}

TEST_F(Keys, APlanNameTooLongForThePlanIsRefused) {
  EXPECT_FALSE(Answer(kKeyL, std::string(100000, 'p')));
  EXPECT_STREQ(aircraft->flightPlan.name, "");
  EXPECT_TRUE(Answer(kKeyL, ""));
  EXPECT_EQ(aircraft->flightPlan.count, 0);
}

TEST_F(Keys, WaypointSkipStopsAtTheLargestIndexAndTheStepBringsItBack) {
  aircraft->flightPlan.current = INT_MAX;
  EXPECT_EQ(Release(kKeyS), 1);
  EXPECT_EQ(aircraft->flightPlan.current, INT_MAX);
  aircraft->StepAircraft(1.0);
  EXPECT_EQ(aircraft->flightPlan.current, 0);
}

TEST_F(Keys, PayloadReleaseBeyondTheListDoesNothing) {
  EXPECT_EQ(Release(kKeyJ), 1);
  EXPECT_EQ(aircraft->payloads.currentPayload, 1);
  const std::size_t vessels = host::FindVessel("Plane-payload-0") != nullptr ? 1 : 0;
  EXPECT_EQ(vessels, 1u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Release(kKeyJ), 1);
  }
  EXPECT_EQ(aircraft->payloads.currentPayload, 1);
  // A payload index restored out of range is brought back, so J never reads past the list.
  aircraft->payloads.currentPayload = -3;
  Load(*aircraft, {"CURRENT_PAYLOAD 50"});
  EXPECT_EQ(aircraft->payloads.currentPayload, 1);
}

}  // namespace
