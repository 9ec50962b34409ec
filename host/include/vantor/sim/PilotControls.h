// The pilot's flight controls of the stand-in host: throttle, stick, rudder pedals and elevator
// trim, for one vessel. How they combine with what the module commands is described in
// docs/pilot-keys.md; in short, the throttle is the main engine group's one level (the pilot
// and the module set it alike, the last one wins), and on a control surface the pilot's input
// adds to the module's level, while the vessel's aerodynamic-control mode leaves that axis to
// the pilot, and the sum deflects the surface at most fully.
#pragma once

#include <optional>
#include <string_view>

#include "vantor/Platform.h"
#include "vantor/sim/Export.h"
#include "vantor/sim/VesselRecord.h"

namespace vantor::sim {

enum class PilotControl { Throttle, Elevator, Aileron, Rudder, Trim };
inline constexpr int kPilotControlCount = 5;

// "throttle", "elevator", "aileron", "rudder", "trim"; any other text gives nothing.
VANTOR_SIM_API std::optional<PilotControl> PilotControlNamed(std::string_view name);
VANTOR_SIM_API const char* PilotControlName(PilotControl control);
// The range of a control's value: 0 to 1 for the throttle, -1 to 1 for the others.
VANTOR_SIM_API double PilotControlMinimum(PilotControl control);

// Moves a control, limited to its range (a value that is no number leaves it as it was), and
// writes "pilot NAME VALUE" to the host log. The throttle sets the level of the newest main
// engine group, which is where the module reads it.
VANTOR_SIM_API void SetPilotControl(VesselRecord& vessel, PilotControl control, double value);
// Where the pilot holds a control now (the throttle: the main group's level, whoever set it).
VANTOR_SIM_API double PilotControlValue(const VesselRecord& vessel, PilotControl control);

// The level of the newest main engine group (0 without one).
VANTOR_SIM_API double MainThrottle(const VesselRecord& vessel);

// The rule itself is the module face's (the vantor library): VESSEL::GetControlSurfaceLevel
// answers with it.
// Whether the vessel's aerodynamic-control mode passes the pilot's input on this surface.
VANTOR_API bool PilotHasSurface(const VesselRecord& vessel, AIRCTRL_TYPE type);
// The module's level plus the pilot's input where it counts; what GetControlSurfaceLevel
// returns. Not limited: the physics deflects the surface by SurfaceDeflection.
VANTOR_API double CombinedSurfaceLevel(const VesselRecord& vessel, AIRCTRL_TYPE type);
// The deflection the physics flies: the combined level limited to -1 ... 1 (0 for no number).
VANTOR_API double SurfaceDeflection(const VesselRecord& vessel, AIRCTRL_TYPE type);

}  // namespace vantor::sim
