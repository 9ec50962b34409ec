// The host's record of one vessel: everything a module handed it, and the flight state the
// module reads. Records and their parts live at fixed addresses until the vessel is deleted,
// so handles (pointers to the parts) stay valid.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vantor/Types.h"

namespace vantor {

struct ModuleBinding;

struct PropellantRecord {
  double maxMass = 0.0;
  double mass = 0.0;  // current mass; -1 at creation means full
  double efficiency = 1.0;
};

struct ThrusterRecord {
  VECTOR3 pos{};
  VECTOR3 dir{};
  double max0 = 0.0;  // maximum thrust, newtons
  PropellantRecord* propellant = nullptr;
  double isp = 0.0;
  double ispRef = 0.0;
  double pRef = 0.0;
  double level = 0.0;  // 0 to 1
};

// A group's level is the level of its thrusters; setting it sets all of them.
struct ThrusterGroupRecord {
  std::vector<ThrusterRecord*> thrusters;
  THGROUP_TYPE type = THGROUP_MAIN;
};

struct TextureRecord {
  std::string name;
};

struct ExhaustRecord {
  ThrusterRecord* thruster = nullptr;
  double length = 0.0;
  double width = 0.0;
  VECTOR3 pos{};
  VECTOR3 dir{};
  TextureRecord* texture = nullptr;
};

struct DockRecord {
  VECTOR3 pos{};
  VECTOR3 dir{};
  VECTOR3 rot{};
};

struct AirfoilRecord {
  AIRFOIL_ORIENTATION orientation = LIFT_VERTICAL;
  VECTOR3 ref{};
  AirfoilCoeffFunc coefficients = nullptr;
  double chord = 0.0;
  double area = 0.0;
  double aspectRatio = 0.0;
};

struct ControlSurfaceRecord {
  AIRCTRL_TYPE type = AIRCTRL_ELEVATOR;
  double area = 0.0;
  double lift = 0.0;
  VECTOR3 ref{};
  int axis = 0;
  UINT animation = NO_ANIMATION;
};

struct AnimationComponentRecord {
  UINT animation = 0;
  double state0 = 0.0;
  double state1 = 1.0;
  MGROUP_TRANSFORM* transform = nullptr;  // owned by the module, kept by reference
  AnimationComponentRecord* parent = nullptr;
};

struct AnimationRecord {
  double initialState = 0.0;
  double state = 0.0;  // last state given by SetAnimation
  std::vector<AnimationComponentRecord*> components;
};

struct DragElementRecord {
  const double* state = nullptr;  // owned by the module, read whenever drag is computed
  double factor = 0.0;
  VECTOR3 ref{};
};

struct MeshRecord {
  std::string name;
  bool hasOffset = false;
  VECTOR3 offset{};
  WORD visibility = MESHVIS_EXTERNAL;
};

struct AddedForce {
  VECTOR3 force{};
  VECTOR3 point{};
};

// What the module reads of the vessel's flight. The host keeps these consistent with the
// kinematic state when it places or integrates a vessel; tests may set them one by one.
struct FlightState {
  // Kinematics, in the planet-centred global frame (see docs/host-conventions.md).
  VECTOR3 position{};
  VECTOR3 velocity{};
  double rotation[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // vessel frame to global frame
  VECTOR3 angularVelocity{};                                  // vessel frame, rad/s

  // Observables (radians, metres, metres per second, kg per cubic metre).
  double longitude = 0.0;
  double latitude = 0.0;
  double radius = 0.0;  // distance from the planet's centre
  double altitude = 0.0;
  double heading = 0.0;  // 0 to 2 pi
  double pitch = 0.0;
  double bank = 0.0;
  double airspeed = 0.0;
  double mach = 0.0;
  double aoa = 0.0;
  double slip = 0.0;
  VECTOR3 horizonAirspeed{};  // x east, y up, z north
  double density = 1.225;
  double pressure = 101325.0;
  bool groundContact = false;
  // What the last physics step pressed the vessel with along its up axis (thrust, air and
  // ground, not gravity), in g: 1 in level flight or at rest on the ground.
  double loadFactor = 1.0;
};

struct VesselRecord {
  std::string name;
  std::string className;
  const ModuleBinding* module = nullptr;  // null for a plain vessel
  void* moduleVessel = nullptr;           // the VESSEL* the module's vvcInit returned

  // Physical parameters.
  double size = 0.0;
  double emptyMass = 0.0;
  double cogElevation = 0.0;
  double cw[4] = {0, 0, 0, 0};
  double wingAspect = 0.0;
  double wingEffectiveness = 0.0;
  VECTOR3 crossSections{};
  VECTOR3 rotDrag{};
  double pitchMomentScale = 0.0;
  double bankMomentScale = 0.0;
  VECTOR3 pmi{};
  double trimScale = 0.0;
  VECTOR3 cameraOffset{};
  VECTOR3 touchdownPoints[3] = {};
  double frictionLongitudinal = 0.0;
  double frictionLateral = 0.0;
  double maxWheelbrakeForce = 0.0;

  std::vector<std::unique_ptr<PropellantRecord>> propellants;
  std::vector<std::unique_ptr<ThrusterRecord>> thrusters;
  std::vector<std::unique_ptr<ThrusterGroupRecord>> thrusterGroups;  // creation order
  std::vector<ExhaustRecord> exhausts;
  std::vector<std::unique_ptr<DockRecord>> docks;
  std::vector<std::unique_ptr<AirfoilRecord>> airfoils;
  std::vector<std::unique_ptr<ControlSurfaceRecord>> controlSurfaces;
  std::vector<AnimationRecord> animations;  // index = animation number
  std::vector<std::unique_ptr<AnimationComponentRecord>> animationComponents;
  std::vector<DragElementRecord> dragElements;
  std::vector<MeshRecord> meshes;  // index = mesh index

  double controlLevels[AIRCTRL_KIND_COUNT] = {0, 0, 0, 0, 0};  // as the module set them
  // The pilot's input per surface kind (elevator, rudder, aileron, trim; never flaps), added to
  // the module's level as docs/pilot-keys.md describes.
  double pilotLevels[AIRCTRL_KIND_COUNT] = {0, 0, 0, 0, 0};
  double wheelbrakeLevels[2] = {0, 0};  // left, right
  DWORD adCtrlMode = 7;
  int attitudeMode = 1;

  FlightState state;
  std::vector<AddedForce> addedForces;  // AddForce calls of the current frame

  // Scenario lines the host did not understand, written back on save.
  std::vector<std::string> unknownScenarioLines;
};

}  // namespace vantor
