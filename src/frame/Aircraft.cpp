#include "frame/Aircraft.h"

#include "config/ProfileCache.h"

Aircraft::Aircraft(OBJHANDLE vessel) : VESSEL(vessel, 1) {}

void Aircraft::SetClassCaps() {
  // The stages run in this fixed order: later stages use what earlier ones stored, and the
  // host sees its calls in exactly this order.
  const ProfileReadScope readFileOnce;
  BuildConfigPath();
  ReadConfigBlock();
  ReadAutopilotSettings();
  ReadEngineSettings();
  PassPhysicalParameters();
  CreateEngines();
  RegisterExhaustTextures();
  AddExhaustFlames(false);
  if (vessel.burnThrust != 0.0) {
    AddExhaustFlames(true);
  }
  CreateDocks();
  ReadPayloads();
  ReadSequences();
  ReadComponents();
  ReadControlLinks();
  SurfaceHolders holders;
  SetupAirfoils(holders);
  SetupControlSurfaces(holders);
  SetupGroundHandling();
  BuildMeshes();
}

void Aircraft::StepAircraft(double simt) {
  StepSequences(simt);
  FollowFlightPlan();
  ManageEngines();
  if (autopilot.altitudeHoldOn) {
    HoldAltitude(simt);
  }
  // Heading hold runs before bank hold so that the bank target it sets is flown this frame.
  if (autopilot.headingHoldOn) {
    HoldHeading();
  }
  if (autopilot.bankHoldOn) {
    HoldBank();
  }
  if (GroundContact() && GetControlSurfaceLevel(AIRCTRL_RUDDER) != 0.0) {
    SteerOnGround();
  }
}

void Aircraft::SetFlag(int /*value*/) {
  interfaceFlag = true;
}
