// An aircraft "X1" built from a configuration text by the animation and payload stages alone,
// in their set-up order, on an empty host.
#pragma once

#include <memory>
#include <string>

#include "frame/Aircraft.h"
#include "frame/Text.h"
#include "support/HostFixture.h"
#include "support/TestRoot.h"

class AnimationFixture : public HostFixture {
 protected:
  void TearDown() override {
    aircraft_.reset();  // before the host drops the vessel record the object points to
    HostFixture::TearDown();
  }

  Aircraft& Build(const std::string& config, const char* meshName = "Main", int visibleMode = 0) {
    root_.WriteAircraft("X1", config);
    record_ = &vantor::testing::CreateVesselRecord("X1");
    aircraft_ = std::make_unique<Aircraft>(record_);
    Aircraft& a = *aircraft_;
    CopyText(a.vessel.configPath, "./Config/Aircraft/X1.ini");
    CopyText(a.vessel.meshName, meshName);
    a.vessel.visibleMode = visibleMode;
    // Another part of the vessel owns animation 0, so animation numbers differ from sequence
    // indexes and a link that stored the index instead of the animation would show.
    a.CreateAnimation(0.0);
    a.ReadPayloads();
    a.ReadSequences();
    a.ReadComponents();
    a.ReadControlLinks();
    a.BuildMeshes();
    return a;
  }

  // Steps the sequences every 0.1 s from t0 up to and including t1.
  void StepFrom(double t0, double t1) {
    for (int k = 0; t0 + 0.1 * k <= t1 + 1e-9; ++k) {
      aircraft_->StepSequences(t0 + 0.1 * k);
    }
  }

  TestRoot root_;
  vantor::VesselRecord* record_ = nullptr;
  std::unique_ptr<Aircraft> aircraft_;
};
