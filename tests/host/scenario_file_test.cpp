// Scenario files: blocks, the host's own lines, unknown lines, focus, and malformed files.
#include <gmock/gmock.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "support/HostFixture.h"
#include "support/TestRoot.h"
#include "vantor/Vessel.h"
#include "vantor/sim/ScenarioFile.h"
#include "vantor/sim/Simulation.h"

namespace {

namespace host = vantor::testing;
namespace sim = vantor::sim;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class ScenarioFileTest : public HostFixture {
 protected:
  // Classes named here have no module, so their vessels are plain ones.
  void SetUp() override {
    HostFixture::SetUp();
    sim::SetModuleFolder(root_.path().string());
  }

  std::vector<vantor::VesselRecord*> LoadText(const std::string& text) {
    return sim::LoadScenario(sim::ParseScenario(text, "test.scn"), "test.scn");
  }

  // The message ParseScenario refuses the text with, or "" when it takes it.
  static std::string Refusal(const std::string& text) {
    try {
      sim::ParseScenario(text, "bad.scn");
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "";
  }

  TestRoot root_;
};

TEST_F(ScenarioFileTest, BlocksKeepTheirLinesWithoutCommentsAndBlanks) {
  const std::string text =
      "\xEF\xBB\xBF; two vessels\r\n"
      "\r\n"
      "Tank:plain\r\n"
      "  STATUS Landed  \r\n"
      "  ; not a line of the vessel\r\n"
      "\tNOTE a b\r\n"
      "end\r\n"
      "Glider 2:sail-plane_1\n"
      "END";
  const std::vector<sim::ScenarioBlock> blocks = sim::ParseScenario(text, "test.scn");
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].name, "Tank");
  EXPECT_EQ(blocks[0].className, "plain");
  EXPECT_EQ(blocks[0].line, 3);
  EXPECT_THAT(blocks[0].lines, ElementsAre("STATUS Landed", "NOTE a b"));
  EXPECT_EQ(blocks[1].name, "Glider 2");
  EXPECT_EQ(blocks[1].className, "sail-plane_1");
  EXPECT_EQ(blocks[1].line, 8);
  EXPECT_TRUE(blocks[1].lines.empty());
}

TEST_F(ScenarioFileTest, MalformedFilesAreRefusedWithFileAndLine) {
  EXPECT_EQ(Refusal("; start\nSTATUS Flying\nA:plain\nEND\n"),
            "bad.scn:2: expected NAME:CLASS to start a vessel block, found 'STATUS Flying'");
  EXPECT_EQ(Refusal("A:plain\nEND\n\nB:plain\nSTATUS Flying\n"),
            "bad.scn:4: the block of vessel 'B' has no END line");
  EXPECT_EQ(Refusal("END\n"), "bad.scn:1: END without a vessel block before it");
  EXPECT_THAT(Refusal("A:plain\nEND\nA:other\nEND\n"),
              HasSubstr("bad.scn:3: vessel 'A' is already listed at line 1"));
  for (const char* bad :
       {":plain", "../x:plain", "a\\b:plain", "A :plain", "A:pl ain", "A:p/x", "A:b:c", "A:.."}) {
    const std::string message = Refusal(std::string("; x\n") + bad + "\nEND\n");
    EXPECT_THAT(message, HasSubstr("bad.scn:2: bad ")) << bad;
  }
  EXPECT_EQ(Refusal("A:plain\nEND\n"), "");
  EXPECT_EQ(Refusal("Drop Tank 1:\nEND\n"), "");  // a plain vessel without a class
}

