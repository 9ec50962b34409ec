#include "vantor/sim/PilotControls.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "CallLog.h"

namespace vantor::sim {

namespace {

struct ControlInfo {
  PilotControl control;
  const char* name;
  AIRCTRL_TYPE surface;  // unused for the throttle
};

constexpr ControlInfo kControls[kPilotControlCount] = {
    {PilotControl::Throttle, "throttle", AIRCTRL_ELEVATOR},
    {PilotControl::Elevator, "elevator", AIRCTRL_ELEVATOR},
    {PilotControl::Aileron, "aileron", AIRCTRL_AILERON},
    {PilotControl::Rudder, "rudder", AIRCTRL_RUDDER},
    {PilotControl::Trim, "trim", AIRCTRL_ELEVATORTRIM},
};

const ControlInfo& Info(PilotControl control) {
  return kControls[static_cast<int>(control)];
}

ThrusterGroupRecord* NewestMainGroup(const VesselRecord& vessel) {
  for (auto group = vessel.thrusterGroups.rbegin(); group != vessel.thrusterGroups.rend();
       ++group) {
    if ((*group)->type == THGROUP_MAIN && !(*group)->thrusters.empty()) {
      return group->get();
    }
  }
  return nullptr;
}

}  // namespace

std::optional<PilotControl> PilotControlNamed(std::string_view name) {
  for (const ControlInfo& info : kControls) {
    if (name == info.name) {
      return info.control;
    }
  }
  return std::nullopt;
}

const char* PilotControlName(PilotControl control) {
  return Info(control).name;
}

double PilotControlMinimum(PilotControl control) {
  return control == PilotControl::Throttle ? 0.0 : -1.0;
}

void SetPilotControl(VesselRecord& vessel, PilotControl control, double value) {
  if (std::isnan(value)) {
    return;
  }
  value = std::clamp(value, PilotControlMinimum(control), 1.0);
  if (control == PilotControl::Throttle) {
    if (ThrusterGroupRecord* group = NewestMainGroup(vessel)) {
      for (ThrusterRecord* thruster : group->thrusters) {
        thruster->level = value;
      }
    }
  } else {
    vessel.pilotLevels[Info(control).surface] = value;
  }
  if (log::Active()) {
    std::string line = "pilot ";
    line += Info(control).name;
    line += ' ';
    log::Put(line, value);
    log::AppendLine(std::move(line));
  }
}

double PilotControlValue(const VesselRecord& vessel, PilotControl control) {
  if (control == PilotControl::Throttle) {
    return MainThrottle(vessel);
  }
  return vessel.pilotLevels[Info(control).surface];
}

double MainThrottle(const VesselRecord& vessel) {
  const ThrusterGroupRecord* group = NewestMainGroup(vessel);
  if (group == nullptr) {
    return 0.0;
  }
  double sum = 0.0;
  for (const ThrusterRecord* thruster : group->thrusters) {
    sum += thruster->level;
  }
  return sum / static_cast<double>(group->thrusters.size());
}

}  // namespace vantor::sim
