// The forces and moments on a vessel that stay fixed through one frame: aerodynamics, thrust and
// the forces a module added. Everything here is in the vessel frame, moments about the centre of
// gravity (the vessel frame's origin).
#pragma once

#include "Geometry.h"
#include "physics/RigidBody.h"

namespace vantor::physics {

// Whether every component of the two vectors is finite, in one test: x - x is 0 for a finite x
// and NaN for any other, and a sum keeps a NaN.
inline bool AllFinite(const Vec3& a, const Vec3& b) {
  return ((a - a) + (b - b)).sum() == 0.0;
}

struct Loads {
  Vec3 force = Vec3::Zero();
  Vec3 moment = Vec3::Zero();
  // Rotational drag, moment per rad/s about each axis; the integrator applies it implicitly so
  // that strong damping cannot make the rotation oscillate.
  Vec3 rateDamping = Vec3::Zero();

  // Adds a force acting at a vessel-frame point. A contribution that is not finite (a module's
  // callback returned NaN) is dropped rather than allowed to poison the state. Defined here,
  // where the compiler can merge them into their callers: they run for every force of every step.
  // The force one is always merged: called, it took each force through memory.
  [[gnu::always_inline]] void AddForceAt(const Vec3& addedForce, const Vec3& point) {
    const Vec3 addedMoment = point.cross(addedForce);
    if (AllFinite(addedForce, addedMoment)) {
      force += addedForce;
      moment += addedMoment;
    }
  }
  void AddMoment(const Vec3& addedMoment) {
    if (AllFinite(addedMoment, Vec3::Zero())) {
      moment += addedMoment;
    }
  }
};

// Airfoils (through their coefficient callbacks), control surfaces, body drag, variable drag
// elements and rotational drag.
void AddAerodynamicLoads(const VesselRecord& vessel, const RigidBody& body, const Atmosphere& air,
                         Loads& loads);

// Every thruster at its level and maximum thrust; burns the propellant it needs for dt seconds.
void AddThrustLoads(VesselRecord& vessel, double dt, Loads& loads);

// Thrust as the thrusters would give it at the start of a step, burning nothing.
void AddNominalThrustLoads(const VesselRecord& vessel, Loads& loads);

// The AddForce calls of this frame.
void AddAppliedForces(const VesselRecord& vessel, Loads& loads);

// Acceleration of gravity at a global position (inverse square, towards the planet's centre).
Vec3 Gravity(const Vec3& position);

}  // namespace vantor::physics
