// vantor-sim check as an author runs it: exit codes 0, 1 and 2 and the printed lines.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TestRoot.h"
#include "tools/CleanAircraft.h"

namespace {

class CheckCommandTest : public ::testing::Test {
 protected:
  // Runs vantor-sim check with the arguments; returns the exit status.
  int Check(const std::string& arguments) {
    const std::string command = std::string("\"") + VANTOR_SIM_PATH + "\" check " + arguments +
                                " --root \"" + root_.path().string() + "\" >out.txt 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(root_.path() / "out.txt");
    std::stringstream text;
    text << in.rdbuf();
    out_ = text.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  TestRoot root_;
  std::string out_;
};

TEST_F(CheckCommandTest, ExitStatusTellsCleanFromBrokenFromUnreadable) {
  root_.WriteAircraft("Clean", kCleanAircraft);
  root_.WriteAircraft("Broken", Replaced(kCleanAircraft, "EMPTY_MASS=8000", "EMPTY_MASS=0"));
  root_.WriteFlightPlan("Trip", kCleanFlightPlan);
  root_.WriteFlightPlan("Lost", "[WAYPOINT_0]\nDESCRIPTION=Nowhere\n");

  EXPECT_EQ(Check("Clean"), 0) << out_;
  EXPECT_EQ(out_, "Config/Aircraft/Clean.ini: no findings\n");
  EXPECT_EQ(Check("Broken"), 1) << out_;
  EXPECT_NE(out_.find("Config/Aircraft/Broken.ini:5: error: EMPTY_MASS 0 is not positive"),
            std::string::npos)
      << out_;
  EXPECT_EQ(Check("Missing"), 2) << out_;
  EXPECT_EQ(Check("--plan Trip"), 0) << out_;
  EXPECT_EQ(Check("--plan Lost"), 1) << out_;
  EXPECT_NE(out_.find("Config/Aircraft/FlightPlans/Lost.ini:1: error: [WAYPOINT_0] has no "
                      "POSITION"),
            std::string::npos)
      << out_;
  EXPECT_EQ(Check("--plan Gone"), 2) << out_;
}

}  // namespace
