// What the host's default scenario parser gathers from one vessel's block. The status pointer a
// module receives with vvcLoadStateEx (and passes on to VESSEL::ParseScenarioLineEx) points to
// one of these; the parser must also accept a null pointer (a test may pass one).
#pragma once

#include "HostExport.h"
#include "vantor/sim/Placement.h"
#include "vantor/sim/VesselRecord.h"

namespace vantor {

struct VANTOR_INTERNAL ScenarioLoadStatus {
  // Starts from where the vessel is now, so a block that gives only some of the placement
  // lines changes only those.
  explicit ScenarioLoadStatus(VesselRecord& vessel);

  VesselRecord* vessel;
  sim::Placement placement;     // degrees, as the scenario lines give them
  bool placementGiven = false;  // set by the parser when a line changed the placement
  // The host parses the block itself: no module reads the module's lines, so they are kept.
  bool withoutModule = false;
};

// Called by the host once the block has been read: places the vessel when the block said where.
VANTOR_INTERNAL void FinishScenarioLoad(ScenarioLoadStatus& status);

}  // namespace vantor
