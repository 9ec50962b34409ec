// What the cockpit shows of an aircraft that only the module knows: its animation sequences,
// read through the aircraft's query interface as another module would.
#pragma once

#include <string>
#include <vector>

#include "vantor/sim/VesselRecord.h"

struct SequenceView {
  std::string name;
  double state = 0.0;
};

// Every sequence of a vessel of the aircraft class (none for any other vessel).
std::vector<SequenceView> ReadSequences(const vantor::VesselRecord& vessel);
