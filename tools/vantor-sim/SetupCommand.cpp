// vantor-sim setup: creates one aircraft through the module's exports and shows every host call
// its class set-up made, so an author sees exactly what the host received from the file.
#include <cstdio>
#include <fstream>
#include <string>

#include "Command.h"
#include "SimulatorRoot.h"
#include "check/Check.h"
#include "vantor/sim/Observation.h"
#include "vantor/sim/Simulation.h"

namespace {

int RunSetup(Arguments& arguments) {
  arguments.RequireKnown({"--host-log"});
  const std::string name = arguments.Positional("vessel name");
  if (name.empty()) {
    throw UsageError("the vessel name is empty");
  }
  const bool toFile = arguments.Has("--host-log");
  const std::string logFile = AbsolutePath(arguments.Value("--host-log", ""));
  const SimulatorRoot where = EnterSimulatorRoot(arguments, true);

  // The module reports nothing about a broken file; say it here, beside the log.
  CheckAircraftFile(where.root, name, stderr, true);

  vantor::sim::ResetHost();
  vantor::sim::EnableLog(true);
  vantor::VesselRecord* vessel = vantor::sim::CreateVessel(name, kAircraftClass);
  vantor::sim::EnableLog(false);
  if (vessel == nullptr) {
    throw UsageError("cannot create vessel " + name);
  }
  const std::string log = vantor::sim::LogText();
  vantor::sim::DeleteVessel(*vessel);

  if (toFile) {
    std::ofstream out(logFile, std::ios::binary);
    out << log;
    if (!out.flush()) {
      throw UsageError("cannot write host log " + logFile);
    }
  } else {
    std::fwrite(log.data(), 1, log.size(), stdout);
  }
  return 0;
}

}  // namespace

REGISTER_COMMAND(setup, "setup", "setup NAME [--root DIR] [--modules DIR] [--host-log FILE]",
                 "set up vessel NAME of class aircraft and show every host call it made", "",
                 RunSetup);
