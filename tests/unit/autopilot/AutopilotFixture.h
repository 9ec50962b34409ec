// An aircraft on a fresh host, with a main-kind thruster group whose level the laws and the
// flight plan read and set, and a temporary simulator root for its files. The host clamps the
// levels it stores and ignores non-numbers, so what the module sends is read from the call log.
#pragma once

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

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
    vantor::testing::EnableLog(true);
  }
  void TearDown() override {
    aircraft.reset();
    HostFixture::TearDown();
    root.reset();
  }

  // The argument of the last call of that name and first argument since the log was cleared.
  static std::optional<double> LastSent(const std::string& callPrefix) {
    const std::string log = vantor::testing::LogText();
    const std::size_t at = log.rfind(callPrefix + ", ");
    if (at == std::string::npos) {
      return std::nullopt;
    }
    return std::strtod(log.c_str() + at + callPrefix.size() + 2, nullptr);
  }
  static std::optional<double> LevelSent(AIRCTRL_TYPE kind) {
    static const char* const kNames[] = {"AIRCTRL_ELEVATOR", "AIRCTRL_RUDDER", "AIRCTRL_AILERON"};
    return LastSent(std::string("SetControlSurfaceLevel(") + kNames[kind]);
  }
  static std::optional<double> ThrottleSent() {
    return LastSent("SetThrusterGroupLevel(THGROUP_MAIN");
  }

  std::unique_ptr<TestRoot> root;
  vantor::VesselRecord* record = nullptr;
  std::unique_ptr<Aircraft> aircraft;
};
