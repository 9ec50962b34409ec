// The flight trace of `vantor-sim fly --trace FILE.csv`: one row per vessel every 0.1 s of
// simulation time, with what the host can see of each flight. The waypoint index and the
// altitude target are the module's, as the flight-status line shows them (FlightStatus.h).
// The file is written beside its target and moved into place by Close, so a run that fails
// leaves an earlier trace of the same name whole.
#pragma once

#include <string>

#include "FlightStatus.h"
#include "vantor/sim/OutputFile.h"
#include "vantor/sim/VesselRecord.h"

class FlightTrace {
 public:
  static constexpr double kInterval = 0.1;  // seconds of simulation time between rows

  // Starts the file with the header row; throws when it cannot be made. The credits are read
  // for every row and must outlive the trace.
  FlightTrace(const std::string& path, const FlightStatusCredits& credits);

  // After a frame: writes a row per vessel when simt has reached the next 0.1 s mark.
  void Sample(double simt);

  // Moves the complete file into place; throws when it could not be written.
  void Close();

 private:
  void WriteRow(double simt, const vantor::VesselRecord& vessel);

  vantor::sim::OutputFile file_;
  const FlightStatusCredits& credits_;
  long long nextRow_ = 0;  // index of the next 0.1 s mark
};
