// Great-circle geometry on a sphere, angles in radians.
#pragma once

struct SurfacePoint {
  double longitude;
  double latitude;
};

// Distance in metres between a and b on the sphere of the given radius (haversine formula).
double GreatCircleDistance(SurfacePoint a, SurfacePoint b, double radius);

// Initial bearing of the great-circle route from one point to another, from north through east,
// in (-pi, pi].
double InitialBearing(SurfacePoint from, SurfacePoint to);
