// Animation sequences: reading them, starting moves and stepping them each frame.
#include <cstdio>

#include "config/ProfileReaders.h"
#include "frame/Aircraft.h"
#include "frame/StatusLine.h"
#include "frame/Text.h"

void Aircraft::ReadSequences() {
  const char* path = vessel.configPath;
  animations.sequenceCount = 0;
  for (int n = 0; n < kMaxSequences; ++n) {
    char section[16];
    FormatText(section, "ANIM_SEQ_%d", n);
    char keyText[4] = "";
    ReadProfileString(path, section, "KEY", keyText);
    const int key = KeyCodeFromLetter(keyText);
    if (key == 0) {
      break;  // no key (or an unknown letter) ends the list
    }
    AnimationSequence& seq = animations.sequences[n];
    seq.busy = false;
    seq.direction = -1;
    seq.componentCount = 0;
    seq.key = key;

    // Without DURATION every move completes in its first step.
    seq.duration = 0.0;
    ReadProfileDouble(path, section, "DURATION", seq.duration);

    seq.increment = 1.0;
    seq.startTime = 0.0;
    seq.qfactor = 0.0;
    seq.state = 0.0;
    seq.offset = zeroVector;
    ReadProfileDouble(path, section, "INITIAL", seq.state);
    ReadProfileDouble(path, section, "INCREMENT", seq.increment);
    ReadProfileDouble(path, section, "QFACTOR", seq.qfactor);
    ReadProfileVector(path, section, "OFFSET", seq.offset);

    FormatText(seq.name, "Sequence %d", n);
    ReadProfileString(path, section, "NAME", seq.name);

    if (seq.qfactor != 0.0) {
      CreateVariableDragElement(&seq.state, seq.qfactor, seq.offset);
    }
    if (seq.state > 0.5) {
      seq.direction = 1;
    }
    seq.animation = CreateAnimation(seq.state);
    seq.target = seq.state;
    animations.sequenceCount = n + 1;
  }
}

double Aircraft::ToggleSequence(int index) {
  AnimationSequence* seq = animations.Find(index);
  if (seq == nullptr || seq->busy) {
    return 0.0;
  }
  // Reverse at the ends, so a sequence that went all the way comes back.
  if (seq->direction == 1 && seq->state >= 1.0) {
    seq->direction = -1;
  }
  if (seq->direction == -1 && seq->state <= 0.0) {
    seq->direction = 1;
  }
  seq->busy = true;
  double target = seq->target + seq->direction * seq->increment;
  if (target > 1.0) {
    target = 1.0;
  }
  if (!(target >= 0.0)) {  // also a state restored as not-a-number: stow rather than spread it
    target = 0.0;
  }
  seq->target = target;
  seq->from = seq->state;
  seq->startTime = 0.0;
  return 0.0;
}

namespace {

// "Deployed", "Stowed" or "at N%", N the target in whole percent.
void AnnounceCompletion(const AnimationSequence& seq) {
  char message[16];
  if (seq.target <= 0.0) {
    CopyText(message, "Stowed");
  } else if (seq.target >= 1.0) {
    CopyText(message, "Deployed");
  } else {
    FormatText(message, "at %d%%", static_cast<int>(seq.target * 100.0));
  }
  WriteStatusLine("%s %s", seq.name, message);
}

}  // namespace

void Aircraft::StepSequences(double simt) {
  for (int i = 0; i < animations.sequenceCount; ++i) {
    AnimationSequence& seq = animations.sequences[i];
    if (!seq.busy) {
      continue;
    }
    if (seq.startTime == 0.0) {
      seq.startTime = simt - 0.001;
    }
    const double progress = (simt - seq.startTime) / seq.duration;
    double value = seq.target;
    bool completed = true;
    // Written so that a progress that is not a number also completes the move.
    if (progress > 0.0 && progress < 1.0) {
      value = seq.from + progress * (seq.target - seq.from);
      completed = false;
    } else {
      seq.busy = false;
    }

    if (i == animations.links.flapsSequence) {
      SetControlSurfaceLevel(AIRCTRL_FLAP, -value);  // flaps deploy at negative levels
    } else {
      SetAnimation(seq.animation, value);
    }
    if (completed) {
      AnnounceCompletion(seq);
    }
    seq.state = value;
    // A move with nowhere to go ends here, without a message.
    if ((seq.direction == -1 && value <= seq.target) ||
        (seq.direction == 1 && value >= seq.target)) {
      seq.busy = false;
    }
  }
}
