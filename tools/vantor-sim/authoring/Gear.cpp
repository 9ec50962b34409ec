#include "authoring/Gear.h"

#include <memory>
#include <string>
#include <vector>

#include <vantor/sim/Simulation.h>

#include "config/ProfileIndex.h"

namespace authoring {

namespace {

// Sequences are read from ANIM_SEQ_0 upward; no file has more than this many.
constexpr int kMaxSequences = 100;

}  // namespace

int FindGearSequence(const std::string& aircraftFile) {
  const std::unique_ptr<ProfileIndex> document = ProfileIndex::Load(aircraftFile.c_str());
  if (!document) {
    return -1;
  }
  for (int index = 0; index < kMaxSequences; ++index) {
    const std::string section = "ANIM_SEQ_" + std::to_string(index);
    if (document->FindSection(section) == nullptr) {
      return -1;
    }
    const ProfileIndex::Entry* name = document->Find(section, "NAME");
    if (name != nullptr && SameProfileName(name->value, "Gear")) {
      return index;
    }
  }
  return -1;
}

void SetGear(vantor::VesselRecord& vessel, int sequence, bool down) {
  if (sequence < 0) {
    return;
  }
  const std::string line = "SEQ " + std::to_string(sequence) + (down ? " 1 1.0000" : " -1 0.0000");
  vantor::sim::LoadState(vessel, {line});
}

}  // namespace authoring
