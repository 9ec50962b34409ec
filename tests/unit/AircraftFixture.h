// Base fixture for unit tests of one aircraft built on a bare host record ("X1" unless a test
// names another); class set-up is left to the test.
#pragma once

#include <memory>

#include "frame/Aircraft.h"
#include "support/HostFixture.h"

class AircraftFixture : public HostFixture {
 protected:
  explicit AircraftFixture(const char* vesselName = "X1") : vesselName_(vesselName) {}

  void SetUp() override {
    HostFixture::SetUp();
    record_ = &vantor::testing::CreateVesselRecord(vesselName_);
    aircraft_ = std::make_unique<Aircraft>(record_);
  }
  void TearDown() override {
    aircraft_.reset();
    HostFixture::TearDown();
  }

  Aircraft& a() { return *aircraft_; }

  vantor::VesselRecord* record_ = nullptr;
  std::unique_ptr<Aircraft> aircraft_;

 private:
  const char* vesselName_;
};
