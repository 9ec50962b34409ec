// Class set-up, stage 2: the AUTOPILOT section. Defaults are stored just before their key is
// read, so a missing key leaves them; values that would make a law divide by zero or produce a
// non-number are refused and the default stays.
#include "autopilot/FiniteProfileValues.h"
#include "frame/Aircraft.h"

namespace {

constexpr const char* kSection = "AUTOPILOT";

bool IsPositive(double value) {
  return value > 0.0;
}
bool IsNonZero(double value) {
  return value != 0.0;
}

}  // namespace

void Aircraft::ReadAutopilotSettings() {
  const char* path = vessel.configPath;
  AutopilotState& ap = autopilot;

  ReadFiniteProfileDouble(path, kSection, "MAX_BANK", ap.maxBank);
  if (ap.maxBank <= 0.0) {
    ap.maxBank = 20.0;
  }
  ap.dampBank = 5.0;
  ReadFiniteProfileDouble(path, kSection, "DAMP_BANK", ap.dampBank, IsNonZero);
  ap.dampElevator = 5.0;
  ReadFiniteProfileDouble(path, kSection, "DAMP_ELEVATOR", ap.dampElevator, IsNonZero);
  ap.elevatorAssist = VECTOR3{0.01, 0.005, 1.5};
  ReadFiniteProfileVector(path, kSection, "ELEVATOR_ASSIST", ap.elevatorAssist);
  ap.rateThreshold = 0.75;
  ReadFiniteProfileDouble(path, kSection, "RATE_THRESHOLD", ap.rateThreshold);
  ap.rateOfClimb = 1000.0;
  ReadFiniteProfileDouble(path, kSection, "ROC", ap.rateOfClimb);
  ap.rateOfDescent = 1000.0;
  ReadFiniteProfileDouble(path, kSection, "ROD", ap.rateOfDescent);
  // The pitch limits keep their construction values unless the file gives positive ones.
  ReadFiniteProfileDouble(path, kSection, "PITCH_LIMIT_UP", ap.pitchLimitUp, IsPositive);
  ReadFiniteProfileDouble(path, kSection, "PITCH_LIMIT_DOWN", ap.pitchLimitDown, IsPositive);
  ap.elevatorLimit = 1.0;
  ReadFiniteProfileDouble(path, kSection, "ELEVATOR_LIMIT", ap.elevatorLimit);
  ap.rudderLimit = 0.0;
  ReadFiniteProfileDouble(path, kSection, "RUDDER_LIMIT", ap.rudderLimit);
}
