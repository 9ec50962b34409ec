// The host's physics step. Each vessel is a rigid body integrated with semi-implicit Euler:
// aerodynamics, thrust and added forces are evaluated once per frame, gravity and the ground
// at every sub-step, which the gear springs need near the ground. Nothing depends on the wall
// clock or on memory addresses, so the same inputs give the same flight.
#include "vantor/sim/Physics.h"

#include <cmath>

#include "CallLog.h"
#include "Geometry.h"
#include "HostState.h"
#include "physics/GroundContact.h"
#include "physics/Loads.h"

namespace vantor::physics {

Vec3 Gravity(const Vec3& position) {
  const double radius = position.norm();
  if (!(radius > 0.0)) {
    return Vec3::Zero();
  }
  const double ratio = kPlanetRadius / radius;
  return -kSurfaceGravity * ratio * ratio * position / radius;
}

}  // namespace vantor::physics

namespace vantor::sim {

namespace {

using physics::Vec3;

constexpr double kMaxRotationRate = 20.0;  // rad/s, about three turns a second

// Moves the body through h seconds at its new velocities; returns whether it touched the ground.
bool Move(physics::RigidBody& body, double h) {
  body.position += h * body.velocity;
  const double turn = body.angularVelocity.norm() * h;
  if (turn > 0.0) {
    body.attitude = body.attitude * Eigen::AngleAxisd(turn, body.angularVelocity.normalized());
    body.attitude.normalize();
  }
  return KeepAboveGround(body, h);
}

// One sub-step of h seconds; returns whether the vessel touched the ground.
bool Substep(const VesselRecord& vessel, physics::RigidBody& body, const physics::Loads& loads,
             const physics::GroundModel& ground, double h) {
  Vec3 acceleration = physics::Gravity(body.position);
  if (!(body.mass > 0.0)) {
    body.velocity += h * acceleration;
    return Move(body, h);
  }
  // Built in place: the ground loads are a few hundred bytes, and every sub-step has them.
  const physics::GroundLoads groundLoads = ComputeGroundLoads(vessel, body, ground);
  acceleration += (body.ToGlobal(loads.force) + groundLoads.force) / body.mass;

  // Euler's equations with the gyroscopic term explicit and the rotational drag implicit.
  Vec3& rate = body.angularVelocity;
  const Vec3 moment =
      loads.moment + groundLoads.moment - rate.cross(body.inertia.cwiseProduct(rate));
  rate = (rate + h * moment.cwiseQuotient(body.inertia))
             .cwiseQuotient(Vec3::Ones() + h * loads.rateDamping.cwiseQuotient(body.inertia));
  // No aircraft turns faster; an undamped or misconfigured vessel could otherwise spin up
  // until the step can no longer follow it.
  if (rate.norm() > kMaxRotationRate) {
    rate *= kMaxRotationRate / rate.norm();
  }
  body.velocity += h * acceleration;
  if (groundLoads.wheelCount > 0) {
    ApplyWheelFriction(body, groundLoads, h);
  }
  return Move(body, h) || groundLoads.contact;
}

void StepVessel(VesselRecord& vessel, double dt) {
  physics::RigidBody body = physics::ReadBody(vessel);
  if (!IsFinite(body)) {
    vessel.addedForces.clear();
    return;
  }
  physics::Loads loads;
  if (body.mass > 0.0) {
    const Atmosphere air = StandardAtmosphere(body.position.norm() - kPlanetRadius);
    {
      // What a module's airfoil callbacks ask of the host is part of the host's step, not a
      // call the module made: keep it out of the call log.
      const log::Pause quiet;
      physics::AddAerodynamicLoads(vessel, body, air, loads);
    }
    physics::AddThrustLoads(vessel, dt, loads);
    physics::AddAppliedForces(vessel, loads);
  }
  const physics::GroundModel ground = physics::MakeGroundModel(vessel, body, dt);
  const double h = dt / ground.substeps;
  const Vec3 velocityBefore = body.velocity;
  bool contact = false;
  for (int step = 0; step < ground.substeps; ++step) {
    contact = Substep(vessel, body, loads, ground, h);
  }
  // A step that went non-finite leaves the vessel where it was, at rest relative to it.
  if (physics::IsFinite(body)) {
    WriteBody(body, vessel.state);
    const Vec3 pressed = (body.velocity - velocityBefore) / dt - physics::Gravity(body.position);
    vessel.state.loadFactor = pressed.dot(body.ToGlobal(Vec3::UnitY())) / kSurfaceGravity;
  } else {
    vessel.state.velocity = VECTOR3{0.0, 0.0, 0.0};
    vessel.state.angularVelocity = VECTOR3{0.0, 0.0, 0.0};
  }
  vessel.state.groundContact = contact;
  DeriveObservables(vessel.state);
  vessel.addedForces.clear();
}

}  // namespace

void AdvancePhysics(double simt, double dt) {
  (void)simt;  // the step depends only on the state and dt
  if (!(dt > 0.0) || !std::isfinite(dt)) {
    return;
  }
  for (const auto& vessel : Host().vessels) {
    StepVessel(*vessel, dt);
  }
}

}  // namespace vantor::sim
