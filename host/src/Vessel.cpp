// VESSEL: every member records into the vessel's VesselRecord, answers from it, and writes its
// line of the call log. Values are kept exactly as the module gave them, levels out of range
// included, so tests see what the module asked for; the physics limits levels where it uses them.
// Handles from the module are looked up in the record before use, so a stale or foreign handle is
// ignored instead of followed.
#include "vantor/Vessel.h"

#include <algorithm>

#include "CallLog.h"
#include "vantor/sim/PilotControls.h"
#include "vantor/sim/VesselRecord.h"

namespace {

using vantor::VesselRecord;
namespace vlog = vantor::log;

template <typename Record>
bool Owns(const std::vector<std::unique_ptr<Record>>& records, const Record* record) {
  return record != nullptr &&
         std::any_of(records.begin(), records.end(),
                     [record](const auto& owned) { return owned.get() == record; });
}

VECTOR3 Rotate(const double (&rotation)[3][3], const VECTOR3& v) {
  return VECTOR3{rotation[0][0] * v.x + rotation[0][1] * v.y + rotation[0][2] * v.z,
                 rotation[1][0] * v.x + rotation[1][1] * v.y + rotation[1][2] * v.z,
                 rotation[2][0] * v.x + rotation[2][1] * v.y + rotation[2][2] * v.z};
}

// The newest group of a kind, or null.
vantor::ThrusterGroupRecord* NewestGroup(const VesselRecord& record, THGROUP_TYPE type) {
  for (auto group = record.thrusterGroups.rbegin(); group != record.thrusterGroups.rend();
       ++group) {
    if ((*group)->type == type) {
      return group->get();
    }
  }
  return nullptr;
}

double GroupLevel(const vantor::ThrusterGroupRecord* group) {
  if (group == nullptr || group->thrusters.empty()) {
    return 0.0;
  }
  double sum = 0.0;
  for (const auto* thruster : group->thrusters) {
    sum += thruster->level;
  }
  return sum / static_cast<double>(group->thrusters.size());
}

void SetGroupLevel(vantor::ThrusterGroupRecord* group, double level) {
  if (group == nullptr) {
    return;
  }
  for (auto* thruster : group->thrusters) {
    thruster->level = level;
  }
}

bool ValidControl(AIRCTRL_TYPE type) {
  return static_cast<int>(type) >= 0 && static_cast<int>(type) < AIRCTRL_KIND_COUNT;
}

}  // namespace

VESSEL::VESSEL(OBJHANDLE vessel, int flightModel) : handle_(vessel), flightModel_(flightModel) {}

// The record may already be gone (a test's vessel object can outlive the host's reset), so the
// destructor does not touch it.
VESSEL::~VESSEL() = default;

const char* VESSEL::GetName() const {
  const char* name = handle_->name.c_str();
  vlog::CallReturning("GetName", vlog::Quoted{name});
  return name;
}

void VESSEL::SetSize(double size) const {
  vlog::Call("SetSize", size);
  handle_->size = size;
}

void VESSEL::SetEmptyMass(double mass) const {
  vlog::Call("SetEmptyMass", mass);
  handle_->emptyMass = mass;
}

void VESSEL::SetCOG_elev(double height) const {
  vlog::Call("SetCOG_elev", height);
  handle_->cogElevation = height;
}

void VESSEL::SetCW(double zPositive, double zNegative, double x, double y) const {
  vlog::Call("SetCW", zPositive, zNegative, x, y);
  handle_->cw[0] = zPositive;
  handle_->cw[1] = zNegative;
  handle_->cw[2] = x;
  handle_->cw[3] = y;
}

void VESSEL::SetWingAspect(double aspectRatio) const {
  vlog::Call("SetWingAspect", aspectRatio);
  handle_->wingAspect = aspectRatio;
}

void VESSEL::SetWingEffectiveness(double effectiveness) const {
  vlog::Call("SetWingEffectiveness", effectiveness);
  handle_->wingEffectiveness = effectiveness;
}

void VESSEL::SetCrossSections(const VECTOR3& crossSections) const {
  vlog::Call("SetCrossSections", crossSections);
  handle_->crossSections = crossSections;
}

void VESSEL::SetRotDrag(const VECTOR3& rotDrag) const {
  vlog::Call("SetRotDrag", rotDrag);
  handle_->rotDrag = rotDrag;
}

void VESSEL::SetPitchMomentScale(double scale) const {
  vlog::Call("SetPitchMomentScale", scale);
  handle_->pitchMomentScale = scale;
}

