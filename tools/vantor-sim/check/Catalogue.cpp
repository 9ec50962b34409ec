#include "check/Catalogue.h"

#include <algorithm>

#include "config/ProfileIndex.h"

namespace check {
namespace {

using K = ValueKind;

constexpr const char* kNoEffect = "the module reads it but nothing uses it";

std::vector<KeyRule> FlameKeys() {
  return {{"LENGTH", K::Scalar}, {"WIDTH", K::Scalar}, {"OFF", K::Vector}, {"DIR", K::Vector}};
}

std::vector<KeyRule> SurfaceKeys() {
  return {{"SEQ", K::Integer}, {"OFFSET", K::Vector}, {"AREA", K::Scalar}, {"LIFT", K::Scalar}};
}

std::vector<KeyRule> AirfoilKeys() {
  return {{"WING_EFFICIENCY", K::Scalar},
          {"ASPECT_RATIO", K::Scalar},
          {"OFFSET", K::Vector},
          {"AREA", K::Scalar},
          {"CHORD", K::Scalar}};
}

Catalogue MakeAircraftCatalogue() {
  Catalogue c;
  c.sections.push_back({"CONFIG",
                        false,
                        0,
                        nullptr,
                        {{"MESHNAME", K::Text, 45},
                         {"SIZE", K::Scalar},
                         {"EMPTY_MASS", K::Scalar},
                         {"FUEL_MASS", K::Scalar},
                         {"COG", K::Scalar},
                         {"CROSS_SECTION", K::Vector},
                         {"ROT_DRAG", K::Vector},
                         {"PITCH_MOMENT_SCALE", K::Scalar},
                         {"BANK_MOMENT_SCALE", K::Scalar},
                         {"PMI", K::Vector},
                         {"TRIM", K::Scalar},
                         {"CAMERA", K::Vector},
                         {"VISIBLE", K::Integer},
                         {"LAND_PT1", K::Vector},
                         {"LAND_PT2", K::Vector},
                         {"LAND_PT3", K::Vector},
                         {"ISP", K::Scalar},
                         {"BURN_ISP", K::Scalar},
                         {"MAIN_THRUST", K::Scalar},
                         {"BURN_THRUST", K::Scalar},
                         {"RETRO_THRUST", K::Scalar, 0, kNoEffect},
                         {"HOVER_THUST", K::Scalar, 0, kNoEffect},
                         {"ATTITUDE_THRUST", K::Scalar, 0, kNoEffect}}});
  c.sections.push_back(
      {"AUTOPILOT",
       false,
       0,
       nullptr,
       {{"MAX_BANK", K::Scalar},
        {"DAMP_BANK", K::Scalar},
        {"DAMP_ELEVATOR", K::Scalar},
        {"ELEVATOR_ASSIST", K::Vector},
        {"RATE_THRESHOLD", K::Scalar, 0, "the module reads it but no channel uses it"},
        {"ROC", K::Scalar},
        {"ROD", K::Scalar},
        {"PITCH_LIMIT_UP", K::Scalar},
        {"PITCH_LIMIT_DOWN", K::Scalar},
        {"ELEVATOR_LIMIT", K::Scalar},
        {"RUDDER_LIMIT", K::Scalar}}});
  c.sections.push_back(
      {"AIRCRAFT",
       false,
       0,
       nullptr,
       {{"FLIGHT_MODEL", K::Integer},
        {"CEILING", K::Scalar},
        {"EFFICIENCY", K::Scalar},
        {"EXHAUST_TEXTURE", K::Text, 63},
        {"BURNER_TEXTURE", K::Text, 63},
        {"WING_EFFICIENCY", K::Scalar},
        {"ASPECT_RATIO", K::Scalar},
        {"WAVE_DRAG", K::Scalar},
        {"MACH_NUMBERS", K::Vector},
        {"WING_ANGLE", K::Scalar, 0, "the module stores it but no computation uses it"},
        {"ROTATIONAL_DRAG", K::Vector}}});
  c.sections.push_back({"EX_MAIN_", true, 10, "main-engine flames", FlameKeys()});
  c.sections.push_back({"EX_BURN_", true, 10, "afterburner flames", FlameKeys()});
  c.sections.push_back({"DOCK_",
                        true,
                        5,
                        "docking ports",
                        {{"DIR", K::Vector}, {"POS", K::Vector}, {"ROT", K::Vector}}});
  c.sections.push_back({"PAYLOAD_",
                        true,
                        10,
                        "payloads",
                        {{"MASS", K::Scalar},
                         {"OFF", K::Vector},
                         {"SPEED", K::Vector},
                         {"ROT_SPEED", K::Vector},
                         {"MESHNAME", K::Text, 31},
                         {"NAME", K::Text, 31},
                         {"MODULE", K::Text, 31}}});
  c.sections.push_back({"ANIM_SEQ_",
                        true,
                        10,
                        "animation sequences",
                        {{"KEY", K::KeyLetter},
                         {"DURATION", K::Scalar},
                         {"INITIAL", K::Scalar},
                         {"INCREMENT", K::Scalar},
                         {"QFACTOR", K::Scalar},
                         {"OFFSET", K::Vector},
                         {"NAME", K::Text, 23}}});
  c.sections.push_back({"ANIM_COMP_",
                        true,
                        20,
                        "animation components",
                        {{"GROUPS", K::IntList, 10},
                         {"SEQ", K::Integer},
                         {"ANGLE", K::Scalar},
                         {"ROT_PNT", K::Vector},
                         {"ROT_AXIS", K::Vector},
                         {"SHIFT", K::Vector},
                         {"SCALE", K::Vector},
                         {"TYPE", K::Text, 254},
                         {"RANGE", K::Range},
                         {"REF", K::Vector},
                         {"INIT_STATE", K::Scalar, 0, kNoEffect}}});
  c.sections.push_back({"ELEVATOR", false, 0, nullptr, SurfaceKeys()});
  c.sections.push_back({"RUDDER", false, 0, nullptr, SurfaceKeys()});
  c.sections.push_back({"FLAPS", false, 0, nullptr, SurfaceKeys()});
  c.sections.push_back({"AILERON",
                        false,
                        0,
                        nullptr,
                        {{"LSEQ", K::Integer},
                         {"RSEQ", K::Integer},
                         {"AREA", K::Scalar},
                         {"LIFT", K::Scalar},
                         {"LEFT_OFFSET", K::Vector},
                         {"RIGHT_OFFSET", K::Vector}}});
  c.sections.push_back({"STEERING",
                        false,
                        0,
                        nullptr,
                        {{"SEQ", K::Integer},
                         {"FACTOR", K::Scalar},
                         {"FRICTION", K::Vector},
                         {"SPEED", K::Scalar}}});
  c.sections.push_back(
      {"BRAKES", false, 0, nullptr, {{"FACTOR", K::Scalar}, {"KEY", K::KeyLetter}}});
  c.sections.push_back({"WING", false, 0, nullptr, AirfoilKeys()});
  c.sections.push_back({"FIN", false, 0, nullptr, AirfoilKeys()});
  for (const char* table : {"VLIFT", "HLIFT"}) {
    c.sections.push_back(
        {table, false, 0, nullptr, {{"USER_DRAG", K::Integer}, {"ZERO_DRAG", K::Scalar}}, true});
  }
  return c;
}

Catalogue MakeFlightPlanCatalogue() {
  constexpr const char* kStoredOnly = "the module stores it but does not use it in flight";
  Catalogue c;
  c.sections.push_back({"GENERAL", false, 0, nullptr, {{"Description", K::Text, 79}}});
  c.sections.push_back({"WAYPOINT_",
                        true,
                        20,
                        "waypoints",
                        {{"DESCRIPTION", K::Text, 31},
                         {"POSITION", K::Vector},
                         {"SPEED", K::Scalar, 0, kStoredOnly},
                         {"FLAPS", K::Scalar, 0, kStoredOnly},
                         {"BRAKES", K::Scalar, 0, kStoredOnly},
                         {"THROTTLE", K::Scalar},
                         {"PROXIMITY", K::Scalar},
                         {"Course", K::Scalar}}});
  return c;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::optional<unsigned> IndexAfter(std::string_view name, std::string_view prefix) {
  if (name.size() <= prefix.size() || !SameProfileName(name.substr(0, prefix.size()), prefix)) {
    return std::nullopt;
  }
  const std::string_view digits = name.substr(prefix.size());
  if (digits.size() > 9 || (digits.size() > 1 && digits.front() == '0')) {
    return std::nullopt;
  }
  unsigned index = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    index = index * 10 + static_cast<unsigned>(c - '0');
  }
  return index;
}

std::optional<Catalogue::Match> Catalogue::FindSection(std::string_view name) const {
  for (const SectionRule& rule : sections) {
    if (!rule.numbered && SameProfileName(name, rule.name)) {
      return Match{&rule, std::nullopt};
    }
    if (rule.numbered) {
      if (auto index = IndexAfter(name, rule.name)) {
        return Match{&rule, index};
      }
    }
  }
  return std::nullopt;
}

const KeyRule* Catalogue::FindKey(const SectionRule& rule, std::string_view key) {
  for (const KeyRule& known : rule.keys) {
    if (SameProfileName(key, known.name)) {
      return &known;
    }
  }
  return nullptr;
}

std::optional<unsigned> Catalogue::PointIndex(std::string_view key) {
  return IndexAfter(key, "PT");
}

std::vector<std::string> Catalogue::SectionNames() const {
  std::vector<std::string> names;
  for (const SectionRule& rule : sections) {
    names.push_back(rule.numbered ? std::string(rule.name) + "0" : rule.name);
  }
  return names;
}

const Catalogue& AircraftCatalogue() {
  static const Catalogue catalogue = MakeAircraftCatalogue();
  return catalogue;
}

const Catalogue& FlightPlanCatalogue() {
  static const Catalogue catalogue = MakeFlightPlanCatalogue();
  return catalogue;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
  // Optimal string alignment: a swap of two neighbouring letters counts as one edit, the most
  // common slip of the fingers. Three rows suffice: the current one and the two before it.
  const std::size_t width = b.size() + 1;
  std::vector<std::size_t> rows(3 * width);
  auto d = [&](std::size_t i, std::size_t j) -> std::size_t& { return rows[(i % 3) * width + j]; };
  for (std::size_t j = 0; j <= b.size(); ++j) {
    d(0, j) = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    d(i, 0) = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
      d(i, j) = std::min({d(i - 1, j) + 1, d(i, j - 1) + 1, d(i - 1, j - 1) + cost});
      if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) &&
          Lower(a[i - 2]) == Lower(b[j - 1])) {
        d(i, j) = std::min(d(i, j), d(i - 2, j - 2) + 1);
      }
    }
  }
  return d(a.size(), b.size());
}

std::string NearestName(std::string_view name, const std::vector<std::string>& names) {
  // A third of the name may be wrong, at least one character: catches typos and swapped
  // letters without suggesting unrelated short names.
  const std::size_t allowed = std::max<std::size_t>(1, name.size() / 3);
  std::string best;
  std::size_t bestDistance = allowed + 1;
  for (const std::string& candidate : names) {
    // The distance is at least the difference in length: most names are settled by that.
    const std::size_t shorter = std::min(name.size(), candidate.size());
    if (std::max(name.size(), candidate.size()) - shorter >= bestDistance) {
      continue;
    }
    const std::size_t distance = EditDistance(name, candidate);
    if (distance < bestDistance) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace check
