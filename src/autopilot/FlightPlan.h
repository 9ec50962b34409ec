// A flight plan: up to 20 waypoints read from ./Config/Aircraft/FlightPlans/NAME.ini.
#pragma once

#include "frame/Host.h"

inline constexpr int kMaxWaypoints = 20;
inline constexpr int kWaypointDescriptionSize = 32;
inline constexpr int kPlanDescriptionSize = 80;
inline constexpr int kPlanNameSize = 64;

struct Waypoint {
  VECTOR3 position{};  // longitude and latitude in radians, altitude in metres
  char description[kWaypointDescriptionSize] = "";
  double speed = -1.0;
  double flaps = -1.0;
  double brakes = -1.0;
  double throttle = -1.0;  // exactly -1: leave the engine alone
  double proximity = 1000.0;
  double course = -1.0;  // degrees; 0 or less: none
};

struct FlightPlan {
  Waypoint waypoints[kMaxWaypoints];
  int count = 0;
  int current = 0;
  char description[kPlanDescriptionSize] = "";
  char name[kPlanNameSize] = "";
};
