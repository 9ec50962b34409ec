// Loading modules by class name and calling into them: the marks and status lines in the log,
// and the messages for libraries that cannot serve as a module.
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "support/HostFixture.h"
#include "support/TestRoot.h"
#include "vantor/Vantor.h"
#include "vantor/sim/Simulation.h"

namespace {

using ::testing::HasSubstr;
using namespace vantor::testing;
namespace sim = vantor::sim;

class ModuleLoaderTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    sim::SetModuleFolder(HOST_TEST_MODULE_DIR);
  }
};

std::string ErrorOf(const std::string& className) {
  try {
    sim::CreateVessel("V", className);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "";
}

TEST_F(ModuleLoaderTest, AClassWithoutALibraryIsAPlainVessel) {
  vantor::VesselRecord* vessel = sim::CreateVessel("P", "nothing-here");
  ASSERT_NE(vessel, nullptr);
  EXPECT_EQ(vessel->module, nullptr);
  EXPECT_EQ(sim::CreateVessel("P", "echo"), nullptr);  // the name is taken
  char keys[256] = {};
  EXPECT_EQ(sim::BufferedKey(*vessel, 0x22, true, keys), 0);
  sim::Timestep(*vessel, 1.0);
}

TEST_F(ModuleLoaderTest, ALibraryLackingAnExportIsRefusedByName) {
  const std::string message = ErrorOf("partial");
  EXPECT_THAT(message, HasSubstr("vvcSaveState"));
  EXPECT_THAT(message, HasSubstr("partial.so"));
  EXPECT_EQ(FindVessel("V"), nullptr);
  // A module asking for such a vessel gets none, and no exception from the simulation's library.
  VESSELSTATUS status{};
  EXPECT_EQ(vapiCreateVessel("V", "partial", status), nullptr);
  EXPECT_EQ(FindVessel("V"), nullptr);
}

TEST_F(ModuleLoaderTest, ALibraryThatCannotBeLoadedIsNamedWithTheReason) {
  TestRoot root;
  std::ofstream(root.path() / "broken.so") << "not a library";
  sim::SetModuleFolder(root.path().string());
  const std::string message = ErrorOf("broken");
  EXPECT_THAT(message, HasSubstr((root.path() / "broken.so").string()));
  EXPECT_THAT(message, HasSubstr("cannot load module"));
  EXPECT_EQ(FindVessel("V"), nullptr);
  // Seen from a module, the same failure is a vessel that could not be created.
  VESSELSTATUS status{};
  EXPECT_EQ(vapiCreateVessel("W", "broken", status), nullptr);
}

TEST_F(ModuleLoaderTest, CallsIntoAModuleAreMarkedAndStatusChangesFollowThem) {
  EnableLog(true);
  vantor::VesselRecord* vessel = sim::CreateVessel("E1", "echo");
  ASSERT_NE(vessel, nullptr);
  ASSERT_NE(vessel->module, nullptr);
  EXPECT_EQ(vessel->size, 3.5);
  EXPECT_EQ(StatusLine(), "set up E1");
  char keys[256] = {};
  EXPECT_EQ(sim::BufferedKey(*vessel, 0x22, true, keys), 1);
  sim::Timestep(*vessel, 0.5);
  sim::DeleteVessel(*vessel);
  EXPECT_EQ(FindVessel("E1"), nullptr);
  EXPECT_EQ(LogText(),
            "> vvcInit\n"
            "> vvcSetClassCaps\n"
            "SetSize(3.5)\n"
            "GetName() -> \"E1\"\n"
            "vapiDebugString() -> status\n"
            "status \"set up E1\"\n"
            "> vvcConsumeBufferedKey\n"
            "vapiDebugString() -> status\n"
            "status \"key 34 down\"\n"
            "> vvcTimestep\n"
            "SetThrusterGroupLevel(THGROUP_MAIN, 0.5)\n"
            "> vvcExit\n");
}

TEST_F(ModuleLoaderTest, ScenarioLinesPassThroughTheModuleAndComeBackOnSave) {
  vantor::VesselRecord* vessel = sim::CreateVessel("E2", "echo");
  ASSERT_NE(vessel, nullptr);
  EnableLog(true);
  sim::LoadState(*vessel, {"SEQ 0 1 0", "CUSTOM \"x\""});
  const std::vector<std::string> saved = sim::SaveState(*vessel);
  ASSERT_FALSE(saved.empty());
  EXPECT_EQ(saved.front(), "ECHO 1");
  EXPECT_THAT(LogText(), HasSubstr("> vvcLoadStateEx\n"
                                   "vapiReadScenario_nextline(file0) -> (true, \"SEQ 0 1 0\")\n"
                                   "ParseScenarioLineEx(\"SEQ 0 1 0\", ptr0)\n"));
  EXPECT_THAT(LogText(), HasSubstr("vapiReadScenario_nextline(file0) -> (false, null)\n"
                                   "> vvcSaveState\n"
                                   "vapiWriteScenario_string(file1, \"ECHO\", \"1\")\n"));
}

TEST_F(ModuleLoaderTest, ResetHandsModuleVesselsBackAndAPlainVesselIsNotLogged) {
  ASSERT_NE(sim::CreateVessel("E3", "echo"), nullptr);
  ResetHost();  // would leak the module's vessel object if it were not handed back
  EXPECT_TRUE(sim::Vessels().empty());

  vantor::VesselRecord* plain = sim::CreateVessel("Plain", "none");
  EnableLog(true);
  sim::LoadState(*plain, {"CUSTOM 1"});
  sim::SaveState(*plain);
  EXPECT_EQ(LogText(), "");
}

}  // namespace
