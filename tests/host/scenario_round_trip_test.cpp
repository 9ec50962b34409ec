// Nothing a scenario carries is lost: every example scenario and every fuzzed scenario block,
// given to a vessel with the aircraft module, to one whose class has no module and to one
// without a class, saves each line it did not use, in order, and reads back to the same text.
#include <gmock/gmock.h>
#include <vantor/sim/ScenarioFile.h>
#include <vantor/sim/Simulation.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/HostFixture.h"

namespace {

namespace fs = std::filesystem;
namespace sim = vantor::sim;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string FirstWord(const std::string& line) {
  std::string word = line.substr(0, line.find_first_of(" \t"));
  for (char& c : word) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return word;
}

bool OneOf(const std::string& word, const std::vector<std::string>& words) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

// What the host and the aircraft module read and write again in their own form.
const std::vector<std::string> kHostWords = {"STATUS", "POS",   "ALT",  "HDG",      "PITCH",
                                             "BANK",   "SPEED", "FUEL", "THROTTLE", "FOCUS"};
const std::vector<std::string> kModuleWords = {
    "CURRENT_PAYLOAD", "SEQ", "AUTOPILOT", "ALTITUDE", "HEADING", "FLIGHTPLAN", "WAYPOINT"};

class ScenarioRoundTrip : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    previous_ = fs::current_path();
    fs::current_path(AIRCRAFT_EXAMPLE_ROOT);
    sim::SetModuleFolder(AIRCRAFT_MODULE_DIR);
  }
  void TearDown() override {
    HostFixture::TearDown();
    fs::current_path(previous_);
  }

  // Loads the text, saves it, loads the save and saves again; the two saves must agree, and
  // every line of a block that its vessel does not rewrite must be in the first, in order.
  void ExpectRoundTrip(const std::string& text, const std::string& source) {
    SCOPED_TRACE(source);
    const std::vector<sim::ScenarioBlock> blocks = sim::ParseScenario(text, source);
    const std::vector<vantor::VesselRecord*> vessels = sim::LoadScenario(blocks, source);
    const std::string saved = sim::ScenarioText();
    vantor::testing::ResetHost();
    const std::vector<sim::ScenarioBlock> savedBlocks = sim::ParseScenario(saved, "saved");
    sim::LoadScenario(savedBlocks, "saved");
    EXPECT_EQ(sim::ScenarioText(), saved);
    vantor::testing::ResetHost();

    ASSERT_EQ(savedBlocks.size(), blocks.size());
    for (std::size_t b = 0; b < blocks.size(); ++b) {
      const bool withModule = blocks[b].className == "aircraft";
      const std::vector<std::string>& out = savedBlocks[b].lines;
      auto next = out.begin();
      for (const std::string& line : blocks[b].lines) {
        const std::string word = FirstWord(line);
        if (OneOf(word, kHostWords) || (withModule && OneOf(word, kModuleWords))) {
          continue;
        }
        next = std::find(next, out.end(), line);
        ASSERT_NE(next, out.end())
            << "lost '" << line << "' of " << blocks[b].name << ":" << blocks[b].className << "\n"
            << saved;
        ++next;
      }
    }
  }

 private:
  fs::path previous_;
};

TEST_F(ScenarioRoundTrip, EveryExampleScenarioWithAndWithoutItsModule) {
  for (const auto& entry : fs::directory_iterator(fs::path(AIRCRAFT_EXAMPLE_ROOT) / "Scenarios")) {
    const std::string text = Read(entry.path());
    ExpectRoundTrip(text, entry.path().filename().string());
    for (const char* other : {":nomodule\n", ":\n"}) {
      std::string plain = text;
      for (std::size_t at = plain.find(":aircraft\n"); at != std::string::npos;
           at = plain.find(":aircraft\n", at)) {
        plain.replace(at, 10, other);
      }
      ExpectRoundTrip(plain, entry.path().filename().string() + " as '" + other + "'");
    }
  }
}

TEST_F(ScenarioRoundTrip, EveryFuzzedScenarioBlockWithAndWithoutAModule) {
  const fs::path corpus =
      fs::path(AIRCRAFT_EXAMPLE_ROOT) / ".." / "fuzz" / "corpus" / "scenario_lines";
  int blocks = 0;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    const std::string lines = Read(entry.path());
    // A line that reads as END would close the block early; the fuzzer gives it as a line.
    std::istringstream in(lines);
    std::string kept;
    for (std::string line; std::getline(in, line);) {
      if (FirstWord(line) != "END") {
        kept += line + "\n";
      }
    }
    for (const char* header : {"Kestrel:aircraft\n", "Kestrel:nomodule\n", "Kestrel:\n"}) {
      ExpectRoundTrip(header + kept + "MY_NOTE kept\nSEQUENCE_NOTE kept too\nEND\n",
                      entry.path().filename().string() + " as " + header);
      ++blocks;
    }
  }
  EXPECT_GE(blocks, 15);
}

}  // namespace
