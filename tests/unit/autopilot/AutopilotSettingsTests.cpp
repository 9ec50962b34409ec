// The AUTOPILOT section: defaults, the values read, and the values the laws cannot use.
#include <string>

#include "AutopilotFixture.h"
#include "frame/Text.h"

namespace {

class AutopilotSettingsTest : public AutopilotFixture {
 protected:
  const AutopilotState& Read(const std::string& section) {
    root->WriteAircraft("X1", "[AUTOPILOT]\n" + section);
    CopyText(aircraft->vessel.configPath, "./Config/Aircraft/X1.ini");
    aircraft->ReadAutopilotSettings();
    return aircraft->autopilot;
  }
};

void ExpectDefaults(const AutopilotState& ap) {
  EXPECT_EQ(ap.maxBank, 20.0);
  EXPECT_EQ(ap.dampBank, 5.0);
  EXPECT_EQ(ap.dampElevator, 5.0);
  EXPECT_EQ(ap.elevatorAssist.x, 0.01);
  EXPECT_EQ(ap.elevatorAssist.y, 0.005);
  EXPECT_EQ(ap.elevatorAssist.z, 1.5);
  EXPECT_EQ(ap.rateThreshold, 0.75);
  EXPECT_EQ(ap.rateOfClimb, 1000.0);
  EXPECT_EQ(ap.rateOfDescent, 1000.0);
  EXPECT_EQ(ap.pitchLimitUp, 30.0);
  EXPECT_EQ(ap.pitchLimitDown, 20.0);
  EXPECT_EQ(ap.elevatorLimit, 1.0);
  EXPECT_EQ(ap.rudderLimit, 0.0);
}

TEST_F(AutopilotSettingsTest, MissingKeysGiveTheDefaults) {
  aircraft->autopilot.rateOfClimb = 77.0;  // ROC has a default of its own, stored before its read
  ExpectDefaults(Read(""));
}

TEST_F(AutopilotSettingsTest, EveryKeyIsRead) {
  const AutopilotState& ap = Read(
      "MAX_BANK=25\nDAMP_BANK=8\nDAMP_ELEVATOR=3\nELEVATOR_ASSIST=(0.02,0.004,2)\n"
      "RATE_THRESHOLD=0.5\nROC=1500\nROD=900\nPITCH_LIMIT_UP=15\nPITCH_LIMIT_DOWN=10\n"
      "ELEVATOR_LIMIT=0.6\nRUDDER_LIMIT=0.3\n");
  EXPECT_EQ(ap.maxBank, 25.0);
  EXPECT_EQ(ap.dampBank, 8.0);
  EXPECT_EQ(ap.dampElevator, 3.0);
  EXPECT_EQ(ap.elevatorAssist.x, 0.02);
  EXPECT_EQ(ap.elevatorAssist.y, 0.004);
  EXPECT_EQ(ap.elevatorAssist.z, 2.0);
  EXPECT_EQ(ap.rateThreshold, 0.5);
  EXPECT_EQ(ap.rateOfClimb, 1500.0);
  EXPECT_EQ(ap.rateOfDescent, 900.0);
  EXPECT_EQ(ap.pitchLimitUp, 15.0);
  EXPECT_EQ(ap.pitchLimitDown, 10.0);
  EXPECT_EQ(ap.elevatorLimit, 0.6);
  EXPECT_EQ(ap.rudderLimit, 0.3);
}

TEST_F(AutopilotSettingsTest, ValuesTheLawsCannotDivideByKeepTheDefaults) {
  ExpectDefaults(
      Read("MAX_BANK=0\nDAMP_BANK=0\nDAMP_ELEVATOR=0\nPITCH_LIMIT_UP=0\nPITCH_LIMIT_DOWN=0\n"));
  ExpectDefaults(Read("MAX_BANK=-5\nPITCH_LIMIT_UP=-3\nPITCH_LIMIT_DOWN=-1\n"));
  // Texts that are no numbers read as 0 and meet the same rules.
  const AutopilotState& ap = Read(
      "MAX_BANK=nan\nDAMP_BANK=inf\nDAMP_ELEVATOR=1e400\nPITCH_LIMIT_UP=nan\n"
      "PITCH_LIMIT_DOWN=-inf\n");
  ExpectDefaults(ap);
  // A negative damping divides well enough: it is kept.
  EXPECT_EQ(Read("DAMP_BANK=-2\n").dampBank, -2.0);
}

}  // namespace
