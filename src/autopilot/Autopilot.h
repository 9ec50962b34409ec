// Autopilot switches, targets and tuning of one aircraft. The values given here are those of
// construction; class set-up then reads the AUTOPILOT section over them (AutopilotSettings.cpp).
#pragma once

#include "frame/Host.h"

struct AutopilotState {
  // The master switch copies itself into the three channel flags when it changes; each channel
  // tests only its own flag, and the flight plan is followed only while the master is on.
  bool autopilotEngaged = false;
  bool bankHoldOn = false;
  bool altitudeHoldOn = false;
  bool headingHoldOn = false;

  double maxBank = 20.0;          // degrees
  double pitchLimitUp = 30.0;     // degrees
  double pitchLimitDown = 20.0;   // degrees, a positive number used as the downward limit
  double climbDistance = 3000.0;  // metres over which altitude hold aims at its target
  double dampBank = 5.0;          // degrees of heading error below which the bank is proportional
  double dampElevator = 5.0;      // divisor of the elevator command
  double rateThreshold = 0.75;    // read for compatibility; no law uses it
  VECTOR3 elevatorAssist{0.01, 0.005, 1.5};  // upper bound, lower bound, gain
  double rudderLimit = 0.0;    // rudder level per unit of proportional heading error; 0: damp slip
  double elevatorLimit = 1.0;  // upper cap of the elevator command
  // Each is both the height band (metres) outside which altitude hold climbs or descends at a
  // fixed angle and the vertical rate (metres per minute) that fixes that angle.
  double rateOfClimb = 1000.0;
  double rateOfDescent = 1000.0;
  double headingTarget = 180.0;     // degrees
  double altitudeTarget = 10000.0;  // metres
  double bankTarget = 0.0;          // degrees
  double elevatorCommand = 0.0;     // last elevator level altitude hold set
  double aileronCommand = 0.0;      // last aileron level bank hold set
};
