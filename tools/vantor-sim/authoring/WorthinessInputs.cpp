#include "authoring/WorthinessInputs.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "check/IniDocument.h"

namespace authoring {

namespace {

namespace fs = std::filesystem;

// The module's rules: MAX_BANK of 0 or less (or no number) is 20 degrees; a waypoint without
// PROXIMITY arrives within 1000 m; plans have at most 20 waypoints.
constexpr double kDefaultBank = 20.0;
constexpr double kDefaultProximity = 1000.0;
constexpr int kMaxWaypoints = 20;

double LeadingNumber(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

}  // namespace

WorthinessInputs ReadWorthinessInputs(const std::string& root, const std::string& name) {
  WorthinessInputs inputs;
  const fs::path folder = fs::path(root) / "Config" / "Aircraft";
  if (const auto aircraft = check::IniDocument::Load(folder / (name + ".ini"))) {
    if (const check::IniEntry* bank = aircraft->Find("AUTOPILOT", "MAX_BANK")) {
      const double value = LeadingNumber(bank->value);
      inputs.maxBank = value > 0.0 ? value : kDefaultBank;
    }
  }
  std::vector<double> radii;
  std::error_code error;
  for (fs::directory_iterator entry(folder / "FlightPlans", error), end; !error && entry != end;
       entry.increment(error)) {
    if (entry->path().extension() != ".ini") {
      continue;
    }
    const auto plan = check::IniDocument::Load(entry->path());
    for (int i = 0; plan && i < kMaxWaypoints; ++i) {
      const std::string section = "WAYPOINT_" + std::to_string(i);
      if (plan->Find(section, "DESCRIPTION") == nullptr ||
          plan->Find(section, "POSITION") == nullptr) {
        break;
      }
      const check::IniEntry* proximity = plan->Find(section, "PROXIMITY");
      radii.push_back(proximity != nullptr ? LeadingNumber(proximity->value) : kDefaultProximity);
    }
  }
  if (!radii.empty()) {
    std::nth_element(radii.begin(), radii.begin() + radii.size() / 2, radii.end());
    inputs.typicalProximity = radii[radii.size() / 2];
  }
  return inputs;
}

}  // namespace authoring
