// Which vessel a flight status belongs to: the module shows its plan only in the host's one
// shared status line, so the line is read right after each vessel's own time step, and a changed
// line is credited to that vessel. Until a vessel has written one, nothing is known of it.
#pragma once

#include <string>
#include <vector>

#include "status/FlightStatusReader.h"
#include "vantor/sim/VesselRecord.h"

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
  FlightStatusReader reader_;
  std::vector<Credit> credits_;
};
