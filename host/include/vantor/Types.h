// The host's value types and handles, as a module sees them.
#pragma once

#include <cstddef>

#include "vantor/Platform.h"

struct VECTOR3 {
  double x;
  double y;
  double z;
};

inline constexpr VECTOR3 MakeVector(double x, double y, double z) {
  return VECTOR3{x, y, z};
}

namespace vantor {
struct VesselRecord;
struct PropellantRecord;
struct ThrusterRecord;
struct ThrusterGroupRecord;
struct TextureRecord;
struct DockRecord;
struct AirfoilRecord;
struct ControlSurfaceRecord;
struct AnimationComponentRecord;
struct ScenarioStream;
}  // namespace vantor

// Handles are opaque to modules; the host resolves them to its records.
using OBJHANDLE = vantor::VesselRecord*;
using PROPELLANT_HANDLE = vantor::PropellantRecord*;
using THRUSTER_HANDLE = vantor::ThrusterRecord*;
using THGROUP_HANDLE = vantor::ThrusterGroupRecord*;
using SURFHANDLE = vantor::TextureRecord*;
using DOCKHANDLE = vantor::DockRecord*;
using AIRFOILHANDLE = vantor::AirfoilRecord*;
using CTRLSURFHANDLE = vantor::ControlSurfaceRecord*;
using ANIMATIONCOMPONENT_HANDLE = vantor::AnimationComponentRecord*;
using FILEHANDLE = vantor::ScenarioStream*;

// An animation number that links nothing (all bits set).
inline constexpr UINT NO_ANIMATION = 0xFFFFFFFFu;

// Thruster group kinds. Only the main kind carries the throttle.
enum THGROUP_TYPE : int {
  THGROUP_MAIN = 0,
  THGROUP_RETRO = 1,
  THGROUP_HOVER = 2,
};

// Control-surface kinds; also the index of the host's per-kind deflection level.
enum AIRCTRL_TYPE : int {
  AIRCTRL_ELEVATOR = 0,
  AIRCTRL_RUDDER = 1,
  AIRCTRL_AILERON = 2,
  AIRCTRL_FLAP = 3,
  AIRCTRL_ELEVATORTRIM = 4,
};
inline constexpr int AIRCTRL_KIND_COUNT = 5;

// Axis codes for CreateControlSurface: the direction of the force of a positive level.
inline constexpr int AIRCTRL_AXIS_XNEG = 1;
inline constexpr int AIRCTRL_AXIS_YNEG = 3;
inline constexpr int AIRCTRL_AXIS_YPOS = 4;

enum AIRFOIL_ORIENTATION : int {
  LIFT_VERTICAL = 0,
  LIFT_HORIZONTAL = 1,
};

// Coefficient callback of an airfoil: angle of attack (or slip) in radians, Mach number and
// Reynolds number in; lift, moment and drag coefficients out.
using AirfoilCoeffFunc = void (*)(double aoa, double mach, double reynolds, double* cl, double* cm,
                                  double* cd);

// Called by the host when the pilot confirms an input box; the result tells the host whether
// the text was accepted.
using InputBoxCallback = bool (*)(void* boxId, char* text, void* context);

// Mesh visibility modes for SetMeshVisibilityMode.
inline constexpr WORD MESHVIS_EXTERNAL = 1;
inline constexpr WORD MESHVIS_COCKPIT = 2;
inline constexpr WORD MESHVIS_ALWAYS = MESHVIS_EXTERNAL | MESHVIS_COCKPIT;

// Wheel-brake selector: 0 both, 1 left, 2 right.
inline constexpr int WHEELBRAKE_BOTH = 0;

// Size of the host's one-line status buffer returned by vapiDebugString, terminator included.
inline constexpr std::size_t VAPI_DEBUG_STRING_SIZE = 256;

// Mesh-group transforms. The host keeps a pointer to the transform and to its group array for as
// long as the animation exists, so both must stay at fixed addresses.
struct MGROUP_TRANSFORM {
  enum Kind { ROTATE, TRANSLATE, SCALE };

  MGROUP_TRANSFORM(Kind kind, UINT mesh, const UINT* groups, UINT groupCount)
      : kind(kind), mesh(mesh), groups(groups), groupCount(groupCount) {}
  virtual ~MGROUP_TRANSFORM() = default;

  Kind kind;
  UINT mesh;
  const UINT* groups;
  UINT groupCount;
};

struct MGROUP_ROTATE : MGROUP_TRANSFORM {
  MGROUP_ROTATE(UINT mesh, const UINT* groups, UINT groupCount, const VECTOR3& ref,
                const VECTOR3& axis, float angle)
      : MGROUP_TRANSFORM(ROTATE, mesh, groups, groupCount), ref(ref), axis(axis), angle(angle) {}
  VECTOR3 ref;
  VECTOR3 axis;
  float angle;  // radians
};

struct MGROUP_TRANSLATE : MGROUP_TRANSFORM {
  MGROUP_TRANSLATE(UINT mesh, const UINT* groups, UINT groupCount, const VECTOR3& shift)
      : MGROUP_TRANSFORM(TRANSLATE, mesh, groups, groupCount), shift(shift) {}
  VECTOR3 shift;
};

struct MGROUP_SCALE : MGROUP_TRANSFORM {
  MGROUP_SCALE(UINT mesh, const UINT* groups, UINT groupCount, const VECTOR3& ref,
               const VECTOR3& scale)
      : MGROUP_TRANSFORM(SCALE, mesh, groups, groupCount), ref(ref), scale(scale) {}
  VECTOR3 ref;
  VECTOR3 scale;
};

// A vessel's state as the host hands it out (GetStatus) and takes it for a new vessel
// (vapiCreateVessel). Positions and velocities are in the host's planet-centred global frame.
struct VESSELSTATUS {
  VECTOR3 position;         // metres from the planet's centre
  VECTOR3 velocity;         // metres per second
  VECTOR3 angularVelocity;  // radians per second about the vessel's own axes
  double rotation[3][3];    // vessel frame to global frame: global = rotation * local
  int landed;               // 1 resting on the ground, 0 flying
};
