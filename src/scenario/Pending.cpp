// Scenario lines and keys not built yet; removed as they land.
#include "frame/Aircraft.h"

void Aircraft::SaveState(FILEHANDLE) {}
void Aircraft::LoadState(FILEHANDLE, void*) {}
int Aircraft::ConsumeBufferedKey(DWORD, bool, const char*) { return 0; }
