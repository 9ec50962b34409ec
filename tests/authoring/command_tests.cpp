// The author commands as a user runs them: files written, refusals with their reasons.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "support/TestRoot.h"

namespace {

struct Outcome {
  int status = 0;
  std::string output;
};

Outcome Simulator(const std::string& arguments, const std::filesystem::path& folder) {
  const std::filesystem::path output = folder / "output.txt";
  const std::string command = std::string("\"") + VANTOR_SIM_PATH + "\" " + arguments + " > \"" +
                              output.string() + "\" 2>&1";
  Outcome run;
  run.status = std::system(command.c_str());
  std::ifstream file(output);
  run.output.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return run;
}

TEST(NewCommand, WritesAFileThatChecksCleanAndKeepsAnExistingOne) {
  const TestRoot root;
  const std::string where = " --root \"" + root.path().string() + "\"";
  const Outcome made =
      Simulator("new Swift --kind jet --mass 7000 --span 9 --thrust 40000" + where, root.path());
  ASSERT_EQ(made.status, 0) << made.output;
  EXPECT_NE(made.output.find("wrote Config/Aircraft/Swift.ini"), std::string::npos);
  const std::filesystem::path file = root.path() / "Config" / "Aircraft" / "Swift.ini";
  ASSERT_TRUE(std::filesystem::exists(file));
  const auto written = std::filesystem::file_size(file);

  const Outcome checked = Simulator("check Swift" + where, root.path());
  EXPECT_EQ(checked.status, 0) << checked.output;
  EXPECT_EQ(checked.output.find("warning"), std::string::npos) << checked.output;
  const Outcome trimmed = Simulator("trim Swift" + where, root.path());
  EXPECT_EQ(trimmed.status, 0) << trimmed.output;

  const Outcome again =
      Simulator("new Swift --mass 900 --span 10 --thrust 3000" + where, root.path());
  EXPECT_NE(again.status, 0);
  EXPECT_NE(again.output.find("exists already; --force replaces it"), std::string::npos)
      << again.output;
  EXPECT_EQ(std::filesystem::file_size(file), written);
  // Replacing it with figures that make no aircraft leaves the old file as it was.
  const Outcome failed =
      Simulator("new Swift --force --mass 900 --span 10 --thrust 10" + where, root.path());
  EXPECT_NE(failed.status, 0);
  EXPECT_NE(failed.output.find("not enough thrust to cruise"), std::string::npos) << failed.output;
  EXPECT_EQ(std::filesystem::file_size(file), written);

  const struct {
    const char* arguments;
    const char* says;
  } refusals[] = {
      {"new Kite --kind kite --mass 900 --span 10 --thrust 3000", "--kind"},
      {"new Kite --mass 900 --span 10", "give --thrust N"},
      {"new Kite --kind glider --mass 300 --span 15 --thrust 100", "a glider has no engine"},
      {"new Kite --mass 900 --span 10 --thrust 10", "not enough thrust to cruise"},
      {"new ../Kite --mass 900 --span 10 --thrust 3000", "cannot name an aircraft file"},
  };
  for (const auto& refusal : refusals) {
    const Outcome run = Simulator(refusal.arguments + where, root.path());
    EXPECT_NE(run.status, 0) << refusal.arguments;
    EXPECT_NE(run.output.find(refusal.says), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(root.path() / "Config" / "Aircraft" / "Kite.ini"));
  }
}

TEST(EnvelopeCommand, WritesItsTableWithLevelFlightInIt) {
  const TestRoot scratch;
  const std::filesystem::path csv = scratch.path() / "envelope.csv";
  const Outcome run = Simulator("envelope Kestrel --root \"" + std::string(AIRCRAFT_EXAMPLE_ROOT) +
                                    "\" --csv \"" + csv.string() + "\"",
                                scratch.path());
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("ceiling"), std::string::npos);
  std::ifstream file(csv);
  std::string line;
  std::getline(file, line);
  EXPECT_EQ(line,
            "altitude_m,speed_mps,thrust_required_N,thrust_available_N,aoa_deg,elevator,"
            "throttle,level");
  int levelRows = 0;
  while (std::getline(file, line)) {
    levelRows += line.back() == '1' ? 1 : 0;
  }
  EXPECT_GT(levelRows, 0);
}

}  // namespace
