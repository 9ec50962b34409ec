#include "check/FlightPlanCheck.h"

#include <cmath>

#include "check/Format.h"
#include "check/Lists.h"

namespace check {

void CheckFlightPlan(const FileReads& reader) {
  constexpr int kCapacity = 20;
  Report& report = reader.report();
  int count = 0;
  for (; count < kCapacity; ++count) {
    const std::string section = Numbered("WAYPOINT_", count);
    const auto description = reader.Text(section, "DESCRIPTION");
    if (!description || description->empty()) {
      ReportListEnd(reader, "WAYPOINT_", kCapacity, "waypoints", count,
                    reader.LineOf(section, "DESCRIPTION"),
                    description ? "its DESCRIPTION is empty" : "it has no DESCRIPTION");
      break;
    }
    const ProfileIndex::Entry* position = reader.Entry(section, "POSITION");
    const ProfileRead* placed = reader.Read(section, "POSITION", ProfileValueKind::Vector);
    if (position == nullptr || position->value.empty() || placed == nullptr ||
        placed->defaultStayed) {
      // Worse than an unread section: a waypoint the author wrote out is dropped.
      report.Error(reader.LineOf(section, "POSITION"),
                   std::string("[") + section + "] " +
                       (position == nullptr ? std::string("has no POSITION")
                                            : "POSITION is not a full (longitude, latitude, "
                                              "altitude)") +
                       std::string(": the list of waypoints ends here, ") + std::to_string(count) +
                       " read");
      ReportListEnd(reader, "WAYPOINT_", kCapacity, "waypoints", count, 0, "", false);
      break;
    }
    Vec3 place{};
    reader.Vector(section, "POSITION", place);
    if (std::fabs(place[1]) > 90.0) {
      report.Error(position->line, std::string("POSITION latitude ") + Number(place[1]) +
                                       " lies beyond a pole (at most 90)");
    }
    if (std::fabs(place[0]) > 360.0) {
      report.Warning(position->line, std::string("POSITION longitude ") + Number(place[0]) +
                                         " goes round more than once");
    }
    if (const auto proximity = reader.Scalar(section, "PROXIMITY");
        proximity && *proximity <= 0.0) {
      report.Error(reader.LineOf(section, "PROXIMITY"),
                   std::string("PROXIMITY ") + Number(*proximity) +
                       " is not positive: the aircraft never arrives at this waypoint");
    }
    if (const auto throttle = reader.Scalar(section, "THROTTLE");
        throttle && *throttle != -1.0 && (*throttle < 0.0 || *throttle > 1.0)) {
      report.Warning(reader.LineOf(section, "THROTTLE"),
                     std::string("THROTTLE ") + Number(*throttle) +
                         " lies outside 0 to 1 (-1 leaves the engine to the pilot)");
    }
    if (const auto course = reader.Scalar(section, "Course"); course && *course <= 0.0) {
      report.Note(
          reader.LineOf(section, "Course"),
          std::string("Course ") + Number(*course) + " means no course: the heading target stays");
    } else if (course && *course > 360.0) {
      report.Warning(reader.LineOf(section, "Course"),
                     std::string("Course ") + Number(*course) + " is beyond 360 degrees");
    }
  }
  if (count == kCapacity) {
    ReportListEnd(reader, "WAYPOINT_", kCapacity, "waypoints", count, 0, "");
  }
  if (count == 0) {
    report.Error(0,
                 "the plan has no waypoint: WAYPOINT_0 with a DESCRIPTION and a POSITION is "
                 "needed");
  }
}

}  // namespace check
