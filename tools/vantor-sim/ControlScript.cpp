#include "ControlScript.h"

#include <cmath>
#include <cstdlib>

#include "Errors.h"
#include "vantor/sim/ScenarioFile.h"

namespace sim = vantor::sim;

ControlSetting ParseControlSetting(const std::string& text) {
  const std::size_t equals = text.find('=');
  const std::string name = text.substr(0, equals);
  const std::optional<sim::PilotControl> control = sim::PilotControlNamed(name);
  if (equals == std::string::npos || !control) {
    throw UsageError(
        "--control needs TIME:NAME=VALUE with NAME throttle, elevator, aileron, "
        "rudder or trim, not '" +
        text + "'");
  }
  const std::string valueText = text.substr(equals + 1);
  char* end = nullptr;
  const double value = std::strtod(valueText.c_str(), &end);
  const double minimum = sim::PilotControlMinimum(*control);
  if (valueText.empty() || *end != '\0' || !std::isfinite(value) || value < minimum ||
      value > 1.0) {
    throw UsageError("--control " + name + " takes a number from " + (minimum < 0.0 ? "-1" : "0") +
                     " to 1, not '" + valueText + "'");
  }
  return ControlSetting{*control, value};
}

void ApplyControlSetting(const ControlSetting& setting) {
  vantor::VesselRecord* focus = sim::FocusVessel();
  if (focus == nullptr) {
    throw RunError(std::string("no vessel has the input focus for --control ") +
                   sim::PilotControlName(setting.control));
  }
  sim::SetPilotControl(*focus, setting.control, setting.value);
}
