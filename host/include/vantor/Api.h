// The host's free functions.
#pragma once

#include "vantor/Types.h"

// The host's one-line status display: a buffer of VAPI_DEBUG_STRING_SIZE characters that the
// caller overwrites (with snprintf) to show a message.
VANTOR_API char* vapiDebugString();

VANTOR_API SURFHANDLE vapiRegisterExhaustTexture(const char* name);

// Induced drag coefficient Cl^2 / (pi A e); 0 when A e is not positive.
VANTOR_API double vapiGetInducedDrag(double cl, double aspectRatio, double efficiency);
// Wave drag coefficient for Mach number mach with the thresholds m1 <= m2 <= m3 and the
// maximum coefficient maxDrag; the curve is described in docs/host-conventions.md.
VANTOR_API double vapiGetWaveDrag(double mach, double m1, double m2, double m3, double maxDrag);

// Heading (radians, 0 to 2 pi) of the vessel that has the input focus; false when none has it.
VANTOR_API bool vapiGetFocusHeading(double* heading);
// Heading (radians, 0 to 2 pi) of the given vessel; false when the handle names no vessel.
VANTOR_API bool vapiGetVesselHeading(OBJHANDLE vessel, double* heading);

// Creates a vessel of the given class at the given state. A class with a module of that name
// is driven by the module; any other class becomes a plain vessel. Null when the name is taken.
VANTOR_API OBJHANDLE vapiCreateVessel(const char* name, const char* className,
                                      const VESSELSTATUS& status);

// Opens an input box; when the pilot confirms, the host calls callback(box, text, context).
VANTOR_API bool vapiOpenInputBox(const char* title, InputBoxCallback callback,
                                 const char* initialText, int width, void* context);

// The next line of the vessel's scenario block; false at the end of the block.
VANTOR_API bool vapiReadScenario_nextline(FILEHANDLE scenario, char*& line);
// Writes one line "ITEM VALUE" into the vessel's scenario block.
VANTOR_API void vapiWriteScenario_string(FILEHANDLE scenario, const char* item, const char* value);