TEST_F(ScenarioFileTest, HostAndUnknownLinesSurviveASaveAndReload) {
  const std::string text =
      "Tank:plain\n"
      "NOTE first\n"
      "status landed\n"
      "POS 10 45\n"
      "ALT 120.5\n"
      "HDG 90\n"
      "NOTE second\n"
      "END\n"
      "Glider:plain\n"
      "SPEED 55\n"
      "BANK -10\n"
      "PITCH 5\n"
      "HDG 270\n"
      "POS -20.5 -30.25\n"
      "ALT 2000\n"
      "FOCUS\n"
      "END\n"
      "North:plain\n"
      "HDG 359.99999\n"
      "PITCH -0.00001\n"
      "END\n";
  LoadText(text);
  const std::string expected =
      "Tank:plain\n"
      "STATUS Landed\n"
      "POS 10.00000000 45.00000000\n"
      "ALT 120.500\n"
      "HDG 90.0000\n"
      "PITCH 0.0000\n"
      "BANK 0.0000\n"
      "SPEED 0.000\n"
      "NOTE first\n"
      "NOTE second\n"
      "END\n"
      "Glider:plain\n"
      "STATUS Flying\n"
      "POS -20.50000000 -30.25000000\n"
      "ALT 2000.000\n"
      "HDG 270.0000\n"
      "PITCH 5.0000\n"
      "BANK -10.0000\n"
      "SPEED 55.000\n"
      "FOCUS\n"
      "END\n"
      "North:plain\n"
      "STATUS Flying\n"
      "POS 0.00000000 0.00000000\n"
      "ALT 0.000\n"
      "HDG 0.0000\n"
      "PITCH 0.0000\n"
      "BANK 0.0000\n"
      "SPEED 0.000\n"
      "END\n";
  EXPECT_EQ(sim::ScenarioText(), expected);

  host::ResetHost();
  LoadText(expected);
  EXPECT_EQ(sim::ScenarioText(), expected);
}

// Straight up or down, heading and bank are one turn; its sum (up) or difference (down) is
// saved as heading. Upside down is saved as bank 180. Each saved attitude reads back as saved.
TEST_F(ScenarioFileTest, AttitudesThatHaveTwoNamesAreSavedAsOne) {
  struct Case {
    const char* attitude;
    const char* saved;
  };
  const Case cases[] = {
      {"HDG 90\nPITCH 90\n", "HDG 90.0000\nPITCH 90.0000\nBANK 0.0000\n"},
      {"HDG 10\nPITCH 90\nBANK 30\n", "HDG 40.0000\nPITCH 90.0000\nBANK 0.0000\n"},
      {"HDG 10\nPITCH -90\nBANK 30\n", "HDG 340.0000\nPITCH -90.0000\nBANK 0.0000\n"},
      {"HDG 10\nPITCH 89.99999\nBANK 30\n", "HDG 40.0000\nPITCH 90.0000\nBANK 0.0000\n"},
      // Past the vertical: heading and bank turn half round, upside down.
      {"HDG 0\nPITCH 91\n", "HDG 180.0000\nPITCH 89.0000\nBANK 180.0000\n"},
      {"HDG 0\nPITCH 45\nBANK -180\n", "HDG 0.0000\nPITCH 45.0000\nBANK 180.0000\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attitude);
    host::ResetHost();
    LoadText(std::string("A:plain\nPOS 10.3 44.7\n") + c.attitude + "END\n");
    const std::string saved = sim::ScenarioText();
    EXPECT_THAT(saved, HasSubstr(c.saved));
    host::ResetHost();
    LoadText(saved);
    EXPECT_EQ(sim::ScenarioText(), saved);
  }
}

// Without a module, the aircraft module's lines are no one's and are kept too.
TEST_F(ScenarioFileTest, HostLinesItCannotUseAreKeptAsTheyWere) {
  const std::vector<vantor::VesselRecord*> vessels = LoadText(
      "Tank:plain\nALT 300\nALT high\nPOS 10\nPOS 10 95\nFUEL 0.5\nTHROTTLE 1\n"
      "STATUS Hovering\nHDG inf\nALT 2e12\nSPEED -1.5e9\nALTITUDE 5\nseq 0 1 1\nEND\n");
  ASSERT_EQ(vessels.size(), 1u);
  EXPECT_NEAR(vessels[0]->state.altitude, 300.0, 1e-6);
  EXPECT_THAT(
      vessels[0]->unknownScenarioLines,
      ElementsAre("ALT high", "POS 10", "POS 10 95", "FUEL 0.5", "THROTTLE 1", "STATUS Hovering",
                  "HDG inf", "ALT 2e12", "SPEED -1.5e9", "ALTITUDE 5", "seq 0 1 1"));
}

TEST_F(ScenarioFileTest, TheFirstVesselHasTheFocusUnlessABlockSaysFocus) {
  const auto vessels = LoadText("A:plain\nEND\nB:plain\nEND\n");
  EXPECT_EQ(sim::FocusVessel(), vessels[0]);

  host::ResetHost();
  host::CreateVesselRecord("Existing");
  const auto more = LoadText("A:plain\nEND\nB:plain\nFOCUS\nEND\nC:plain\nEND\n");
  EXPECT_EQ(sim::FocusVessel(), more[1]);
  EXPECT_THAT(sim::ScenarioText(), HasSubstr("B:plain\nSTATUS Flying\nPOS"));
  EXPECT_THAT(sim::ScenarioText(), HasSubstr("FOCUS\nEND\nC:plain"));
}

TEST_F(ScenarioFileTest, AVesselThatCannotBeMadeUndoesTheFile) {
  host::CreateVesselRecord("B");
  try {
    LoadText("A:plain\nEND\n; taken\nB:plain\nEND\n");
    FAIL() << "loaded a vessel whose name is taken";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "test.scn:4: a vessel named 'B' exists already");
  }
  EXPECT_EQ(sim::Vessels().size(), 1u);
  EXPECT_EQ(host::FindVessel("A"), nullptr);
}

