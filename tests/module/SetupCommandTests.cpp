// vantor-sim setup as an aircraft author runs it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TestRoot.h"

namespace {

struct ProgramRun {
  int exitCode = -1;
  std::string output;  // standard output, and standard error unless it was dropped
};

enum class Errors { Kept, Dropped };

#if defined(__linux__)
ProgramRun RunSimulator(const std::string& arguments, Errors errors = Errors::Kept) {
  ProgramRun run;
  const std::string command = std::string("'") + VANTOR_SIM_PATH + "' " + arguments +
                              (errors == Errors::Kept ? " 2>&1" : " 2>/dev/null");
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return run;
  }
  std::array<char, 4096> buffer{};
  size_t count = 0;
  while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
    run.output.append(buffer.data(), count);
  }
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string ModulesOption() {
  return std::string(" --modules '") + AIRCRAFT_MODULE_DIR + "'";
}

TEST(SetupCommandTest, PrintsTheHostLogOfTheClassSetUp) {
  TestRoot root;
  root.WriteAircraft("Author", "[GENERAL]\nEMPTY_MASS=9000\n");
  const ProgramRun run = RunSimulator(
      "setup Author --root '" + root.path().string() + "'" + ModulesOption(), Errors::Dropped);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output.rfind("> vvcInit\n> vvcSetClassCaps\n", 0), 0u) << run.output;
}

TEST(SetupCommandTest, ReportsTheFilesErrorsBeforeSettingUp) {
  TestRoot root;
  root.WriteAircraft("Author", "[CONFIG]\nEMPTY_MAS=9000\n");
  const ProgramRun run =
      RunSimulator("setup Author --root '" + root.path().string() + "'" + ModulesOption());
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output.rfind("Config/Aircraft/Author.ini:", 0), 0u) << run.output;
  EXPECT_NE(run.output.find("EMPTY_MASS"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("> vvcInit\n"), std::string::npos) << run.output;
}

TEST(SetupCommandTest, WritesTheLogToAFileWhenAsked) {
  TestRoot root;
  const std::string logPath = (root.path() / "setup.log").string();
  root.WriteAircraft("Author", "");
  const ProgramRun run = RunSimulator("setup Author --root '" + root.path().string() + "'" +
                                          ModulesOption() + " --host-log '" + logPath + "'",
                                      Errors::Dropped);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output, "host log: " + logPath + "\n");
  std::ifstream file(logPath);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ(text.str().rfind("> vvcInit\n", 0), 0u) << text.str();
}

TEST(SetupCommandTest, FailsWithOneLineNamingWhatIsMissing) {
  TestRoot root;
  ProgramRun run =
      RunSimulator("setup Author --root '" + root.path().string() + "/absent'" + ModulesOption());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("absent"), std::string::npos) << run.output;
  EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;

  run = RunSimulator("setup Author --root '" + root.path().string() + "' --modules '" +
                     root.path().string() + "'");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("module not found: " + (root.path() / "aircraft.so").string()),
            std::string::npos)
      << run.output;
  EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;

  run = RunSimulator("setup Autor --root '" + root.path().string() + "'" + ModulesOption());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("vessel 'Autor' cannot be set up: its aircraft file "
                            "Config/Aircraft/Autor.ini cannot be read"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;

  // A command line without the name is refused as such.
  run = RunSimulator("setup" + ModulesOption());
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.output.find("NAME is required"), std::string::npos) << run.output;
}
#endif

}  // namespace
