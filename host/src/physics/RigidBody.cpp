#include "physics/RigidBody.h"

#include <algorithm>
#include <cmath>

namespace vantor::physics {

namespace {

// A principal moment that is missing or not positive would let any torque spin the vessel
// without bound; a gyration radius of about a third of a metre stands in for it.
constexpr double kMinimumGyration = 0.1;  // m^2, per kilogram

}  // namespace

double VesselMass(const VesselRecord& vessel) {
  double mass = vessel.emptyMass;
  for (const auto& propellant : vessel.propellants) {
    mass += std::max(propellant->mass, 0.0);
  }
  return mass;
}

RigidBody ReadBody(const VesselRecord& vessel) {
  const FlightState& state = vessel.state;
  RigidBody body;
  body.position = ToEigen(state.position);
  body.velocity = ToEigen(state.velocity);
  Eigen::Matrix3d rotation;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      rotation(row, column) = state.rotation[row][column];
    }
  }
  body.attitude = Eigen::Quaterniond(rotation);
  body.attitude.normalize();
  body.angularVelocity = ToEigen(state.angularVelocity);
  body.mass = VesselMass(vessel);
  const Vec3 pmi = ToEigen(vessel.pmi);
  for (int axis = 0; axis < 3; ++axis) {
    const double gyration = std::isfinite(pmi[axis]) ? pmi[axis] : 0.0;
    body.inertia[axis] = std::max(gyration, kMinimumGyration) * std::max(body.mass, 0.0);
  }
  return body;
}

void WriteBody(const RigidBody& body, FlightState& state) {
  state.position = ToVector3(body.position);
  state.velocity = ToVector3(body.velocity);
  const Eigen::Matrix3d rotation = body.attitude.normalized().toRotationMatrix();
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      state.rotation[row][column] = rotation(row, column);
    }
  }
  state.angularVelocity = ToVector3(body.angularVelocity);
}

bool IsFinite(const RigidBody& body) {
  return body.position.allFinite() && body.velocity.allFinite() &&
         body.attitude.coeffs().allFinite() && body.angularVelocity.allFinite();
}

}  // namespace vantor::physics
