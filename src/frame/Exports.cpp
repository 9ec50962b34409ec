// The eight callbacks through which the host drives the module. No exception may cross them:
// the host is not C++-aware at this seam.
#include "frame/Aircraft.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <new>

namespace {

Aircraft* ToAircraft(VESSEL* vessel) {
  return vessel != nullptr ? Aircraft::FromVessel(vessel) : nullptr;
}

}  // namespace

VVC_EXPORT VESSEL* VVC_CALL vvcInit(OBJHANDLE vessel, int /*flightModel*/) {
  try {
    Aircraft* aircraft = new (std::nothrow) Aircraft(vessel);
    return aircraft != nullptr ? Aircraft::ToVessel(aircraft) : nullptr;
  } catch (...) {
    return nullptr;
  }
}

VVC_EXPORT void VVC_CALL vvcExit(VESSEL* vessel) {
  try {
    delete ToAircraft(vessel);
  } catch (...) {
  }
}

VVC_EXPORT void VVC_CALL vvcSetClassCaps(VESSEL* vessel, FILEHANDLE /*classConfig*/) {
  try {
    if (Aircraft* aircraft = ToAircraft(vessel)) {
      aircraft->SetClassCaps();
    }
  } catch (...) {
  }
}

VVC_EXPORT void VVC_CALL vvcTimestep(VESSEL* vessel, double simt) {
  try {
    if (Aircraft* aircraft = ToAircraft(vessel)) {
      aircraft->StepAircraft(simt);
    }
  } catch (...) {
  }
}

VVC_EXPORT void VVC_CALL vvcLoadStateEx(VESSEL* vessel, FILEHANDLE scenario, void* status) {
  try {
    if (Aircraft* aircraft = ToAircraft(vessel)) {
      aircraft->LoadState(scenario, status);
    }
  } catch (...) {
  }
}

VVC_EXPORT void VVC_CALL vvcSaveState(VESSEL* vessel, FILEHANDLE scenario) {
  try {
    if (Aircraft* aircraft = ToAircraft(vessel)) {
      aircraft->SaveState(scenario);
    }
  } catch (...) {
  }
}

VVC_EXPORT int VVC_CALL vvcConsumeKey(VESSEL* /*vessel*/, const char* /*keyState*/) {
  return 0;
}

VVC_EXPORT int VVC_CALL vvcConsumeBufferedKey(VESSEL* vessel, DWORD key, bool down,
                                              char* keyState) {
  try {
    Aircraft* aircraft = ToAircraft(vessel);
    return aircraft != nullptr ? aircraft->ConsumeBufferedKey(key, down, keyState) : 0;
  } catch (...) {
    return 0;
  }
}

#if defined(_WIN32)
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(module);
  }
  return TRUE;
}
#endif
