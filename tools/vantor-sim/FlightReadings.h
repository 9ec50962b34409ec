// Figures of a vessel's flight that the host's record holds only in parts, read the same way
// by the trace and the summary.
#pragma once

#include "vantor/sim/VesselRecord.h"

// The level of the newest main-kind group: the one the module and the pilot act on.
double ThrottleLevel(const vantor::VesselRecord& vessel);
// Propellant aboard, kilograms, over all tanks; and what the tanks hold when full.
double FuelMass(const vantor::VesselRecord& vessel);
double FuelCapacity(const vantor::VesselRecord& vessel);
// Climb (positive) or sink rate, metres per second.
double VerticalSpeed(const vantor::VesselRecord& vessel);