void VESSEL::SetBankMomentScale(double scale) const {
  vlog::Call("SetBankMomentScale", scale);
  handle_->bankMomentScale = scale;
}

void VESSEL::SetPMI(const VECTOR3& pmi) const {
  vlog::Call("SetPMI", pmi);
  handle_->pmi = pmi;
}

void VESSEL::SetTrimScale(double scale) const {
  vlog::Call("SetTrimScale", scale);
  handle_->trimScale = scale;
}

void VESSEL::SetCameraOffset(const VECTOR3& offset) const {
  vlog::Call("SetCameraOffset", offset);
  handle_->cameraOffset = offset;
}

void VESSEL::SetTouchdownPoints(const VECTOR3& p1, const VECTOR3& p2, const VECTOR3& p3) const {
  vlog::Call("SetTouchdownPoints", p1, p2, p3);
  handle_->touchdownPoints[0] = p1;
  handle_->touchdownPoints[1] = p2;
  handle_->touchdownPoints[2] = p3;
}

void VESSEL::SetSurfaceFrictionCoeff(double longitudinal, double lateral) const {
  vlog::Call("SetSurfaceFrictionCoeff", longitudinal, lateral);
  handle_->frictionLongitudinal = longitudinal;
  handle_->frictionLateral = lateral;
}

void VESSEL::SetMaxWheelbrakeForce(double force) const {
  vlog::Call("SetMaxWheelbrakeForce", force);
  handle_->maxWheelbrakeForce = force;
}

DOCKHANDLE VESSEL::CreateDock(const VECTOR3& pos, const VECTOR3& dir, const VECTOR3& rot) const {
  auto dock = std::make_unique<vantor::DockRecord>();
  dock->pos = pos;
  dock->dir = dir;
  dock->rot = rot;
  DOCKHANDLE handle = dock.get();
  handle_->docks.push_back(std::move(dock));
  vlog::NameNewHandle("dock", handle);
  vlog::CallReturning("CreateDock", vlog::Handle{"dock", handle}, pos, dir, rot);
  return handle;
}

void VESSEL::CreateVariableDragElement(const double* state, double factor,
                                       const VECTOR3& ref) const {
  vlog::Call("CreateVariableDragElement", vlog::Pointer{state}, factor, ref);
  handle_->dragElements.push_back(vantor::DragElementRecord{state, factor, ref});
}

PROPELLANT_HANDLE VESSEL::CreatePropellantResource(double maxMass, double mass,
                                                   double efficiency) const {
  auto propellant = std::make_unique<vantor::PropellantRecord>();
  propellant->maxMass = std::max(maxMass, 0.0);
  // A negative mass asks for a full tank.
  propellant->mass = mass < 0.0 ? propellant->maxMass : std::min(mass, propellant->maxMass);
  propellant->efficiency = efficiency;
  PROPELLANT_HANDLE handle = propellant.get();
  handle_->propellants.push_back(std::move(propellant));
  vlog::NameNewHandle("prop", handle);
  vlog::CallReturning("CreatePropellantResource", vlog::Handle{"prop", handle}, maxMass, mass,
                      efficiency);
  return handle;
}

THRUSTER_HANDLE VESSEL::CreateThruster(const VECTOR3& pos, const VECTOR3& dir, double maxThrust,
                                       PROPELLANT_HANDLE propellant, double isp, double ispRef,
                                       double pRef) const {
  auto thruster = std::make_unique<vantor::ThrusterRecord>();
  thruster->pos = pos;
  thruster->dir = dir;
  thruster->max0 = maxThrust;
  thruster->propellant = Owns(handle_->propellants, propellant) ? propellant : nullptr;
  thruster->isp = isp;
  thruster->ispRef = ispRef;
  thruster->pRef = pRef;
  THRUSTER_HANDLE handle = thruster.get();
  handle_->thrusters.push_back(std::move(thruster));
  vlog::NameNewHandle("th", handle);
  vlog::CallReturning("CreateThruster", vlog::Handle{"th", handle}, pos, dir, maxThrust,
                      vlog::Handle{"prop", propellant}, isp, ispRef, pRef);
  return handle;
}

