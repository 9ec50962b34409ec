#include "support/TestRoot.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

TestRoot::TestRoot() : previous_(fs::current_path()) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    fs::path candidate = fs::temp_directory_path() / ("aircraft-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) {
      path_ = candidate;
    }
  }
  if (path_.empty()) {
    throw std::runtime_error("cannot create a temporary simulator root");
  }
  fs::create_directories(path_ / "Config" / "Aircraft" / "FlightPlans");
  fs::current_path(path_);
}

TestRoot::~TestRoot() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::remove_all(path_, ignored);
}

void TestRoot::WriteAircraft(const std::string& vesselName, const std::string& text) const {
  WriteFile("Config/Aircraft/" + vesselName + ".ini", text);
}

void TestRoot::WriteFlightPlan(const std::string& planName, const std::string& text) const {
  WriteFile("Config/Aircraft/FlightPlans/" + planName + ".ini", text);
}

void TestRoot::WriteFile(const std::string& relativePath, const std::string& text) const {
  fs::path file = path_ / relativePath;
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << text;
}
