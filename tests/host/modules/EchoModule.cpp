// A minimal vessel module for the host's own tests: it answers each export with a few host
// calls whose log lines the tests know in advance.
#include <cstdio>
#include <cstring>

#include <vantor/Vantor.h>

namespace {

char lastKeyState = 0;

}  // namespace

VVC_EXPORT VESSEL* VVC_CALL vvcInit(OBJHANDLE vessel, int flightModel) {
  return new VESSEL(vessel, flightModel);
}

VVC_EXPORT void VVC_CALL vvcExit(VESSEL* vessel) {
  delete vessel;
}

VVC_EXPORT void VVC_CALL vvcSetClassCaps(VESSEL* vessel, FILEHANDLE /*classConfig*/) {
  vessel->SetSize(3.5);
  std::snprintf(vapiDebugString(), VAPI_DEBUG_STRING_SIZE, "set up %s", vessel->GetName());
}

VVC_EXPORT void VVC_CALL vvcTimestep(VESSEL* vessel, double simt) {
  vessel->SetThrusterGroupLevel(THGROUP_MAIN, simt);
}

VVC_EXPORT void VVC_CALL vvcLoadStateEx(VESSEL* vessel, FILEHANDLE scenario, void* status) {
  char* line = nullptr;
  while (vapiReadScenario_nextline(scenario, line)) {
    vessel->ParseScenarioLineEx(line, status);
  }
}

VVC_EXPORT void VVC_CALL vvcSaveState(VESSEL* vessel, FILEHANDLE scenario) {
  vapiWriteScenario_string(scenario, "ECHO", "1");
  vessel->SaveDefaultState(scenario);
}

VVC_EXPORT int VVC_CALL vvcConsumeKey(VESSEL* /*vessel*/, const char* keyState) {
  lastKeyState = keyState != nullptr ? keyState[0] : 0;
  return 0;
}

VVC_EXPORT int VVC_CALL vvcConsumeBufferedKey(VESSEL* /*vessel*/, DWORD key, bool down,
                                              char* /*keyState*/) {
  std::snprintf(vapiDebugString(), VAPI_DEBUG_STRING_SIZE, "key %u %s", static_cast<unsigned>(key),
                down ? "down" : "up");
  return down ? 1 : 0;
}
