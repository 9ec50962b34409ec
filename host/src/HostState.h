// The one host of the process: its vessels, status line, input box and injected failures.
// Private to the host's libraries.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "HostExport.h"
#include "vantor/Types.h"
#include "vantor/sim/Placement.h"
#include "vantor/sim/VesselRecord.h"

namespace vantor {

struct InputBox {
  bool open = false;
  std::string title;
  std::string initialText;
  int width = 0;
  InputBoxCallback callback = nullptr;
  void* context = nullptr;
};

// What the module face needs of the simulation that is built on top of it and that it cannot
// link: creating a vessel with its module (vapiCreateVessel) and placing a vessel (scenario
// lines parsed outside a load). The simulation library installs them as it is loaded; while
// they are null, no vessel can be made and placement lines place nothing. Neither throws:
// createVessel gives null for a vessel that cannot be made.
struct SimulationEntryPoints {
  VesselRecord* (*createVessel)(const std::string& name, const std::string& className,
                                const VESSELSTATUS* status) = nullptr;
  void (*placeVessel)(VesselRecord& vessel, const sim::Placement& placement) = nullptr;
};

struct HostState {
  std::vector<std::unique_ptr<VesselRecord>> vessels;  // creation order
  VesselRecord* focus = nullptr;                       // null: the first vessel has it
  char statusLine[VAPI_DEBUG_STRING_SIZE] = {};
  InputBox inputBox;
  bool vesselCreationFails = false;
  // sim::WriteFault for files whose path ends with writeFaultSuffix (any when empty).
  int writeFault = 0;
  std::string writeFaultSuffix;
  // Textures live for the process: a module may keep a handle in module-wide data.
  std::vector<std::unique_ptr<TextureRecord>> textures;
  std::string moduleFolder = ".";
  SimulationEntryPoints simulation;
};

VANTOR_INTERNAL HostState& Host();

// The status line up to its terminator (or its full size, should a writer leave none).
VANTOR_INTERNAL std::string StatusText();
// Characters before the status line's terminator (all of them when it has none).
VANTOR_INTERNAL std::size_t StatusLength();

// Null when no vessel of the host has that name.
VANTOR_INTERNAL VesselRecord* FindVesselByName(const std::string& name);
// Whether the pointer is one of the host's live vessels (handles from a module are checked
// before they are used).
VANTOR_INTERNAL bool IsLiveVessel(const VesselRecord* vessel);
// The vessel with the input focus, or null when there is none.
VANTOR_INTERNAL VesselRecord* FocusVessel();
// Hands every vessel a module made back to the module's vvcExit (unlogged); the records stay.
// A module's vessel object is the module's to free, so this runs on reset and at process exit.
VANTOR_INTERNAL void HandBackModuleVessels();
// Removes the record; the focus moves to the default when it had it.
VANTOR_INTERNAL void RemoveVessel(VesselRecord& vessel);

}  // namespace vantor
