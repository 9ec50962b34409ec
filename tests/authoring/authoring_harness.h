// The author tools on aircraft of a simulator root, in this process: the built module loaded by
// name, trimmed with the host's physics, then flown frame by frame with the controls held.
#pragma once

#include <gtest/gtest.h>
#include <vantor/sim/Physics.h>
#include <vantor/sim/Simulation.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "authoring/Gear.h"
#include "authoring/Trim.h"
#include "support/HostFixture.h"

namespace authoring_test {

// Steps as long as the held-control flights stay accurate with; the suite must stay quick.
inline constexpr double kStep = 0.05;

class AuthoringFixture : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    previous_ = std::filesystem::current_path();
    vantor::sim::SetModuleFolder(AIRCRAFT_MODULE_DIR);
  }
  void TearDown() override {
    HostFixture::TearDown();
    std::filesystem::current_path(previous_);
  }

  // The aircraft NAME of the working directory's root, with its gear up.
  vantor::VesselRecord& CreateAircraft(const std::string& name) {
    vantor::VesselRecord* vessel = vantor::sim::CreateVessel(name, "aircraft");
    EXPECT_NE(vessel, nullptr);
    authoring::SetGear(*vessel, authoring::FindGearSequence("Config/Aircraft/" + name + ".ini"),
                       false);
    return *vessel;
  }

  // Runs frames as vantor-sim does (physics, then the module's time step), calling watch(simt)
  // after each.
  template <typename Watch>
  void Run(double seconds, Watch watch) {
    const long long frames = std::llround(seconds / kStep);
    for (long long frame = 0; frame < frames; ++frame) {
      simt_ += kStep;
      vantor::sim::AdvancePhysics(simt_, kStep);
      for (vantor::VesselRecord* vessel : vantor::sim::Vessels()) {
        vantor::sim::Timestep(*vessel, simt_);
      }
      watch(simt_);
    }
  }

 private:
  std::filesystem::path previous_;
  double simt_ = 0.0;
};

}  // namespace authoring_test
