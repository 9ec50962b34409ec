// Bodies for the physics tests: host records filled the way a module would fill them, without
// a module, so each test controls exactly which forces act.
#pragma once

#include <vantor/sim/Physics.h>
#include <vantor/testing/HostTesting.h>

#include <cmath>
#include <memory>

namespace physics_test {

inline constexpr double kStep = 0.02;
inline constexpr double kPi = 3.14159265358979323846;

inline double Degrees(double radians) {
  return radians * 180.0 / kPi;
}

// A 1000 kg body with 200 kg of fuel, no drag and no lifting surfaces.
inline vantor::VesselRecord& MakeBody(const char* name = "B1") {
  vantor::VesselRecord& vessel = vantor::testing::CreateVesselRecord(name);
  vessel.emptyMass = 1000.0;
  vessel.pmi = VECTOR3{2.0, 2.5, 1.0};
  vessel.size = 5.0;
  auto fuel = std::make_unique<vantor::PropellantRecord>();
  fuel->maxMass = 200.0;
  fuel->mass = 200.0;
  vessel.propellants.push_back(std::move(fuel));
  return vessel;
}

inline vantor::ThrusterRecord& AddMainEngine(vantor::VesselRecord& vessel, double thrust,
                                             double isp) {
  auto engine = std::make_unique<vantor::ThrusterRecord>();
  engine->pos = VECTOR3{0, 0, 0};
  engine->dir = VECTOR3{0, 0, 1};
  engine->max0 = thrust;
  engine->isp = isp;
  engine->propellant = vessel.propellants.front().get();
  vessel.thrusters.push_back(std::move(engine));
  return *vessel.thrusters.back();
}

inline vantor::AirfoilRecord& AddAirfoil(vantor::VesselRecord& vessel,
                                         AIRFOIL_ORIENTATION orientation, AirfoilCoeffFunc callback,
                                         double area, VECTOR3 ref = VECTOR3{0, 0, 0}) {
  auto airfoil = std::make_unique<vantor::AirfoilRecord>();
  airfoil->orientation = orientation;
  airfoil->ref = ref;
  airfoil->coefficients = callback;
  airfoil->chord = 2.0;
  airfoil->area = area;
  airfoil->aspectRatio = 6.0;
  vessel.airfoils.push_back(std::move(airfoil));
  return *vessel.airfoils.back();
}

inline void AddSurface(vantor::VesselRecord& vessel, AIRCTRL_TYPE type, VECTOR3 ref, int axis,
                       double area = 2.0, double lift = 1.5) {
  auto surface = std::make_unique<vantor::ControlSurfaceRecord>();
  surface->type = type;
  surface->area = area;
  surface->lift = lift;
  surface->ref = ref;
  surface->axis = axis;
  vessel.controlSurfaces.push_back(std::move(surface));
}

// A tricycle gear whose wheels are 2 m below the centre of gravity.
inline void AddGear(vantor::VesselRecord& vessel) {
  vessel.touchdownPoints[0] = VECTOR3{0.0, -2.0, 4.0};
  vessel.touchdownPoints[1] = VECTOR3{-2.0, -2.0, -1.0};
  vessel.touchdownPoints[2] = VECTOR3{2.0, -2.0, -1.0};
  vessel.frictionLongitudinal = 0.02;
  vessel.frictionLateral = 0.6;
  vessel.maxWheelbrakeForce = 8000.0;
}

inline void Fly(double seconds, double& simt) {
  const int steps = static_cast<int>(std::lround(seconds / kStep));
  for (int i = 0; i < steps; ++i) {
    simt += kStep;
    vantor::sim::AdvancePhysics(simt, kStep);
  }
}

inline void Fly(double seconds) {
  double simt = 0.0;
  Fly(seconds, simt);
}

// The velocity in the vessel frame (x right, y up, z forward).
inline VECTOR3 LocalVelocity(const vantor::FlightState& state) {
  const VECTOR3& v = state.velocity;
  VECTOR3 local{};
  double* out[3] = {&local.x, &local.y, &local.z};
  for (int column = 0; column < 3; ++column) {
    *out[column] = state.rotation[0][column] * v.x + state.rotation[1][column] * v.y +
                   state.rotation[2][column] * v.z;
  }
  return local;
}

// Vertical speed: the velocity along the local up direction.
inline double ClimbRate(const vantor::FlightState& state) {
  const VECTOR3& p = state.position;
  const VECTOR3& v = state.velocity;
  const double radius = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
  return (p.x * v.x + p.y * v.y + p.z * v.z) / radius;
}

}  // namespace physics_test
