// Planted mistakes in a flight plan.
#include <gtest/gtest.h>

#include <string>

#include "check/Check.h"
#include "tools/CleanAircraft.h"

namespace {

using check::Severity;

bool Reports(const check::Report& report, int line, Severity severity, const std::string& says) {
  for (const check::Finding& finding : report.Sorted()) {
    if (finding.line == line && finding.severity == severity &&
        finding.message.find(says) != std::string::npos) {
      return true;
    }
  }
  return false;
}

TEST(FlightPlanCheck, CleanPlanHasNoFindings) {
  EXPECT_TRUE(check::CheckFlightPlanText(kCleanFlightPlan).Sorted().empty());
}

TEST(FlightPlanCheck, WaypointWithoutPositionEndsTheListAsAnError) {
  const std::string text = Replaced(kCleanFlightPlan, "POSITION=(-80.0,28.0,3000)", "");
  const check::Report report = check::CheckFlightPlanText(text);
  EXPECT_TRUE(Reports(report, LineNumberOf(text, "[WAYPOINT_1]"), Severity::Error,
                      "has no POSITION: the list of waypoints ends here, 1 read"));
}

TEST(FlightPlanCheck, ListEndsAndGaps) {
  const std::string noDescription = Replaced(kCleanFlightPlan, "DESCRIPTION=Runway", "");
  const check::Report first = check::CheckFlightPlanText(noDescription);
  EXPECT_TRUE(Reports(first, LineNumberOf(noDescription, "[WAYPOINT_0]"), Severity::Warning,
                      "ends the list of waypoints: it has no DESCRIPTION"));
  EXPECT_TRUE(
      Reports(first, LineNumberOf(noDescription, "[WAYPOINT_1]"), Severity::Warning, "never read"));
  EXPECT_TRUE(Reports(first, 0, Severity::Error, "the plan has no waypoint"));

  const std::string gap = Replaced(kCleanFlightPlan, "[WAYPOINT_1]", "[WAYPOINT_2]");
  EXPECT_TRUE(Reports(check::CheckFlightPlanText(gap), LineNumberOf(gap, "[WAYPOINT_2]"),
                      Severity::Warning, "where [WAYPOINT_1] is missing"));

  std::string full;
  for (int n = 0; n <= 20; ++n) {
    full += "[WAYPOINT_" + std::to_string(n) + "]\nDESCRIPTION=W\nPOSITION=(1,2,3)\n";
  }
  EXPECT_TRUE(Reports(check::CheckFlightPlanText(full), LineNumberOf(full, "[WAYPOINT_20]"),
                      Severity::Warning, "at most 20 waypoints"));
}

TEST(FlightPlanCheck, ValuesAndNames) {
  const std::string text = Replaced(Replaced(kCleanFlightPlan, "PROXIMITY=2000", "PROXIMTY=2000"),
                                    "Course=90", "Course=abc\nPOSITION=(1,2,3)");
  const check::Report report = check::CheckFlightPlanText(text);
  EXPECT_TRUE(Reports(report, LineNumberOf(text, "PROXIMTY=2000"), Severity::Warning,
                      "did you mean PROXIMITY?"));
  EXPECT_TRUE(
      Reports(report, LineNumberOf(text, "Course=abc"), Severity::Error, "is not a number"));
  EXPECT_TRUE(Reports(report, LineNumberOf(text, "POSITION=(1,2,3)"), Severity::Warning,
                      "uses the first one only"));

  // A waypoint the plan never steers toward is a warning, with or without a Course line.
  const std::pair<const char*, const char*> aimlessWaypoints[] = {{"", "DESCRIPTION=Runway"},
                                                                  {"Course=0\n", "Course=0"}};
  for (const auto& [course, line] : aimlessWaypoints) {
    const std::string aimless = Replaced(kCleanFlightPlan, "Course=360\n", course);
    EXPECT_TRUE(Reports(check::CheckFlightPlanText(aimless), LineNumberOf(aimless, line),
                        Severity::Warning, "never steers toward this waypoint"))
        << line;
  }

  const std::string pole =
      Replaced(kCleanFlightPlan, "POSITION=(-80.6,28.6,0)", "POSITION=(28.6,-95,0)");
  EXPECT_TRUE(Reports(check::CheckFlightPlanText(pole), LineNumberOf(pole, "POSITION=(28.6,-95,0)"),
                      Severity::Error, "beyond a pole"));
}

}  // namespace
