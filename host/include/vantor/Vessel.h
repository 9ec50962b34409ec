// VESSEL: the host's view of one vessel, the base class of every module's vessel class.
// Every member forwards to the host's record of the vessel (and is written to the call log).
#pragma once

#include "vantor/Types.h"

class VANTOR_API VESSEL {
 public:
  VESSEL(OBJHANDLE vessel, int flightModel = 1);
  virtual ~VESSEL();

  VESSEL(const VESSEL&) = delete;
  VESSEL& operator=(const VESSEL&) = delete;

  OBJHANDLE GetHandle() const { return handle_; }
  int GetFlightModel() const { return flightModel_; }
  const char* GetName() const;

  // Physical parameters, given once at class set-up.
  void SetSize(double size) const;
  void SetEmptyMass(double mass) const;
  void SetCOG_elev(double height) const;
  void SetCW(double zPositive, double zNegative, double x, double y) const;
  void SetWingAspect(double aspectRatio) const;
  void SetWingEffectiveness(double effectiveness) const;
  void SetCrossSections(const VECTOR3& crossSections) const;
  void SetRotDrag(const VECTOR3& rotDrag) const;
  void SetPitchMomentScale(double scale) const;
  void SetBankMomentScale(double scale) const;
  void SetPMI(const VECTOR3& pmi) const;
  void SetTrimScale(double scale) const;
  void SetCameraOffset(const VECTOR3& offset) const;
  void SetTouchdownPoints(const VECTOR3& p1, const VECTOR3& p2, const VECTOR3& p3) const;
  void SetSurfaceFrictionCoeff(double longitudinal, double lateral) const;
  void SetMaxWheelbrakeForce(double force) const;
  DOCKHANDLE CreateDock(const VECTOR3& pos, const VECTOR3& dir, const VECTOR3& rot) const;
  // The host reads *state (0 to 1) whenever it computes drag, for the life of the vessel.
  void CreateVariableDragElement(const double* state, double factor, const VECTOR3& ref) const;

  // Propellant and thrusters.
  PROPELLANT_HANDLE CreatePropellantResource(double maxMass, double mass = -1.0,
                                             double efficiency = 1.0) const;
  THRUSTER_HANDLE CreateThruster(const VECTOR3& pos, const VECTOR3& dir, double maxThrust,
                                 PROPELLANT_HANDLE propellant, double isp, double ispRef = 0.0,
                                 double pRef = 101400.0) const;
  THGROUP_HANDLE CreateThrusterGroup(const THRUSTER_HANDLE* thrusters, int count,
                                     THGROUP_TYPE type) const;
  THRUSTER_HANDLE GetThrusterHandleByIndex(DWORD index) const;
  void SetThrusterLevel(THRUSTER_HANDLE thruster, double level) const;
  double GetThrusterLevel(THRUSTER_HANDLE thruster) const;
  // The kind overloads act on the newest group of that kind.
  void SetThrusterGroupLevel(THGROUP_HANDLE group, double level) const;
  void SetThrusterGroupLevel(THGROUP_TYPE type, double level) const;
  double GetThrusterGroupLevel(THGROUP_HANDLE group) const;
  double GetThrusterGroupLevel(THGROUP_TYPE type) const;
  void SetThrusterMax0(THRUSTER_HANDLE thruster, double maxThrust) const;
  double GetThrusterMax0(THRUSTER_HANDLE thruster) const;
  unsigned AddExhaust(THRUSTER_HANDLE thruster, double length, double width, const VECTOR3& pos,
                      const VECTOR3& dir, SURFHANDLE texture) const;

  // Aerodynamics.
  AIRFOILHANDLE CreateAirfoil(AIRFOIL_ORIENTATION orientation, const VECTOR3& ref,
                              AirfoilCoeffFunc coefficients, double chord, double area,
                              double aspectRatio) const;
  CTRLSURFHANDLE CreateControlSurface(AIRCTRL_TYPE type, double area, double lift,
                                      const VECTOR3& ref, int axis,
                                      UINT animation = NO_ANIMATION) const;
  void SetControlSurfaceLevel(AIRCTRL_TYPE type, double level) const;
  double GetControlSurfaceLevel(AIRCTRL_TYPE type) const;

  // Flight state (radians, metres, seconds).
  double GetAltitude() const;
  double GetAirspeed() const;
  double GetAtmDensity() const;
  double GetAOA() const;
  double GetPitch() const;
  double GetBank() const;
  double GetSlipAngle() const;
  double GetMass() const;
  void GetEquPos(double& longitude, double& latitude, double& radius) const;
  // Air-relative velocity in the local horizon frame: x east, y up, z north.
  void GetHorizonAirspeedVector(VECTOR3& velocity) const;
  bool GroundContact() const;
  // Acts during the current frame only; force and point in the vessel frame.
  void AddForce(const VECTOR3& force, const VECTOR3& point) const;

  // Animations.
  UINT CreateAnimation(double initialState) const;
  ANIMATIONCOMPONENT_HANDLE AddAnimationComponent(UINT animation, double state0, double state1,
                                                  MGROUP_TRANSFORM* transform,
                                                  ANIMATIONCOMPONENT_HANDLE parent = nullptr) const;
  bool SetAnimation(UINT animation, double state) const;

  // Meshes.
  void ClearMeshes() const;
  UINT AddMesh(const char* name, const VECTOR3* offset = nullptr) const;
  void SetMeshVisibilityMode(UINT mesh, WORD mode) const;

  // State and frames.
  void GetStatus(VESSELSTATUS& status) const;
  void Local2Rel(const VECTOR3& local, VECTOR3& relative) const;
  void GlobalRot(const VECTOR3& local, VECTOR3& global) const;

  // Pilot input.
  void SetADCtrlMode(DWORD mode) const;
  void SetAttitudeMode(int mode) const;
  double GetWheelbrakeLevel(int which) const;
  void SetWheelbrakeLevel(double level, int which = WHEELBRAKE_BOTH, bool permanent = true) const;

  // Scenario.
  void ParseScenarioLineEx(char* line, void* status) const;
  void SaveDefaultState(FILEHANDLE scenario) const;

 private:
  OBJHANDLE handle_;
  int flightModel_;
};
