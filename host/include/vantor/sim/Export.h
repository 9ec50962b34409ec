// The export macro of the host's simulation library (vantor_sim), which the simulator program
// and the tests link; a module never does.
#pragma once

#include "vantor/Platform.h"

#if defined(_WIN32)
#if defined(VANTOR_BUILDING_SIM)
#define VANTOR_SIM_API __declspec(dllexport)
#else
#define VANTOR_SIM_API __declspec(dllimport)
#endif
#else
#define VANTOR_SIM_API __attribute__((visibility("default")))
#endif
