// An aircraft on a fresh host, with a main-kind thruster group whose level the laws and the
// flight plan read and set, and a temporary simulator root for its files.
#pragma once

#include <memory>

#include "frame/Aircraft.h"
#include "support/HostFixture.h"
#include "support/TestRoot.h"

inline constexpr double kTestPi = 3.14159265358979;

inline double Radians(double degrees) {
  return degrees * kTestPi / 180.0;
}

class AutopilotFixture : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    root = std::make_unique<TestRoot>();
    record = &vantor::testing::CreateVesselRecord("X1");
    aircraft = std::make_unique<Aircraft>(record);
    PROPELLANT_HANDLE fuel = aircraft->CreatePropellantResource(1000.0);
    THRUSTER_HANDLE engine =
        aircraft->CreateThruster({0, 0, -4.35}, {0, 0, 1}, 20000.0, fuel, 30000.0);
    aircraft->CreateThrusterGroup(&engine, 1, THGROUP_MAIN);
  }
  void TearDown() override {
    aircraft.reset();
    HostFixture::TearDown();
    root.reset();
  }

  double Level(AIRCTRL_TYPE kind) const { return record->controlLevels[kind]; }

  std::unique_ptr<TestRoot> root;
  vantor::VesselRecord* record = nullptr;
  std::unique_ptr<Aircraft> aircraft;
};
