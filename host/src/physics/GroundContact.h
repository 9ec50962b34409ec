// Contact of a vessel's three touchdown points with the planet's surface: a spring and damper
// along the local vertical at each point, rolling and lateral friction, and wheel brakes.
#pragma once

#include "physics/RigidBody.h"

namespace vantor::physics {

struct GroundModel {
  bool active = false;               // a touchdown point may reach the ground within this frame
  int substeps = 1;                  // steps of the frame, so that the gear springs stay stable
  double stiffness = 0.0;            // per point, N/m
  double damping = 0.0;              // per point, N s/m
  double brakeForce[3] = {0, 0, 0};  // per point, at the current brake levels
  int casterWheel = 0;               // the point that is not a main wheel: it has no lateral grip
};

// Decides for one frame whether contact is possible and how finely to step it.
GroundModel MakeGroundModel(const VesselRecord& vessel, const RigidBody& body, double dt);

// A touchdown point in contact, with what its friction may do during one step.
struct WheelContact {
  Vec3 point = Vec3::Zero();    // vessel frame
  Vec3 rolling = Vec3::Zero();  // unit vectors along the ground, global frame
  Vec3 sideways = Vec3::Zero();
  double rollingLimit = 0.0;  // newtons: rolling resistance plus brake
  double sideLimit = 0.0;     // newtons: lateral grip
};

struct GroundLoads {
  Vec3 force = Vec3::Zero();   // the gear springs and dampers, global frame
  Vec3 moment = Vec3::Zero();  // vessel frame, about the centre of gravity
  WheelContact wheels[3];
  int wheelCount = 0;
  bool contact = false;
};

// The normal loads of the ground at the start of a step, and the friction each wheel can give.
GroundLoads ComputeGroundLoads(const VesselRecord& vessel, const RigidBody& body,
                               const GroundModel& model);

// Friction as impulses on the body's velocities after the other forces of a step of h seconds
// have acted: each wheel is stopped along the ground as far as its limits allow, so a vessel
// held by friction does not creep and a braked one comes to a clean stop.
void ApplyWheelFriction(RigidBody& body, const GroundLoads& loads, double h);

// The altitude at which the vessel, at its present attitude, stands on its lowest touchdown
// point (0 when they all lie above the centre).
double RestingAltitude(const VesselRecord& vessel);

// Keeps the vessel's centre above the surface (a vessel on its back, a body without touchdown
// points) by removing any motion into the ground and scraping off tangential speed.
// Returns whether it touched.
bool KeepAboveGround(RigidBody& body, double h);

}  // namespace vantor::physics