TEST_F(ScenarioFileTest, FilesAreReadAndWritten) {
  root_.WriteFile("in.scn", "A:plain\nALT 50\nEND\n");
  sim::LoadScenarioFile((root_.path() / "in.scn").string());
  sim::SaveScenarioFile((root_.path() / "out.scn").string());
  std::ifstream saved(root_.path() / "out.scn");
  std::stringstream text;
  text << saved.rdbuf();
  EXPECT_EQ(text.str(), sim::ScenarioText());

  EXPECT_THROW(sim::LoadScenarioFile((root_.path() / "missing.scn").string()), std::runtime_error);
  root_.WriteFile("empty.scn", "; nothing\n");
  EXPECT_THROW(sim::LoadScenarioFile((root_.path() / "empty.scn").string()), std::runtime_error);
  EXPECT_THROW(sim::SaveScenarioFile((root_.path() / "no" / "such" / "x.scn").string()),
               std::runtime_error);
}

// The aircraft module's lines come back as it writes them, after the host's lines and the
// unknown ones, each once.
class AircraftScenarioTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    sim::SetModuleFolder(AIRCRAFT_MODULE_DIR);
    root_.WriteAircraft("Jet", "[BRAKES]\nKEY=B\n[ANIM_SEQ_0]\nKEY=G\nDURATION=2\n");
    root_.WriteFlightPlan("Loop",
                          "[WAYPOINT_0]\nDESCRIPTION=A\nPOSITION=(10,45,2000)\n"
                          "[WAYPOINT_1]\nDESCRIPTION=B\nPOSITION=(11,45,2000)\n");
  }

  TestRoot root_;
};

TEST_F(AircraftScenarioTest, ModuleLinesRoundTripBesideHostAndUnknownLines) {
  sim::LoadScenario(sim::ParseScenario("Jet:aircraft\n"
                                       "MY_NOTE x\n"
                                       "waypoint 1\n"
                                       "FLIGHTPLAN Loop\n"
                                       "WAYPOINT 1\n"
                                       "ALT 2000\n"
                                       "Autopilot 1\n"
                                       "ALTITUDE 2500.9\n"
                                       "HEADING 45\n"
                                       "SEQ 0 1 1\n"
                                       "END\n",
                                       "jet.scn"),
                    "jet.scn");
  const std::string text = sim::ScenarioText();
  EXPECT_THAT(text, HasSubstr("\nFOCUS\nMY_NOTE x\nCURRENT_PAYLOAD 0\nSEQ 0 1 1.0000\n"
                              "AUTOPILOT 1\nALTITUDE 2500\nHEADING 45.00\nFLIGHTPLAN Loop\n"
                              "WAYPOINT 1\nEND\n"));
  EXPECT_EQ(text.rfind("Jet:aircraft\nSTATUS Flying\nPOS ", 0), 0u);
  EXPECT_EQ(text.find("MY_NOTE"), text.rfind("MY_NOTE"));
  EXPECT_EQ(text.find("AUTOPILOT"), text.rfind("AUTOPILOT"));

  // The simulator may look at what the module holds during a run without touching the log.
  host::EnableLog(true);
  host::ClearLog();
  EXPECT_EQ(sim::PeekState(*sim::Vessels().front()), sim::SaveState(*sim::Vessels().front()));
  const std::string logged = host::LogText();
  EXPECT_EQ(logged.find("> vvcSaveState"), logged.rfind("> vvcSaveState")) << logged;
  EXPECT_NE(logged.find("> vvcSaveState"), std::string::npos);

  // Loaded again, the module writes the same lines.
  host::ResetHost();
  sim::LoadScenario(sim::ParseScenario(text, "saved.scn"), "saved.scn");
  EXPECT_EQ(sim::ScenarioText(), text);
}

}  // namespace
