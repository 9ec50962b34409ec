// Shared set-up of the flight-model tests: an empty host, a fresh profile table (it is
// module-wide and would otherwise carry slots from test to test) and a temporary root.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "flight/AeroProfiles.h"
#include "frame/Aircraft.h"
#include "frame/Angles.h"
#include "support/HostFixture.h"
#include "support/TestRoot.h"

class FlightFixture : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    ResetAeroProfiles();
  }
  void TearDown() override {
    aircraft.clear();
    ResetAeroProfiles();
    HostFixture::TearDown();
  }

  // Writes NAME's file (none when text is null) and runs the whole class set-up.
  Aircraft& Build(const char* name, const char* text) {
    if (text != nullptr) {
      root.WriteAircraft(name, text);
    }
    vantor::VesselRecord& record = vantor::testing::CreateVesselRecord(name);
    aircraft.push_back(std::make_unique<Aircraft>(&record));
    aircraft.back()->SetClassCaps();
    return *aircraft.back();
  }

  static vantor::VesselRecord& RecordOf(const Aircraft& plane) {
    return vantor::testing::Record(plane);
  }

  TestRoot root;
  std::vector<std::unique_ptr<Aircraft>> aircraft;
};

struct Coefficients {
  double lift = 0.0;
  double moment = 0.0;
  double drag = 0.0;
};

// What the host's physics gets from an airfoil at an angle given in degrees.
inline Coefficients Evaluate(const vantor::AirfoilRecord& airfoil, double degrees,
                             double mach = 0.5) {
  Coefficients c;
  airfoil.coefficients(degrees * RAD, mach, 1e6, &c.lift, &c.moment, &c.drag);
  return c;
}

// The names of the logged host calls, in order.
inline std::vector<std::string> LoggedCalls() {
  std::vector<std::string> names;
  std::istringstream log(vantor::testing::LogText());
  std::string line;
  while (std::getline(log, line)) {
    if (!line.empty() && line[0] != '>') {
      names.push_back(line.substr(0, line.find('(')));
    }
  }
  return names;
}
