// Links from the control surfaces and the nose wheel to animation sequences.
#include "config/ProfileReaders.h"
#include "frame/Aircraft.h"

namespace {

// The sequence index a link key names, or -1 when it names no existing sequence.
int ReadLinkedSequence(const AnimationSet& set, const char* path, const char* section,
                       const char* key) {
  int index = -1;
  ReadProfileInt(path, section, key, index);
  return set.Find(index) != nullptr ? index : -1;
}

UINT AnimationOf(const AnimationSet& set, int index) {
  const AnimationSequence* seq = set.Find(index);
  return seq != nullptr ? seq->animation : NO_ANIMATION;
}

}  // namespace

void Aircraft::ReadControlLinks() {
  const char* path = vessel.configPath;
  const AnimationSet& set = animations;
  ControlLinks& links = animations.links;
  links.elevatorAnimation = AnimationOf(set, ReadLinkedSequence(set, path, "ELEVATOR", "SEQ"));
  links.rudderAnimation = AnimationOf(set, ReadLinkedSequence(set, path, "RUDDER", "SEQ"));
  links.steeringAnimation = AnimationOf(set, ReadLinkedSequence(set, path, "STEERING", "SEQ"));
  links.leftAileronAnimation = AnimationOf(set, ReadLinkedSequence(set, path, "AILERON", "LSEQ"));
  links.rightAileronAnimation = AnimationOf(set, ReadLinkedSequence(set, path, "AILERON", "RSEQ"));

  links.flapsSequence = ReadLinkedSequence(set, path, "FLAPS", "SEQ");
  links.flapsAnimation = AnimationOf(set, links.flapsSequence);
  if (AnimationSequence* flaps = animations.Find(links.flapsSequence)) {
    // The flaps start retracted whatever INITIAL said; the flap level follows from here on.
    flaps->state = 0.0;
    flaps->target = 0.0;
  }
}
