// The host's pilot controls: their ranges, the throttle as the main group's level, and how the
// pilot's input and the module's level on one surface combine.
#include <gtest/gtest.h>
#include <vantor/Vessel.h>
#include <vantor/sim/PilotControls.h>

#include <cmath>
#include <string>

#include "support/HostFixture.h"

namespace {

namespace sim = vantor::sim;
using sim::PilotControl;

class PilotControls : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    record_ = &vantor::testing::CreateVesselRecord("P1");
    vessel_ = std::make_unique<VESSEL>(record_, 1);
  }
  void TearDown() override {
    vessel_.reset();
    HostFixture::TearDown();
  }

  vantor::VesselRecord* record_ = nullptr;
  std::unique_ptr<VESSEL> vessel_;
};

TEST_F(PilotControls, NamesAndRanges) {
  EXPECT_EQ(sim::PilotControlNamed("rudder"), PilotControl::Rudder);
  EXPECT_EQ(sim::PilotControlNamed("Rudder"), std::nullopt);
  EXPECT_EQ(sim::PilotControlNamed(""), std::nullopt);
  struct Case {
    PilotControl control;
    double given;
    double kept;
  };
  const Case cases[] = {
      {PilotControl::Elevator, 0.3, 0.3},  {PilotControl::Elevator, 2.0, 1.0},
      {PilotControl::Aileron, -5.0, -1.0}, {PilotControl::Trim, -0.25, -0.25},
      {PilotControl::Rudder, NAN, 0.0},    {PilotControl::Rudder, -INFINITY, -1.0},
  };
  for (const Case& c : cases) {
    sim::SetPilotControl(*record_, c.control, 0.0);
    sim::SetPilotControl(*record_, c.control, c.given);
    EXPECT_EQ(sim::PilotControlValue(*record_, c.control), c.kept)
        << sim::PilotControlName(c.control) << " " << c.given;
  }
}

TEST_F(PilotControls, TheThrottleIsTheNewestMainGroupsLevelAndIsLogged) {
  const PROPELLANT_HANDLE tank = vessel_->CreatePropellantResource(100.0);
  THRUSTER_HANDLE engines[2] = {
      vessel_->CreateThruster({0, 0, -1}, {0, 0, 1}, 1000.0, tank, 1000.0),
      vessel_->CreateThruster({0, 0, -1}, {0, 0, 1}, 2000.0, tank, 1000.0)};
  vessel_->CreateThrusterGroup(&engines[0], 1, THGROUP_MAIN);
  vessel_->CreateThrusterGroup(&engines[1], 1, THGROUP_MAIN);  // the newer one carries it
  vantor::testing::EnableLog(true);
  sim::SetPilotControl(*record_, PilotControl::Throttle, 1.5);
  EXPECT_EQ(engines[0]->level, 0.0);
  EXPECT_EQ(engines[1]->level, 1.0);
  EXPECT_EQ(vessel_->GetThrusterGroupLevel(THGROUP_MAIN), 1.0);
  vessel_->SetThrusterGroupLevel(THGROUP_MAIN, 0.4);  // the module's plan: last one wins
  EXPECT_EQ(sim::PilotControlValue(*record_, PilotControl::Throttle), 0.4);
  sim::SetPilotControl(*record_, PilotControl::Throttle, -1.0);
  const std::string log = vantor::testing::LogText();
  EXPECT_NE(log.find("pilot throttle 1\n"), std::string::npos) << log;
  EXPECT_NE(log.find("pilot throttle 0\n"), std::string::npos) << log;
}

TEST_F(PilotControls, PilotInputAddsToTheModulesLevelWhereTheModeLeavesTheAxisToThePilot) {
  struct Case {
    AIRCTRL_TYPE surface;
    PilotControl control;
    DWORD mode;
    double module;
    double pilot;
    double combined;  // what the module reads back
    double deflection;
  };
  const Case cases[] = {
      {AIRCTRL_ELEVATOR, PilotControl::Elevator, 7, 0.25, 0.5, 0.75, 0.75},
      {AIRCTRL_ELEVATOR, PilotControl::Elevator, 7, 0.75, 0.5, 1.25, 1.0},
      {AIRCTRL_ELEVATOR, PilotControl::Elevator, 6, 0.25, 0.5, 0.25, 0.25},
      {AIRCTRL_RUDDER, PilotControl::Rudder, 2, -0.5, -0.75, -1.25, -1.0},
      {AIRCTRL_RUDDER, PilotControl::Rudder, 5, -0.5, -0.75, -0.5, -0.5},
      {AIRCTRL_AILERON, PilotControl::Aileron, 4, 0.0, 0.5, 0.5, 0.5},
      {AIRCTRL_AILERON, PilotControl::Aileron, 0, 0.1, 0.5, 0.1, 0.1},
      {AIRCTRL_ELEVATORTRIM, PilotControl::Trim, 0, 0.0, 0.5, 0.5, 0.5},
  };
  for (const Case& c : cases) {
    vessel_->SetADCtrlMode(c.mode);
    vessel_->SetControlSurfaceLevel(c.surface, c.module);
    sim::SetPilotControl(*record_, c.control, c.pilot);
    EXPECT_EQ(vessel_->GetControlSurfaceLevel(c.surface), c.combined)
        << sim::PilotControlName(c.control) << " mode " << c.mode;
    EXPECT_EQ(sim::SurfaceDeflection(*record_, c.surface), c.deflection)
        << sim::PilotControlName(c.control) << " mode " << c.mode;
    sim::SetPilotControl(*record_, c.control, 0.0);
  }
  vessel_->SetControlSurfaceLevel(AIRCTRL_FLAP, NAN);
  EXPECT_EQ(sim::SurfaceDeflection(*record_, AIRCTRL_FLAP), 0.0);
}

}  // namespace
