// Great-circle geometry on a sphere, angles in radians.
#pragma once

struct SurfacePoint {
  double longitude;
  double latitude;
};

// A point with the sine and cosine of its latitude, which the bearing and the distance both use:
// worked out once per point, not once per use.
struct CirclePoint {
  CirclePoint() = default;  // latitude 0, whose sine and cosine the defaults are
  explicit CirclePoint(SurfacePoint point);

  double longitude = 0.0;
  double latitude = 0.0;
  double sinLatitude = 0.0;
  double cosLatitude = 1.0;
};

// The point of the last latitude asked for, its sine and cosine kept: a waypoint's latitude
// stays the same for a whole leg.
class CirclePointMemo {
 public:
  const CirclePoint& At(SurfacePoint point);

 private:
  CirclePoint point_;
};

// Distance in metres between a and b on the sphere of the given radius (haversine formula).
double GreatCircleDistance(const CirclePoint& a, const CirclePoint& b, double radius);
double GreatCircleDistance(SurfacePoint a, SurfacePoint b, double radius);

// Initial bearing of the great-circle route from one point to another, from north through east,
// in (-pi, pi].
double InitialBearing(const CirclePoint& from, const CirclePoint& to);
double InitialBearing(SurfacePoint from, SurfacePoint to);
