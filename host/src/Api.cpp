// The host's free functions as a module calls them.
#include "vantor/Api.h"

#include <memory>

#include "CallLog.h"
#include "HostState.h"
#include "vantor/sim/ScenarioStream.h"

namespace vlog = vantor::log;

char* vapiDebugString() {
  vlog::CallReturning("vapiDebugString", vlog::Raw{"status"});
  return vantor::Host().statusLine;
}

SURFHANDLE vapiRegisterExhaustTexture(const char* name) {
  const std::string text = name != nullptr ? name : "";
  auto& textures = vantor::Host().textures;
  SURFHANDLE texture = nullptr;
  for (const auto& known : textures) {
    if (known->name == text) {
      texture = known.get();
    }
  }
  if (texture == nullptr) {
    textures.push_back(std::make_unique<vantor::TextureRecord>(vantor::TextureRecord{text}));
    texture = textures.back().get();
  }
  vlog::CallReturning("vapiRegisterExhaustTexture", vlog::Handle{"tex", texture},
                      vlog::Quoted{name});
  return texture;
}

bool vapiGetFocusHeading(double* heading) {
  const vantor::VesselRecord* focus = vantor::FocusVessel();
  const bool found = focus != nullptr && heading != nullptr;
  if (found) {
    *heading = focus->state.heading;
  }
  if (found) {
    vlog::CallReturning("vapiGetFocusHeading", vlog::Tuple(true, *heading));
  } else {
    vlog::CallReturning("vapiGetFocusHeading", vlog::Tuple(false, vlog::Raw{"null"}));
  }
  return found;
}

bool vapiGetVesselHeading(OBJHANDLE vessel, double* heading) {
  const bool found = vantor::IsLiveVessel(vessel) && heading != nullptr;
  if (found) {
    *heading = vessel->state.heading;
    vlog::CallReturning("vapiGetVesselHeading", vlog::Tuple(true, *heading), vlog::Vessel{vessel});
  } else {
    vlog::CallReturning("vapiGetVesselHeading", vlog::Tuple(false, vlog::Raw{"null"}),
                        vlog::Vessel{vessel});
  }
  return found;
}

OBJHANDLE vapiCreateVessel(const char* name, const char* className, const VESSELSTATUS& status) {
  OBJHANDLE vessel = nullptr;
  const auto create = vantor::Host().simulation.createVessel;
  // A module that cannot be loaded fails this call; the simulation's entry point throws nothing.
  if (name != nullptr && create != nullptr && !vantor::Host().vesselCreationFails) {
    vessel = create(name, className != nullptr ? className : "", &status);
  }
  vlog::CallReturning("vapiCreateVessel", vlog::Vessel{vessel}, vlog::Quoted{name},
                      vlog::Quoted{className}, vlog::Status{&status});
  return vessel;
}

bool vapiOpenInputBox(const char* title, InputBoxCallback callback, const char* initialText,
                      int width, void* context) {
  // A new box replaces one still open: the pilot sees the latest request.
  vantor::InputBox& box = vantor::Host().inputBox;
  box.open = callback != nullptr;
  box.title = title != nullptr ? title : "";
  box.initialText = initialText != nullptr ? initialText : "";
  box.width = width;
  box.callback = callback;
  box.context = context;
  vlog::CallReturning("vapiOpenInputBox", box.open, vlog::Quoted{title},
                      vlog::Function{reinterpret_cast<std::uintptr_t>(callback)},
                      vlog::Quoted{initialText}, width, vlog::Pointer{context});
  return box.open;
}

bool vapiReadScenario_nextline(FILEHANDLE scenario, char*& line) {
  bool found = false;
  if (scenario != nullptr) {
    found = scenario->next < scenario->lines.size();
    scenario->current = found ? scenario->lines[scenario->next++] : std::string();
    line = scenario->current.data();
  } else {
    line = nullptr;
  }
  if (found) {
    vlog::CallReturning("vapiReadScenario_nextline", vlog::Tuple(true, vlog::Quoted{line}),
                        vlog::Handle{"file", scenario});
  } else {
    vlog::CallReturning("vapiReadScenario_nextline", vlog::Tuple(false, vlog::Raw{"null"}),
                        vlog::Handle{"file", scenario});
  }
  return found;
}

void vapiWriteScenario_string(FILEHANDLE scenario, const char* item, const char* value) {
  vlog::Call("vapiWriteScenario_string", vlog::Handle{"file", scenario}, vlog::Quoted{item},
             vlog::Quoted{value});
  if (scenario == nullptr) {
    return;
  }
  std::string line = item != nullptr ? item : "";
  line += ' ';
  line += value != nullptr ? value : "";
  scenario->written.push_back(std::move(line));
}
