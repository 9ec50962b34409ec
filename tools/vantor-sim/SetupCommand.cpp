// vantor-sim setup: creates one aircraft through the module's exports and shows every host call
// its class set-up made, so an author sees exactly what the host received from the file.
#include <cstdio>
#include <memory>
#include <string>

#include "Command.h"
#include "Preflight.h"
#include "SimulatorRoot.h"
#include "check/Check.h"
#include "vantor/sim/Observation.h"
#include "vantor/sim/OutputFile.h"
#include "vantor/sim/Simulation.h"

namespace {

struct SetupOptions {
  PlaceOptions place;
  std::string name;
  std::string hostLog;
};

int RunSetup(const SetupOptions& options) {
  const std::string& name = options.name;
  if (name.empty()) {
    throw UsageError("the vessel name is empty");
  }
  const bool toFile = !options.hostLog.empty();
  const std::string logFile = AbsolutePath(options.hostLog);
  const SimulatorRoot where = EnterSimulatorRoot(options.place, true);

  // The module reports nothing about a missing or broken file; say it here, beside the log.
  const std::string missing = MissingAircraft(name);
  if (!missing.empty()) {
    throw RunError(missing);
  }
  CheckAircraftFile(where.root, name, stderr, true);

  vantor::sim::ResetHost();
  vantor::sim::EnableLog(true);
  vantor::VesselRecord* vessel = vantor::sim::CreateVessel(name, kAircraftClass);
  vantor::sim::EnableLog(false);
  if (vessel == nullptr) {
    throw RunError("cannot create vessel " + name);
  }
  const std::string log = vantor::sim::LogText();
  vantor::sim::DeleteVessel(*vessel);

  if (toFile) {
    vantor::sim::WriteFileAtomically(logFile, log);
    std::printf("host log: %s\n", logFile.c_str());
  } else {
    std::fwrite(log.data(), 1, log.size(), stdout);
  }
  return kExitDone;
}

CommandRun DefineSetup(CLI::App& command) {
  auto options = std::make_shared<SetupOptions>();
  command.add_option("NAME", options->name, "the vessel: its file is Config/Aircraft/NAME.ini")
      ->required();
  AddPlaceOptions(command, options->place);
  AddHostLogOption(command, options->hostLog)
      ->description("write the calls to FILE, not to the terminal");
  return [options] { return RunSetup(*options); };
}

}  // namespace

REGISTER_COMMAND(setup, "set up vessel NAME of class aircraft and show every host call it made",
                 DefineSetup);
