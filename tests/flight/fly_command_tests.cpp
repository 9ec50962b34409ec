// What `vantor-sim fly` shows besides the trace: the status lines and the plot.
#include "flight_harness.h"

using namespace flight_test;

namespace {

const std::string kAirborne = std::string(AIRCRAFT_EXAMPLE_ROOT) + "/Scenarios/Airborne.scn";

int CountLines(const std::string& text, const std::string& part) {
  int count = 0;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    count += line.find(part) != std::string::npos ? 1 : 0;
  }
  return count;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

TEST(FlyCommand, StatusLinesThatOnlyChangeTheirNumbersArePrintedOncePerInterval) {
  const TestRoot scratch;
  // Every frame writes a new flight status; one leg of the plan is flown in the first minute.
  const std::string every10 =
      RunSimulator("fly \"" + kAirborne + "\" --duration 60 --status-every 10", scratch.path());
  EXPECT_GE(CountLines(every10, "Flight status"), 6);
  EXPECT_LE(CountLines(every10, "Flight status"), 9);
  EXPECT_NE(every10.find("60.00\tFlight status"), std::string::npos);  // the last one held back

  const std::string everyFrame =
      RunSimulator("fly \"" + kAirborne + "\" --duration 60 --status-every 0", scratch.path());
  EXPECT_GE(CountLines(everyFrame, "Flight status"), 2900);
}

// The log is streamed to its file during the flight; a flight that fails keeps the old one.
TEST(FlyCommand, TheHostLogReplacesTheOldOneOnlyWhenTheFlightCompletes) {
  const TestRoot scratch;
  const std::filesystem::path log = scratch.path() / "host.log";
  std::ofstream(log) << "the previous log\n";
  RunSimulator(
      "fly \"" + kAirborne + "\" --duration 2 --input 1:3000 --host-log \"" + log.string() + "\"",
      scratch.path(), 1);
  EXPECT_EQ(ReadFile(log), "the previous log\n");
  for (const auto& entry : std::filesystem::directory_iterator(scratch.path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "host.log" || name.rfind("host.log", 0) != 0) << name << " was left";
  }

  RunSimulator("fly \"" + kAirborne + "\" --duration 2 --host-log \"" + log.string() + "\"",
               scratch.path());
  const std::string text = ReadFile(log);
  EXPECT_EQ(text.rfind("> vvcInit\n", 0), 0u) << text.substr(0, 200);
  EXPECT_EQ(CountLines(text, "> vvcTimestep"), 100);
}

TEST(FlyCommand, ThePlotIsAPictureDrawnFromTheTrace) {
  if (std::system("gnuplot --version > /dev/null 2>&1") != 0) {
    GTEST_SKIP() << "gnuplot is not installed";
  }
  const TestRoot scratch;
  const std::filesystem::path plot = scratch.path() / "flight.png";
  const std::string output = RunSimulator(
      "fly \"" + kAirborne + "\" --duration 30 --plot \"" + plot.string() + "\"", scratch.path());
  EXPECT_NE(output.find("plot: " + plot.string()), std::string::npos) << output;
  std::ifstream picture(plot, std::ios::binary);
  char magic[4] = {};
  picture.read(magic, sizeof magic);
  EXPECT_EQ(std::string(magic + 1, 3), "PNG");
  // The waypoints and the trace it was drawn from are kept beside it.
  EXPECT_TRUE(std::filesystem::exists(plot.string() + ".csv"));
  EXPECT_TRUE(std::filesystem::exists(plot.string() + ".gp"));
}

}  // namespace

namespace {

// A control that cannot be played is refused in one line before the flight starts; so is a
// script for the live cockpit.
TEST(FlyCommand, AControlThatCannotBePlayedIsRefusedBeforeTheFlight) {
  const TestRoot scratch;
  struct Case {
    const char* option;
    const char* message;
  };
  const Case cases[] = {
      {"--control 1:flaps=1", "NAME throttle, elevator, aileron, rudder or trim, not 'flaps=1'"},
      {"--control 1:throttle", "not 'throttle'"},
      {"--control 1:throttle=-0.1", "--control throttle takes a number from 0 to 1, not '-0.1'"},
      {"--control 1:elevator=1.5", "from -1 to 1, not '1.5'"},
      {"--control 1:rudder=nan", "not 'nan'"},
      {"--control x:rudder=1", "--control needs TIME:NAME=VALUE"},
      {"--control 99:rudder=1", "--control 99.00 s: 'rudder=1' comes after the last frame"},
      {"--interactive --control 0:rudder=1", "--interactive flies with the pilot at the keys"},
  };
  for (const Case& c : cases) {
    const std::string output =
        RunSimulator("fly \"" + kAirborne + "\" --duration 2 " + c.option, scratch.path(), 1);
    EXPECT_NE(output.find(c.message), std::string::npos) << c.option << ": " << output;
    EXPECT_EQ(CountLines(output, "\t"), 0) << c.option << " flew: " << output;
  }
}

}  // namespace
