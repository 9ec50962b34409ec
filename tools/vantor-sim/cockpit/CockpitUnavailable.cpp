// Builds without a curses library (the Windows build) have no terminal cockpit.
#include "Errors.h"
#include "cockpit/Cockpit.h"

int FlyInteractive(const CockpitOptions& /*options*/) {
  throw RunError("--interactive is not available in this build (it needs a curses terminal)");
}
