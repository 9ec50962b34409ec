// The payload list and payload release.
#include "animation/Payloads.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "config/ProfileReaders.h"
#include "frame/Aircraft.h"
#include "frame/StatusLine.h"
#include "frame/Text.h"

namespace {

bool Finite(const VECTOR3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// 32-bit FNV-1a: small, and the same on every platform the module is built for.
std::uint32_t HashName(const char* text) {
  std::uint32_t hash = 2166136261u;
  for (const char* c = text; *c != '\0'; ++c) {
    hash ^= static_cast<unsigned char>(*c);
    hash *= 16777619u;
  }
  return hash;
}

inline constexpr std::size_t kLongNamePrefix = 12;
// The aircraft part of a short-form name is at most this long; a long form's is one longer.
inline constexpr std::size_t kShortNameLimit = 20;

}  // namespace

void MakeDefaultPayloadName(char (&name)[kPayloadTextSize], const char* aircraftName, int index) {
  const char* aircraft = aircraftName != nullptr ? aircraftName : "";
  if (std::strlen(aircraft) <= kShortNameLimit) {
    FormatText(name, "%s-payload-%d", aircraft, index);
    return;
  }
  char prefix[kLongNamePrefix + 1];
  CopyText(prefix, aircraft);
  FormatText(name, "%s~%08lx-payload-%d", prefix, static_cast<unsigned long>(HashName(aircraft)),
             index);
}

void Aircraft::ReadPayloads() {
  const char* path = vessel.configPath;
  PayloadSet& set = payloads;
  set.payloadCount = 0;
  for (int n = 0; n < kMaxPayloads; ++n) {
    char section[16];
    FormatText(section, "PAYLOAD_%d", n);
    Payload& p = set.payloads[n];
    p.mass = 0.0;
    ReadProfileDouble(path, section, "MASS", p.mass);
    if (p.mass == 0.0) {
      break;  // the list ends at the first payload without mass
    }
    // A section that leaves keys out gets zero vectors and empty texts.
    p.off = zeroVector;
    p.speed = zeroVector;
    p.rotSpeed = zeroVector;
    ReadProfileVector(path, section, "OFF", p.off);
    ReadProfileVector(path, section, "SPEED", p.speed);
    ReadProfileVector(path, section, "ROT_SPEED", p.rotSpeed);
    p.meshName[0] = '\0';
    p.name[0] = '\0';
    p.module[0] = '\0';
    ReadProfileString(path, section, "MESHNAME", p.meshName);
    ReadProfileString(path, section, "NAME", p.name);
    ReadProfileString(path, section, "MODULE", p.module);
    if (p.name[0] == '\0') {
      MakeDefaultPayloadName(p.name, GetName(), n);
    }
    set.payloadCount = n + 1;
  }
  set.currentPayload = 0;
}

void Aircraft::ReleasePayload() {
  const int index = payloads.currentPayload;
  if (index < 0 || index >= payloads.payloadCount) {
    return;
  }
  const Payload& p = payloads.payloads[index];

  VESSELSTATUS status{};
  GetStatus(status);
  const VECTOR3 aircraftVelocity = status.velocity;
  Local2Rel(p.off, status.position);
  VECTOR3 releaseVelocity{};
  GlobalRot(p.rotSpeed, releaseVelocity);
  status.velocity =
      VECTOR3{aircraftVelocity.x + releaseVelocity.x, aircraftVelocity.y + releaseVelocity.y,
              aircraftVelocity.z + releaseVelocity.z};
  status.angularVelocity = p.speed;  // SPEED is the spin, ROT_SPEED the linear velocity

  // Offsets or release speeds near the limits of a double can leave no finite place to start
  // from: such a payload is not released, as when the host refuses it.
  if (!Finite(status.position) || !Finite(status.velocity) || !Finite(status.angularVelocity) ||
      vapiCreateVessel(p.name, p.module, status) == nullptr) {
    // The payload stays aboard, shown as before, so the pilot can try again.
    WriteStatusLine("Payload release failed: %s", p.name);
    return;
  }
  ++payloads.currentPayload;
  BuildMeshes();
}
