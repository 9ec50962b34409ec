// A fresh host and simulator root per test, and aircraft set up from the text of their file.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "flight/AeroProfiles.h"
#include "frame/Aircraft.h"
#include "support/HostFixture.h"
#include "support/TestRoot.h"
#include "vantor/sim/ScenarioStream.h"

class BadInputTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    ResetAeroProfiles();
  }
  void TearDown() override {
    aircraft_.clear();
    ResetAeroProfiles();
    HostFixture::TearDown();
  }

  // Writes the vessel's file (unless text is null: no file) and runs class set-up.
  Aircraft& SetUp(const std::string& vesselName, const char* text) {
    if (text != nullptr) {
      root_.WriteAircraft(vesselName, text);
    }
    return SetUpWithoutWriting(vesselName);
  }
  Aircraft& SetUp(const std::string& vesselName, const std::string& text) {
    return SetUp(vesselName, text.c_str());
  }
  Aircraft& SetUpWithoutWriting(const std::string& vesselName) {
    auto& record = vantor::testing::CreateVesselRecord(vesselName.c_str());
    aircraft_.push_back(std::make_unique<Aircraft>(&record));
    aircraft_.back()->SetClassCaps();
    return *aircraft_.back();
  }

  static vantor::VesselRecord& RecordOf(Aircraft& aircraft) {
    return vantor::testing::Record(aircraft);
  }

  // Loads the lines as the vessel's scenario block (each also goes to the host's parser).
  static void Load(Aircraft& aircraft, const std::vector<std::string>& lines) {
    vantor::ScenarioStream stream;
    stream.lines = lines;
    aircraft.LoadState(&stream, nullptr);
  }
  // The module's own saved lines: everything from CURRENT_PAYLOAD on.
  static std::vector<std::string> SaveModuleLines(Aircraft& aircraft) {
    vantor::ScenarioStream stream;
    aircraft.SaveState(&stream);
    std::vector<std::string> lines;
    bool module = false;
    for (const std::string& line : stream.written) {
      module = module || line.rfind("CURRENT_PAYLOAD", 0) == 0;
      if (module) {
        lines.push_back(line);
      }
    }
    return lines;
  }

  TestRoot root_;
  std::vector<std::unique_ptr<Aircraft>> aircraft_;
};
