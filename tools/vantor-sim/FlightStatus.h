// What the host can learn of a vessel's flight plan: the module shows it only in the shared
// flight-status line ("Flight status - DESCRIPTION : Hd : ... / Alt %.0f / Ds %.3f / Phase %u").
// The line is read right after each vessel's own time step, and a changed line is credited to
// that vessel. Until a vessel has written one, nothing is known of it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vantor/sim/VesselRecord.h"

// What the flight-status line says, as far as the trace, the summary and the plot need it.
struct FlightStatusFields {
  bool known = false;
  unsigned waypoint = 0;
  double altitudeTarget = 0.0;
  std::string description;  // of the waypoint now current
};
// Reads a flight-status line; known is false for any other line.
FlightStatusFields ParseFlightStatus(const std::string& line);
// The same into fields, which are left alone unless the line is a flight status.
bool ReadFlightStatus(std::string_view line, FlightStatusFields& fields);

class FlightStatusCredits {
 public:
  // Around each vessel's time step.
  void BeforeTimestep();
  void AfterTimestep(const vantor::VesselRecord& vessel);

  // The last flight status credited to the vessel (known is false when there is none).
  const FlightStatusFields& Of(const vantor::VesselRecord& vessel) const;

 private:
  struct Credit {
    const vantor::VesselRecord* vessel;
    FlightStatusFields status;
  };
  std::string statusBefore_;
  FlightStatusFields parsed_;  // the line last read, or a vessel's earlier one after a swap
  std::vector<Credit> credits_;
};
