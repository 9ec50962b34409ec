// Scripted pilot controls of `vantor-sim fly --control T:NAME=VALUE`: the host's throttle,
// elevator, aileron, rudder and trim for the vessel with the input focus.
#pragma once

#include <string>

#include "vantor/sim/PilotControls.h"

struct ControlSetting {
  vantor::sim::PilotControl control = vantor::sim::PilotControl::Throttle;
  double value = 0.0;
};

// "NAME=VALUE"; throws UsageError naming the text when the name is not a control or the value
// is not a number within the control's range.
ControlSetting ParseControlSetting(const std::string& text);

// Moves the control of the vessel with the input focus; throws RunError when there is none.
void ApplyControlSetting(const ControlSetting& setting);