THGROUP_HANDLE VESSEL::CreateThrusterGroup(const THRUSTER_HANDLE* thrusters, int count,
                                           THGROUP_TYPE type) const {
  auto group = std::make_unique<vantor::ThrusterGroupRecord>();
  group->type = type;
  if (thrusters != nullptr) {
    for (int i = 0; i < count; ++i) {
      if (Owns(handle_->thrusters, thrusters[i])) {
        group->thrusters.push_back(thrusters[i]);
      }
    }
  }
  THGROUP_HANDLE handle = group.get();
  handle_->thrusterGroups.push_back(std::move(group));
  vlog::NameNewHandle("thg", handle);
  vlog::CallReturning("CreateThrusterGroup", vlog::Handle{"thg", handle},
                      vlog::HandleList{thrusters, std::max(count, 0)}, count,
                      vlog::ThrusterGroupType{type});
  return handle;
}

THRUSTER_HANDLE VESSEL::GetThrusterHandleByIndex(DWORD index) const {
  THRUSTER_HANDLE handle =
      index < handle_->thrusters.size() ? handle_->thrusters[index].get() : nullptr;
  vlog::CallReturning("GetThrusterHandleByIndex", vlog::Handle{"th", handle},
                      static_cast<unsigned>(index));
  return handle;
}

void VESSEL::SetThrusterLevel(THRUSTER_HANDLE thruster, double level) const {
  vlog::Call("SetThrusterLevel", vlog::Handle{"th", thruster}, level);
  if (Owns(handle_->thrusters, thruster)) {
    thruster->level = level;
  }
}

double VESSEL::GetThrusterLevel(THRUSTER_HANDLE thruster) const {
  const double level = Owns(handle_->thrusters, thruster) ? thruster->level : 0.0;
  vlog::CallReturning("GetThrusterLevel", level, vlog::Handle{"th", thruster});
  return level;
}

void VESSEL::SetThrusterGroupLevel(THGROUP_HANDLE group, double level) const {
  vlog::Call("SetThrusterGroupLevel", vlog::Handle{"thg", group}, level);
  if (Owns(handle_->thrusterGroups, group)) {
    SetGroupLevel(group, level);
  }
}

void VESSEL::SetThrusterGroupLevel(THGROUP_TYPE type, double level) const {
  vlog::Call("SetThrusterGroupLevel", vlog::ThrusterGroupType{type}, level);
  SetGroupLevel(NewestGroup(*handle_, type), level);
}

double VESSEL::GetThrusterGroupLevel(THGROUP_HANDLE group) const {
  const double level = Owns(handle_->thrusterGroups, group) ? GroupLevel(group) : 0.0;
  vlog::CallReturning("GetThrusterGroupLevel", level, vlog::Handle{"thg", group});
  return level;
}

double VESSEL::GetThrusterGroupLevel(THGROUP_TYPE type) const {
  const double level = GroupLevel(NewestGroup(*handle_, type));
  vlog::CallReturning("GetThrusterGroupLevel", level, vlog::ThrusterGroupType{type});
  return level;
}

void VESSEL::SetThrusterMax0(THRUSTER_HANDLE thruster, double maxThrust) const {
  vlog::Call("SetThrusterMax0", vlog::Handle{"th", thruster}, maxThrust);
  if (Owns(handle_->thrusters, thruster)) {
    thruster->max0 = maxThrust;
  }
}

double VESSEL::GetThrusterMax0(THRUSTER_HANDLE thruster) const {
  const double maxThrust = Owns(handle_->thrusters, thruster) ? thruster->max0 : 0.0;
  vlog::CallReturning("GetThrusterMax0", maxThrust, vlog::Handle{"th", thruster});
  return maxThrust;
}

unsigned VESSEL::AddExhaust(THRUSTER_HANDLE thruster, double length, double width,
                            const VECTOR3& pos, const VECTOR3& dir, SURFHANDLE texture) const {
  const auto index = static_cast<unsigned>(handle_->exhausts.size());
  handle_->exhausts.push_back(vantor::ExhaustRecord{
      Owns(handle_->thrusters, thruster) ? thruster : nullptr, length, width, pos, dir, texture});
  vlog::CallReturning("AddExhaust", index, vlog::Handle{"th", thruster}, length, width, pos, dir,
                      vlog::Handle{"tex", texture});
  return index;
}

AIRFOILHANDLE VESSEL::CreateAirfoil(AIRFOIL_ORIENTATION orientation, const VECTOR3& ref,
                                    AirfoilCoeffFunc coefficients, double chord, double area,
                                    double aspectRatio) const {
  auto airfoil = std::make_unique<vantor::AirfoilRecord>();
  airfoil->orientation = orientation;
  airfoil->ref = ref;
  airfoil->coefficients = coefficients;
  airfoil->chord = chord;
  airfoil->area = area;
  airfoil->aspectRatio = aspectRatio;
  AIRFOILHANDLE handle = airfoil.get();
  handle_->airfoils.push_back(std::move(airfoil));
  vlog::NameNewHandle("af", handle);
  vlog::CallReturning(
      "CreateAirfoil", vlog::Handle{"af", handle}, vlog::AirfoilOrientation{orientation}, ref,
      vlog::Function{reinterpret_cast<std::uintptr_t>(coefficients)}, chord, area, aspectRatio);
  return handle;
}

