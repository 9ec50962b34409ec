#include "Preflight.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "Command.h"
#include "check/Check.h"
#include "vantor/sim/Simulation.h"

namespace {

namespace fs = std::filesystem;

// Where the aircraft module looks for its files, relative to the simulator root.
constexpr const char* kAircraftFolder = "Config/Aircraft";
constexpr const char* kPlanFolder = "Config/Aircraft/FlightPlans";
constexpr const char* kPlanKeyword = "FLIGHTPLAN";

std::string At(const std::string& source, int line) {
  return source + ":" + std::to_string(line);
}

std::string Lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

// Letters to insert, delete or change to turn a into b, ignoring case.
std::size_t EditDistance(const std::string& a, const std::string& b) {
  const std::string x = Lower(a);
  const std::string y = Lower(b);
  std::vector<std::size_t> row(y.size() + 1);
  for (std::size_t j = 0; j <= y.size(); ++j) {
    row[j] = j;
  }
  for (std::size_t i = 1; i <= x.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= y.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[y.size()];
}

// " (did you mean 'X'?)" for the name in the folder closest to a typo of it, else nothing.
std::string Suggestion(const std::string& name, const fs::path& folder,
                       const std::string& extension) {
  std::string best;
  std::size_t bestDistance = std::max<std::size_t>(2, name.size() / 3) + 1;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const fs::path& path = entry->path();
    if (path.extension() != extension || !entry->is_regular_file(error)) {
      continue;
    }
    const std::string candidate = path.stem().string();
    const std::size_t distance = EditDistance(name, candidate);
    if (distance < bestDistance || (distance == bestDistance && candidate < best)) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best.empty() ? "" : " (did you mean '" + best + "'?)";
}

bool IsReadableFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error) && std::ifstream(path, std::ios::binary).good();
}

// The plan a FLIGHTPLAN line loads, read as the module reads it: the keyword in any case at
// the start of the line, then the value's first word. Empty when the line loads none.
std::string PlanOfLine(const std::string& line) {
  const std::string keyword = kPlanKeyword;
  if (line.size() < keyword.size() || Lower(line.substr(0, keyword.size())) != Lower(keyword)) {
    return "";
  }
  std::size_t start = keyword.size();
  while (start < line.size() && std::isspace(static_cast<unsigned char>(line[start]))) {
    ++start;
  }
  std::size_t end = start;
  while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end]))) {
    ++end;
  }
  return line.substr(start, end - start);
}

struct Finding {
  int line;
  bool error;
  std::string text;
};

void CheckVessel(const vantor::sim::ScenarioBlock& block, const vantor::VesselRecord& vessel,
                 const std::string& root, bool physics, std::vector<Finding>& found) {
  const std::string name = "vessel '" + vessel.name + "'";
  const bool aircraft = vessel.module != nullptr && vessel.className == kAircraftClass;
  if (!vessel.className.empty() && vessel.module == nullptr) {
    const fs::path library = vantor::sim::ModulePath(vessel.className);
    found.push_back(
        {block.line, true,
         name + " has class '" + vessel.className + "', but there is no module " +
             library.filename().string() + " in " + library.parent_path().string() +
             Suggestion(vessel.className, library.parent_path(), library.extension().string())});
  }
  if (aircraft) {
    const fs::path file = fs::path(kAircraftFolder) / (vessel.name + ".ini");
    const std::string missing = MissingAircraft(vessel.name);
    if (!missing.empty()) {
      found.push_back({block.line, true, missing});
    } else {
      // The file's own faults, as the author's check sees them, come before the run's.
      std::fflush(stdout);
      CheckAircraftFile(root, vessel.name, stderr, true);
      if (physics && !(vessel.emptyMass > 0.0)) {
        found.push_back({block.line, true,
                         name + " was set up without mass (EMPTY_MASS in " + file.generic_string() +
                             "): the physics cannot fly it"});
      }
    }
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
      const std::string plan = PlanOfLine(block.lines[i]);
      const std::string missing = plan.empty() ? "" : MissingPlan(plan);
      if (!missing.empty()) {
        found.push_back({block.lineNumbers[i], true, missing});
      }
    }
  }
  // The host keeps, in order, every line neither it nor the module used.
  std::vector<std::pair<int, std::string>> unused;
  std::size_t next = 0;
  for (const std::string& line : vessel.unknownScenarioLines) {
    while (next < block.lines.size() && block.lines[next] != line) {
      ++next;
    }
    unused.emplace_back(next < block.lines.size() ? block.lineNumbers[next++] : block.line, line);
  }
  if (unused.empty()) {
    return;
  }
  // A vessel that cannot be what its block says uses few of its lines; the error above says
  // why, so one line lists them.
  const bool blockError = std::any_of(found.begin(), found.end(), [&block](const Finding& finding) {
    return finding.error && finding.line == block.line;
  });
  if (blockError) {
    std::string lines;
    std::string words;
    for (const auto& [number, text] : unused) {
      lines += (lines.empty() ? "" : ", ") + std::to_string(number);
      words += (words.empty() ? "" : " ") + text.substr(0, text.find_first_of(" \t"));
    }
    found.push_back({unused.front().first, false,
                     name + " has no use for lines " + lines + " (" + words +
                         "); they are kept and saved as they are"});
    return;
  }
  const std::string why = vessel.module == nullptr ? " (a vessel without a module)" : "";
  for (const auto& [number, text] : unused) {
    found.push_back({number, false,
                     name + why + " has no use for '" + text + "'; it is kept and saved as it is"});
  }
}

}  // namespace

void Findings::Error(const std::string& where, const std::string& text) {
  ++errors_;
  std::fprintf(out_, "%s: error: %s\n", where.c_str(), text.c_str());
}

void Findings::Warning(const std::string& where, const std::string& text) {
  std::fprintf(out_, "%s: warning: %s\n", where.c_str(), text.c_str());
}

void CheckScenarioVessels(const std::vector<vantor::sim::ScenarioBlock>& blocks,
                          const std::vector<vantor::VesselRecord*>& vessels,
                          const std::string& source, const std::string& root, bool physics,
                          Findings& findings) {
  const std::size_t count = std::min(blocks.size(), vessels.size());
  for (std::size_t v = 0; v < count; ++v) {
    std::vector<Finding> found;
    CheckVessel(blocks[v], *vessels[v], root, physics, found);
    std::stable_sort(found.begin(), found.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    for (const Finding& finding : found) {
      if (finding.error) {
        findings.Error(At(source, finding.line), finding.text);
      } else {
        findings.Warning(At(source, finding.line), finding.text);
      }
    }
  }
}

std::string MissingPlan(const std::string& name) {
  const fs::path file = fs::path(kPlanFolder) / (name + ".ini");
  if (IsReadableFile(file)) {
    return "";
  }
  return "flight plan '" + name + "' not found: " + file.generic_string() + " cannot be read" +
         Suggestion(name, kPlanFolder, ".ini");
}

std::string MissingAircraft(const std::string& name) {
  const fs::path file = fs::path(kAircraftFolder) / (name + ".ini");
  if (IsReadableFile(file)) {
    return "";
  }
  return "vessel '" + name + "' cannot be set up: its aircraft file " + file.generic_string() +
         " cannot be read" + Suggestion(name, kAircraftFolder, ".ini");
}
