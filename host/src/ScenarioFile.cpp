#include "vantor/sim/ScenarioFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "HostState.h"
#include "vantor/sim/OutputFile.h"
#include "vantor/sim/Simulation.h"

namespace vantor::sim {
namespace {

constexpr std::string_view kEnd = "END";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::runtime_error ErrorAt(const std::string& source, int line, const std::string& message) {
  return std::runtime_error(source + ":" + std::to_string(line) + ": " + message);
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// A class names a module library: letters, digits, '_' and '-' only, so it can never reach a
// different folder. Empty is a plain vessel without a class.
bool ValidClass(std::string_view name) {
  for (char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-') {
      return false;
    }
  }
  return true;
}

// A vessel's name becomes part of file paths the module opens: no folder separators, no
// control characters, and no ':' that would split the block's first line.
bool ValidName(std::string_view name) {
  if (name.empty() || Trimmed(name).size() != name.size()) {
    return false;
  }
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || c == ':' || c == '/' || c == '\\') {
      return false;
    }
  }
  return true;
}

// Line breaks inside a line would split it when the file is read back.
std::string OneLine(std::string line) {
  for (char& c : line) {
    if (c == '\n' || c == '\r') {
      c = ' ';
    }
  }
  return line;
}

bool HasFocusLine(const ScenarioBlock& block) {
  for (const std::string& line : block.lines) {
    const std::string_view word = std::string_view(line).substr(0, line.find_first_of(" \t"));
    if (EqualsIgnoringCase(word, "FOCUS")) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<ScenarioBlock> ParseScenario(std::string_view text, const std::string& source) {
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  std::vector<ScenarioBlock> blocks;
  std::map<std::string, int> firstLineOfName;
  bool inBlock = false;
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    if (line.empty() || line.front() == ';') {
      continue;
    }
    if (inBlock) {
      if (EqualsIgnoringCase(line, kEnd)) {
        inBlock = false;
      } else {
        blocks.back().lines.emplace_back(line);
        blocks.back().lineNumbers.push_back(lineNumber);
      }
      continue;
    }
    if (EqualsIgnoringCase(line, kEnd)) {
      throw ErrorAt(source, lineNumber, "END without a vessel block before it");
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
      throw ErrorAt(
          source, lineNumber,
          "expected NAME:CLASS to start a vessel block, found '" + std::string(line) + "'");
    }
    const std::string_view name = line.substr(0, colon);
    const std::string_view className = line.substr(colon + 1);
    if (!ValidName(name)) {
      throw ErrorAt(source, lineNumber,
                    "bad vessel name in '" + std::string(line) +
                        "' (it must not be empty or hold blanks at its ends, ':', '/' or '\\')");
    }
    if (!ValidClass(className)) {
      throw ErrorAt(source, lineNumber,
                    "bad class in '" + std::string(line) +
                        "' (letters, digits, '_' and '-' only, no blanks)");
    }
    const auto [known, added] = firstLineOfName.emplace(std::string(name), lineNumber);
    if (!added) {
      throw ErrorAt(source, lineNumber,
                    "vessel '" + std::string(name) + "' is already listed at line " +
                        std::to_string(known->second));
    }
    blocks.push_back(ScenarioBlock{std::string(name), std::string(className), lineNumber, {}, {}});
    inBlock = true;
  }
  if (inBlock) {
    const ScenarioBlock& open = blocks.back();
    throw ErrorAt(source, open.line, "the block of vessel '" + open.name + "' has no END line");
  }
  return blocks;
}

std::vector<VesselRecord*> LoadScenario(const std::vector<ScenarioBlock>& blocks,
                                        const std::string& source) {
  std::vector<VesselRecord*> created;
  const auto undo = [&created] {
    for (auto vessel = created.rbegin(); vessel != created.rend(); ++vessel) {
      DeleteVessel(**vessel);
    }
  };
  const bool focusGiven = std::any_of(blocks.begin(), blocks.end(), HasFocusLine);
  for (const ScenarioBlock& block : blocks) {
    VesselRecord* vessel = nullptr;
    try {
      vessel = CreateVessel(block.name, block.className);
    } catch (const std::exception& error) {
      undo();
      throw ErrorAt(source, block.line, error.what());
    }
    if (vessel == nullptr) {
      undo();
      throw ErrorAt(source, block.line, "a vessel named '" + block.name + "' exists already");
    }
    created.push_back(vessel);
    if (created.size() == 1 && !focusGiven) {
      Host().focus = vessel;
    }
    LoadState(*vessel, block.lines);
  }
  return created;
}

std::vector<ScenarioBlock> ReadScenarioFile(const std::string& path, const std::string& source) {
  const std::string& name = source.empty() ? path : source;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw std::runtime_error(name + ": cannot read the scenario file");
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<ScenarioBlock> blocks = ParseScenario(text.str(), name);
  if (blocks.empty()) {
    throw std::runtime_error(name + ": the scenario lists no vessel");
  }
  return blocks;
}

std::vector<VesselRecord*> LoadScenarioFile(const std::string& path) {
  return LoadScenario(ReadScenarioFile(path), path);
}

std::string ScenarioText() {
  std::string text;
  for (VesselRecord* vessel : Vessels()) {
    if (!ValidName(vessel->name) || !ValidClass(vessel->className)) {
      throw std::runtime_error("vessel '" + vessel->name + "' of class '" + vessel->className +
                               "' cannot be written to a scenario: its name or class would not "
                               "read back");
    }
    text += vessel->name + ":" + vessel->className + "\n";
    for (const std::string& line : SaveState(*vessel)) {
      text += OneLine(line) + "\n";
    }
    text += "END\n";
  }
  return text;
}

void SaveScenarioFile(const std::string& path) {
  WriteFileAtomically(path, ScenarioText());
}

VesselRecord* FocusVessel() {
  return vantor::FocusVessel();
}

}  // namespace vantor::sim
