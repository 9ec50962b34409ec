// Key labels of scripted keys: a digit, a letter or "scan:N" (a host keyboard scan code),
// after any number of "shift+", "ctrl+" and "alt+" prefixes (any letter case).
#pragma once

#include <array>
#include <string>

#include "vantor/KeyCodes.h"

struct ScriptedKey {
  DWORD scanCode = 0;
  // The host's keyboard state while the key is pressed: a byte per scan code, 0x80 held.
  // The key's own byte is left clear; the player sets it for the press.
  std::array<char, VKEY_STATE_SIZE> keyState{};
};

// Throws UsageError naming the label when it is not a key label.
ScriptedKey ParseKeyLabel(const std::string& label);
