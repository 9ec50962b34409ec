// Flight-model operations not built yet; removed as the flight model lands.
#include "frame/Aircraft.h"

void Aircraft::ReadEngineSettings() {}
void Aircraft::SetupAirfoils(SurfaceHolders&) {}
void Aircraft::SetupControlSurfaces(SurfaceHolders&) {}
void Aircraft::SetupGroundHandling() {}
void Aircraft::ManageEngines() {}
void Aircraft::SteerOnGround() {}
