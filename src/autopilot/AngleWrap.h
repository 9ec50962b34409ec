// Small angle helpers shared by heading hold and the flight-plan step.
#pragma once

#include <cmath>

#include "frame/Angles.h"

// -1, 0 or +1.
inline double SignOf(double value) {
  if (value > 0.0) {
    return 1.0;
  }
  return value < 0.0 ? -1.0 : 0.0;
}

// Brings an angle difference (radians) nearer to zero by one full turn when it exceeds half a
// turn; exactly half a turn is left alone, and no more than one turn is removed.
inline double WrapOnce(double difference) {
  if (std::fabs(difference) > PI) {
    difference -= 2.0 * PI * SignOf(difference);
  }
  return difference;
}
