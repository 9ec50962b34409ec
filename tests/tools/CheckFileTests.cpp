// The check as setup, fly and the check command use it: files below a root, printed findings
// and exit codes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "check/Check.h"
#include "support/TestRoot.h"
#include "tools/CleanAircraft.h"

namespace {

struct Printed {
  int status;
  std::string text;
};

template <typename Check>
Printed Capture(Check check) {
  std::FILE* out = std::tmpfile();
  Printed printed{check(out), ""};
  std::rewind(out);
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, out)) > 0;) {
    printed.text.append(buffer, n);
  }
  std::fclose(out);
  return printed;
}

TEST(CheckFile, CleanFileExitsZeroWithASummary) {
  TestRoot root;
  root.WriteAircraft("Clean", kCleanAircraft);
  const Printed printed = Capture(
      [&](std::FILE* out) { return CheckAircraftFile(root.path().string(), "Clean", out, false); });
  EXPECT_EQ(printed.status, 0);
  EXPECT_EQ(printed.text, "Config/Aircraft/Clean.ini: no findings\n");
}

TEST(CheckFile, ErrorsExitOneWithFileLineSeverityAndMessage) {
  TestRoot root;
  root.WriteAircraft(
      "Bad", Replaced(Replaced(kCleanAircraft, "SIZE=12.5", "SIZE=abc"), "COG=1.8", "COG=1.8m"));
  const Printed printed = Capture(
      [&](std::FILE* out) { return CheckAircraftFile(root.path().string(), "Bad", out, false); });
  EXPECT_EQ(printed.status, 1);
  EXPECT_NE(printed.text.find("Config/Aircraft/Bad.ini:4: error: SIZE: 'abc' is not a number"),
            std::string::npos)
      << printed.text;
  EXPECT_NE(printed.text.find("Config/Aircraft/Bad.ini:7: warning: COG: 'm' after the number"),
            std::string::npos)
      << printed.text;
  EXPECT_NE(printed.text.find("Config/Aircraft/Bad.ini: 2 errors, 1 warning, 0 notes\n"),
            std::string::npos)
      << printed.text;
}

TEST(CheckFile, ErrorsOnlyPrintsNothingForWarningsAndOnlyErrorsOtherwise) {
  TestRoot root;
  root.WriteAircraft("Warned", Replaced(kCleanAircraft, "COG=1.8", "COG=1.8m"));
  root.WriteAircraft("Bad", Replaced(kCleanAircraft, "SIZE=12.5", "SIZE=-2"));
  const Printed warned = Capture(
      [&](std::FILE* out) { return CheckAircraftFile(root.path().string(), "Warned", out, true); });
  EXPECT_EQ(warned.status, 0);
  EXPECT_EQ(warned.text, "");
  const Printed bad = Capture(
      [&](std::FILE* out) { return CheckAircraftFile(root.path().string(), "Bad", out, true); });
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.text.find(": warning:"), std::string::npos) << bad.text;
  EXPECT_NE(bad.text.find("Config/Aircraft/Bad.ini:4: error: SIZE -2 is not positive"),
            std::string::npos)
      << bad.text;
}

TEST(CheckFile, UnreadableFileExitsTwo) {
  TestRoot root;
  root.WriteFile("Config/Aircraft/Folder.ini/x", "");
  for (const char* name : {"Nobody", "Folder"}) {
    const Printed printed = Capture(
        [&](std::FILE* out) { return CheckAircraftFile(root.path().string(), name, out, false); });
    EXPECT_EQ(printed.status, 2) << name;
    EXPECT_NE(printed.text.find("cannot read the file"), std::string::npos);
  }
  const Printed plan = Capture([&](std::FILE* out) {
    return CheckFlightPlanFile(root.path().string(), "None", out, false);
  });
  EXPECT_EQ(plan.status, 2);
}

TEST(CheckFile, PlansAreFoundBelowTheRoot) {
  TestRoot root;
  root.WriteFlightPlan("Trip", kCleanFlightPlan);
  const Printed printed = Capture([&](std::FILE* out) {
    return CheckFlightPlanFile(root.path().string(), "Trip", out, false);
  });
  EXPECT_EQ(printed.status, 0);
  EXPECT_EQ(printed.text, "Config/Aircraft/FlightPlans/Trip.ini: no findings\n");
}

TEST(CheckFile, NamesTooLongForTheModulesPathAreAnError) {
  TestRoot root;
  const std::string name(42, 'X');
  root.WriteAircraft(name, kCleanAircraft);
  const Printed printed = Capture(
      [&](std::FILE* out) { return CheckAircraftFile(root.path().string(), name, out, false); });
  EXPECT_EQ(printed.status, 1);
  EXPECT_NE(printed.text.find("up to 41 characters"), std::string::npos);
}

}  // namespace
