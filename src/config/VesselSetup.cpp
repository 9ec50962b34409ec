// Class set-up stages 0, 1 and 4 to 9: the vessel's file, its CONFIG block, the host's physical
// parameters, propellant and engines, exhaust flames and docking ports.
#include <cstdio>

#include "config/ProfileReaders.h"
#include "frame/Aircraft.h"
#include "frame/Text.h"

namespace {

// No key sets the host's legacy drag and wing figures; the airfoils carry the real
// aerodynamics. These suit a generic jet: slim nose-on and tail-on, broad from the side and
// broadside from above; the fourth value doubles as the wing aspect ratio (a low-aspect wing).
constexpr double kDragCoefficients[4] = {0.1, 0.1, 1.0, 2.0};
constexpr double kWingEffectiveness = 2.5;

// The main engine and the afterburner sit on the tail and push along the nose.
constexpr VECTOR3 kEnginePosition{0.0, 0.0, -4.35};
constexpr VECTOR3 kEngineDirection{0.0, 0.0, 1.0};
constexpr double kReferencePressure = 101400.0;

constexpr int kFlamesPerEngine = kMaxExhaustFlames;

bool IsZero(const VECTOR3& v) {
  return v.x == 0.0 && v.y == 0.0 && v.z == 0.0;
}

}  // namespace

void Aircraft::BuildConfigPath() {
  const char* name = GetName();
  const int length = std::snprintf(vessel.configPath, sizeof vessel.configPath,
                                   "./Config/Aircraft/%s.ini", name != nullptr ? name : "");
  // A cut path could name another vessel's file; an empty path names none, so every key of a
  // vessel whose name does not fit reads as absent.
  if (length < 0 || length >= static_cast<int>(sizeof vessel.configPath)) {
    vessel.configPath[0] = '\0';
  }
}

void Aircraft::ReadConfigBlock() {
  const char* path = vessel.configPath;
  // Keys without a default start from zero or the empty text.
  vessel.meshName[0] = '\0';
  ReadProfileString(path, "CONFIG", "MESHNAME", vessel.meshName);
  vessel.vesselSize = 0.0;
  ReadProfileDouble(path, "CONFIG", "SIZE", vessel.vesselSize);
  vessel.emptyMass = 0.0;
  ReadProfileDouble(path, "CONFIG", "EMPTY_MASS", vessel.emptyMass);
  vessel.fuelMass = 0.0;
  ReadProfileDouble(path, "CONFIG", "FUEL_MASS", vessel.fuelMass);
  vessel.cogElevation = 0.0;
  ReadProfileDouble(path, "CONFIG", "COG", vessel.cogElevation);
  vessel.crossSections = VECTOR3{};
  ReadProfileVector(path, "CONFIG", "CROSS_SECTION", vessel.crossSections);
  vessel.rotDrag = VECTOR3{};
  ReadProfileVector(path, "CONFIG", "ROT_DRAG", vessel.rotDrag);
  vessel.pitchMomentScale = 0.0;
  ReadProfileDouble(path, "CONFIG", "PITCH_MOMENT_SCALE", vessel.pitchMomentScale);
  vessel.bankMomentScale = 0.0;
  ReadProfileDouble(path, "CONFIG", "BANK_MOMENT_SCALE", vessel.bankMomentScale);
  vessel.pmi = VECTOR3{};
  ReadProfileVector(path, "CONFIG", "PMI", vessel.pmi);
  vessel.trimScale = 0.0;
  ReadProfileDouble(path, "CONFIG", "TRIM", vessel.trimScale);

  vessel.cameraOffset = VECTOR3{};
  vessel.visibleMode = 0;
  ReadProfileVector(path, "CONFIG", "CAMERA", vessel.cameraOffset);
  ReadProfileInt(path, "CONFIG", "VISIBLE", vessel.visibleMode);

  static constexpr const char* kTouchdownKeys[3] = {"LAND_PT1", "LAND_PT2", "LAND_PT3"};
  for (int i = 0; i < 3; ++i) {
    vessel.touchdownPoints[i] = VECTOR3{};
    ReadProfileVector(path, "CONFIG", kTouchdownKeys[i], vessel.touchdownPoints[i]);
  }
}

void Aircraft::PassPhysicalParameters() {
  for (int i = 0; i < 4; ++i) {
    vessel.cw[i] = kDragCoefficients[i];
  }
  vessel.wingEffectiveness = kWingEffectiveness;

  SetSize(vessel.vesselSize);
  SetEmptyMass(vessel.emptyMass);
  SetCOG_elev(vessel.cogElevation);
  SetCW(vessel.cw[0], vessel.cw[1], vessel.cw[2], vessel.cw[3]);
  SetWingAspect(vessel.cw[3]);
  SetWingEffectiveness(vessel.wingEffectiveness);
  SetCrossSections(vessel.crossSections);
  SetRotDrag(vessel.rotDrag);
  SetPitchMomentScale(vessel.pitchMomentScale);
  SetBankMomentScale(vessel.bankMomentScale);
  SetPMI(vessel.pmi);
  SetTrimScale(vessel.trimScale);
  if (vessel.visibleMode == 1) {
    SetCameraOffset(vessel.cameraOffset);
  }
  SetTouchdownPoints(vessel.touchdownPoints[0], vessel.touchdownPoints[1],
                     vessel.touchdownPoints[2]);
}

