// Where a command runs: the simulator root whose Config/ the module reads by relative paths,
// and the folder vessel modules are loaded from.
#pragma once

#include <string>

#include "CommonOptions.h"

// A path given on the command line, made absolute against where the command was started (so
// that it survives entering the root); empty stays empty.
std::string AbsolutePath(const std::string& path);

struct SimulatorRoot {
  std::string root;     // absolute
  std::string modules;  // absolute
};

// Checks --root and --modules, loads modules from that folder and makes the root the working
// directory. With requireAircraft, the aircraft module must exist in the folder. Throws
// RunError naming what is missing. Resolve every other relative path before calling.
SimulatorRoot EnterSimulatorRoot(const PlaceOptions& place, bool requireAircraft);