CTRLSURFHANDLE VESSEL::CreateControlSurface(AIRCTRL_TYPE type, double area, double lift,
                                            const VECTOR3& ref, int axis, UINT animation) const {
  auto surface = std::make_unique<vantor::ControlSurfaceRecord>();
  surface->type = type;
  surface->area = area;
  surface->lift = lift;
  surface->ref = ref;
  surface->axis = axis;
  surface->animation = animation;
  CTRLSURFHANDLE handle = surface.get();
  handle_->controlSurfaces.push_back(std::move(surface));
  vlog::NameNewHandle("cs", handle);
  vlog::CallReturning("CreateControlSurface", vlog::Handle{"cs", handle}, vlog::ControlType{type},
                      area, lift, ref, axis, vlog::Animation{animation});
  return handle;
}

void VESSEL::SetControlSurfaceLevel(AIRCTRL_TYPE type, double level) const {
  vlog::Call("SetControlSurfaceLevel", vlog::ControlType{type}, level);
  if (ValidControl(type)) {
    handle_->controlLevels[type] = level;
  }
}

double VESSEL::GetControlSurfaceLevel(AIRCTRL_TYPE type) const {
  const double level = vantor::sim::CombinedSurfaceLevel(*handle_, type);
  vlog::CallReturning("GetControlSurfaceLevel", level, vlog::ControlType{type});
  return level;
}

double VESSEL::GetAltitude() const {
  vlog::CallReturning("GetAltitude", handle_->state.altitude);
  return handle_->state.altitude;
}

double VESSEL::GetAirspeed() const {
  vlog::CallReturning("GetAirspeed", handle_->state.airspeed);
  return handle_->state.airspeed;
}

double VESSEL::GetAtmDensity() const {
  vlog::CallReturning("GetAtmDensity", handle_->state.density);
  return handle_->state.density;
}

double VESSEL::GetAOA() const {
  vlog::CallReturning("GetAOA", handle_->state.aoa);
  return handle_->state.aoa;
}

double VESSEL::GetPitch() const {
  vlog::CallReturning("GetPitch", handle_->state.pitch);
  return handle_->state.pitch;
}

double VESSEL::GetBank() const {
  vlog::CallReturning("GetBank", handle_->state.bank);
  return handle_->state.bank;
}

double VESSEL::GetSlipAngle() const {
  vlog::CallReturning("GetSlipAngle", handle_->state.slip);
  return handle_->state.slip;
}

double VESSEL::GetMass() const {
  double mass = handle_->emptyMass;
  for (const auto& propellant : handle_->propellants) {
    mass += propellant->mass;
  }
  vlog::CallReturning("GetMass", mass);
  return mass;
}

void VESSEL::GetEquPos(double& longitude, double& latitude, double& radius) const {
  const vantor::FlightState& state = handle_->state;
  longitude = state.longitude;
  latitude = state.latitude;
  radius = state.radius;
  vlog::CallReturning("GetEquPos", vlog::Tuple(longitude, latitude, radius));
}

void VESSEL::GetHorizonAirspeedVector(VECTOR3& velocity) const {
  velocity = handle_->state.horizonAirspeed;
  vlog::CallReturning("GetHorizonAirspeedVector", velocity);
}

bool VESSEL::GroundContact() const {
  vlog::CallReturning("GroundContact", handle_->state.groundContact);
  return handle_->state.groundContact;
}

void VESSEL::AddForce(const VECTOR3& force, const VECTOR3& point) const {
  vlog::Call("AddForce", force, point);
  handle_->addedForces.push_back(vantor::AddedForce{force, point});
}

UINT VESSEL::CreateAnimation(double initialState) const {
  const auto number = static_cast<UINT>(handle_->animations.size());
  vantor::AnimationRecord animation;
  animation.initialState = initialState;
  animation.state = initialState;
  handle_->animations.push_back(std::move(animation));
  vlog::CallReturning("CreateAnimation", number, initialState);
  return number;
}

