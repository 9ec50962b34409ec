// A key given to the vessel with the input focus, as the host passes one to its module.
#pragma once

#include <string>

#include "KeyLabels.h"

// A press (the key held in the keyboard state) and then a release (the key no longer held),
// with the key's modifiers held for both. Throws RunError naming the label when no vessel has
// the input focus.
void PressAndRelease(const ScriptedKey& key, const std::string& label);
