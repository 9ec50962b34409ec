// The host's flight physics: one fixed step for every vessel of the simulation.
#pragma once

#include "vantor/sim/Export.h"

namespace vantor::sim {

// Advances every vessel by dt seconds of simulation time, ending at simt: integrates forces
// and moments (airfoils through the modules' callbacks, control surfaces, thrust, drag, gravity,
// ground contact and the forces added with AddForce this frame), then refreshes each vessel's
// observables and clears its added forces. Deterministic: the same inputs give the same result.
VANTOR_SIM_API void AdvancePhysics(double simt, double dt);

}  // namespace vantor::sim
