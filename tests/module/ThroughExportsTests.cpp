// The aircraft module as the host meets it: loaded by name, driven only through its exports.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/HostFixture.h"
#include "support/TestRoot.h"
#include "vantor/Vantor.h"
#include "vantor/sim/Simulation.h"

namespace {

using namespace vantor::testing;
namespace sim = vantor::sim;

class ThroughExportsTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    sim::SetModuleFolder(AIRCRAFT_MODULE_DIR);
  }
  TestRoot root_;
};

TEST_F(ThroughExportsTest, CreatingAnAircraftInitialisesThenSetsUpTheClass) {
  root_.WriteAircraft("M1", "[GENERAL]\nEMPTY_MASS=9000\n");
  EnableLog(true);
  vantor::VesselRecord* vessel = sim::CreateVessel("M1", "aircraft");
  ASSERT_NE(vessel, nullptr);
  EXPECT_NE(vessel->module, nullptr);
  EXPECT_NE(vessel->moduleVessel, nullptr);
  EXPECT_EQ(LogText().rfind("> vvcInit\n> vvcSetClassCaps\n", 0), 0u) << LogText();

  ClearLog();
  sim::DeleteVessel(*vessel);
  EXPECT_EQ(LogText(), "> vvcExit\n");
  EXPECT_EQ(FindVessel("M1"), nullptr);
}

TEST_F(ThroughExportsTest, ASavedScenarioLoadsBackToTheSameLines) {
  root_.WriteAircraft("M1", "");
  vantor::VesselRecord* first = sim::CreateVessel("M1", "aircraft");
  ASSERT_NE(first, nullptr);
  char keys[256] = {};
  for (DWORD key : {0x22u, 0x21u, 0x1Eu}) {  // a few keys, so some state may differ from new
    sim::BufferedKey(*first, key, true, keys);
  }
  sim::Timestep(*first, 0.0);
  const std::vector<std::string> saved = sim::SaveState(*first);
  sim::DeleteVessel(*first);

  vantor::VesselRecord* second = sim::CreateVessel("M1", "aircraft");
  ASSERT_NE(second, nullptr);
  sim::LoadState(*second, saved);
  EXPECT_EQ(sim::SaveState(*second), saved);
}

TEST_F(ThroughExportsTest, BadInputThroughTheExportsNeverBringsTheHostDown) {
  root_.WriteFile("Config/Aircraft/M2.ini", std::string("\0\xff[GENERAL\r\n=\x01\x02", 16));
  vantor::VesselRecord* vessel = sim::CreateVessel("M2", "aircraft");
  ASSERT_NE(vessel, nullptr);

  // Every key, pressed and released, with and without modifiers held.
  char keys[256] = {};
  for (int modifiers = 0; modifiers < 2; ++modifiers) {
    for (int index : {0x2A, 0x1D, 0x38}) {
      keys[index] = static_cast<char>(modifiers != 0 ? 0x80 : 0);
    }
    for (DWORD key = 0; key < 256; ++key) {
      const int down = sim::BufferedKey(*vessel, key, true, keys);
      const int up = sim::BufferedKey(*vessel, key, false, keys);
      EXPECT_TRUE(down == 0 || down == 1) << key;
      EXPECT_TRUE(up == 0 || up == 1) << key;
      while (InputBoxOpen()) {
        AnswerInputBox("\xff not a number \"%s%n");
      }
    }
  }

  // Frames with a flight state no physics would produce.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  vessel->state.altitude = nan;
  vessel->state.airspeed = -1e300;
  vessel->state.density = nan;
  vessel->state.pitch = 1e300;
  vessel->state.groundContact = true;
  for (int frame = 0; frame < 50; ++frame) {
    sim::Timestep(*vessel, frame * 0.02);
  }

  sim::LoadState(*vessel, {"", "SEQ", "SEQ 99999999999 -1 nan", "AUTOPILOT x", "CURRENT_PAYLOAD -5",
                           std::string(100000, 'A'), "FLIGHTPLAN " + std::string(500, 'p')});
  sim::SaveState(*vessel);
  sim::DeleteVessel(*vessel);
}

}  // namespace
