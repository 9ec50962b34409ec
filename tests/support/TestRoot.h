// A temporary simulator root for tests: a fresh folder with Config/Aircraft/ and
// Config/Aircraft/FlightPlans/, made the working directory while the object lives, because the
// module opens its files by relative paths.
#pragma once

#include <filesystem>
#include <string>

class TestRoot {
 public:
  TestRoot();
  ~TestRoot();
  TestRoot(const TestRoot&) = delete;
  TestRoot& operator=(const TestRoot&) = delete;

  // Writes ./Config/Aircraft/NAME.ini.
  void WriteAircraft(const std::string& vesselName, const std::string& text) const;
  // Writes ./Config/Aircraft/FlightPlans/NAME.ini.
  void WriteFlightPlan(const std::string& planName, const std::string& text) const;
  // Writes any file below the root; folders are created as needed.
  void WriteFile(const std::string& relativePath, const std::string& text) const;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};
