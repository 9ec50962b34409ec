// Aerodynamic loads. The air is at rest in the global frame, so the flow a vessel-frame point
// meets is minus that point's velocity; each surface is evaluated at its own point, which gives
// tails and fins their natural damping of rotation.
#include <algorithm>
#include <cmath>

#include "physics/Loads.h"
#include "vantor/sim/PilotControls.h"

namespace vantor::physics {

namespace {

// Below this speed there is no meaningful angle of attack and the loads are negligible.
constexpr double kMinimumAirspeed = 1e-3;  // m/s
// Deployed flaps cost drag as well as giving lift: this share of their lift force.
constexpr double kFlapDragRatio = 0.1;

double DynamicPressure(const Atmosphere& air, double speed) {
  return 0.5 * air.density * speed * speed;
}

// Sutherland's law for the viscosity of air, for the Reynolds number handed to the callbacks.
double DynamicViscosity(double temperature) {
  return 1.458e-6 * temperature * std::sqrt(temperature) / (temperature + 110.4);
}

// The vessel's motion for one evaluation of its loads: the body's velocity turned into the
// vessel frame once, not once per surface.
struct Motion {
  explicit Motion(const RigidBody& body)
      : localVelocity(body.ToLocal(body.velocity)), angularVelocity(body.angularVelocity) {}
  // Equals RigidBody::LocalPointVelocity to the bit.
  Vec3 At(const Vec3& point) const { return localVelocity + angularVelocity.cross(point); }

