// vantor-sim fly without physics: scripted keys and answers, printed status lines, the saved
// scenario, and refused scripts.
#include <gmock/gmock.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TestRoot.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class FlyCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_.WriteAircraft("Jet", "[BRAKES]\nKEY=B\n[ANIM_SEQ_0]\nKEY=G\nDURATION=1\nNAME=Gear\n");
    root_.WriteFile("Scenarios/Jet.scn",
                    "; one aircraft in the air\nJet:aircraft\nSTATUS Flying\nPOS 10 45\nALT 1000\n"
                    "MY_NOTE stays\nEND\n");
  }

  // Runs vantor-sim fly in the test root with the arguments (which may override the root and
  // the module folder); returns the exit status.
  int Fly(const std::string& arguments) {
    const std::string command = std::string("\"") + VANTOR_SIM_PATH + "\" fly --root \"" +
                                root_.path().string() + "\" --modules \"" + AIRCRAFT_MODULE_DIR +
                                "\" " + arguments + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    out_ = Read("out.txt");
    err_ = Read("err.txt");
    return status;
  }

  std::string Read(const std::string& name) const {
    std::ifstream in(root_.path() / name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  TestRoot root_;
  std::string out_;
  std::string err_;
};

TEST_F(FlyCommandTest, KeysAndAnswersPlayAtTheirTimesAndTheScenarioIsSaved) {
  ASSERT_EQ(Fly("Scenarios/Jet.scn --no-physics --duration 3 --dt 0.5 --key 1:b --key 2:B "
                "--key 0.5:1 --key 2.5:8 --input 2.5:3000 --key 3:l --input 3:Nowhere "
                "--save saved.scn"),
            0)
      << err_;
  // The status lines, then the summary of the flight.
  EXPECT_EQ(out_.substr(0, out_.find("Summary of Jet")), "1.00\tBrakes On\n2.00\tBrakes Off\n");
  const std::string saved = Read("saved.scn");
  EXPECT_THAT(saved, HasSubstr("\nMY_NOTE stays\nCURRENT_PAYLOAD 0\nSEQ 0 -1 0.0000\n"
                               "AUTOPILOT 1\nALTITUDE 3000\nHEADING 180.00\n"
                               "FLIGHTPLAN Nowhere\nWAYPOINT 0\nEND\n"));
  EXPECT_THAT(
      saved, HasSubstr("Jet:aircraft\nSTATUS Flying\nPOS 10.00000000 45.00000000\nALT 1000.000\n"));
}

TEST_F(FlyCommandTest, ModifiersHoldBackKeysAndScanCodesReachTheAircraft) {
  ASSERT_EQ(Fly("Scenarios/Jet.scn --no-physics --key 0:ctrl+1 --key 0:Shift+b --key 0:alt+scan:4 "
                "--key 0:scan:2 --save saved.scn"),
            0)
      << err_;
  EXPECT_EQ(out_.find("Summary of Jet"), 0u) << out_;  // no status line before it
  // Only the plain key 1 (scan 2) acted: had ctrl+1 acted too, the two would cancel out.
  EXPECT_THAT(Read("saved.scn"), HasSubstr("AUTOPILOT 1\n"));
}

TEST_F(FlyCommandTest, TheGearMovesOverFramesAndReportsWhenDone) {
  ASSERT_EQ(Fly("Scenarios/Jet.scn --no-physics --duration 2 --dt 0.25 --key 0:g --save s.scn"), 0)
      << err_;
  EXPECT_THAT(out_, HasSubstr("\tGear Deployed\n"));
  EXPECT_THAT(Read("s.scn"), HasSubstr("SEQ 0 1 1.0000\n"));
}

TEST_F(FlyCommandTest, BadScriptsAreRefusedWithOneLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"Scenarios/Jet.scn --no-physics --key 1:F13", "'F13' is not a key label"},
      {"Scenarios/Jet.scn --no-physics --key x:1", "--key needs TIME:KEY"},
      {"Scenarios/Jet.scn --no-physics --key 0:scan:256", "is not a key label"},
      {"Scenarios/Jet.scn --no-physics --input 0:3000", "no input box is open at 0.00 s"},
      {"Scenarios/Jet.scn --no-physics --duration 1 --key 2:1", "after the last frame"},
      {"Scenarios/Jet.scn --no-physics --dt 0", "--dt must be greater than 0"},
      {"Missing.scn --no-physics", "Missing.scn: cannot read the scenario file"},
      {"Scenarios/Jet.scn --no-physics --modules nowhere", "module folder"},
  };
  for (const auto& [arguments, message] : cases) {
    EXPECT_NE(Fly(arguments), 0) << arguments;
    // The refusal is the last line; only the aircraft file's findings may come before it.
    ASSERT_FALSE(err_.empty()) << arguments;
    const std::size_t lastLine = err_.rfind('\n', err_.size() - 2) + 1;
    EXPECT_THAT(err_.substr(lastLine), HasSubstr(message)) << arguments;
    EXPECT_EQ(err_.find('\n', lastLine), err_.size() - 1) << err_;
    std::istringstream findings(err_.substr(0, lastLine));
    for (std::string line; std::getline(findings, line);) {
      EXPECT_EQ(line.rfind("Config/Aircraft/Jet.ini:", 0), 0u) << line;
    }
  }
  root_.WriteFile("Scenarios/Bad.scn", "Jet:aircraft\nSTATUS Flying\n");
  EXPECT_NE(Fly("Scenarios/Bad.scn --no-physics"), 0);
  EXPECT_THAT(err_, HasSubstr("Bad.scn:1: the block of vessel 'Jet' has no END line"));
  EXPECT_THAT(out_, Not(HasSubstr("Brakes")));
}

}  // namespace
