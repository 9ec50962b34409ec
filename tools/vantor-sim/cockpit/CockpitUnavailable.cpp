// Builds without a curses library (the Windows build) have no terminal cockpit.
#include "cockpit/Cockpit.h"

int FlyInteractive(Arguments& /*arguments*/) {
  throw UsageError("--interactive is not available in this build (it needs a curses terminal)");
}
