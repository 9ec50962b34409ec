// The value holders that the airfoil and control-surface stages of class set-up read into in
// turn: a key missing from one section leaves the value the previous section read.
#pragma once

#include "frame/Host.h"

struct SurfaceHolders {
  VECTOR3 position{};
  double area = 0.0;
  double chord = 0.0;
  double aspectRatio = 0.0;
  double lift = 0.0;
};
