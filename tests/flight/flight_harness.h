// End-to-end flights: the built aircraft module loaded by name, flown by the host's physics in
// the example simulator root, either in this process (to steer and watch a vessel frame by
// frame) or through `vantor-sim fly` (to read its trace as a user would).
#pragma once

#include <gtest/gtest.h>
#include <vantor/sim/Physics.h>
#include <vantor/sim/ScenarioFile.h>
#include <vantor/sim/Simulation.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/HostFixture.h"
#include "support/TestRoot.h"

namespace flight_test {

inline constexpr double kStep = 0.02;
inline constexpr double kPi = 3.14159265358979323846;

inline double Degrees(double radians) {
  return radians * 180.0 / kPi;
}

// Heading difference a - b in degrees, wrapped to -180 ... 180.
inline double HeadingDifference(double a, double b) {
  double difference = std::fmod(a - b, 360.0);
  if (difference > 180.0) {
    difference -= 360.0;
  }
  if (difference < -180.0) {
    difference += 360.0;
  }
  return difference;
}

// The example aircraft in level flight with its gear up, and the autopilot and its targets as
// given.
inline std::string AirborneKestrel(double altitude, double heading, const std::string& extra) {
  std::ostringstream text;
  text << "Kestrel:aircraft\nSTATUS Flying\nPOS 10.0 45.0\nALT " << altitude << "\nHDG " << heading
       << "\nSPEED 180\nFUEL 1\nTHROTTLE 0.7\nSEQ 0 -1 0\n"
       << extra << "END\n";
  return text.str();
}

// The example aircraft standing on the runway at the given speed.
inline std::string LandedKestrel(double speed, double throttle) {
  std::ostringstream text;
  text << "Kestrel:aircraft\nSTATUS Landed\nPOS 10.0 45.0\nALT 0\nHDG 90\nSPEED " << speed
       << "\nFUEL 1\nTHROTTLE " << throttle << "\nAUTOPILOT 0\nEND\n";
  return text.str();
}

class FlightFixture : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(AIRCRAFT_EXAMPLE_ROOT);
    vantor::sim::SetModuleFolder(AIRCRAFT_MODULE_DIR);
  }
  void TearDown() override {
    HostFixture::TearDown();
    std::filesystem::current_path(previous_);
  }

  std::vector<vantor::VesselRecord*> Load(const std::string& scenario) {
    return vantor::sim::LoadScenario(vantor::sim::ParseScenario(scenario, "test"), "test");
  }

  // Runs frames as vantor-sim does (physics, then each vessel's time step), calling
  // watch(simt) after each.
  template <typename Watch>
  void Run(double seconds, Watch watch) {
    const long long frames = std::llround(seconds / kStep);
    for (long long frame = 0; frame < frames; ++frame) {
      ++frame_;
      const double simt = static_cast<double>(frame_) * kStep;
      vantor::sim::AdvancePhysics(simt, kStep);
      for (vantor::VesselRecord* vessel : vantor::sim::Vessels()) {
        vantor::sim::Timestep(*vessel, simt);
      }
      watch(simt);
    }
  }
  void Run(double seconds) {
    Run(seconds, [](double) {});
  }

  // A key press and release given to the vessel, as the simulator does.
  void PressKey(vantor::VesselRecord& vessel, DWORD scanCode) {
    char keys[256] = {};
    keys[scanCode] = static_cast<char>(0x80);
    vantor::sim::BufferedKey(vessel, scanCode, true, keys);
    keys[scanCode] = 0;
    vantor::sim::BufferedKey(vessel, scanCode, false, keys);
  }

 private:
  std::filesystem::path previous_;
  long long frame_ = 0;
};

// One row of a `vantor-sim fly --trace` file.
struct TraceRow {
  double time = 0.0;
  std::string vessel;
  double latitude = 0.0;
  double altitude = 0.0;
  double heading = 0.0;
  double bank = 0.0;
  double airspeed = 0.0;
  int waypoint = -1;  // -1 while unknown
  double altitudeTarget = NAN;
};

struct Trace {
  std::string text;
  std::vector<TraceRow> rows;
};

// The rows of a trace file's text, after its header line.
inline std::vector<TraceRow> ReadTraceRows(const std::string& csv) {
  std::vector<TraceRow> rows;
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) {
    std::vector<std::string> fields;
    std::istringstream columns(line);
    for (std::string field; std::getline(columns, field, ',');) {
      fields.push_back(field);
    }
    fields.resize(18);
    TraceRow row;
    row.time = std::atof(fields[0].c_str());
    row.vessel = fields[1];
    row.latitude = std::atof(fields[3].c_str());
    row.altitude = std::atof(fields[4].c_str());
    row.heading = std::atof(fields[5].c_str());
    row.bank = std::atof(fields[7].c_str());
    row.airspeed = std::atof(fields[8].c_str());
    row.waypoint = fields[16].empty() ? -1 : std::atoi(fields[16].c_str());
    row.altitudeTarget = fields[17].empty() ? NAN : std::atof(fields[17].c_str());
    rows.push_back(row);
  }
  return rows;
}

// Runs vantor-sim with the arguments; gives what it printed, standard error included.
inline std::string RunSimulator(const std::string& arguments, const std::filesystem::path& folder,
                                int expectedStatus = 0) {
  const std::filesystem::path output = folder / "output.txt";
  const std::string command = std::string("\"") + VANTOR_SIM_PATH + "\" " + arguments + " > \"" +
                              output.string() + "\" 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_EQ(status == 0, expectedStatus == 0) << command;
  std::ifstream file(output, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

// Runs vantor-sim fly with the arguments and reads back its trace, written in a fresh
// temporary folder (so that runs side by side do not meet).
inline Trace FlyAndTrace(const std::string& arguments, const std::string& name) {
  const TestRoot scratch;
  const std::filesystem::path& folder = scratch.path();
  const std::filesystem::path trace = folder / (name + ".csv");
  const std::string command = std::string("\"") + VANTOR_SIM_PATH + "\" fly " + arguments +
                              " --trace \"" + trace.string() + "\" > \"" +
                              (folder / (name + ".out")).string() + "\" 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream file(trace, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return Trace{content.str(), ReadTraceRows(content.str())};
}

}  // namespace flight_test
