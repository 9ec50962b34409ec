// The one seam every written file goes through: a failed write never destroys the file it was
// replacing, leaves nothing beside it, and names the file in its message.
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "support/HostFixture.h"
#include "support/TestRoot.h"
#include "vantor/sim/OutputFile.h"
#include "vantor/sim/ScenarioFile.h"
#include "vantor/sim/Simulation.h"

namespace {

namespace host = vantor::testing;
namespace sim = vantor::sim;
using ::testing::HasSubstr;
using WriteFault = host::WriteFault;

class OutputFileTest : public HostFixture {
 protected:
  std::string Target(const std::string& name) const { return (root_.path() / name).string(); }

  static std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  // The names in the root besides Config/, so a temporary left behind shows.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root_.path())) {
      if (entry.path().filename() != "Config") {
        names.push_back(entry.path().filename().string());
      }
    }
    return names;
  }

  // The message of the failure, or "" when the write went through.
  static std::string FailureOf(const std::function<void()>& write) {
    try {
      write();
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "";
  }

  TestRoot root_;
};

TEST_F(OutputFileTest, ACompleteWriteReplacesTheFileAndLeavesNothingBeside) {
  root_.WriteFile("out.txt", "old text that is longer than the new one\n");
  sim::WriteFileAtomically(Target("out.txt"), "new\n");
  EXPECT_EQ(Read(Target("out.txt")), "new\n");
  EXPECT_THAT(Files(), ::testing::ElementsAre("out.txt"));

  // A stream written piece by piece appears only when committed.
  sim::OutputFile stream(Target("log.txt"));
  stream.Write("one\n");
  stream.Write("two\n");
  EXPECT_FALSE(std::filesystem::exists(Target("log.txt")));
  stream.Commit();
  EXPECT_EQ(Read(Target("log.txt")), "one\ntwo\n");
}

TEST_F(OutputFileTest, AFileNeverCommittedLeavesTheOldOneAndNoTemporary) {
  root_.WriteFile("out.txt", "old\n");
  {
    sim::OutputFile file(Target("out.txt"));
    file.Write("half of a new");
  }
  EXPECT_EQ(Read(Target("out.txt")), "old\n");
  EXPECT_THAT(Files(), ::testing::ElementsAre("out.txt"));
}

TEST_F(OutputFileTest, EachInjectedFailureKeepsTheOldFileAndNamesIt) {
  const WriteFault faults[] = {WriteFault::kShortWrite, WriteFault::kDiskFull,
                               WriteFault::kUnwritableFolder, WriteFault::kRenameFails};
  for (const WriteFault fault : faults) {
    SCOPED_TRACE(static_cast<int>(fault));
    root_.WriteFile("out.txt", "old\n");
    host::InjectWriteFault(fault, "out.txt");
    const std::string message =
        FailureOf([&] { sim::WriteFileAtomically(Target("out.txt"), "new text\n"); });
    EXPECT_THAT(message, HasSubstr("cannot write " + Target("out.txt")));
    EXPECT_THAT(message, HasSubstr("the file there before is kept"));
    EXPECT_EQ(Read(Target("out.txt")), "old\n");
    EXPECT_THAT(Files(), ::testing::ElementsAre("out.txt"));

    // Only the file named fails.
    EXPECT_EQ(FailureOf([&] { sim::WriteFileAtomically(Target("other.txt"), "x"); }), "");
    std::filesystem::remove(Target("other.txt"));
    host::InjectWriteFault(WriteFault::kNone);
  }
}

TEST_F(OutputFileTest, RealFailuresNameTheFile) {
  root_.WriteFile("plain", "a file, not a folder\n");
  EXPECT_THAT(FailureOf([&] { sim::WriteFileAtomically(Target("plain/out.txt"), "x"); }),
              HasSubstr("cannot write " + Target("plain/out.txt")));
  EXPECT_THAT(FailureOf([&] { sim::WriteFileAtomically(Target("no/such/out.txt"), "x"); }),
              HasSubstr("cannot write " + Target("no/such/out.txt")));
  // A folder in the target's place is not replaced.
  std::filesystem::create_directories(root_.path() / "folder" / "inside");
  EXPECT_THAT(FailureOf([&] { sim::WriteFileAtomically(Target("folder"), "x"); }),
              HasSubstr("cannot write " + Target("folder")));
  EXPECT_TRUE(std::filesystem::is_directory(root_.path() / "folder" / "inside"));
}

TEST_F(OutputFileTest, AFailedScenarioSaveKeepsTheUsersScenario) {
  const std::string original = "A:plain\nALT 50\nEND\n";
  root_.WriteFile("mine.scn", original);
  sim::SetModuleFolder(root_.path().string());  // no module: a plain vessel
  sim::LoadScenarioFile(Target("mine.scn"));
  sim::Vessels().front()->state.altitude = 80.0;
  host::InjectWriteFault(WriteFault::kDiskFull, "mine.scn");
  EXPECT_THAT(FailureOf([&] { sim::SaveScenarioFile(Target("mine.scn")); }),
              HasSubstr("cannot write " + Target("mine.scn")));
  EXPECT_EQ(Read(Target("mine.scn")), original);
}

}  // namespace
