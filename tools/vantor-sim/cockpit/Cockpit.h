// `vantor-sim fly --interactive [SCENARIO]`: the live cockpit in the terminal (docs/flying.md).
#pragma once

#include <string>

#include "CommonOptions.h"

struct CockpitOptions {
  PlaceOptions place;
  std::string scenario;  // empty: the root's Scenarios/Runway.scn
  std::string save;      // empty: nothing is saved
  double dt = 0.02;
  bool keepGoing = false;  // fly although the scenario's vessels have errors
};

// Flies the scenario in real time with the pilot at the keys until the pilot quits; saves the
// scenario where options.save says; returns the exit code. Throws RunError when standard input
// or output is no terminal, or where the build has no terminal cockpit.
int FlyInteractive(const CockpitOptions& options);
