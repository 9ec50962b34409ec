// The one host of the process: its vessels, status line, input box and injected failures.
// Private to the host library.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vantor/Types.h"
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

struct HostState {
  std::vector<std::unique_ptr<VesselRecord>> vessels;  // creation order
  VesselRecord* focus = nullptr;                       // null: the first vessel has it
  char statusLine[VAPI_DEBUG_STRING_SIZE] = {};
  InputBox inputBox;
  bool vesselCreationFails = false;
  // testing::WriteFault for files whose path ends with writeFaultSuffix (any when empty).
  int writeFault = 0;
  std::string writeFaultSuffix;
  // Textures live for the process: a module may keep a handle in module-wide data.
  std::vector<std::unique_ptr<TextureRecord>> textures;
  std::string moduleFolder = ".";
};

HostState& Host();

// The status line up to its terminator (or its full size, should a writer leave none).
std::string StatusText();

// Null when no vessel of the host has that name.
VesselRecord* FindVesselByName(const std::string& name);
// Whether the pointer is one of the host's live vessels (handles from a module are checked
// before they are used).
bool IsLiveVessel(const VesselRecord* vessel);
// The vessel with the input focus, or null when there is none.
VesselRecord* FocusVessel();
// Hands every vessel a module made back to the module's vvcExit (unlogged); the records stay.
// A module's vessel object is the module's to free, so this runs on reset and at process exit.
void HandBackModuleVessels();
// Removes the record; the focus moves to the default when it had it.
void RemoveVessel(VesselRecord& vessel);

}  // namespace vantor
