#include "authoring/WorthinessInputs.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "config/ProfileIndex.h"

namespace authoring {

namespace {

namespace fs = std::filesystem;

// The module's rules: MAX_BANK of 0 or less (or no number) is 20 degrees; a waypoint without
// PROXIMITY arrives within 1000 m; plans have at most 20 waypoints.
constexpr double kDefaultBank = 20.0;
constexpr double kDefaultProximity = 1000.0;
constexpr int kMaxWaypoints = 20;

double LeadingNumber(std::string_view text) {
  return std::strtod(std::string(text).c_str(), nullptr);
}

// A positive setting replaces the default, as the module takes it.
void ReadPositive(const ProfileIndex& file, const char* key, double& value) {
  if (const ProfileIndex::Entry* entry = file.Find("AUTOPILOT", key)) {
    if (const double number = LeadingNumber(entry->value); number > 0.0) {
      value = number;
    }
  }
}

// ELEVATOR_ASSIST=(upper, lower, gain): taken whole when all three numbers are there.
void ReadAssist(const ProfileIndex& file, WorthinessInputs& inputs) {
  const ProfileIndex::Entry* entry = file.Find("AUTOPILOT", "ELEVATOR_ASSIST");
  if (entry == nullptr) {
    return;
  }
  std::string text(entry->value);
  for (char& c : text) {
    c = c == '(' || c == ')' || c == ',' ? ' ' : c;
  }
  double values[3] = {0.0, 0.0, 0.0};
  const char* cursor = text.c_str();
  for (double& value : values) {
    char* end = nullptr;
    value = std::strtod(cursor, &end);
    if (end == cursor) {
      return;
    }
    cursor = end;
  }
  inputs.assistUpper = values[0];
  inputs.assistLower = values[1];
  inputs.assistGain = values[2];
}

}  // namespace

WorthinessInputs ReadWorthinessInputs(const std::string& root, const std::string& name) {
  WorthinessInputs inputs;
  const fs::path folder = fs::path(root) / "Config" / "Aircraft";
  if (const auto aircraft = ProfileIndex::Load((folder / (name + ".ini")).string().c_str())) {
    if (const ProfileIndex::Entry* bank = aircraft->Find("AUTOPILOT", "MAX_BANK")) {
      const double value = LeadingNumber(bank->value);
      inputs.maxBank = value > 0.0 ? value : kDefaultBank;
    }
    ReadPositive(*aircraft, "PITCH_LIMIT_UP", inputs.pitchLimitUp);
    ReadPositive(*aircraft, "PITCH_LIMIT_DOWN", inputs.pitchLimitDown);
    if (const ProfileIndex::Entry* damp = aircraft->Find("AUTOPILOT", "DAMP_ELEVATOR")) {
      if (const double value = LeadingNumber(damp->value); value != 0.0) {
        inputs.dampElevator = value;
      }
    }
    ReadAssist(*aircraft, inputs);
  }
  std::vector<double> radii;
  std::error_code error;
  for (fs::directory_iterator entry(folder / "FlightPlans", error), end; !error && entry != end;
       entry.increment(error)) {
    if (entry->path().extension() != ".ini") {
      continue;
    }
    const auto plan = ProfileIndex::Load(entry->path().string().c_str());
    for (int i = 0; plan && i < kMaxWaypoints; ++i) {
      const std::string section = "WAYPOINT_" + std::to_string(i);
      if (plan->Find(section, "DESCRIPTION") == nullptr ||
          plan->Find(section, "POSITION") == nullptr) {
        break;
      }
      if (const ProfileIndex::Entry* throttle = plan->Find(section, "THROTTLE")) {
        const double level = LeadingNumber(throttle->value);
        const ProfileIndex::Entry* position = plan->Find(section, "POSITION");
        std::string place(position->value);
        for (char& c : place) {
          c = c == '(' || c == ')' || c == ',' ? ' ' : c;
        }
        double altitude = 0.0;
        std::istringstream(place) >> altitude >> altitude >> altitude;
        const PlanLeg leg{altitude, level};
        const bool known = std::any_of(inputs.legs.begin(), inputs.legs.end(), [&](const auto& l) {
          return l.altitude == leg.altitude && l.throttle == leg.throttle;
        });
        if (level != -1.0 && !known) {
          inputs.legs.push_back(leg);
        }
      }
      const ProfileIndex::Entry* proximity = plan->Find(section, "PROXIMITY");
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
