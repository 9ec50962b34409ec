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
  int currentPayload = 0;  // the next to release; equals the number released
};

// The name a payload without NAME is released under: "<aircraft>-payload-<index>" when that
// fits; for a longer aircraft name, its first 12 characters, "~" and a hash of the whole name
// in 8 hexadecimal digits take its place, which makes the text exactly 31 characters long.
// Short and long forms differ in length, so names differ whenever aircraft names or indexes do,
// except for two long aircraft names that share their first 12 characters and their hash.
void MakeDefaultPayloadName(char (&name)[kPayloadTextSize], const char* aircraftName, int index);
