// The flight trace of `vantor-sim fly --trace FILE.csv`: one row per vessel every 0.1 s of
// simulation time, with what the host can see of each flight.
//
// The waypoint index and the altitude target are the module's, and the host sees them only in
// the flight-status line ("... / Alt %.0f / ... / Phase %u"). The status line is shared by all
// vessels, so the trace reads it right after each vessel's own time step and credits a changed
// line to that vessel. Until a vessel has written one, both columns are empty.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "vantor/sim/VesselRecord.h"

// What the flight-status line says, as far as the trace and the plot need it.
struct FlightStatusFields {
  bool known = false;
  unsigned waypoint = 0;
  double altitudeTarget = 0.0;
};
// Reads "Alt %.0f" and "Phase %u" of a flight-status line; known is false for any other line.
FlightStatusFields ParseFlightStatus(const std::string& line);

class FlightTrace {
 public:
  static constexpr double kInterval = 0.1;  // seconds of simulation time between rows

  // Creates the file and writes the header row; throws RunError when it cannot.
  explicit FlightTrace(const std::string& path);
  ~FlightTrace();
  FlightTrace(const FlightTrace&) = delete;
  FlightTrace& operator=(const FlightTrace&) = delete;

  // Around each vessel's time step: credits a flight-status line the step wrote to the vessel.
  void BeforeTimestep();
  void AfterTimestep(const vantor::VesselRecord& vessel);

  // After a frame: writes a row per vessel when simt has reached the next 0.1 s mark.
  void Sample(double simt);

  // Flushes and closes; throws RunError when the file could not be written.
  void Close();

 private:
  struct Credit {
    const vantor::VesselRecord* vessel;
    FlightStatusFields status;
  };
  const FlightStatusFields& StatusOf(const vantor::VesselRecord& vessel) const;
  void WriteRow(double simt, const vantor::VesselRecord& vessel);

  std::FILE* file_ = nullptr;
  std::string path_;
  long long nextRow_ = 0;  // index of the next 0.1 s mark
  std::string statusBefore_;
  std::vector<Credit> credits_;
};
