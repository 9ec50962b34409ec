// vantor-sim polar, run as an author runs it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "unit/flight/FlightFixture.h"

namespace {

struct PolarRun {
  int status = -1;
  std::string output;
};

// Runs vantor-sim polar in the test root with the built module; output and errors together.
PolarRun Polar(const TestRoot& root, const std::string& arguments) {
  const std::filesystem::path outputFile = root.path() / "polar-output.txt";
  const std::string command = std::string("\"") + VANTOR_SIM_PATH + "\" polar " + arguments +
                              " --root \"" + root.path().string() + "\" --modules \"" +
                              AIRCRAFT_MODULE_DIR + "\" > \"" + outputFile.string() + "\" 2>&1";
  PolarRun run;
  run.status = std::system(command.c_str());
  std::ifstream in(outputFile);
  std::stringstream text;
  text << in.rdbuf();
  run.output = text.str();
  return run;
}

using PolarCommandTest = FlightFixture;

TEST_F(PolarCommandTest, PrintsBothAirfoilsThroughTheirCallbacks) {
  root.WriteAircraft("P1", R"([VLIFT]
PT0=(-10,-0.5,0)
PT1=(0,0.1,0)
PT2=(10,1.0,-0.05)
[HLIFT]
USER_DRAG=1
PT0=(0,0,0,0.01)
PT1=(10,0.5,0.02,0.03)
)");
  const PolarRun run = Polar(root, "P1 --aoa 20:-20:-20");
  ASSERT_EQ(run.status, 0) << run.output;
  std::istringstream lines(run.output);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "aoa_deg,wing_cl,wing_cm,wing_cd,fin_cl,fin_cm,fin_cd");
  const double expected[3][7] = {{20, 1.9, -0.1, -1, 1.0, 0.04, 0.05},
                                 {0, 0.1, 0, -1, 0, 0, 0.01},
                                 {-20, -1.1, 0, -1, -1.0, -0.04, -0.03}};
  for (const auto& row : expected) {
    ASSERT_TRUE(std::getline(lines, line));
    double values[7];
    ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf,%lf,%lf,%lf", &values[0], &values[1],
                          &values[2], &values[3], &values[4], &values[5], &values[6]),
              7)
        << line;
    for (int column = 0; column < 7; ++column) {
      if (row[column] != -1 || column != 3) {  // the wing's drag is the host's model
        EXPECT_NEAR(values[column], row[column], 1e-9) << line;
      }
    }
  }
  EXPECT_FALSE(std::getline(lines, line));
}

TEST_F(PolarCommandTest, PlotsThePolarBesideItsTable) {
  root.WriteAircraft("P2",
                     "[VLIFT]\nZERO_DRAG=0.02\nPT0=(-10,-0.5,0)\nPT1=(10,1.0,-0.05)\n"
                     "[HLIFT]\nZERO_DRAG=0.01\nPT0=(-10,-0.4,0.02)\nPT1=(10,0.4,-0.02)\n");
  const PolarRun run = Polar(root, "P2 --aoa -4:4:4 --plot polar.png");
  ASSERT_EQ(run.status, 0) << run.output;
  // Without --csv the table still goes to the terminal, and gnuplot reads a copy of it; where
  // the picture went is said on standard error.
  const std::string said = "plot: " + (root.path() / "polar.png").string() + "\n";
  ASSERT_NE(run.output.find(said), std::string::npos) << run.output;
  const std::string printed = run.output.substr(0, run.output.find(said)) +
                              run.output.substr(run.output.find(said) + said.size());
  EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 4) << run.output;
  std::ifstream table(root.path() / "polar.png.csv");
  std::stringstream text;
  text << table.rdbuf();
  EXPECT_EQ(text.str(), printed);
  EXPECT_GT(std::filesystem::file_size(root.path() / "polar.png"), 1000u);
}

TEST_F(PolarCommandTest, BadArgumentsFailWithOneLine) {
  root.WriteAircraft("P1", "");
  for (const char* arguments : {"P1 --aoa 0:10:0", "P1 --aoa 0:10:-1", "P1 --aoa 0:ten:1",
                                "P1 --aoa 0:10", "P1 --mach fast"}) {
    const PolarRun run = Polar(root, arguments);
    EXPECT_NE(run.status, 0) << arguments;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
  }
}

}  // namespace
