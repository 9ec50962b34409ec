// The simulation face of the host: creating vessels with their modules and calling into them.
#include "vantor/sim/Simulation.h"

#include <cstdlib>
#include <exception>
#include <set>
#include <stdexcept>

#include "CallLog.h"
#include "Geometry.h"
#include "HostState.h"
#include "ModuleLoader.h"
#include "ScenarioLoadStatus.h"
#include "vantor/Vessel.h"
#include "vantor/sim/Placement.h"
#include "vantor/sim/ScenarioStream.h"

namespace vantor::sim {
namespace {

VESSEL* ModuleVessel(const VesselRecord& vessel) {
  return static_cast<VESSEL*>(vessel.moduleVessel);
}

void ApplyStatus(FlightState& state, const VESSELSTATUS& status) {
  state.position = status.position;
  state.velocity = status.velocity;
  state.angularVelocity = status.angularVelocity;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      state.rotation[row][column] = status.rotation[row][column];
    }
  }
  state.groundContact = status.landed != 0;
  DeriveObservables(state);
}

// Hands the vessels back at process exit, before the static objects of any module loaded so far
// are destroyed: registered after the library was loaded, the handler runs before them.
void HandBackAtExit(const ModuleBinding* module) {
  static std::set<const ModuleBinding*> registered;
  if (registered.insert(module).second) {
    // The handler uses the host and the log, so they must be built before it is registered.
    Host();
    log::EnsureState();
    std::atexit([] { HandBackModuleVessels(); });
  }
}

// A stream the log can name: file0, file1, ... in the order the host opens them.
ScenarioStream& NamedStream(ScenarioStream& stream) {
  log::NameNewHandle("file", &stream);
  return stream;
}

}  // namespace

void SetModuleFolder(const std::string& folder) {
  Host().moduleFolder = folder;
}

std::string ModulePath(const std::string& className) {
  return ModuleLibraryPath(Host().moduleFolder, className);
}

VesselRecord* CreateVessel(const std::string& name, const std::string& className,
                           const VESSELSTATUS* status) {
  if (name.empty() || FindVesselByName(name) != nullptr) {
    return nullptr;
  }
  const ModuleBinding* module = LoadModule(Host().moduleFolder, className);
  if (module != nullptr) {
    HandBackAtExit(module);
  }

  auto owned = std::make_unique<VesselRecord>();
  VesselRecord& vessel = *owned;
  vessel.name = name;
  vessel.className = className;
  vessel.module = module;
  if (status != nullptr) {
    ApplyStatus(vessel.state, *status);
  }
  Host().vessels.push_back(std::move(owned));

  if (module != nullptr) {
    VESSEL* moduleVessel = nullptr;
    {
      log::ModuleCallMark mark("vvcInit");
      moduleVessel = module->init(&vessel, 1);
    }
    if (moduleVessel == nullptr) {
      RemoveVessel(vessel);
      throw std::runtime_error("module " + module->path + " made no vessel for " + name);
    }
    vessel.moduleVessel = moduleVessel;
    log::ModuleCallMark mark("vvcSetClassCaps");
    module->setClassCaps(moduleVessel, nullptr);
  }
  return &vessel;
}

void DeleteVessel(VesselRecord& vessel) {
  if (!IsLiveVessel(&vessel)) {
    return;
  }
  if (vessel.module != nullptr && vessel.moduleVessel != nullptr) {
    log::ModuleCallMark mark("vvcExit");
    vessel.module->exit(ModuleVessel(vessel));
    vessel.moduleVessel = nullptr;
  }
  RemoveVessel(vessel);
}

std::vector<VesselRecord*> Vessels() {
  std::vector<VesselRecord*> vessels;
  ListVessels(vessels);
  return vessels;
}

void ListVessels(std::vector<VesselRecord*>& vessels) {
  vessels.clear();
  for (const auto& vessel : Host().vessels) {
    vessels.push_back(vessel.get());
  }
}

void Timestep(VesselRecord& vessel, double simt) {
  if (vessel.module != nullptr && vessel.moduleVessel != nullptr) {
    log::ModuleCallMark mark("vvcTimestep");
    vessel.module->timestep(ModuleVessel(vessel), simt);
  }
}

int BufferedKey(VesselRecord& vessel, DWORD key, bool down, char* keyState) {
  if (vessel.module == nullptr || vessel.moduleVessel == nullptr) {
    return 0;
  }
  log::ModuleCallMark mark("vvcConsumeBufferedKey");
  return vessel.module->consumeBufferedKey(ModuleVessel(vessel), key, down, keyState);
}

void LoadState(VesselRecord& vessel, const std::vector<std::string>& lines) {
  ScenarioStream stream;
  stream.lines = lines;
  ScenarioLoadStatus status(vessel);
  if (vessel.module != nullptr && vessel.moduleVessel != nullptr) {
    log::ModuleCallMark mark("vvcLoadStateEx");
    vessel.module->loadStateEx(ModuleVessel(vessel), &NamedStream(stream), &status);
  } else {
    // The host parses a plain vessel's lines itself; that is not a module's call.
    log::Pause pause;
    VESSEL plain(&vessel);
    status.withoutModule = true;
    for (const std::string& line : lines) {
      std::string text = line;
      plain.ParseScenarioLineEx(text.data(), &status);
    }
  }
  FinishScenarioLoad(status);
}

std::vector<std::string> SaveState(VesselRecord& vessel) {
  ScenarioStream stream;
  if (vessel.module != nullptr && vessel.moduleVessel != nullptr) {
    log::ModuleCallMark mark("vvcSaveState");
    vessel.module->saveState(ModuleVessel(vessel), &NamedStream(stream));
  } else {
    log::Pause pause;
    VESSEL plain(&vessel);
    plain.SaveDefaultState(&stream);
  }
  return stream.written;
}

struct Offstage::Saved {
  log::Pause pause;
  std::shared_ptr<log::SavedNames> names = log::SaveNames();
};

Offstage::Offstage() : saved_(new Saved) {}

Offstage::~Offstage() {
  log::RestoreNames(*saved_->names);
  delete saved_;
}

std::vector<std::string> PeekState(VesselRecord& vessel) {
  const Offstage quiet;
  return SaveState(vessel);
}

namespace {

// vapiCreateVessel's way in: a vessel that cannot be made is null. Nothing is thrown across
// the library boundary, which the 32-bit Windows build cannot unwind (docs/windows.md).
VesselRecord* CreateVesselForModule(const std::string& name, const std::string& className,
                                    const VESSELSTATUS* status) {
  try {
    return CreateVessel(name, className, status);
  } catch (const std::exception&) {
    return nullptr;
  }
}

// Installed as this library is loaded: what the module face calls of the simulation.
[[maybe_unused]] const bool kEntryPointsInstalled =
    (Host().simulation = SimulationEntryPoints{&CreateVesselForModule, &PlaceVessel}, true);

}  // namespace
}  // namespace vantor::sim
