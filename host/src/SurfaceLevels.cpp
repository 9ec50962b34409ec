// The rule by which the pilot's input and the module's level on one control surface combine.
// The host's own VESSEL members use it as well as the physics, so it lives beside the records.
#include <algorithm>
#include <cmath>

#include "vantor/sim/PilotControls.h"

namespace vantor::sim {

namespace {

// The bits of the aerodynamic-control mode, as a module passes them to SetADCtrlMode.
unsigned ModeBit(AIRCTRL_TYPE type) {
  switch (type) {
    case AIRCTRL_ELEVATOR:
      return 1;
    case AIRCTRL_RUDDER:
      return 2;
    case AIRCTRL_AILERON:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

bool PilotHasSurface(const VesselRecord& vessel, AIRCTRL_TYPE type) {
  if (type == AIRCTRL_ELEVATORTRIM) {
    return true;  // trim is the pilot's whatever the mode says
  }
  const unsigned bit = ModeBit(type);
  return bit != 0 && (vessel.adCtrlMode & bit) != 0;
}

double CombinedSurfaceLevel(const VesselRecord& vessel, AIRCTRL_TYPE type) {
  if (static_cast<int>(type) < 0 || static_cast<int>(type) >= AIRCTRL_KIND_COUNT) {
    return 0.0;
  }
  const double module = vessel.controlLevels[type];
  return PilotHasSurface(vessel, type) ? module + vessel.pilotLevels[type] : module;
}

double SurfaceDeflection(const VesselRecord& vessel, AIRCTRL_TYPE type) {
  const double level = CombinedSurfaceLevel(vessel, type);
  return std::isnan(level) ? 0.0 : std::clamp(level, -1.0, 1.0);
}

}  // namespace vantor::sim