ANIMATIONCOMPONENT_HANDLE VESSEL::AddAnimationComponent(UINT animation, double state0,
                                                        double state1, MGROUP_TRANSFORM* transform,
                                                        ANIMATIONCOMPONENT_HANDLE parent) const {
  ANIMATIONCOMPONENT_HANDLE handle = nullptr;
  if (animation < handle_->animations.size()) {
    auto component = std::make_unique<vantor::AnimationComponentRecord>();
    component->animation = animation;
    component->state0 = state0;
    component->state1 = state1;
    component->transform = transform;
    component->parent = Owns(handle_->animationComponents, parent) ? parent : nullptr;
    handle = component.get();
    handle_->animations[animation].components.push_back(handle);
    handle_->animationComponents.push_back(std::move(component));
    vlog::NameNewHandle("ac", handle);
  }
  vlog::CallReturning("AddAnimationComponent", vlog::Handle{"ac", handle},
                      vlog::Animation{animation}, state0, state1, vlog::Transform{transform},
                      vlog::Handle{"ac", parent});
  return handle;
}

bool VESSEL::SetAnimation(UINT animation, double state) const {
  const bool known = animation != NO_ANIMATION && animation < handle_->animations.size();
  if (known) {
    handle_->animations[animation].state = state;
  }
  vlog::CallReturning("SetAnimation", known, vlog::Animation{animation}, state);
  return known;
}

void VESSEL::ClearMeshes() const {
  vlog::Call("ClearMeshes");
  handle_->meshes.clear();
}

UINT VESSEL::AddMesh(const char* name, const VECTOR3* offset) const {
  const auto index = static_cast<UINT>(handle_->meshes.size());
  vantor::MeshRecord mesh;
  mesh.name = name != nullptr ? name : "";
  mesh.hasOffset = offset != nullptr;
  mesh.offset = offset != nullptr ? *offset : VECTOR3{};
  handle_->meshes.push_back(std::move(mesh));
  if (offset != nullptr) {
    vlog::CallReturning("AddMesh", index, vlog::Quoted{name}, *offset);
  } else {
    vlog::CallReturning("AddMesh", index, vlog::Quoted{name}, vlog::Raw{"null"});
  }
  return index;
}

void VESSEL::SetMeshVisibilityMode(UINT mesh, WORD mode) const {
  vlog::Call("SetMeshVisibilityMode", mesh, static_cast<unsigned>(mode));
  if (mesh < handle_->meshes.size()) {
    handle_->meshes[mesh].visibility = mode;
  }
}

void VESSEL::GetStatus(VESSELSTATUS& status) const {
  const vantor::FlightState& state = handle_->state;
  status.position = state.position;
  status.velocity = state.velocity;
  status.angularVelocity = state.angularVelocity;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      status.rotation[row][column] = state.rotation[row][column];
    }
  }
  status.landed = state.groundContact ? 1 : 0;
  vlog::CallReturning("GetStatus", vlog::Status{&status});
}

void VESSEL::Local2Rel(const VECTOR3& local, VECTOR3& relative) const {
  const vantor::FlightState& state = handle_->state;
  const VECTOR3 rotated = Rotate(state.rotation, local);
  relative = VECTOR3{state.position.x + rotated.x, state.position.y + rotated.y,
                     state.position.z + rotated.z};
  vlog::CallReturning("Local2Rel", relative, local);
}

void VESSEL::GlobalRot(const VECTOR3& local, VECTOR3& global) const {
  global = Rotate(handle_->state.rotation, local);
  vlog::CallReturning("GlobalRot", global, local);
}

void VESSEL::SetADCtrlMode(DWORD mode) const {
  vlog::Call("SetADCtrlMode", static_cast<unsigned>(mode));
  handle_->adCtrlMode = mode;
}

void VESSEL::SetAttitudeMode(int mode) const {
  vlog::Call("SetAttitudeMode", mode);
  handle_->attitudeMode = mode;
}

double VESSEL::GetWheelbrakeLevel(int which) const {
  const double* levels = handle_->wheelbrakeLevels;
  double level = 0.0;
  if (which == WHEELBRAKE_BOTH) {
    level = 0.5 * (levels[0] + levels[1]);
  } else if (which == 1 || which == 2) {
    level = levels[which - 1];
  }
  vlog::CallReturning("GetWheelbrakeLevel", level, which);
  return level;
}

void VESSEL::SetWheelbrakeLevel(double level, int which, bool permanent) const {
  vlog::Call("SetWheelbrakeLevel", level, which, permanent);
  double* levels = handle_->wheelbrakeLevels;
  if (which == WHEELBRAKE_BOTH || which == 1) {
    levels[0] = level;
  }
  if (which == WHEELBRAKE_BOTH || which == 2) {
    levels[1] = level;
  }
}
