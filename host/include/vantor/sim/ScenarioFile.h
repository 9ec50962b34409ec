// Scenario files of the stand-in host: a list of vessel blocks, each "NAME:CLASS", the vessel's
// lines, "END". The format is described in docs/scenario-format.md. Errors are thrown as
// std::runtime_error with a one-line message that starts with "FILE:LINE: " where a line is
// to blame.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vantor/sim/Export.h"
#include "vantor/sim/VesselRecord.h"

namespace vantor::sim {

struct ScenarioBlock {
  std::string name;
  std::string className;           // empty: a plain vessel that names no class
  int line = 0;                    // line of "NAME:CLASS" in the file
  std::vector<std::string> lines;  // trimmed; comments and blank lines dropped
  std::vector<int> lineNumbers;    // the file line of each of lines
};

// Splits a scenario text into its blocks without creating anything; source names the text in
// messages. Throws on a malformed text.
VANTOR_SIM_API std::vector<ScenarioBlock> ParseScenario(std::string_view text,
                                                        const std::string& source);

// Creates the blocks' vessels in order through CreateVessel, each followed by LoadState with
// its lines. The first of them gets the input focus unless a block says FOCUS. When a vessel
// cannot be created, the ones made so far are deleted again and the error is thrown.
VANTOR_SIM_API std::vector<VesselRecord*> LoadScenario(const std::vector<ScenarioBlock>& blocks,
                                                       const std::string& source);
// Reads and parses a scenario file, naming it source in messages (the path when empty). Throws
// when it cannot be read or lists no vessel.
VANTOR_SIM_API std::vector<ScenarioBlock> ReadScenarioFile(const std::string& path,
                                                           const std::string& source = "");
// Reads, parses and loads a scenario file.
VANTOR_SIM_API std::vector<VesselRecord*> LoadScenarioFile(const std::string& path);

// Every vessel of the host in creation order, as a scenario text.
VANTOR_SIM_API std::string ScenarioText();
// Writes ScenarioText() to the file through an OutputFile: a failed save throws and leaves the
// file that was there whole.
VANTOR_SIM_API void SaveScenarioFile(const std::string& path);

// The vessel with the input focus (keys go to it), or null when there is no vessel.
VANTOR_SIM_API VesselRecord* FocusVessel();

}  // namespace vantor::sim
