// The host's flight physics: one fixed step for every vessel of the simulation, and the
// observation of the loads on one vessel that the author tools compute with.
#pragma once

#include "vantor/sim/Export.h"
#include "vantor/sim/VesselRecord.h"

namespace vantor::sim {

// Advances every vessel by dt seconds of simulation time, ending at simt: integrates forces
// and moments (airfoils through the modules' callbacks, control surfaces, thrust, drag, gravity,
// ground contact and the forces added with AddForce this frame), then refreshes each vessel's
// observables and clears its added forces. Deterministic: the same inputs give the same result.
VANTOR_SIM_API void AdvancePhysics(double simt, double dt);

// Steady, wings-level flight without slip: where the vessel is, the direction of its motion
// through the (still) air and the nose's angle above it. Radians, metres, metres per second.
struct SteadyFlight {
  double longitude = 0.0;
  double latitude = 0.0;
  double altitude = 0.0;
  double track = 0.0;       // heading of the motion, from north through east
  double climbAngle = 0.0;  // of the motion above the local horizon
  double airspeed = 0.0;
  double aoa = 0.0;
};

// Places the vessel in that flight and derives its observables. Its rotation is the one that
// keeps the motion's angle to the horizon as it goes round the planet (a slow nose-down pitch
// rate of airspeed over radius), so that level flight is steady flight.
VANTOR_SIM_API void PlaceInSteadyFlight(VesselRecord& vessel, const SteadyFlight& flight);

// The loads on a vessel as the physics step would apply them at the start of its next frame:
// airfoils (through the module's callbacks), control surfaces at their levels, body drag, drag
// elements, thrust at the thrusters' levels and the forces added this frame. Ground contact and
// rotational drag are left out (this is a vessel in the air at its present rates). Nothing is
// changed: no propellant burns, no state moves. The module's callbacks are not logged.
struct ObservedLoads {
  VECTOR3 force{};         // vessel frame, newtons
  VECTOR3 moment{};        // vessel frame, newton metres about the centre of gravity
  VECTOR3 thrustForce{};   // the thrusters' share of force
  VECTOR3 thrustMoment{};  // and of moment
  VECTOR3 gravity{};       // acceleration of gravity, vessel frame
  double mass = 0.0;       // empty mass and propellant
};
VANTOR_SIM_API ObservedLoads ObserveLoads(const VesselRecord& vessel);

}  // namespace vantor::sim
