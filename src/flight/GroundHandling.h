// Nose-wheel steering and wheel-brake settings (STEERING and BRAKES sections).
#pragma once

#include "frame/Host.h"

struct GroundSettings {
  double steeringFactor = 1.0;
  VECTOR3 wheelFriction{};
  double steeringSpeed = 100.0;
  double brakeForce = 50000.0;
  int brakeKey = 0;
};
