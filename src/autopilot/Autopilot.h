// Autopilot switches, targets and tuning.
#pragma once

#include "frame/Host.h"

struct AutopilotState {
  bool autopilotEngaged = false;
  bool bankHoldOn = false;
  bool altitudeHoldOn = false;
  bool headingHoldOn = false;

  double maxBank = 20.0;         // degrees
  double pitchLimitUp = 30.0;    // degrees
  double pitchLimitDown = 20.0;  // degrees, used as a downward limit
  double climbDistance = 3000.0;
  double dampBank = 5.0;
  double dampElevator = 5.0;
  double rateThreshold = 0.75;
  VECTOR3 elevatorAssist{0.01, 0.005, 1.5};  // upper bound, lower bound, gain
  double rudderLimit = 0.0;
  double elevatorLimit = 1.0;
  double rateOfClimb = 1000.0;
  double rateOfDescent = 1000.0;
  double headingTarget = 180.0;    // degrees
  double altitudeTarget = 10000.0;  // metres
  double bankTarget = 0.0;          // degrees
  double elevatorCommand = 0.0;
  double aileronCommand = 0.0;
};
