// vantor-sim's command line as a whole: help for the program and for each command, and words
// it does not know named as such, with exit code 2.
#include <gmock/gmock.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TestRoot.h"

namespace {

using ::testing::HasSubstr;

struct SimulatorRun {
  int exitCode = -1;
  std::string output;  // standard output and error
};

SimulatorRun Simulator(const TestRoot& root, const std::string& arguments) {
  const std::string out = (root.path() / "out.txt").string();
  const std::string command =
      std::string("\"") + VANTOR_SIM_PATH + "\" " + arguments + " >\"" + out + "\" 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  return SimulatorRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
}

TEST(CommandLine, TheProgramAndEachCommandExplainThemselves) {
  const TestRoot root;
  const std::pair<const char*, const char*> helps[] = {
      {"--help", "fly"},          {"help", "polar"},
      {"fly --help", "--save"},   {"help fly", "--keep-going"},
      {"setup --help", "NAME"},   {"polar --help", "--aoa"},
      {"check --help", "--plan"},
  };
  for (const auto& [arguments, shown] : helps) {
    const SimulatorRun run = Simulator(root, arguments);
    EXPECT_EQ(run.exitCode, 0) << arguments;
    EXPECT_THAT(run.output, HasSubstr(shown)) << arguments;
    EXPECT_THAT(run.output, HasSubstr("Exit codes")) << arguments;
  }
}

TEST(CommandLine, WordsItDoesNotKnowAreNamed) {
  const TestRoot root;
  const std::pair<const char*, const char*> refusals[] = {
      {"", "Usage: vantor-sim"},
      {"flyy", "vantor-sim: unknown command 'flyy'"},
      {"--root x fly", "unknown option '--root' (a command comes first)"},
      {"fly --bogus", "vantor-sim fly: unknown option '--bogus' (see vantor-sim fly --help)"},
      {"setup A --host-log", "--host-log"},
      {"setup", "vantor-sim setup: NAME is required"},
      {"polar A B", "unexpected argument 'B'"},
      {"polar A --mach fast", "--mach: 'fast' is not a number"},
      {"fly --status-every -1", "--status-every: '-1' is not 0 or more"},
      {"check", "give a vessel NAME or --plan PLAN"},
  };
  for (const auto& [arguments, message] : refusals) {
    const SimulatorRun run = Simulator(root, arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments;
    EXPECT_THAT(run.output, HasSubstr(message)) << arguments;
  }
}

}  // namespace
