// The mesh list: the main mesh first, then each payload still aboard.
#include "frame/Aircraft.h"

void Aircraft::BuildMeshes() {
  ClearMeshes();
  const UINT mainMesh = AddMesh(vessel.meshName, nullptr);
  SetMeshVisibilityMode(mainMesh, vessel.visibleMode == 1 ? MESHVIS_ALWAYS : MESHVIS_EXTERNAL);
  // A scenario may have set currentPayload to anything; only records that exist are shown.
  const int first = payloads.currentPayload < 0 ? 0 : payloads.currentPayload;
  for (int i = first; i < payloads.payloadCount; ++i) {
    AddMesh(payloads.payloads[i].meshName, &payloads.payloads[i].off);
  }
}
