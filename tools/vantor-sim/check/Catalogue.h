// The sections and keys each kind of file may hold, with the kind of each value. The numbered
// sections ("EX_MAIN_%u", ...) and the lift-table points ("PT%u") are families: a name of the
// family with any index is known, and the list checks say which indices are read.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace check {

enum class ValueKind { Integer, Scalar, Vector, Range, Point, Text, IntList, KeyLetter };

struct KeyRule {
  const char* name;
  ValueKind kind;
  std::size_t capacity = 0;       // texts: characters kept; integer lists: entries kept
  const char* ignored = nullptr;  // read but without effect: why
};

struct SectionRule {
  const char* name;    // "CONFIG", or a family prefix "EX_MAIN_"
  bool numbered;       // a family: the prefix followed by a decimal index
  int capacity;        // families: how many entries the module reads
  const char* listOf;  // families: what the entries are, for messages ("main-engine flames")
  std::vector<KeyRule> keys;
  bool hasPoints = false;  // PT0 ... PT18
};

struct Catalogue {
  std::vector<SectionRule> sections;

  // The section rule of a name and, for families, the index it carries.
  struct Match {
    const SectionRule* rule;
    std::optional<unsigned> index;
  };
  std::optional<Match> FindSection(std::string_view name) const;
  static const KeyRule* FindKey(const SectionRule& rule, std::string_view key);
  // The point index of "PT%u" (no sign, no leading zeros), if the key is one.
  static std::optional<unsigned> PointIndex(std::string_view key);

  // Names for suggestions: fixed sections, family names with index 0.
  std::vector<std::string> SectionNames() const;
};

const Catalogue& AircraftCatalogue();
const Catalogue& FlightPlanCatalogue();

// Edit distance (insertions, deletions, substitutions, swaps of neighbours), ignoring ASCII case.
std::size_t EditDistance(std::string_view a, std::string_view b);
// The nearest of the names when it is close enough to be a misspelling, else empty.
std::string NearestName(std::string_view name, const std::vector<std::string>& names);

// The decimal index after a family prefix: digits only, no leading zeros.
std::optional<unsigned> IndexAfter(std::string_view name, std::string_view prefix);

}  // namespace check