void Aircraft::CreateEngines() {
  const char* path = vessel.configPath;
  // Initial mass -1 fills the tank.
  vessel.propellant = CreatePropellantResource(vessel.fuelMass, -1.0, 1.0);

  vessel.mainIsp = 0.0;
  ReadProfileDouble(path, "CONFIG", "ISP", vessel.mainIsp);
  vessel.burnIsp = 0.0;
  ReadProfileDouble(path, "CONFIG", "BURN_ISP", vessel.burnIsp);
  vessel.mainThrust = 0.0;
  ReadProfileDouble(path, "CONFIG", "MAIN_THRUST", vessel.mainThrust);
  vessel.burnThrust = 0.0;
  ReadProfileDouble(path, "CONFIG", "BURN_THRUST", vessel.burnThrust);
  vessel.retroThrust = 0.0;
  ReadProfileDouble(path, "CONFIG", "RETRO_THRUST", vessel.retroThrust);
  vessel.hoverThrust = 0.0;
  ReadProfileDouble(path, "CONFIG", "HOVER_THUST", vessel.hoverThrust);
  vessel.attitudeThrust = 0.0;
  ReadProfileDouble(path, "CONFIG", "ATTITUDE_THRUST", vessel.attitudeThrust);

  vessel.mainThruster = CreateThruster(kEnginePosition, kEngineDirection, vessel.mainThrust,
                                       vessel.propellant, vessel.mainIsp, 0.0, kReferencePressure);
  vessel.burnerThruster = nullptr;
  if (vessel.burnThrust != 0.0) {
    vessel.burnerThruster =
        CreateThruster(kEnginePosition, kEngineDirection, vessel.burnThrust, vessel.propellant,
                       vessel.burnIsp, 0.0, kReferencePressure);
  }
  // The group starts with the main engine; engine management moves it to the afterburner.
  vessel.mainGroup = CreateThrusterGroup(&vessel.mainThruster, 1, THGROUP_MAIN);
  vessel.burnerEngaged = false;
}

void Aircraft::RegisterExhaustTextures() {
  const char* path = vessel.configPath;
  vessel.textureName[0] = '\0';
  ReadProfileString(path, "AIRCRAFT", "EXHAUST_TEXTURE", vessel.textureName);
  if (vessel.textureName[0] == '\0') {
    CopyText(vessel.textureName, "Exhaust");
  }
  vessel.exhaustTexture = vapiRegisterExhaustTexture(vessel.textureName);

  // The afterburner's default is the main engine's texture name, still in the buffer.
  ReadProfileString(path, "AIRCRAFT", "BURNER_TEXTURE", vessel.textureName);
  if (vessel.textureName[0] == '\0') {
    CopyText(vessel.textureName, "Exhaust");
  }
  vessel.burnerTexture = vapiRegisterExhaustTexture(vessel.textureName);
}

void Aircraft::AddExhaustFlames(bool burner) {
  const THRUSTER_HANDLE thruster = burner ? vessel.burnerThruster : vessel.mainThruster;
  const SURFHANDLE texture = burner ? vessel.burnerTexture : vessel.exhaustTexture;
  if (thruster == nullptr) {
    return;
  }
  for (int n = 0; n < kFlamesPerEngine; ++n) {
    char section[16];
    FormatText(section, burner ? "EX_BURN_%d" : "EX_MAIN_%d", n);
    double length = 0.0;
    ReadProfileDouble(vessel.configPath, section, "LENGTH", length);
    if (!(length > 0.0)) {
      break;
    }
    double width = 0.0;
    ReadProfileDouble(vessel.configPath, section, "WIDTH", width);
    VECTOR3 offset{};
    ReadProfileVector(vessel.configPath, section, "OFF", offset);
    VECTOR3 direction{};
    ReadProfileVector(vessel.configPath, section, "DIR", direction);
    AddExhaust(thruster, length, width, offset, direction, texture);
  }
}

void Aircraft::CreateDocks() {
  vessel.dockCount = 0;
  for (int n = 0; n < kMaxDocks; ++n) {
    char section[16];
    FormatText(section, "DOCK_%d", n);
    Dock& dock = vessel.docks[n];
    dock.dir = VECTOR3{};
    ReadProfileVector(vessel.configPath, section, "DIR", dock.dir);
    if (IsZero(dock.dir)) {
      break;
    }
    ReadProfileVector(vessel.configPath, section, "POS", dock.pos);
    ReadProfileVector(vessel.configPath, section, "ROT", dock.rot);
    dock.handle = CreateDock(dock.pos, dock.dir, dock.rot);
    vessel.dockCount = n + 1;
  }
}
