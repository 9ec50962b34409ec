// Animation sequences, their components and the links from controls to sequences.
// The host keeps pointers into these records (transforms, group arrays, the state of a sequence
// with a drag element), so they live inside the Aircraft object and never move.
#pragma once

#include <memory>

#include "frame/Host.h"

inline constexpr int kMaxSequences = 10;
inline constexpr int kMaxComponents = 20;
inline constexpr int kMaxComponentsPerSequence = 10;
inline constexpr int kMaxComponentGroups = 10;
inline constexpr int kSequenceNameSize = 24;

struct AnimationSequence {
  // Bookkeeping of the components attached at set-up: the first ten only; nothing reads it later.
  int componentCount = 0;
  int componentIndices[kMaxComponentsPerSequence] = {};
  UINT animation = NO_ANIMATION;
  double duration = 0.0;  // seconds per move, whatever its size; 0 or less completes at once
  int key = 0;            // scan code, -1 for none
  bool busy = false;
  double startTime = 0.0;  // 0: the move has not had its first step yet
  int direction = -1;      // +1 deploying, -1 stowing
  double state = 0.0;      // the host may read it through a pointer: fixed address
  double target = 0.0;
  double from = 0.0;
  double increment = 1.0;
  VECTOR3 offset{};
  double qfactor = 0.0;  // 0: no drag element
  char name[kSequenceNameSize] = "";
};

struct AnimationComponent {
  int sequence = -1;
  UINT groups[kMaxComponentGroups] = {};  // kept by reference by the host
  int groupCount = 0;
  std::unique_ptr<MGROUP_TRANSFORM> transform;  // kept by reference by the host
  VECTOR3 range{0.0, 1.0, 0.0};                 // x start state, y end state
};

// Host animation numbers linked to the controls, or NO_ANIMATION.
struct ControlLinks {
  UINT rudderAnimation = NO_ANIMATION;
  UINT elevatorAnimation = NO_ANIMATION;
  UINT leftAileronAnimation = NO_ANIMATION;
  UINT rightAileronAnimation = NO_ANIMATION;
  UINT steeringAnimation = NO_ANIMATION;
  UINT flapsAnimation = NO_ANIMATION;
  int flapsSequence = -1;  // index of the sequence that drives the flaps, -1 for none
};

struct AnimationSet {
  AnimationSequence sequences[kMaxSequences];
  int sequenceCount = 0;
  AnimationComponent components[kMaxComponents];
  int componentCount = 0;
  ControlLinks links;

  // The sequence at index, or null when the index names none.
  AnimationSequence* Find(int index) {
    return index >= 0 && index < sequenceCount ? &sequences[index] : nullptr;
  }
  const AnimationSequence* Find(int index) const {
    return index >= 0 && index < sequenceCount ? &sequences[index] : nullptr;
  }
};
