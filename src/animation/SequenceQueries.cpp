// Sequence queries of the interface other modules call. An index that names no sequence reads
// as an empty name and state 0, so a caller's mistake never reaches outside the records.
#include <cstring>

#include "frame/Aircraft.h"
#include "frame/Text.h"

void Aircraft::GetSequenceName(int index, char* name) {
  if (name == nullptr) {
    return;
  }
  const AnimationSequence* seq = animations.Find(index);
  // The caller promises room for a full sequence name.
  CopyText(name, kSequenceNameSize, seq != nullptr ? seq->name : "");
}

double Aircraft::GetSequenceState(int index) {
  const AnimationSequence* seq = animations.Find(index);
  return seq != nullptr ? seq->state : 0.0;
}

double Aircraft::GetSequenceStateByName(const char* name) {
  if (name == nullptr) {
    return 0.0;
  }
  for (int i = 0; i < animations.sequenceCount; ++i) {
    if (std::strcmp(animations.sequences[i].name, name) == 0) {
      return animations.sequences[i].state;
    }
  }
  return 0.0;
}

int Aircraft::GetSequenceCount() {
  return animations.sequenceCount;
}
