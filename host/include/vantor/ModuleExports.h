// The eight callbacks a vessel module exports, undecorated, with plain C linkage.
#pragma once

#include "vantor/Vessel.h"

extern "C" {
using vvcInitFunc = VESSEL*(VVC_CALL*)(OBJHANDLE vessel, int flightModel);
using vvcExitFunc = void(VVC_CALL*)(VESSEL* vessel);
using vvcSetClassCapsFunc = void(VVC_CALL*)(VESSEL* vessel, FILEHANDLE classConfig);
using vvcTimestepFunc = void(VVC_CALL*)(VESSEL* vessel, double simt);
using vvcLoadStateExFunc = void(VVC_CALL*)(VESSEL* vessel, FILEHANDLE scenario, void* status);
using vvcSaveStateFunc = void(VVC_CALL*)(VESSEL* vessel, FILEHANDLE scenario);
using vvcConsumeKeyFunc = int(VVC_CALL*)(VESSEL* vessel, const char* keyState);
using vvcConsumeBufferedKeyFunc = int(VVC_CALL*)(VESSEL* vessel, DWORD key, bool down,
                                                 char* keyState);
}

// Names under which the host resolves the exports, in this order.
inline constexpr const char* kModuleExportNames[8] = {
    "vvcInit",        "vvcExit",      "vvcSetClassCaps", "vvcTimestep",
    "vvcLoadStateEx", "vvcSaveState", "vvcConsumeKey",   "vvcConsumeBufferedKey",
};
