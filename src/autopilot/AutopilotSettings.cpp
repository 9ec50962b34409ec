// Class set-up, stage 2: the AUTOPILOT section. Defaults are stored just before their key is
// read, so a missing key leaves them.
#include <cmath>

#include "config/ProfileReaders.h"
#include "frame/Aircraft.h"

namespace {

constexpr const char* kSection = "AUTOPILOT";

// The laws divide by the damping values and the pitch limits. A value they cannot divide by
// (and a negative pitch limit, which would turn the limits around) leaves the field's default.
bool IsUsableDamping(double value) {
  return value != 0.0 && std::isfinite(value);
}
bool IsUsableLimit(double value) {
  return value > 0.0 && std::isfinite(value);
}

void ReadDivisor(const char* path, const char* key, double& field, bool (*usable)(double)) {
  double value = field;
  ReadProfileDouble(path, kSection, key, value);
  if (usable(value)) {
    field = value;
  }
}

}  // namespace

void Aircraft::ReadAutopilotSettings() {
  const char* path = vessel.configPath;
  AutopilotState& ap = autopilot;

  ReadProfileDouble(path, kSection, "MAX_BANK", ap.maxBank);
  if (!IsUsableLimit(ap.maxBank)) {
    ap.maxBank = 20.0;
  }
  ap.dampBank = 5.0;
  ReadDivisor(path, "DAMP_BANK", ap.dampBank, IsUsableDamping);
  ap.dampElevator = 5.0;
  ReadDivisor(path, "DAMP_ELEVATOR", ap.dampElevator, IsUsableDamping);
  ap.elevatorAssist = VECTOR3{0.01, 0.005, 1.5};
  ReadProfileVector(path, kSection, "ELEVATOR_ASSIST", ap.elevatorAssist);
  ap.rateThreshold = 0.75;
  ReadProfileDouble(path, kSection, "RATE_THRESHOLD", ap.rateThreshold);
  ap.rateOfClimb = 1000.0;
  ReadProfileDouble(path, kSection, "ROC", ap.rateOfClimb);
  ap.rateOfDescent = 1000.0;
  ReadProfileDouble(path, kSection, "ROD", ap.rateOfDescent);
  // The pitch limits have no default of their own here: construction's values stand.
  ReadDivisor(path, "PITCH_LIMIT_UP", ap.pitchLimitUp, IsUsableLimit);
  ReadDivisor(path, "PITCH_LIMIT_DOWN", ap.pitchLimitDown, IsUsableLimit);
  ap.elevatorLimit = 1.0;
  ReadProfileDouble(path, kSection, "ELEVATOR_LIMIT", ap.elevatorLimit);
  ap.rudderLimit = 0.0;
  ReadProfileDouble(path, kSection, "RUDDER_LIMIT", ap.rudderLimit);
}
