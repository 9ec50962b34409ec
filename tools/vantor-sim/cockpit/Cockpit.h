// `vantor-sim fly --interactive [SCENARIO]`: the live cockpit in the terminal (docs/flying.md).
#pragma once

#include "Arguments.h"

// Flies the scenario in real time with the pilot at the keys until the pilot quits; saves the
// scenario where --save says. Throws UsageError when standard input or output is no terminal,
// or where the build has no terminal cockpit.
int FlyInteractive(Arguments& arguments);
