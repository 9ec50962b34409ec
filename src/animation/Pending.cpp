// Animation and payload operations not built yet; removed as they land.
#include "frame/Aircraft.h"

void Aircraft::ReadPayloads() {}
void Aircraft::ReadSequences() {}
void Aircraft::ReadComponents() {}
void Aircraft::ReadControlLinks() {}
void Aircraft::StepSequences(double) {}
void Aircraft::BuildMeshes() {}
void Aircraft::ReleasePayload() {}
void Aircraft::GetSequenceName(int, char*) {}
double Aircraft::GetSequenceState(int) { return 0.0; }
double Aircraft::GetSequenceStateByName(const char*) { return 0.0; }
int Aircraft::GetSequenceCount() { return 0; }
double Aircraft::ToggleSequence(int) { return 0.0; }
