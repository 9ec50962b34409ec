// The cockpit's screen: the instruments, the controls, the aircraft's sequences, the status
// line, the prompt of an open input box and the key map, laid out for 80 x 24 without colours.
#pragma once

#include <string>

#include "vantor/sim/VesselRecord.h"

struct PanelState {
  double simt = 0.0;
  int acceleration = 1;
  bool paused = true;  // a flight starts paused, so the pilot can take the controls first
  std::string prompt;  // the open input box's title; empty when none is open
  std::string typed;   // what the pilot has typed into it
  std::string notice;  // a one-line message of the cockpit itself
};

// Draws the whole screen for the vessel (null: no vessel left) and refreshes it.
void DrawPanel(const vantor::VesselRecord* vessel, const PanelState& state);
