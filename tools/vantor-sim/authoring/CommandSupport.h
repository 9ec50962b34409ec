// What the author commands share: the aircraft they compute on, and the options that set its
// flight condition.
#pragma once

#include <CLI/CLI.hpp>
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
inline vantor::VesselRecord& CreateToolAircraft(const PlaceOptions& place,
                                                const std::string& name) {
  if (name.empty()) {
    throw UsageError("the vessel name is empty");
  }
  EnterSimulatorRoot(place, true);
  const std::string file = "Config/Aircraft/" + name + ".ini";
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    throw RunError("no aircraft file " + file + " in the simulator root");
  }
  vantor::VesselRecord* vessel = vantor::sim::CreateVessel(name, kAircraftClass);
  if (vessel == nullptr) {
    throw RunError("cannot create vessel " + name);
  }
  return *vessel;
}

// --alt, --flaps, --gear, --fuel.
struct ConditionOptions {
  Condition condition;
  std::string gear;  // empty: up, as in cruise, and no complaint when there is no gear
};

inline void AddConditionOptions(CLI::App& command, ConditionOptions& options, bool altitude) {
  if (altitude) {
    command.add_option("--alt", options.condition.altitude, "altitude, m")
        ->check(CLI::Range(-400.0, 80000.0))
        ->capture_default_str();
  }
  command.add_option("--flaps", options.condition.flaps, "flap state, 0 (up) to 1 (down)")
      ->check(CLI::Range(0.0, 1.0))
      ->capture_default_str();
  command.add_option("--gear", options.gear, "the sequence named Gear up or down (default up)")
      ->check(CLI::IsMember({"up", "down"}));
  command.add_option("--fuel", options.condition.fuelFraction, "share of full tanks, 0 to 1")
      ->check(CLI::Range(0.0, 1.0))
      ->capture_default_str();
}

// Moves the gear as asked. A file without a sequence named Gear has no gear to move; asking
// for it is an error only when the author asked.
inline void ApplyGear(const ConditionOptions& options, vantor::VesselRecord& vessel,
                      const std::string& name) {
  const int sequence = FindGearSequence("Config/Aircraft/" + name + ".ini");
  if (sequence < 0 && !options.gear.empty()) {
    throw RunError(name + " has no animation sequence named Gear to move");
  }
  SetGear(vessel, sequence, options.gear == "down");
}

inline const char* GearName(const ConditionOptions& options) {
  return options.gear == "down" ? "down" : "up";
}

// The flight-worthiness findings of `check NAME`, after the file's own: the aircraft is set up
// by the module from the root, so this needs the module; without it the part is skipped with a
// note rather than failing a check of the file.
inline void CheckFlightWorthiness(const PlaceOptions& place, const std::string& name) {
  const std::string file = "Config/Aircraft/" + name + ".ini";
  try {
    const SimulatorRoot root = EnterSimulatorRoot(place, true);
    if (const int findings = PrintFlightWorthiness(root.root, name, stdout); findings > 0) {
      std::printf("%s: flight-worthiness: %d warning%s\n", file.c_str(), findings,
                  findings == 1 ? "" : "s");
    }
  } catch (const RunError& error) {
    std::printf("%s:0: note: flight-worthiness not assessed: %s\n", file.c_str(), error.what());
  }
}

}  // namespace authoring
