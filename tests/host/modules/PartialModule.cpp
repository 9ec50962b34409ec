// A library that looks like a vessel module but lacks vvcSaveState: the host must refuse it
// and name what is missing.
#include <vantor/Vantor.h>

VVC_EXPORT VESSEL* VVC_CALL vvcInit(OBJHANDLE vessel, int flightModel) {
  return new VESSEL(vessel, flightModel);
}
VVC_EXPORT void VVC_CALL vvcExit(VESSEL* vessel) {
  delete vessel;
}
VVC_EXPORT void VVC_CALL vvcSetClassCaps(VESSEL*, FILEHANDLE) {}
VVC_EXPORT void VVC_CALL vvcTimestep(VESSEL*, double) {}
VVC_EXPORT void VVC_CALL vvcLoadStateEx(VESSEL*, FILEHANDLE, void*) {}
VVC_EXPORT int VVC_CALL vvcConsumeKey(VESSEL*, const char*) {
  return 0;
}
VVC_EXPORT int VVC_CALL vvcConsumeBufferedKey(VESSEL*, DWORD, bool, char*) {
  return 0;
}
