// What the author commands share: the aircraft they compute on, and their numeric options.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include <vantor/sim/Simulation.h>

#include "Command.h"
#include "SimulatorRoot.h"
#include "authoring/Gear.h"
#include "authoring/Trim.h"
#include "authoring/WorthinessReport.h"

namespace authoring {

// Enters the simulator root and sets up the aircraft NAME from its file, for this command
// alone. Resolve every other relative path before calling.
inline vantor::VesselRecord& CreateToolAircraft(const Arguments& arguments,
                                                const std::string& name) {
  if (name.empty()) {
    throw UsageError("the vessel name is empty");
  }
  EnterSimulatorRoot(arguments, true);
  const std::string file = "Config/Aircraft/" + name + ".ini";
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    throw UsageError("no aircraft file " + file + " in the simulator root");
  }
  vantor::VesselRecord* vessel = vantor::sim::CreateVessel(name, kAircraftClass);
  if (vessel == nullptr) {
    throw UsageError("cannot create vessel " + name);
  }
  return *vessel;
}

inline double NumberWithin(const Arguments& arguments, const std::string& option, double fallback,
                           double low, double high) {
  const double value = arguments.Number(option, fallback);
  if (!(value >= low && value <= high)) {
    char range[96];
    std::snprintf(range, sizeof range, " must lie between %g and %g", low, high);
    throw UsageError(option + range);
  }
  return value;
}

// --alt, --flaps, --fuel; the airspeed is left for the command to settle.
inline Condition ReadCondition(const Arguments& arguments) {
  Condition condition;
  condition.altitude = NumberWithin(arguments, "--alt", 1000.0, -400.0, 80000.0);
  condition.flaps = NumberWithin(arguments, "--flaps", 0.0, 0.0, 1.0);
  condition.fuelFraction = NumberWithin(arguments, "--fuel", 1.0, 0.0, 1.0);
  return condition;
}

// --gear up|down (default up, as in cruise). A file without a sequence named Gear has no gear
// to move; asking for it is an error only when the author asked.
inline void ApplyGear(const Arguments& arguments, vantor::VesselRecord& vessel,
                      const std::string& name) {
  const std::string gear = arguments.Value("--gear", "up");
  if (gear != "up" && gear != "down") {
    throw UsageError("--gear takes up or down, not '" + gear + "'");
  }
  const int sequence = FindGearSequence("Config/Aircraft/" + name + ".ini");
  if (sequence < 0 && arguments.Has("--gear")) {
    throw UsageError(name + " has no animation sequence named Gear to move");
  }
  SetGear(vessel, sequence, gear == "down");
}

// The flight-worthiness findings of `check NAME`, after the file's own: the aircraft is set up
// by the module from the root, so this needs the module; without it the part is skipped with a
// note rather than failing a check of the file.
inline void CheckFlightWorthiness(const Arguments& arguments, const std::string& name) {
  const std::string file = "Config/Aircraft/" + name + ".ini";
  try {
    const SimulatorRoot root = EnterSimulatorRoot(arguments, true);
    if (const int findings = PrintFlightWorthiness(root.root, name, stdout); findings > 0) {
      std::printf("%s: flight-worthiness: %d warning%s\n", file.c_str(), findings,
                  findings == 1 ? "" : "s");
    }
  } catch (const UsageError& error) {
    std::printf("%s:0: note: flight-worthiness not assessed: %s\n", file.c_str(), error.what());
  }
}

}  // namespace authoring
