// The three channels against the laws computed here, from the flight state the host reports.
#include <algorithm>
#include <cmath>
#include <limits>

#include "AutopilotFixture.h"

namespace {

constexpr double kTolerance = 1e-12;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct AltitudeCase {
  double airspeed;
  double pitchDeg;
  double aoaDeg;
  double altitude;
  double level;
};

constexpr double kDeg = 180.0 / kTestPi;

double AtanDegreesRule(double p, double q) {
  if (q == 0.0) {
    return p > 0.0 ? 90.0 : (p < 0.0 ? -90.0 : 0.0);
  }
  return std::atan(p / q) * 180.0 / kTestPi;
}

double ExpectedElevator(const AutopilotState& ap, const AltitudeCase& c) {
  const double d = ap.altitudeTarget - c.altitude;
  double g = 0.0;
  if (c.altitude < ap.altitudeTarget && std::fabs(d) > ap.rateOfClimb) {
    g = AtanDegreesRule(ap.rateOfClimb, 60.0 * c.airspeed);
  } else if (c.altitude > ap.altitudeTarget && std::fabs(d) > ap.rateOfDescent) {
    g = -AtanDegreesRule(ap.rateOfDescent, 60.0 * c.airspeed);
  }
  if (g == 0.0) {
    g = AtanDegreesRule(d, c.level * ap.climbDistance);
  }
  g = std::max(-ap.pitchLimitDown, std::min(ap.pitchLimitUp, 3.0 * g));
  const double e = g - (Radians(c.pitchDeg) * kDeg - Radians(c.aoaDeg) * kDeg);
  double command = e > 0 ? e / ap.pitchLimitUp / ap.dampElevator
                         : (e < 0 ? e / ap.pitchLimitDown / ap.dampElevator : 0.0);
  const double size = std::fabs(command);
  if (size >= ap.elevatorAssist.y && size <= ap.elevatorAssist.x) {
    command *= ap.elevatorAssist.z;
  }
  return std::min(command, ap.elevatorLimit);
}

class ControlLawTest : public AutopilotFixture {
 protected:
  // Each returns the level the channel sent, NaN when it sent none.
  double FlyAltitude(const AltitudeCase& c) {
    vantor::testing::ClearLog();
    record->state.airspeed = c.airspeed;
    record->state.pitch = Radians(c.pitchDeg);
    record->state.aoa = Radians(c.aoaDeg);
    record->state.altitude = c.altitude;
    aircraft->SetThrusterGroupLevel(THGROUP_MAIN, c.level);
    EXPECT_TRUE(aircraft->HoldAltitude(0.0));
    return LevelSent(AIRCTRL_ELEVATOR).value_or(kNaN);
  }
  // Flies heading hold from the aircraft's own heading and slip; returns the rudder level.
  double FlyHeading(double targetDeg, double headingDeg, double slipDeg) {
    vantor::testing::ClearLog();
    aircraft->autopilot.headingTarget = targetDeg;
    record->state.heading = Radians(headingDeg);
    record->state.slip = Radians(slipDeg);
    EXPECT_TRUE(aircraft->HoldHeading());
    return LevelSent(AIRCTRL_RUDDER).value_or(kNaN);
  }
  double FlyBank(double bankDeg) {
    vantor::testing::ClearLog();
    record->state.bank = Radians(bankDeg);
    EXPECT_TRUE(aircraft->HoldBank());
    return LevelSent(AIRCTRL_AILERON).value_or(kNaN);
  }
};

TEST_F(ControlLawTest, AltitudeHoldMatchesTheLawAcrossBandsCapsAndEngineLevels) {
  AutopilotState& ap = aircraft->autopilot;
  ap.altitudeTarget = 10000.0;
  const AltitudeCase cases[] = {
      {300, 2, 2, 9000, 0.5},       // lower band edge: aims at the target directly
      {300, 2, 2, 8999.999, 0.5},   // just outside: fixed climb angle
      {300, 2, 2, 11000, 0.5},      // upper band edge
      {300, 2, 2, 11000.001, 0.5},  // just outside: fixed descent angle
      {250, 3, 1, 10000, 0.8},      // on target: levels the flight path
      {250, 3, 3, 9500, 0.0},       // engine idle inside the band: +90 before the factor 3
      {250, -3, 3, 10500, 0.0},     // and -90 below
      {0, 0, 0, 5000, 0.5},         // no airspeed outside the band
      {180, 1.5, 0.7, 9990, 0.9},   // small correction
      {180, 40, -5, 9990, 0.9},     // nose far too high
      {180, 89, 0, 15000, 0.9},     // steep nose-down demand, no lower cap
  };
  for (const AltitudeCase& c : cases) {
    EXPECT_NEAR(FlyAltitude(c), ExpectedElevator(ap, c), kTolerance) << "altitude " << c.altitude;
    EXPECT_EQ(ap.elevatorCommand, LevelSent(AIRCTRL_ELEVATOR));
  }
  // Figures worked by hand: the band edge is held at the 30 degree limit, the target levels out.
  EXPECT_NEAR(FlyAltitude(cases[0]), 30.0 / 30.0 / 5.0, kTolerance);
  EXPECT_NEAR(FlyAltitude(cases[4]), -2.0 / 20.0 / 5.0, kTolerance);
  EXPECT_NEAR(FlyAltitude(cases[5]), 30.0 / 30.0 / 5.0, kTolerance);

  ap.rateOfClimb = 0.0;  // a zero rate falls back to aiming at the target
  EXPECT_NEAR(FlyAltitude(cases[1]), ExpectedElevator(ap, cases[1]), kTolerance);
}

TEST_F(ControlLawTest, ElevatorIsCappedAboveOnlyAndSmallCommandsAreAssisted) {
  AutopilotState& ap = aircraft->autopilot;
  ap.altitudeTarget = 10000.0;
  ap.dampElevator = 1.0;
  const AltitudeCase noseDown{180, 89, 0, 15000, 0.9};
  EXPECT_NEAR(FlyAltitude(noseDown), ExpectedElevator(ap, noseDown), kTolerance);
  EXPECT_LT(ap.elevatorCommand, -5.0);
  ap.elevatorLimit = 0.1;
  EXPECT_EQ(FlyAltitude({180, -30, 0, 5000, 0.9}), 0.1);

  // The assist band includes both bounds.
  ap = AutopilotState{};
  ap.altitudeTarget = 10000.0;
  const AltitudeCase small{200, 0.3, 0.1, 10000, 0.5};
  AutopilotState unassisted = ap;
  unassisted.elevatorAssist = {0, 0, 1};
  const double raw = ExpectedElevator(unassisted, small);
  ap.elevatorAssist = {1.0, std::fabs(raw), 1.5};
  EXPECT_NEAR(FlyAltitude(small), 1.5 * raw, kTolerance);
  ap.elevatorAssist = {std::fabs(raw), 0.0, 1.5};
  EXPECT_NEAR(FlyAltitude(small), 1.5 * raw, kTolerance);
  ap.elevatorAssist = {1.0, std::nextafter(std::fabs(raw), 1.0), 1.5};
  EXPECT_NEAR(FlyAltitude(small), raw, kTolerance);
}

TEST_F(ControlLawTest, HeadingErrorWrapsOnceAndKeepsExactlyHalfATurn) {
  AutopilotState& ap = aircraft->autopilot;
  FlyHeading(10, 350, 0);
  EXPECT_EQ(ap.bankTarget, -20.0);  // +20 degrees: the turn goes through north
  FlyHeading(350, 10, 0);
  EXPECT_EQ(ap.bankTarget, 20.0);
  FlyHeading(180, 0, 0);
  EXPECT_EQ(ap.bankTarget, -20.0);  // exactly 180: not wrapped
  FlyHeading(190, 0, 0);
  EXPECT_EQ(ap.bankTarget, 20.0);
  FlyHeading(730, 10, 0);  // 720 degrees off: one turn is removed, 360 remain
  EXPECT_EQ(ap.bankTarget, -20.0);
  FlyHeading(2, 358, 0);  // through north, inside the band
  EXPECT_NEAR(ap.bankTarget, -4.0 / 5.0 * 20.0, 1e-9);
  FlyHeading(700, -10, 0);  // a heading below 0 is taken as 350: 10 degrees left of 700
  EXPECT_EQ(ap.bankTarget, 20.0);
}

TEST_F(ControlLawTest, RudderDampsSlipOrFollowsTheErrorInsideTheBand) {
  AutopilotState& ap = aircraft->autopilot;
  EXPECT_NEAR(FlyHeading(0, 0, 2), -0.2, kTolerance);
  EXPECT_NEAR(FlyHeading(0, 0, 30), -1.0, kTolerance);  // slip held within 10 degrees
  EXPECT_NEAR(FlyHeading(0, 0, -30), 1.0, kTolerance);
  EXPECT_NEAR(FlyHeading(2, 0, 3), -0.3, kTolerance);  // rudder limit 0: slip damping
  EXPECT_NEAR(ap.bankTarget, -8.0, 1e-9);

  ap.rudderLimit = 0.5;
  EXPECT_NEAR(FlyHeading(2, 0, 3), 0.4 * 0.5, 1e-9);
  EXPECT_NEAR(FlyHeading(30, 0, 3), -0.3, kTolerance);  // outside the band: slip damping

  // An error exactly equal to DAMP_BANK is proportional (w = 1); a hair above it is not.
  const double rad = kTestPi / 180.0;
  ap.dampBank = (3.0 * rad - 0.0) / rad;
  EXPECT_NEAR(FlyHeading(3, 0, 3), 0.5, kTolerance);
  EXPECT_NEAR(ap.bankTarget, -20.0, kTolerance);
  ap.dampBank = std::nextafter(ap.dampBank, 0.0);
  EXPECT_NEAR(FlyHeading(3, 0, 3), -0.3, kTolerance);
}

TEST_F(ControlLawTest, HeadingHoldSteersByTheAircraftsOwnHeading) {
  vantor::VesselRecord& other = vantor::testing::CreateVesselRecord("Other");
  other.state.heading = Radians(270.0);
  vantor::testing::SetFocus(&other);
  FlyHeading(0, 0, 0);
  EXPECT_EQ(aircraft->autopilot.bankTarget, 0.0);  // by the focus heading it would be -20
  vantor::testing::SetFocus(record);
  FlyHeading(0, 20, 0);
  EXPECT_EQ(aircraft->autopilot.bankTarget, 20.0);
}

TEST_F(ControlLawTest, BankHoldFliesTheBankTargetWithinFullAileron) {
  AutopilotState& ap = aircraft->autopilot;
  const double cases[][3] = {{10, -5, 0.75}, {30, -5, 1.0}, {-40, 0, -1.0}, {0, 0, 0.0}};
  for (const auto& c : cases) {
    ap.bankTarget = c[1];
    EXPECT_NEAR(FlyBank(c[0]), c[2], kTolerance);
    EXPECT_EQ(ap.aileronCommand, LevelSent(AIRCTRL_AILERON));
  }
  ap.maxBank = 30.0;
  ap.bankTarget = 0.0;
  EXPECT_NEAR(FlyBank(12.0), 0.4, kTolerance);
}

TEST_F(ControlLawTest, HeadingHoldsBankTargetIsFlownInTheSameFrame) {
  AutopilotState& ap = aircraft->autopilot;
  ap.headingHoldOn = true;
  ap.bankHoldOn = true;
  ap.headingTarget = 90.0;
  record->state.heading = 0.0;
  record->state.bank = 0.0;
  aircraft->StepAircraft(0.0);
  EXPECT_EQ(ap.bankTarget, -20.0);
  EXPECT_NEAR(LevelSent(AIRCTRL_AILERON).value_or(kNaN), 1.0, kTolerance);
}

TEST_F(ControlLawTest, FlightStatesThatAreNoNumbersCommandNothing) {
  AutopilotState& ap = aircraft->autopilot;
  ap.rudderLimit = 0.5;
  const double infinity = std::numeric_limits<double>::infinity();
  const AltitudeCase bad[] = {{kNaN, 0, 0, 5000, 0.5},
                              {200, kNaN, 0, 10000, 0.5},
                              {200, 0, kNaN, 10000, 0.5},
                              {200, 0, 0, kNaN, 0.5},
                              {200, infinity, 0, 10000, 0.5}};
  for (const AltitudeCase& c : bad) {
    EXPECT_TRUE(std::isnan(FlyAltitude(c))) << "sent a level";
    EXPECT_EQ(ap.elevatorCommand, 0.0);
  }
  ap.altitudeTarget = kNaN;
  EXPECT_TRUE(std::isnan(FlyAltitude({200, 0, 0, 10000, 0.5})));

  ap.bankTarget = 7.0;
  EXPECT_TRUE(std::isnan(FlyHeading(10, kNaN, 0)));  // no heading: no bank target, no rudder
  EXPECT_EQ(ap.bankTarget, 7.0);
  EXPECT_TRUE(std::isnan(FlyHeading(kNaN, 0, 0)));
  EXPECT_EQ(ap.bankTarget, 7.0);
  EXPECT_TRUE(std::isnan(FlyHeading(10, 0, kNaN)));  // no slip: the bank target still follows
  EXPECT_EQ(ap.bankTarget, -20.0);
  ap.rudderLimit = 0.0;
  EXPECT_NEAR(FlyHeading(10, kNaN, 2), -0.2, kTolerance);  // slip damping needs no heading

  EXPECT_TRUE(std::isnan(FlyBank(kNaN)));
  ap.bankTarget = kNaN;
  EXPECT_TRUE(std::isnan(FlyBank(0.0)));
  EXPECT_EQ(ap.aileronCommand, 0.0);
}

TEST_F(ControlLawTest, TargetBoxesTakeTheLeadingNumberAndRefuseNonNumbers) {
  AutopilotState& ap = aircraft->autopilot;
  EXPECT_TRUE(aircraft->SetAltitudeTarget("2500.5 m"));
  EXPECT_EQ(ap.altitudeTarget, 2500.5);
  EXPECT_TRUE(aircraft->SetBankTarget("-15"));
  EXPECT_EQ(ap.bankTarget, -15.0);
  EXPECT_TRUE(aircraft->SetAltitudeTarget("high"));
  EXPECT_EQ(ap.altitudeTarget, 0.0);
  EXPECT_TRUE(aircraft->SetHeadingTarget("x"));
  EXPECT_EQ(ap.headingTarget, 0.0);
  EXPECT_TRUE(aircraft->SetHeadingTarget("275.5"));
  for (const char* text : {"nan", "inf", "-1e400"}) {
    EXPECT_FALSE(aircraft->SetAltitudeTarget(text)) << text;
    EXPECT_FALSE(aircraft->SetBankTarget(text)) << text;
    EXPECT_FALSE(aircraft->SetHeadingTarget(text)) << text;
  }
  EXPECT_EQ(ap.altitudeTarget, 0.0);
  EXPECT_EQ(ap.bankTarget, -15.0);
  EXPECT_EQ(ap.headingTarget, 275.5);

  EXPECT_TRUE(aircraft->SetPitchTarget("12"));
  EXPECT_EQ(ap.altitudeTarget, 0.0);
  EXPECT_EQ(ap.bankTarget, -15.0);
  EXPECT_EQ(ap.headingTarget, 275.5);
}

}  // namespace
