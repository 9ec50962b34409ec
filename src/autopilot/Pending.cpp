// Autopilot operations not built yet; removed as the autopilot lands.
#include "frame/Aircraft.h"

void Aircraft::ReadAutopilotSettings() {}
bool Aircraft::HoldAltitude(double) { return true; }
bool Aircraft::HoldHeading() { return true; }
bool Aircraft::HoldBank() { return true; }
bool Aircraft::SetAltitudeTarget(const char*) { return true; }
bool Aircraft::SetBankTarget(const char*) { return true; }
bool Aircraft::SetPitchTarget(const char*) { return true; }
bool Aircraft::LoadFlightPlan(const char*) { return true; }
void Aircraft::FollowFlightPlan() {}
