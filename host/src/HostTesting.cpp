// The host's testing face.
#include "vantor/testing/HostTesting.h"

#include <memory>

#include "Geometry.h"
#include "HostState.h"
#include "ScenarioLoadStatus.h"
#include "vantor/Vessel.h"

namespace vantor::testing {

void InjectWriteFault(WriteFault fault, const std::string& pathSuffix) {
  Host().writeFault = static_cast<int>(fault);
  Host().writeFaultSuffix = pathSuffix;
}

VesselRecord& CreateVesselRecord(const char* name, const char* className) {
  auto vessel = std::make_unique<VesselRecord>();
  vessel->name = name != nullptr ? name : "";
  vessel->className = className != nullptr ? className : "";
  Host().vessels.push_back(std::move(vessel));
  return *Host().vessels.back();
}

VesselRecord* FindVessel(const char* name) {
  return name != nullptr ? FindVesselByName(name) : nullptr;
}

VesselRecord& Record(const VESSEL& vessel) {
  return *vessel.GetHandle();
}

void RefreshObservables(VesselRecord& vessel) {
  DeriveObservables(vessel.state);
}

void LoadAsTheHostDoes(VesselRecord& vessel, const std::function<void(void* status)>& load) {
  ScenarioLoadStatus status(vessel);
  load(&status);
  FinishScenarioLoad(status);
}

void SetFocus(VesselRecord* vessel) {
  Host().focus = vessel;
}

void SetVesselCreationFails(bool fails) {
  Host().vesselCreationFails = fails;
}

}  // namespace vantor::testing
