// How the host's three libraries reach each other. The module face `vantor` holds the host's
// state (vessel records, the call log); the simulation and testing faces are libraries on top of
// it that work on that state through the entry points marked VANTOR_INTERNAL. Those are declared
// only in the headers of host/src, which nothing outside the host compiles against, so a module
// cannot call them although the library exports them.
#pragma once

#include "vantor/Platform.h"

#if defined(_WIN32)
#if defined(VANTOR_BUILDING_HOST)
#define VANTOR_INTERNAL __declspec(dllexport)
#else
#define VANTOR_INTERNAL __declspec(dllimport)
#endif
#else
#define VANTOR_INTERNAL __attribute__((visibility("default")))
#endif
