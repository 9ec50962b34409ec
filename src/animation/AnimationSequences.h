// Animation sequences, their components and the links from controls to sequences.
#pragma once

#include <memory>

#include "frame/Host.h"

inline constexpr int kMaxSequences = 10;
inline constexpr int kMaxComponents = 20;
inline constexpr int kMaxComponentsPerSequence = 10;
inline constexpr int kMaxComponentGroups = 10;
inline constexpr int kSequenceNameSize = 24;

struct AnimationSequence {
  int componentCount = 0;
  int componentIndices[kMaxComponentsPerSequence] = {};
  UINT animation = NO_ANIMATION;
  double duration = 0.0;
  int key = 0;
  bool busy = false;
  double startTime = 0.0;
  int direction = -1;
  double state = 0.0;  // the host may read it through a pointer: fixed address
  double target = 0.0;
  double from = 0.0;
  double increment = 1.0;
  VECTOR3 offset{};
  double qfactor = 0.0;
  char name[kSequenceNameSize] = "";
};

struct AnimationComponent {
  int sequence = -1;
  UINT groups[kMaxComponentGroups] = {};
  int groupCount = 0;
  std::unique_ptr<MGROUP_TRANSFORM> transform;  // kept by reference by the host
  VECTOR3 range{0.0, 1.0, 0.0};
};

// Host animation numbers linked to the controls, or NO_ANIMATION.
struct ControlLinks {
  UINT rudderAnimation = NO_ANIMATION;
  UINT elevatorAnimation = NO_ANIMATION;
  UINT leftAileronAnimation = NO_ANIMATION;
  UINT rightAileronAnimation = NO_ANIMATION;
  UINT steeringAnimation = NO_ANIMATION;
  UINT flapsAnimation = NO_ANIMATION;
  int flapsSequence = -1;
};

struct AnimationSet {
  AnimationSequence sequences[kMaxSequences];
  int sequenceCount = 0;
  AnimationComponent components[kMaxComponents];
  int componentCount = 0;
  ControlLinks links;
};
