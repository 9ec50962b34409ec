#include "physics/GroundContact.h"

#include <algorithm>
#include <cmath>

#include "Geometry.h"

namespace vantor::physics {

namespace {

// The gear gives this much under the vessel's weight shared by three points, whatever it
// weighs: stiffness grows with mass, so every vessel settles the same way.
constexpr double kStaticCompression = 0.05;  // metres
constexpr double kDampingRatio = 0.7;
// Sweeps of the friction solver per step; the three wheels couple through the body.
constexpr int kFrictionSweeps = 12;
// Friction of the hull on the ground when the centre itself touches.
constexpr double kHullFriction = 0.5;
// Steps are made so short that the stiffest gear mode turns by at most this angle per step.
constexpr double kMaxPhasePerStep = 0.5;  // radians
constexpr int kMaxSubsteps = 200;

double AltitudeOf(const Vec3& position) {
  return position.norm() - kPlanetRadius;
}

// Mass a point of the body presents to a force along the vessel-frame unit vector u.
double EffectiveMass(const RigidBody& body, const Vec3& point, const Vec3& u) {
  const Vec3 arm = point.cross(u);
  const double inverse = 1.0 / body.mass + arm.cwiseProduct(arm).cwiseQuotient(body.inertia).sum();
  return 1.0 / inverse;
}

// The two touchdown points farthest apart across the vessel are the braked main wheels (of a
// nose-wheel or a tail-wheel layout alike); the one further left takes the left brake. The
// third wheel castors, so that differential brakes and a sideways push at the nose can steer.
void AssignBrakes(const VesselRecord& vessel, GroundModel& model) {
  int left = 1;
  int right = 2;
  double widest = -1.0;
  for (int a = 0; a < 3; ++a) {
    for (int b = a + 1; b < 3; ++b) {
      const double width = std::abs(vessel.touchdownPoints[a].x - vessel.touchdownPoints[b].x);
      if (width > widest) {
        widest = width;
        const bool aIsLeft = vessel.touchdownPoints[a].x <= vessel.touchdownPoints[b].x;
        left = aIsLeft ? a : b;
        right = aIsLeft ? b : a;
      }
    }
  }
  const double maxForce = std::max(vessel.maxWheelbrakeForce, 0.0);
  model.casterWheel = 3 - left - right;
  model.brakeForce[left] = 0.5 * maxForce * std::clamp(vessel.wheelbrakeLevels[0], 0.0, 1.0);
  model.brakeForce[right] = 0.5 * maxForce * std::clamp(vessel.wheelbrakeLevels[1], 0.0, 1.0);
}

}  // namespace

GroundModel MakeGroundModel(const VesselRecord& vessel, const RigidBody& body, double dt) {
  GroundModel model;
  if (!(body.mass > 0.0)) {
    return model;
  }
  const double reach = 1.0 + body.velocity.norm() * dt;
  double lowest = AltitudeOf(body.position);
  // No touchdown point is further below the centre than it is from it: well above the ground
  // (a metre spare for rounding), none need be turned into the global frame.
  double farthest = 0.0;
  for (const VECTOR3& point : vessel.touchdownPoints) {
    farthest = std::max(farthest, ToEigen(point).squaredNorm());
  }
  if (lowest - std::sqrt(farthest) - 1.0 >= reach) {
    return model;
  }
  for (const VECTOR3& point : vessel.touchdownPoints) {
    lowest = std::min(lowest, AltitudeOf(body.position + body.ToGlobal(ToEigen(point))));
  }
  if (!(lowest < reach)) {
    return model;
  }
  model.active = true;
  model.stiffness = body.mass * kSurfaceGravity / (3.0 * kStaticCompression);
  model.damping = 2.0 * kDampingRatio * std::sqrt(model.stiffness * body.mass / 3.0);
  double inverseMass = 1.0 / body.mass;
  for (const VECTOR3& point : vessel.touchdownPoints) {
    inverseMass = std::max(inverseMass, 1.0 / EffectiveMass(body, ToEigen(point), Vec3::UnitY()));
  }
  // The stiffest mode must turn slowly per step, and the explicit damper must not overshoot.
  const double steps =
      std::ceil(dt * std::max(std::sqrt(3.0 * model.stiffness * inverseMass) / kMaxPhasePerStep,
                              3.0 * model.damping * inverseMass));
  model.substeps = steps < kMaxSubsteps ? std::max(static_cast<int>(steps), 1) : kMaxSubsteps;
  AssignBrakes(vessel, model);
  return model;
}

GroundLoads ComputeGroundLoads(const VesselRecord& vessel, const RigidBody& body,
                               const GroundModel& model) {
  GroundLoads loads;
  if (!model.active) {
    return loads;
  }
  const Vec3 nose = body.ToGlobal(Vec3::UnitZ());
  const Vec3 roof = body.ToGlobal(Vec3::UnitY());
  for (int i = 0; i < 3; ++i) {
    const Vec3 point = ToEigen(vessel.touchdownPoints[i]);
    const Vec3 where = body.position + body.ToGlobal(point);
    const double altitude = AltitudeOf(where);
    if (!(altitude < 0.0)) {
      continue;
    }
    loads.contact = true;
    const Vec3 up = where.normalized();
    const Vec3 velocity = body.velocity + body.ToGlobal(body.angularVelocity.cross(point));
    const double normal =
        std::max(model.stiffness * -altitude - model.damping * velocity.dot(up), 0.0);
    loads.force += normal * up;
    loads.moment += point.cross(body.ToLocal(normal * up));

    // The wheel rolls along the nose's direction on the ground (or the roof's, for a vessel
    // standing on its tail).
    Vec3 forward = nose - nose.dot(up) * up;
    if (forward.norm() < 1e-6) {
      forward = roof - roof.dot(up) * up;
    }
    WheelContact& wheel = loads.wheels[loads.wheelCount++];
    wheel.point = point;
    wheel.rolling = forward.normalized();
    wheel.sideways = up.cross(wheel.rolling);
    wheel.rollingLimit = std::max(vessel.frictionLongitudinal, 0.0) * normal +
                         (normal > 0.0 ? model.brakeForce[i] : 0.0);
    wheel.sideLimit = i == model.casterWheel ? 0.0 : std::max(vessel.frictionLateral, 0.0) * normal;
  }
  return loads;
}

void ApplyWheelFriction(RigidBody& body, const GroundLoads& loads, double h) {
  // What each wheel direction needs, fixed for the step: the direction in both frames, the
  // moment arm of a unit impulse, the mass the wheel presents and the impulse it may take.
  struct Direction {
    Vec3 global;
    Vec3 arm;
    double mass;
    double limit;
    double total;
  };
  Direction directions[6];
  int count = 0;
  for (int i = 0; i < loads.wheelCount; ++i) {
    const WheelContact& wheel = loads.wheels[i];
    const Vec3 globals[2] = {wheel.rolling, wheel.sideways};
    const double limits[2] = {wheel.rollingLimit * h, wheel.sideLimit * h};
    for (int d = 0; d < 2; ++d) {
      if (limits[d] > 0.0) {
        const Vec3 local = body.ToLocal(globals[d]);
        directions[count++] = Direction{globals[d], wheel.point.cross(local),
                                        EffectiveMass(body, wheel.point, local), limits[d], 0.0};
      }
    }
  }
  // Projected Gauss-Seidel: a few sweeps over the wheels, each impulse clamped in total to
  // what its friction can give within the step.
  for (int sweep = 0; sweep < kFrictionSweeps; ++sweep) {
    for (int k = 0; k < count; ++k) {
      Direction& direction = directions[k];
      const double speed =
          body.velocity.dot(direction.global) + body.angularVelocity.dot(direction.arm);
      const double granted =
          std::clamp(direction.total - speed * direction.mass, -direction.limit, direction.limit);
      const double impulse = granted - direction.total;
      direction.total = granted;
      body.velocity += impulse / body.mass * direction.global;
      body.angularVelocity += (impulse * direction.arm).cwiseQuotient(body.inertia);
    }
  }
}

double RestingAltitude(const VesselRecord& vessel) {
  const RigidBody body = ReadBody(vessel);
  const Vec3 up = body.position.norm() > 0.0 ? body.position.normalized() : Vec3::UnitY();
  double height = 0.0;
  for (const VECTOR3& point : vessel.touchdownPoints) {
    height = std::max(height, -body.ToGlobal(ToEigen(point)).dot(up));
  }
  return std::isfinite(height) ? height : 0.0;
}

bool KeepAboveGround(RigidBody& body, double h) {
  const double radius = body.position.norm();
  if (!(radius < kPlanetRadius) || radius == 0.0) {
    return false;
  }
  const Vec3 up = body.position / radius;
  body.position = up * kPlanetRadius;
  const double sinking = body.velocity.dot(up);
  if (sinking < 0.0) {
    body.velocity -= sinking * up;
  }
  const Vec3 sliding = body.velocity - body.velocity.dot(up) * up;
  const double speed = sliding.norm();
  if (speed > 0.0) {
    body.velocity -= std::min(speed, kHullFriction * kSurfaceGravity * h) * sliding / speed;
  }
  return true;
}

}  // namespace vantor::physics
