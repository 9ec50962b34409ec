// Class set-up of the aerodynamic profile and the two airfoils: the WING, FIN, AIRCRAFT, VLIFT
// and HLIFT sections.
#include <cmath>

#include "config/ProfileReaders.h"
#include "flight/AeroProfiles.h"
#include "frame/Aircraft.h"
#include "frame/Angles.h"
#include "frame/StatusLine.h"

namespace {

// Induced-drag parameters: from WING and FIN when the wing names its own efficiency, otherwise
// one pair from AIRCRAFT for both airfoils. A missing key keeps what the slot held.
void ReadInducedDragParameters(const char* path, AeroProfile& profile) {
  ReadProfileDouble(path, "WING", "WING_EFFICIENCY", profile.verticalEfficiency);
  if (profile.verticalEfficiency != 0.0) {
    ReadProfileDouble(path, "WING", "ASPECT_RATIO", profile.verticalAspectRatio);
    ReadProfileDouble(path, "FIN", "WING_EFFICIENCY", profile.horizontalEfficiency);
    ReadProfileDouble(path, "FIN", "ASPECT_RATIO", profile.horizontalAspectRatio);
  } else {
    ReadProfileDouble(path, "AIRCRAFT", "WING_EFFICIENCY", profile.verticalEfficiency);
    ReadProfileDouble(path, "AIRCRAFT", "ASPECT_RATIO", profile.verticalAspectRatio);
    profile.horizontalEfficiency = profile.verticalEfficiency;
    profile.horizontalAspectRatio = profile.verticalAspectRatio;
  }
}

void ReadWaveDragParameters(const char* path, AeroProfile& profile) {
  ReadProfileDouble(path, "AIRCRAFT", "WAVE_DRAG", profile.waveDrag);
  ReadProfileVector(path, "AIRCRAFT", "MACH_NUMBERS", profile.machNumbers);
  double wingAngleDegrees = NAN;
  ReadProfileDouble(path, "AIRCRAFT", "WING_ANGLE", wingAngleDegrees);
  if (!std::isnan(wingAngleDegrees)) {
    profile.wingAngle = wingAngleDegrees * RAD;
  }
}

// Both tables' switches read through one integer, so a missing HLIFT USER_DRAG repeats VLIFT's;
// a missing VLIFT USER_DRAG means off.
void ReadLiftTables(const char* path, AeroProfile& profile) {
  int userDrag = 0;
  ReadProfileInt(path, "VLIFT", "USER_DRAG", userDrag);
  profile.verticalZeroDrag = 0.0;
  ReadProfileDouble(path, "VLIFT", "ZERO_DRAG", profile.verticalZeroDrag);
  LoadLiftTable(path, "VLIFT", profile.vertical, userDrag == 1);

  ReadProfileInt(path, "HLIFT", "USER_DRAG", userDrag);
  profile.horizontalZeroDrag = 0.0;
  ReadProfileDouble(path, "HLIFT", "ZERO_DRAG", profile.horizontalZeroDrag);
  LoadLiftTable(path, "HLIFT", profile.horizontal, userDrag == 1);
}

// OFFSET, AREA, CHORD and ASPECT_RATIO of one airfoil section, read into the shared holders.
void ReadAirfoilGeometry(const char* path, const char* section, SurfaceHolders& holders) {
  ReadProfileVector(path, section, "OFFSET", holders.position);
  ReadProfileDouble(path, section, "AREA", holders.area);
  ReadProfileDouble(path, section, "CHORD", holders.chord);
  ReadProfileDouble(path, section, "ASPECT_RATIO", holders.aspectRatio);
}

}  // namespace

void Aircraft::SetupAirfoils(SurfaceHolders& holders) {
  const char* path = vessel.configPath;
  const char* hostName = GetName();
  const char* name = hostName != nullptr ? hostName : "";
  profileSlot = FindProfileSlot(name);
  if (profileSlot >= 0) {
    AeroProfile& profile = aeroProfiles[profileSlot];
    ReadInducedDragParameters(path, profile);
    ReadWaveDragParameters(path, profile);
    ReadLiftTables(path, profile);
  }

  // The holders are read even without a slot: the control surfaces continue in them.
  ReadAirfoilGeometry(path, "WING", holders);
  if (profileSlot >= 0) {
    CreateAirfoil(LIFT_VERTICAL, holders.position, verticalLiftCallbacks[profileSlot],
                  holders.chord, holders.area, holders.aspectRatio);
  }
  ReadAirfoilGeometry(path, "FIN", holders);
  if (profileSlot >= 0) {
    CreateAirfoil(LIFT_HORIZONTAL, holders.position, horizontalLiftCallbacks[profileSlot],
                  holders.chord, holders.area, holders.aspectRatio);
  } else {
    WriteStatusLine("%.40s has no wing or fin: all %d aerodynamic profile slots are taken", name,
                    kProfileSlotCount);
  }
}