  Vec3 localVelocity;
  Vec3 angularVelocity;
};

// The air the vessel flies through, with its viscosity worked out once for every strip.
struct Flow {
  explicit Flow(const Atmosphere& atmosphere)
      : state(atmosphere), viscosity(DynamicViscosity(atmosphere.temperature)) {}
  const Atmosphere& state;
  double viscosity;
};

// One strip of an airfoil: its coefficients at the flow the strip's point meets.
void AddAirfoilStrip(const AirfoilRecord& airfoil, const Vec3& point, double area,
                     const Motion& kinematics, const Flow& flow, Loads& loads) {
  const Atmosphere& air = flow.state;
  const Vec3 motion = kinematics.At(point);
  const double speed = motion.norm();
  if (speed < kMinimumAirspeed) {
    return;
  }
  // A vertical-lift airfoil works in the vessel's y-z plane and is given the angle of attack
  // (nose above the motion: the motion has a downward component); a horizontal-lift airfoil
  // works in the x-z plane and is given the slip angle (nose right of the motion).
  const bool vertical = airfoil.orientation == LIFT_VERTICAL;
  const double across = vertical ? motion.y() : motion.x();
  const double angle = std::atan2(-across, motion.z());
  const double planar = std::hypot(across, motion.z());
  Vec3 liftDirection = Vec3::Zero();
  if (planar > kMinimumAirspeed) {
    liftDirection = vertical ? Vec3(0.0, motion.z(), -motion.y()) / planar
                             : Vec3(motion.z(), 0.0, -motion.x()) / planar;
  }

  const double mach = speed / air.speedOfSound;
  const double reynolds = air.density * speed * airfoil.chord / flow.viscosity;
  double cl = 0.0;
  double cm = 0.0;
  double cd = 0.0;
  airfoil.coefficients(angle, mach, reynolds, &cl, &cm, &cd);

  const double qs = DynamicPressure(air, speed) * area;
  loads.AddForceAt(qs * (cl * liftDirection - cd * motion / speed), point);
  // Positive moment coefficients turn the nose up (wing) or right (fin); see the rotation
  // senses in docs/host-conventions.md.
  const double moment = qs * airfoil.chord * cm;
  loads.AddMoment(vertical ? Vec3(-moment, 0.0, 0.0) : Vec3(0.0, moment, 0.0));
}

// An airfoil is flown as two strips, each with half its area, a quarter of its span either
// side of its point (across x for a wing, along y for a fin). Rolling then changes the angle
// of attack of the two halves oppositely, and the lift tables themselves damp the roll.
void AddAirfoil(const AirfoilRecord& airfoil, const Motion& kinematics, const Flow& flow,
                Loads& loads) {
  if (airfoil.coefficients == nullptr || !(airfoil.area > 0.0)) {
    return;
  }
  const Vec3 ref = ToEigen(airfoil.ref);
  const double span = std::sqrt(std::max(airfoil.aspectRatio, 0.0) * airfoil.area);
  if (!(span > 0.0) || !std::isfinite(span)) {
    AddAirfoilStrip(airfoil, ref, airfoil.area, kinematics, flow, loads);
    return;
  }
  const Vec3 offset =
      0.25 * span * (airfoil.orientation == LIFT_VERTICAL ? Vec3::UnitX() : Vec3::UnitY());
  AddAirfoilStrip(airfoil, ref - offset, 0.5 * airfoil.area, kinematics, flow, loads);
  AddAirfoilStrip(airfoil, ref + offset, 0.5 * airfoil.area, kinematics, flow, loads);
}

// The direction of the force of a positive level, by axis code; zero for codes without one.
Vec3 SurfaceAxis(int axis) {
  switch (axis) {
    case AIRCTRL_AXIS_XNEG:
      return {-1.0, 0.0, 0.0};
    case AIRCTRL_AXIS_YNEG:
      return {0.0, -1.0, 0.0};
    case AIRCTRL_AXIS_YPOS:
      return {0.0, 1.0, 0.0};
    default:
      return Vec3::Zero();
  }
}

void AddControlSurface(const VesselRecord& vessel, const ControlSurfaceRecord& surface,
                       const Motion& kinematics, const Atmosphere& air, Loads& loads) {
  if (surface.type < 0 || surface.type >= AIRCTRL_KIND_COUNT) {
    return;
  }
  // The module's level and the pilot's input together; a surface deflects at most fully.
  const double level = sim::SurfaceDeflection(vessel, surface.type);
  if (level == 0.0) {
    return;
  }
  const Vec3 ref = ToEigen(surface.ref);
  const Vec3 motion = kinematics.At(ref);
  const double speed = motion.norm();
  if (speed < kMinimumAirspeed) {
    return;
  }
  const double lift = DynamicPressure(air, speed) * surface.area * surface.lift * level;
  Vec3 force = lift * SurfaceAxis(surface.axis);
  // Flaps are lowered at negative levels, where the force of their axis code points up.
  if (surface.type == AIRCTRL_FLAP) {
    force -= kFlapDragRatio * std::abs(lift) * motion / speed;
  }
  loads.AddForceAt(force, ref);
}

// Drag of the body: per vessel axis, with the cross-section along that axis and the
// coefficient for the direction of the motion (cw: z forward, z backward, x, y).
void AddBodyDrag(const VesselRecord& vessel, const Motion& kinematics, const Atmosphere& air,
                 Loads& loads) {
  const Vec3 motion = kinematics.At(Vec3::Zero());
  const Vec3 coefficient(vessel.cw[2], vessel.cw[3],
                         motion.z() >= 0.0 ? vessel.cw[0] : vessel.cw[1]);
  const Vec3 area = ToEigen(vessel.crossSections);
  Vec3 force;
  for (int axis = 0; axis < 3; ++axis) {
    force[axis] =
        -0.5 * air.density * motion[axis] * std::abs(motion[axis]) * coefficient[axis] * area[axis];
  }
  loads.AddForceAt(force, Vec3::Zero());
}

void AddDragElement(const DragElementRecord& element, const Motion& kinematics,
                    const Atmosphere& air, Loads& loads) {
  if (element.state == nullptr) {
    return;
  }
  const Vec3 ref = ToEigen(element.ref);
  const Vec3 motion = kinematics.At(ref);
  const double speed = motion.norm();
  if (speed < kMinimumAirspeed) {
    return;
  }
  const double drag = DynamicPressure(air, speed) * element.factor * *element.state;
  loads.AddForceAt(-drag * motion / speed, ref);
}

// Rotational drag: a damping moment per axis proportional to the rate and to rho * v (the
// dynamic pressure over the speed), scaled by the vessel's size to the fourth power so that the
// moment has the dimensions of q * area * length * (rate * length / v).
void SetRotationalDamping(const VesselRecord& vessel, const RigidBody& body, const Atmosphere& air,
                          Loads& loads) {
  const double speed = body.velocity.norm();
  const double size2 = vessel.size * vessel.size;
  const double scale = 0.5 * air.density * speed * size2 * size2;
  const Vec3 rotDrag = ToEigen(vessel.rotDrag).cwiseMax(0.0);
  if (std::isfinite(scale) && rotDrag.allFinite()) {
    loads.rateDamping = scale * rotDrag;
  }
}

}  // namespace

void AddAerodynamicLoads(const VesselRecord& vessel, const RigidBody& body, const Atmosphere& air,
                         Loads& loads) {
  if (air.density <= 0.0) {
    return;
  }
  const Motion motion(body);
  const Flow flow(air);
  for (const auto& airfoil : vessel.airfoils) {
    AddAirfoil(*airfoil, motion, flow, loads);
  }
  for (const auto& surface : vessel.controlSurfaces) {
    AddControlSurface(vessel, *surface, motion, air, loads);
  }
  AddBodyDrag(vessel, motion, air, loads);
  for (const auto& element : vessel.dragElements) {
    AddDragElement(element, motion, air, loads);
  }
  SetRotationalDamping(vessel, body, air, loads);
}

}  // namespace vantor::physics
