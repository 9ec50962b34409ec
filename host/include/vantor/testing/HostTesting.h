// The host's testing face: create vessel records without a module, set the flight state a
// module reads, read back what it set, read the call log, answer input boxes and inject
// failures. Used by tests and by the simulator program; never by a module.
#pragma once

#include <string>

#include "vantor/Types.h"
#include "vantor/Vessel.h"
#include "vantor/sim/VesselRecord.h"

namespace vantor::testing {

// Deletes every vessel, clears the call log (and turns it off) and its handle names, the status
// line, the open input box, the focus and every injected failure. Vessels made by a module
// through sim::CreateVessel are first handed to the module's vvcExit (unlogged), so nothing
// leaks; a vessel object a test constructed itself is the test's to destroy.
VANTOR_API void ResetHost();

// A host vessel with no module attached: tests construct the module's vessel class on it.
VANTOR_API VesselRecord& CreateVesselRecord(const char* name, const char* className = "");
VANTOR_API VesselRecord* FindVessel(const char* name);
VANTOR_API VesselRecord& Record(const VESSEL& vessel);

// Puts the vessel at a place and attitude, flying along its nose at the given airspeed
// (angle of attack and slip 0), and derives every observable of its flight state from that.
struct Placement {
  double longitudeDeg = 0.0;
  double latitudeDeg = 0.0;
  double altitude = 0.0;
  double headingDeg = 0.0;
  double pitchDeg = 0.0;
  double bankDeg = 0.0;
  double airspeed = 0.0;
  bool landed = false;
};
VANTOR_API void PlaceVessel(VesselRecord& vessel, const Placement& placement);
// Recomputes every observable from the kinematic state (position, velocity, rotation), after a
// test changed it; ground contact is left as it is.
VANTOR_API void RefreshObservables(VesselRecord& vessel);

// Input focus (used by vapiGetFocusHeading); the first vessel created has it by default.
VANTOR_API void SetFocus(VesselRecord* vessel);

// The status line, as vapiDebugString holds it now.
VANTOR_API std::string StatusLine();

// The call log (format in docs/host-log.md). Logging is off until enabled.
VANTOR_API void EnableLog(bool enabled);
VANTOR_API std::string LogText();
VANTOR_API void ClearLog();

// The input box a module opened and has not been answered yet.
VANTOR_API bool InputBoxOpen();
VANTOR_API std::string InputBoxTitle();
// Calls the open box's callback with the text and closes the box; returns the callback's
// result (false when no box is open).
VANTOR_API bool AnswerInputBox(const char* text);
// Closes the open box without calling its callback, as a pilot's Cancel does.
VANTOR_API void CancelInputBox();

// Fault injection: the next vapiCreateVessel calls fail (return null) while set.
VANTOR_API void SetVesselCreationFails(bool fails);

}  // namespace vantor::testing
