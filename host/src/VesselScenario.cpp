// The host's own lines in a vessel's scenario block: where the vessel is, how it flies, its
// fuel and throttle, and whether it has the input focus. The grammar is in
// docs/scenario-format.md. Lines the host does not know are kept and written back, so a file
// loses nothing by being loaded and saved; lines of the vessel module are left to the module.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "CallLog.h"
#include "Geometry.h"
#include "HostState.h"
#include "ScenarioLoadStatus.h"
#include "vantor/Vessel.h"
#include "vantor/sim/ScenarioStream.h"
#include "vantor/sim/VesselRecord.h"

namespace {

using vantor::FlightState;
using vantor::VesselRecord;
namespace log = vantor::log;

constexpr double kDegree = std::numbers::pi / 180.0;

// Beyond this an altitude or speed, turned into a position or velocity and back, no longer
// comes back to the millimetre it is saved with, so a saved scenario would not restore it.
constexpr double kLargestDistanceOrSpeed = 1e9;

// Lines whose first word is one of these (any case) are the aircraft module's: the host
// leaves them to a vessel with a module, so that the module's own SaveState is their only
// writer. A vessel without a module keeps them as unknown lines. No host keyword is one.
constexpr const char* kModuleKeywords[] = {"CURRENT_PAYLOAD", "SEQ",        "AUTOPILOT", "ALTITUDE",
                                           "HEADING",         "FLIGHTPLAN", "WAYPOINT"};

bool StartsWithIgnoringCase(const char* text, const char* prefix) {
  for (; *prefix != '\0'; ++text, ++prefix) {
    if (*text == '\0' || std::toupper(static_cast<unsigned char>(*text)) !=
                             std::toupper(static_cast<unsigned char>(*prefix))) {
      return false;
    }
  }
  return true;
}

bool IsBlank(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

const char* SkipBlanks(const char* text) {
  while (*text != '\0' && IsBlank(*text)) {
    ++text;
  }
  return text;
}

// Whether the line's first word is the keyword (any case); value points past the word.
bool FirstWordIs(const char* line, const char* keyword, const char*& value) {
  if (!StartsWithIgnoringCase(line, keyword)) {
    return false;
  }
  const char* end = line + std::strlen(keyword);
  if (*end != '\0' && !IsBlank(*end)) {
    return false;
  }
  value = SkipBlanks(end);
  return true;
}

bool IsModuleLine(const char* line) {
  const char* value = nullptr;
  for (const char* keyword : kModuleKeywords) {
    if (FirstWordIs(line, keyword, value)) {
      return true;
    }
  }
  return false;
}

// Finite numbers only: a scenario never places a vessel at infinity.
bool ReadNumber(const char*& text, double& value) {
  char* end = nullptr;
  const double number = std::strtod(text, &end);
  if (end == text || !std::isfinite(number)) {
    return false;
  }
  value = number;
  text = end;
  return true;
}

// The line is the number and nothing else but blanks.
bool ReadOnlyNumber(const char* text, double& value) {
  double number = 0.0;
  if (!ReadNumber(text, number) || *SkipBlanks(text) != '\0') {
    return false;
  }
  value = number;
  return true;
}

vantor::ThrusterGroupRecord* NewestMainGroup(const VesselRecord& record) {
  for (auto group = record.thrusterGroups.rbegin(); group != record.thrusterGroups.rend();
       ++group) {
    if ((*group)->type == THGROUP_MAIN && !(*group)->thrusters.empty()) {
      return group->get();
    }
  }
  return nullptr;
}

vantor::PropellantRecord* MainTank(const VesselRecord& record) {
  if (record.propellants.empty() || record.propellants.front()->maxMass <= 0.0) {
    return nullptr;
  }
  return record.propellants.front().get();
}

double FuelFraction(const vantor::PropellantRecord& tank) {
  // A mass of -1 is the "full" the module may ask for at creation.
  const double mass = tank.mass < 0.0 ? tank.maxMass : tank.mass;
  return mass / tank.maxMass;
}

// "%.Nf" of the value, without the sign of a value that rounds to zero ("-0.0000").
std::string Fixed(double value, int decimals) {
  char text[400];  // room for any finite double
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string result = text;
  if (result[0] == '-' && result.find_first_of("123456789") == std::string::npos) {
    result.erase(0, 1);
  }
  return result;
}

double Clamp01(double value) {
  return value < 0.0 ? 0.0 : value > 1.0 ? 1.0 : value;
}

// Applies a host line; false when the line is not one the host can take. Placement lines only
// gather into the load's placement: the host places the vessel once the block has been read.
bool ApplyHostLine(vantor::ScenarioLoadStatus& load, const char* line) {
  VesselRecord& record = *load.vessel;
  vantor::sim::Placement& placement = load.placement;
  const char* value = nullptr;
  double number = 0.0;
  if (FirstWordIs(line, "STATUS", value)) {
    const bool flying = StartsWithIgnoringCase(value, "Flying");
    const bool landed = StartsWithIgnoringCase(value, "Landed");
    if ((!flying && !landed) || *SkipBlanks(value + 6) != '\0') {
      return false;
    }
    placement.landed = landed;
    load.placementGiven = true;
    return true;
  }
  if (FirstWordIs(line, "POS", value)) {
    double longitude = 0.0;
    double latitude = 0.0;
    if (!ReadNumber(value, longitude) || !ReadOnlyNumber(value, latitude) ||
        std::fabs(latitude) > 90.0) {
      return false;
    }
    placement.longitudeDeg = longitude;
    placement.latitudeDeg = latitude;
    load.placementGiven = true;
    return true;
  }
  struct PlacementLine {
    const char* keyword;
    double vantor::sim::Placement::*field;
    double largest;  // magnitude; angles wrap, so any finite one will do
  };
  static constexpr PlacementLine kPlacementLines[] = {
      {"ALT", &vantor::sim::Placement::altitude, kLargestDistanceOrSpeed},
      {"HDG", &vantor::sim::Placement::headingDeg, HUGE_VAL},
      {"PITCH", &vantor::sim::Placement::pitchDeg, HUGE_VAL},
      {"BANK", &vantor::sim::Placement::bankDeg, HUGE_VAL},
      {"SPEED", &vantor::sim::Placement::airspeed, kLargestDistanceOrSpeed},
  };
  for (const PlacementLine& entry : kPlacementLines) {
    if (FirstWordIs(line, entry.keyword, value)) {
      if (!ReadOnlyNumber(value, number) || std::fabs(number) > entry.largest) {
        return false;
      }
      placement.*entry.field = number;
      load.placementGiven = true;
      return true;
    }
  }
  if (FirstWordIs(line, "FUEL", value)) {
    vantor::PropellantRecord* tank = MainTank(record);
    if (tank == nullptr || !ReadOnlyNumber(value, number)) {
      return false;
    }
    tank->mass = Clamp01(number) * tank->maxMass;
    return true;
  }
  if (FirstWordIs(line, "THROTTLE", value)) {
    vantor::ThrusterGroupRecord* group = NewestMainGroup(record);
    if (group == nullptr || !ReadOnlyNumber(value, number)) {
      return false;
    }
    for (vantor::ThrusterRecord* thruster : group->thrusters) {
      thruster->level = Clamp01(number);
    }
    return true;
  }
  if (FirstWordIs(line, "FOCUS", value)) {
    vantor::Host().focus = &record;
    return true;
  }
  return false;
}

}  // namespace

void VESSEL::ParseScenarioLineEx(char* line, void* status) const {
  log::Call("ParseScenarioLineEx", log::Quoted{line}, log::Pointer{status});
  if (line == nullptr) {
    return;
  }
  const char* text = SkipBlanks(line);
  const auto* load = static_cast<const vantor::ScenarioLoadStatus*>(status);
  const bool moduleReads = load == nullptr || !load->withoutModule;
  if (*text == '\0' || (moduleReads && IsModuleLine(text))) {
    return;
  }
  bool applied = false;
  if (status != nullptr) {
    applied = ApplyHostLine(*static_cast<vantor::ScenarioLoadStatus*>(status), text);
  } else {
    // Without the host's load in progress (a test may call this directly) the line takes
    // effect at once.
    vantor::ScenarioLoadStatus load(*handle_);
    applied = ApplyHostLine(load, text);
    vantor::FinishScenarioLoad(load);
  }
  if (!applied) {
    handle_->unknownScenarioLines.emplace_back(text);
  }
}

void VESSEL::SaveDefaultState(FILEHANDLE scenario) const {
  log::Call("SaveDefaultState", log::Handle{"file", scenario});
  if (scenario == nullptr) {
    return;
  }
  const VesselRecord& record = *handle_;
  const FlightState& state = record.state;
  std::vector<std::string>& out = scenario->written;
  out.emplace_back(state.groundContact ? "STATUS Landed" : "STATUS Flying");
  out.push_back("POS " + Fixed(state.longitude / kDegree, 8) + " " +
                Fixed(state.latitude / kDegree, 8));
  out.push_back("ALT " + Fixed(state.altitude, 3));
  // A pitch saved as straight up or down reads back as exactly that, where heading and bank
  // are one turn: the whole turn is saved as heading, so that it reads back as it was.
  const std::string pitch = Fixed(state.pitch / kDegree, 4);
  const bool noseVertical = pitch == "90.0000" || pitch == "-90.0000";
  const double heading =
      (noseVertical ? vantor::HeadingWithNoseVertical(state) : state.heading) / kDegree;
  // A heading a hair below 2 pi would print as 360.0000; the file says 0 for north.
  out.push_back("HDG " + Fixed(heading >= 359.99995 ? heading - 360.0 : heading, 4));
  out.push_back("PITCH " + pitch);
  // Upside down is +180 or -180 as rounding falls; the file says 180.
  const std::string bank = Fixed(noseVertical ? 0.0 : state.bank / kDegree, 4);
  out.push_back("BANK " + (bank == "-180.0000" ? std::string("180.0000") : bank));
  out.push_back("SPEED " + Fixed(state.airspeed, 3));
  if (const vantor::PropellantRecord* tank = MainTank(record)) {
    out.push_back("FUEL " + Fixed(FuelFraction(*tank), 6));
  }
  if (const vantor::ThrusterGroupRecord* group = NewestMainGroup(record)) {
    out.push_back("THROTTLE " + Fixed(group->thrusters.front()->level, 6));
  }
  if (vantor::FocusVessel() == &record) {
    out.emplace_back("FOCUS");
  }
  out.insert(out.end(), record.unknownScenarioLines.begin(), record.unknownScenarioLines.end());
}
