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
