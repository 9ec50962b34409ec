// vantor-sim setup: creates one aircraft through the module's exports and shows every host call
// its class set-up made, so an author sees exactly what the host received from the file.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Command.h"
#include "check/Check.h"
#include "vantor/sim/Simulation.h"
#include "vantor/testing/HostTesting.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kAircraftClass = "aircraft";

int RunSetup(Arguments& arguments) {
  arguments.RequireKnown({"--host-log"});
  const std::string name = arguments.Positional("vessel name");
  if (name.empty()) {
    throw UsageError("the vessel name is empty");
  }
  // Paths given on the command line are relative to where the user is, not to the root.
  std::error_code error;
  const fs::path root = fs::absolute(arguments.Root(), error);
  if (error || !fs::is_directory(root, error)) {
    throw UsageError("simulator root " + arguments.Root() + " is not a folder");
  }
  const fs::path modules = fs::absolute(arguments.Modules(), error);
  const bool toFile = arguments.Has("--host-log");
  const fs::path logFile = toFile ? fs::absolute(arguments.Value("--host-log", ""), error) : "";

  vantor::sim::SetModuleFolder(modules.string());
  const std::string library = vantor::sim::ModulePath(kAircraftClass);
  if (!fs::is_regular_file(library, error)) {
    throw UsageError("module not found: " + library);
  }
  fs::current_path(root, error);
  if (error) {
    throw UsageError("cannot enter simulator root " + root.string() + ": " + error.message());
  }

  // The module reports nothing about a broken file; say it here, beside the log.
  CheckAircraftFile(root.string(), name, stderr, true);

  vantor::testing::ResetHost();
  vantor::testing::EnableLog(true);
  vantor::VesselRecord* vessel = vantor::sim::CreateVessel(name, kAircraftClass);
  vantor::testing::EnableLog(false);
  if (vessel == nullptr) {
    throw UsageError("cannot create vessel " + name);
  }
  const std::string log = vantor::testing::LogText();
  vantor::sim::DeleteVessel(*vessel);

  if (toFile) {
    std::ofstream out(logFile, std::ios::binary);
    out << log;
    if (!out.flush()) {
      throw UsageError("cannot write host log " + logFile.string());
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
