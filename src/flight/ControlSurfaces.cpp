// Class set-up of the six control surfaces: the ELEVATOR, RUDDER, AILERON and FLAPS sections.
// Every read continues in the holders the airfoils used, so a missing key inherits the value
// the previous section gave.
#include "config/ProfileReaders.h"
#include "frame/Aircraft.h"

void Aircraft::SetupControlSurfaces(SurfaceHolders& holders) {
  const char* path = vessel.configPath;
  const ControlLinks& links = animations.links;

  ReadProfileVector(path, "ELEVATOR", "OFFSET", holders.position);
  ReadProfileDouble(path, "ELEVATOR", "AREA", holders.area);
  ReadProfileDouble(path, "ELEVATOR", "LIFT", holders.lift);
  CreateControlSurface(AIRCTRL_ELEVATOR, holders.area, holders.lift, holders.position,
                       AIRCTRL_AXIS_YNEG, links.elevatorAnimation);
  CreateControlSurface(AIRCTRL_ELEVATORTRIM, holders.area, holders.lift, holders.position,
                       AIRCTRL_AXIS_YNEG, NO_ANIMATION);

  ReadProfileVector(path, "RUDDER", "OFFSET", holders.position);
  ReadProfileDouble(path, "RUDDER", "AREA", holders.area);
  ReadProfileDouble(path, "RUDDER", "LIFT", holders.lift);
  CreateControlSurface(AIRCTRL_RUDDER, holders.area, holders.lift, holders.position,
                       AIRCTRL_AXIS_XNEG, links.rudderAnimation);

  // The two halves share area and lift; the left one pushes up, the right one down.
  ReadProfileDouble(path, "AILERON", "AREA", holders.area);
  ReadProfileDouble(path, "AILERON", "LIFT", holders.lift);
  ReadProfileVector(path, "AILERON", "LEFT_OFFSET", holders.position);
  CreateControlSurface(AIRCTRL_AILERON, holders.area, holders.lift, holders.position,
                       AIRCTRL_AXIS_YPOS, links.leftAileronAnimation);
  ReadProfileVector(path, "AILERON", "RIGHT_OFFSET", holders.position);
  CreateControlSurface(AIRCTRL_AILERON, holders.area, holders.lift, holders.position,
                       AIRCTRL_AXIS_YNEG, links.rightAileronAnimation);

  ReadProfileVector(path, "FLAPS", "OFFSET", holders.position);
  ReadProfileDouble(path, "FLAPS", "AREA", holders.area);
  ReadProfileDouble(path, "FLAPS", "LIFT", holders.lift);
  CreateControlSurface(AIRCTRL_FLAP, holders.area, holders.lift, holders.position,
                       AIRCTRL_AXIS_YNEG, links.flapsAnimation);
}
