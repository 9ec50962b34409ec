#include "SimulatorRoot.h"

#include <filesystem>

#include "Command.h"
#include "vantor/sim/Simulation.h"

namespace fs = std::filesystem;

std::string AbsolutePath(const std::string& path) {
  return path.empty() ? path : fs::absolute(path).lexically_normal().string();
}

SimulatorRoot EnterSimulatorRoot(const PlaceOptions& place, bool requireAircraft) {
  SimulatorRoot where{AbsolutePath(place.root), AbsolutePath(place.modules)};
  std::error_code error;
  if (!fs::is_directory(where.root, error)) {
    throw RunError("simulator root " + place.root + " is not a folder");
  }
  // A class whose module is missing makes a plain vessel, so a wrong folder would otherwise
  // only show as an aircraft that ignores every key.
  if (!fs::is_directory(where.modules, error)) {
    throw RunError("module folder " + where.modules + " is not a folder");
  }
  vantor::sim::SetModuleFolder(where.modules);
  if (requireAircraft) {
    const std::string library = vantor::sim::ModulePath(kAircraftClass);
    if (!fs::is_regular_file(library, error)) {
      throw RunError("module not found: " + library);
    }
  }
  fs::current_path(where.root, error);
  if (error) {
    throw RunError("cannot enter simulator root " + where.root + ": " + error.message());
  }
  return where;
}
