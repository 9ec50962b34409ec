// Loading a flight plan from ./Config/Aircraft/FlightPlans/NAME.ini.
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <limits>

#include "config/ProfileCache.h"
#include "config/ProfileReaders.h"
#include "frame/Aircraft.h"
#include "frame/Angles.h"
#include "frame/StatusLine.h"
#include "frame/Text.h"

namespace {

constexpr const char* kPlanPathFormat = "./Config/Aircraft/FlightPlans/%s.ini";
// The format's fixed characters less "%s", plus the longest name the plan keeps and the
// terminator: every accepted name fits.
constexpr std::size_t kPlanPathSize = 34 + kPlanNameSize;

// Length of text, counting no further than limit.
std::size_t BoundedLength(const char* text, std::size_t limit) {
  std::size_t length = 0;
  while (length < limit && text[length] != '\0') {
    ++length;
  }
  return length;
}

// Reads section WAYPOINT_index into waypoint; false when the section does not make a waypoint,
// which ends the list.
bool ReadWaypoint(const char* path, int index, Waypoint& waypoint) {
  char section[24];
  FormatText(section, "WAYPOINT_%u", static_cast<unsigned>(index));

  waypoint.description[0] = '\0';
  ReadProfileString(path, section, "DESCRIPTION", waypoint.description);
  if (waypoint.description[0] == '\0') {
    return false;
  }
  waypoint.brakes = -1.0;
  waypoint.flaps = -1.0;
  waypoint.proximity = 1000.0;
  waypoint.speed = -1.0;
  waypoint.throttle = -1.0;

  // (0, 0, 0) is a real place; a waypoint without a full position of its own would send the
  // aircraft there silently, so it ends the list instead. The vector reader cannot tell an
  // absent key from a given one, so presence is asked of the string reader; components the
  // value leaves out keep the unknown seed.
  char positionProbe[2] = "";
  if (ReadProfileString(path, section, "POSITION", positionProbe) == 0) {
    return false;
  }
  const double unknown = std::numeric_limits<double>::quiet_NaN();
  waypoint.position = VECTOR3{unknown, unknown, unknown};
  ReadProfileVector(path, section, "POSITION", waypoint.position);
  if (!std::isfinite(waypoint.position.x) || !std::isfinite(waypoint.position.y) ||
      !std::isfinite(waypoint.position.z)) {
    return false;
  }
  waypoint.position.x *= RAD;
  waypoint.position.y *= RAD;

  ReadProfileDouble(path, section, "BRAKES", waypoint.brakes);
  ReadProfileDouble(path, section, "FLAPS", waypoint.flaps);
  ReadProfileDouble(path, section, "PROXIMITY", waypoint.proximity);
  ReadProfileDouble(path, section, "SPEED", waypoint.speed);
  ReadProfileDouble(path, section, "THROTTLE", waypoint.throttle);
  waypoint.course = -1.0;
  ReadProfileDouble(path, section, "Course", waypoint.course);
  return true;
}

}  // namespace

bool Aircraft::LoadFlightPlan(const char* name) {
  if (name == nullptr) {
    return false;
  }
  const ProfileReadScope readFileOnce;
  // A name cut to fit would load another plan than the one asked for, and save that other name
  // with the scenario; such a name is refused and the current plan stays.
  char path[kPlanPathSize];
  const int pathLength = BoundedLength(name, kPlanNameSize) < kPlanNameSize
                             ? std::snprintf(path, sizeof path, kPlanPathFormat, name)
                             : -1;
  if (pathLength < 0 || static_cast<std::size_t>(pathLength) >= sizeof path) {
    WriteStatusLine("Flight plan not loaded - name longer than %d characters", kPlanNameSize - 1);
    return false;
  }

  FlightPlan& plan = flightPlan;
  CopyText(plan.name, name);
  ReadProfileString(path, "GENERAL", "Description", plan.description);
  plan.count = 0;
  while (plan.count < kMaxWaypoints && ReadWaypoint(path, plan.count, plan.waypoints[plan.count])) {
    ++plan.count;
  }
  plan.current = 0;
  return true;
}
