// The vessel's configuration as class set-up reads it from the CONFIG and AIRCRAFT sections,
// and the host handles set-up creates for it.
#pragma once

#include "frame/Host.h"

struct Dock {
  VECTOR3 pos{};
  VECTOR3 dir{};
  VECTOR3 rot{};
  DOCKHANDLE handle = nullptr;
};

inline constexpr int kMaxDocks = 5;
inline constexpr int kMaxExhaustFlames = 10;
inline constexpr int kConfigPathSize = 64;
inline constexpr int kMeshNameSize = 46;
inline constexpr int kTextureNameSize = 64;

struct VesselConfig {
  char configPath[kConfigPathSize] = "";
  char meshName[kMeshNameSize] = "";
  double vesselSize = 0.0;
  double emptyMass = 0.0;
  double cogElevation = 0.0;
  double cw[4] = {0, 0, 0, 0};
  double wingEffectiveness = 0.0;
  VECTOR3 crossSections{};
  VECTOR3 rotDrag{};
  double pitchMomentScale = 0.0;
  double bankMomentScale = 0.0;
  VECTOR3 pmi{};
  double trimScale = 0.0;
  int visibleMode = 0;
  VECTOR3 cameraOffset{};
  VECTOR3 touchdownPoints[3] = {};
  double fuelMass = 0.0;
  double mainIsp = 0.0;
  double burnIsp = 0.0;
  double mainThrust = 0.0;
  double burnThrust = 0.0;
  double retroThrust = 0.0;
  double hoverThrust = 0.0;
  double attitudeThrust = 0.0;
  PROPELLANT_HANDLE propellant = nullptr;
  THRUSTER_HANDLE mainThruster = nullptr;
  THRUSTER_HANDLE burnerThruster = nullptr;
  THGROUP_HANDLE mainGroup = nullptr;  // replaced at each hand-over by engine management
  bool burnerEngaged = false;
  char textureName[kTextureNameSize] = "";
  SURFHANDLE exhaustTexture = nullptr;
  SURFHANDLE burnerTexture = nullptr;
  Dock docks[kMaxDocks] = {};
  int dockCount = 0;
};
