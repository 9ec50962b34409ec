#include "HostState.h"

#include <algorithm>
#include <cstring>

#include "CallLog.h"
#include "ModuleLoader.h"
#include "vantor/Vessel.h"

namespace vantor {

HostState& Host() {
  static HostState host;
  return host;
}

std::size_t StatusLength() {
  const char* line = Host().statusLine;
  const void* nul = std::memchr(line, '\0', VAPI_DEBUG_STRING_SIZE);
  return nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - line)
                        : VAPI_DEBUG_STRING_SIZE;
}

std::string StatusText() {
  return std::string(Host().statusLine, StatusLength());
}

VesselRecord* FindVesselByName(const std::string& name) {
  for (const auto& vessel : Host().vessels) {
    if (vessel->name == name) {
      return vessel.get();
    }
  }
  return nullptr;
}

bool IsLiveVessel(const VesselRecord* vessel) {
  const auto& vessels = Host().vessels;
  return vessel != nullptr &&
         std::any_of(vessels.begin(), vessels.end(),
                     [vessel](const auto& owned) { return owned.get() == vessel; });
}

VesselRecord* FocusVessel() {
  HostState& host = Host();
  if (host.focus != nullptr && IsLiveVessel(host.focus)) {
    return host.focus;
  }
  return host.vessels.empty() ? nullptr : host.vessels.front().get();
}

void HandBackModuleVessels() {
  log::Pause pause;
  for (const auto& vessel : Host().vessels) {
    if (vessel->module != nullptr && vessel->moduleVessel != nullptr) {
      vessel->module->exit(static_cast<VESSEL*>(vessel->moduleVessel));
      vessel->moduleVessel = nullptr;
    }
  }
}

void RemoveVessel(VesselRecord& vessel) {
  HostState& host = Host();
  if (host.focus == &vessel) {
    host.focus = nullptr;
  }
  auto& vessels = host.vessels;
  vessels.erase(std::remove_if(vessels.begin(), vessels.end(),
                               [&vessel](const auto& owned) { return owned.get() == &vessel; }),
                vessels.end());
}

}  // namespace vantor
