// One vessel as the integrator sees it: kinematics with the attitude as a quaternion, mass and
// principal moments of inertia. Read from the vessel's record at the start of a step and written
// back at its end, so whatever else places a vessel (a scenario, a test) is always respected.
#pragma once

#include <Eigen/Geometry>

#include "vantor/sim/VesselRecord.h"

namespace vantor::physics {

using Vec3 = Eigen::Vector3d;

inline Vec3 ToEigen(const VECTOR3& v) {
  return {v.x, v.y, v.z};
}
inline VECTOR3 ToVector3(const Vec3& v) {
  return {v.x(), v.y(), v.z()};
}

struct RigidBody {
  Vec3 position = Vec3::Zero();  // global frame, metres from the planet's centre
  Vec3 velocity = Vec3::Zero();  // global frame
  Eigen::Quaterniond attitude = Eigen::Quaterniond::Identity();  // vessel frame to global frame
  // Vessel frame; a point at r moves with angularVelocity x r (see docs/host-conventions.md).
  Vec3 angularVelocity = Vec3::Zero();
  double mass = 0.0;
  Vec3 inertia = Vec3::Ones();  // principal moments about the vessel's axes, kg m^2

  Vec3 ToGlobal(const Vec3& local) const { return attitude * local; }
  Vec3 ToLocal(const Vec3& global) const { return attitude.conjugate() * global; }
  // Velocity of a vessel-frame point, in the vessel frame.
  Vec3 LocalPointVelocity(const Vec3& point) const {
    return ToLocal(velocity) + angularVelocity.cross(point);
  }
};

// Empty mass plus every propellant resource's current mass.
double VesselMass(const VesselRecord& vessel);

RigidBody ReadBody(const VesselRecord& vessel);
// Writes the kinematics back into the flight state (rotation matrix from the quaternion).
void WriteBody(const RigidBody& body, FlightState& state);
bool IsFinite(const RigidBody& body);

}  // namespace vantor::physics
