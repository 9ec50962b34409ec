// The host's simulation: vessels, the modules that drive them, and the calls into modules.
// vantor-sim and the tests use it; a module never does.
#pragma once

#include <string>
#include <vector>

#include "vantor/Types.h"
#include "vantor/sim/Export.h"
#include "vantor/sim/VesselRecord.h"

namespace vantor::sim {

// Folder that vessel modules are loaded from (dlopen / LoadLibrary by class name).
VANTOR_SIM_API void SetModuleFolder(const std::string& folder);
// The library file a module of the class would be loaded from (in the module folder).
VANTOR_SIM_API std::string ModulePath(const std::string& className);

// Creates a vessel. When a module named after the class can be loaded, the host calls its
// vvcInit and then vvcSetClassCaps; a class without a module becomes a plain vessel. Throws
// std::runtime_error when a module library exists but cannot be loaded or lacks an export
// (the message names the library or the export). Returns null when the name is taken.
VANTOR_SIM_API VesselRecord* CreateVessel(const std::string& name, const std::string& className,
                                          const VESSELSTATUS* status = nullptr);
// Calls the module's vvcExit and removes the vessel.
VANTOR_SIM_API void DeleteVessel(VesselRecord& vessel);
// Every vessel, in creation order.
VANTOR_SIM_API std::vector<VesselRecord*> Vessels();
// The same into a list the caller keeps, for loops that ask every frame.
VANTOR_SIM_API void ListVessels(std::vector<VesselRecord*>& vessels);

// Calls into the vessel's module (no effect for a plain vessel).
VANTOR_SIM_API void Timestep(VesselRecord& vessel, double simt);
VANTOR_SIM_API int BufferedKey(VesselRecord& vessel, DWORD key, bool down, char* keyState);
// Hands the module the lines of the vessel's scenario block (vvcLoadStateEx); a plain vessel's
// lines go straight to the host's default parser.
VANTOR_SIM_API void LoadState(VesselRecord& vessel, const std::vector<std::string>& lines);
// The lines of the vessel's scenario block as the module writes them (vvcSaveState); a plain
// vessel gets the host's default lines.
VANTOR_SIM_API std::vector<std::string> SaveState(VesselRecord& vessel);
// The same lines, without logging the module's calls: how the simulator watches what a module
// holds (its flight plan, say) during a run without changing the host log.
VANTOR_SIM_API std::vector<std::string> PeekState(VesselRecord& vessel);

// While an object of this class lives, no host call is logged, and the handle and pointer names
// handed out meanwhile are forgotten afterwards: a tool (the file check) may run module code on
// a vessel record of its own without changing what the log of the run shows.
class VANTOR_SIM_API Offstage {
 public:
  Offstage();
  ~Offstage();
  Offstage(const Offstage&) = delete;
  Offstage& operator=(const Offstage&) = delete;

 private:
  struct Saved;
  Saved* saved_;
};

}  // namespace vantor::sim
