// The flight-plan step: targets for the autopilot from the current waypoint, and the status line.
#include <cmath>

#include "autopilot/AngleWrap.h"
#include "autopilot/GreatCircle.h"
#include "frame/Aircraft.h"
#include "frame/Angles.h"
#include "frame/Host.h"
#include "frame/TextBuilder.h"

namespace {

// Altitude hold aims at the waypoint's altitude over at most this distance (metres).
constexpr double kMaxClimbDistance = 5000.0;

}  // namespace

void Aircraft::FollowFlightPlan() {
  FlightPlan& plan = flightPlan;
  if (plan.current < 0 || plan.current >= plan.count) {
    plan.current = 0;
  }
  if (plan.count == 0 || !autopilot.autopilotEngaged) {
    return;
  }

  double longitude = 0.0;
  double latitude = 0.0;
  double radius = 0.0;
  GetEquPos(longitude, latitude, radius);
  const Waypoint& waypoint = plan.waypoints[plan.current];
  const CirclePoint here(SurfacePoint{longitude, latitude});
  const CirclePoint& there = waypointOnCircle.At({waypoint.position.x, waypoint.position.y});

  double bearingDegrees = InitialBearing(here, there) * DEG;
  if (bearingDegrees < 0.0) {
    bearingDegrees += 360.0;
  }
  const double bearing = bearingDegrees * RAD;
  const double distance = GreatCircleDistance(there, here, radius);

  autopilot.climbDistance = distance < kMaxClimbDistance ? distance : kMaxClimbDistance;
  autopilot.altitudeTarget = waypoint.position.z;
  if (waypoint.throttle != -1.0) {
    SetThrusterGroupLevel(THGROUP_MAIN, waypoint.throttle);
  }

  // A waypoint without a course has no course error; the status line shows 0.00.
  double courseError = 0.0;
  if (waypoint.course > 0.0) {
    courseError = WrapOnce(waypoint.course * RAD - bearing);
    // Turning away from the bearing by twice the course error brings the aircraft onto the
    // course line before the waypoint.
    double heading = bearing - 2.0 * courseError;
    if (heading < 0.0) {
      heading += 2.0 * PI;
    }
    if (std::isfinite(heading)) {
      autopilot.headingTarget = heading / RAD;
    }
  }

  if (distance < waypoint.proximity) {
    ++plan.current;
    if (plan.current >= plan.count) {
      plan.current = 0;
    }
  }
  // "Flight status - %s : Hd : %.2f / Bg : %.2f / Er : %.2f / Alt %.0f / Ds %.3f / Phase %u".
  // The bearing, the course error and the target altitude mostly print as in the frame before
  // and go through their memos; the heading target moves three times as fast as the bearing,
  // and the distance changes every frame.
  TextBuilder(vapiDebugString(), VAPI_DEBUG_STRING_SIZE)
      .Literal("Flight status - ")
      .Text(plan.waypoints[plan.current].description)
      .Literal(" : Hd : ")
      .Fixed(autopilot.headingTarget, 2)
      .Literal(" / Bg : ")
      .Fixed<2>(bearingDegrees, statusFigures.bearing)
      .Literal(" / Er : ")
      .Fixed<2>(courseError / RAD, statusFigures.courseError)
      .Literal(" / Alt ")
      .Fixed<0>(autopilot.altitudeTarget, statusFigures.altitudeTarget)
      .Literal(" / Ds ")
      .Fixed(distance * 0.001, 3)
      .Literal(" / Phase ")
      .Unsigned(static_cast<unsigned>(plan.current));
}
