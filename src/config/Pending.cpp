// Stages not built yet; removed as the configuration stages land.
#include "frame/Aircraft.h"

void Aircraft::BuildConfigPath() {}
void Aircraft::ReadConfigBlock() {}
void Aircraft::PassPhysicalParameters() {}
void Aircraft::CreateEngines() {}
void Aircraft::RegisterExhaustTextures() {}
void Aircraft::AddExhaustFlames(bool) {}
void Aircraft::CreateDocks() {}
