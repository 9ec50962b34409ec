#include "autopilot/GreatCircle.h"

#include <cmath>

double GreatCircleDistance(SurfacePoint a, SurfacePoint b, double radius) {
  const double sinHalfLatitude = std::sin((b.latitude - a.latitude) / 2.0);
  const double sinHalfLongitude = std::sin((b.longitude - a.longitude) / 2.0);
  double x = sinHalfLatitude * sinHalfLatitude +
             std::cos(a.latitude) * std::cos(b.latitude) * sinHalfLongitude * sinHalfLongitude;
  // Rounding can lift x just above 1 for nearly opposite points, and the root of 1 - x would
  // then not be a number.
  if (x > 1.0) {
    x = 1.0;
  }
  return 2.0 * std::atan2(std::sqrt(x), std::sqrt(1.0 - x)) * radius;
}

double InitialBearing(SurfacePoint from, SurfacePoint to) {
  const double longitudeDifference = to.longitude - from.longitude;
  const double y = std::sin(longitudeDifference) * std::cos(to.latitude);
  const double x = std::cos(from.latitude) * std::sin(to.latitude) -
                   std::sin(from.latitude) * std::cos(to.latitude) * std::cos(longitudeDifference);
  return std::atan2(y, x);
}
