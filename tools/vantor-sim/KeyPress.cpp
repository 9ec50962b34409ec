#include "KeyPress.h"

#include "Errors.h"
#include "vantor/sim/ScenarioFile.h"
#include "vantor/sim/Simulation.h"

void PressAndRelease(const ScriptedKey& key, const std::string& label) {
  vantor::VesselRecord* focus = vantor::sim::FocusVessel();
  if (focus == nullptr) {
    throw RunError("no vessel has the input focus for key " + label);
  }
  ScriptedKey pressed = key;
  char* state = pressed.keyState.data();
  state[pressed.scanCode] = static_cast<char>(VKEY_HELD_BIT);
  vantor::sim::BufferedKey(*focus, pressed.scanCode, true, state);
  state[pressed.scanCode] = 0;
  vantor::sim::BufferedKey(*focus, pressed.scanCode, false, state);
}
