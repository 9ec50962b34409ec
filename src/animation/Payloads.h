// Payloads carried as extra meshes until released as vessels of their own.
#pragma once

#include "frame/Host.h"

inline constexpr int kMaxPayloads = 10;
inline constexpr int kPayloadTextSize = 32;

struct Payload {
  VECTOR3 off{};       // vessel frame; where the mesh sits and the released vessel starts
  VECTOR3 speed{};     // angular velocity given to the released vessel
  VECTOR3 rotSpeed{};  // release velocity relative to the aircraft, vessel frame
  char meshName[kPayloadTextSize] = "";
  char name[kPayloadTextSize] = "";
  char module[kPayloadTextSize] = "";
  double mass = 0.0;  // non-zero marks the record as present
};

struct PayloadSet {
  Payload payloads[kMaxPayloads];
  int payloadCount = 0;
  int currentPayload = 0;
};
