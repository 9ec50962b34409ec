#include "autopilot/GreatCircle.h"

#include <bit>
#include <cmath>
#include <cstdint>

CirclePoint::CirclePoint(SurfacePoint point)
    : longitude(point.longitude),
      latitude(point.latitude),
      sinLatitude(std::sin(point.latitude)),
      cosLatitude(std::cos(point.latitude)) {}

const CirclePoint& CirclePointMemo::At(SurfacePoint point) {
  // The same latitude bit for bit has the same sine and cosine.
  if (std::bit_cast<std::uint64_t>(point.latitude) !=
      std::bit_cast<std::uint64_t>(point_.latitude)) {
    point_ = CirclePoint(point);
  }
  point_.longitude = point.longitude;
  return point_;
}

double GreatCircleDistance(const CirclePoint& a, const CirclePoint& b, double radius) {
  const double sinHalfLatitude = std::sin((b.latitude - a.latitude) / 2.0);
  const double sinHalfLongitude = std::sin((b.longitude - a.longitude) / 2.0);
  double x = sinHalfLatitude * sinHalfLatitude +
             a.cosLatitude * b.cosLatitude * sinHalfLongitude * sinHalfLongitude;
  // Rounding can lift x just above 1 for nearly opposite points, and the root of 1 - x would
  // then not be a number.
  if (x > 1.0) {
    x = 1.0;
  }
  return 2.0 * std::atan2(std::sqrt(x), std::sqrt(1.0 - x)) * radius;
}

double GreatCircleDistance(SurfacePoint a, SurfacePoint b, double radius) {
  return GreatCircleDistance(CirclePoint(a), CirclePoint(b), radius);
}

double InitialBearing(const CirclePoint& from, const CirclePoint& to) {
  const double longitudeDifference = to.longitude - from.longitude;
  const double y = std::sin(longitudeDifference) * to.cosLatitude;
  const double x = from.cosLatitude * to.sinLatitude -
                   from.sinLatitude * to.cosLatitude * std::cos(longitudeDifference);
  return std::atan2(y, x);
}

double InitialBearing(SurfacePoint from, SurfacePoint to) {
  return InitialBearing(CirclePoint(from), CirclePoint(to));
}
