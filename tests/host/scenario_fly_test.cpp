// vantor-sim fly without physics: scripted keys and answers, printed status lines, the saved
// scenario, and refused scripts.
#include <gmock/gmock.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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
    root_.WriteFlightPlan("Nowhere", "[WAYPOINT_0]\nDESCRIPTION=Here\nPOSITION=(10,45,1000)\n");
  }

  // Runs vantor-sim fly in the test root with the arguments (which may override the root and
  // the module folder); returns the exit code.
  int Fly(const std::string& arguments) {
    const std::string command = std::string("\"") + VANTOR_SIM_PATH + "\" fly --root \"" +
                                root_.path().string() + "\" --modules \"" + AIRCRAFT_MODULE_DIR +
                                "\" " + arguments + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    out_ = Read("out.txt");
    err_ = Read("err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
      {"Scenarios/Jet.scn --no-physics --dt 0", "--dt: '0' is not more than 0"},
      {"Missing.scn --no-physics", "Missing.scn: cannot read the scenario file"},
      {"Scenarios/Jet.scn --no-physics --modules nowhere", "module folder"},
  };
  for (const auto& [arguments, message] : cases) {
    EXPECT_NE(Fly(arguments), 0) << arguments;
    // The refusal is the last line; only the findings in the aircraft file and the scenario may
    // come before it.
    ASSERT_FALSE(err_.empty()) << arguments;
    const std::size_t lastLine = err_.rfind('\n', err_.size() - 2) + 1;
    EXPECT_THAT(err_.substr(lastLine), HasSubstr(message)) << arguments;
    EXPECT_EQ(err_.find('\n', lastLine), err_.size() - 1) << err_;
    std::istringstream findings(err_.substr(0, lastLine));
    for (std::string line; std::getline(findings, line);) {
      EXPECT_TRUE(line.rfind("Config/Aircraft/Jet.ini:", 0) == 0 ||
                  line.rfind("Scenarios/Jet.scn:", 0) == 0)
          << line;
    }
  }
  root_.WriteFile("Scenarios/Bad.scn", "Jet:aircraft\nSTATUS Flying\n");
  EXPECT_NE(Fly("Scenarios/Bad.scn --no-physics"), 0);
  EXPECT_THAT(err_, HasSubstr("Bad.scn:1: the block of vessel 'Jet' has no END line"));
  EXPECT_THAT(out_, Not(HasSubstr("Brakes")));
}

// Each way a run can fail to do what was asked is one line naming the file and line or the
// option, with the exit code: 1 when the run cannot do it (before it flies, when the scenario
// shows it), 2 when the command line is wrong. A line no one uses is only a warning.
TEST_F(FlyCommandTest, WhatARunCannotDoIsNamedWithItsExitCode) {
  root_.WriteFile("Scenarios/Typo.scn",
                  "Jet:aircarft\nSTATUS Flying\nAUTOPILOT 1\nFLIGHTPLAN Nowhere\nEND\n");
  root_.WriteFile("Scenarios/Plan.scn",
                  "Jet:aircraft\nSTATUS Flying\n; the plan\nFLIGHTPLAN Nowher\nEND\n");
  root_.WriteFile("Scenarios/Ghost.scn", "Ghost:aircraft\nEND\n");
  constexpr const char* kNotFlying = "not flying (--keep-going flies anyway)\n";
  struct Case {
    const char* arguments;
    int exitCode;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"Scenarios/Typo.scn --no-physics",
       1,
       {"Scenarios/Typo.scn:1: error: vessel 'Jet' has class 'aircarft', but there is no "
        "module aircarft",
        "(did you mean 'aircraft'?)\n",
        "Scenarios/Typo.scn:3: warning: vessel 'Jet' has no use for lines 3, 4 (AUTOPILOT "
        "FLIGHTPLAN); they are kept and saved as they are\n",
        kNotFlying}},
      {"Scenarios/Plan.scn --no-physics",
       1,
       {"Scenarios/Plan.scn:4: error: flight plan 'Nowher' not found: "
        "Config/Aircraft/FlightPlans/Nowher.ini cannot be read (did you mean 'Nowhere'?)\n",
        kNotFlying}},
      {"Scenarios/Ghost.scn --no-physics",
       1,
       {"Scenarios/Ghost.scn:1: error: vessel 'Ghost' cannot be set up: its aircraft file "
        "Config/Aircraft/Ghost.ini cannot be read\n",
        kNotFlying}},
      {"Scenarios/Jet.scn",
       1,
       {"Scenarios/Jet.scn:2: error: vessel 'Jet' was set up without "
        "mass (EMPTY_MASS in Config/Aircraft/Jet.ini)",
        kNotFlying}},
      {"Scenarios/Jet.scn --no-physics --duration 1 --key 0:l --input 0:Nowher",
       1,
       {"--input 0.00 s: flight plan 'Nowher' not found"}},
      {"Scenarios/Jet.scn --no-physics --duration 1 --key 2:1",
       2,
       {"--key 2.00 s: '1' comes after the last frame at 1.00 s"}},
      {"Scenarios/Jet.scn --bogus 1", 2, {"unknown option '--bogus'"}},
      {"Scenarios/Jet.scn --duration soon", 2, {"--duration: 'soon' is not a number"}},
      {"Scenarios/Jet.scn Scenarios/Typo.scn", 2, {"unexpected argument 'Scenarios/Typo.scn'"}},
      {"Scenarios/Jet.scn --no-physics",
       0,
       {"Scenarios/Jet.scn:6: warning: vessel 'Jet' has no use for 'MY_NOTE stays'; it is kept "
        "and saved as it is\n"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fly(c.arguments), c.exitCode) << c.arguments << "\n" << err_;
    for (const std::string& message : c.messages) {
      EXPECT_THAT(err_, HasSubstr(message)) << c.arguments;
    }
  }
}

TEST_F(FlyCommandTest, KeepGoingFliesAnywayAndTheSaveLosesNothing) {
  root_.WriteFile("Scenarios/Typo.scn",
                  "Jet:aircarft\nSTATUS Flying\nAUTOPILOT 1\nFLIGHTPLAN Nowhere\nWAYPOINT 1\n"
                  "MY_NOTE stays\nEND\n");
  EXPECT_EQ(Fly("Scenarios/Typo.scn --no-physics --duration 1 --keep-going --key 5:1 --save "
                "saved.scn"),
            1);
  EXPECT_THAT(err_, HasSubstr("'1' comes after the last frame at 1.00 s; it is not played"));
  EXPECT_THAT(Read("saved.scn"),
              HasSubstr("\nAUTOPILOT 1\nFLIGHTPLAN Nowhere\nWAYPOINT 1\nMY_NOTE stays\nEND\n"));
}

TEST_F(FlyCommandTest, HelpListsTheOptions) {
  EXPECT_EQ(Fly("--help"), 0);
  for (const char* option : {"--keep-going", "--key", "--save", "--root", "--status-every"}) {
    EXPECT_THAT(out_, HasSubstr(option));
  }
  EXPECT_THAT(out_, HasSubstr("Exit codes: 0"));
}

}  // namespace
