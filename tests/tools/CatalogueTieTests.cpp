// The check's catalogue of known keys must be what the module reads, both ways: a key the module
// reads but the catalogue lacks would be reported as unknown, and a catalogue key the module
// never reads would hide a misspelling.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "check/Catalogue.h"
#include "check/ModuleRun.h"
#include "support/TestRoot.h"
#include "tools/CleanAircraft.h"

namespace {

using check::Catalogue;
using check::ValueKind;

bool KindsAgree(ValueKind known, ProfileValueKind read) {
  switch (read) {
    case ProfileValueKind::Integer:
      return known == ValueKind::Integer;
    case ProfileValueKind::Number:
      return known == ValueKind::Scalar;
    case ProfileValueKind::Vector:
      return known == ValueKind::Vector || known == ValueKind::Range || known == ValueKind::Point;
    case ProfileValueKind::FourthElement:
      return known == ValueKind::Point;
    case ProfileValueKind::Text:
      return known == ValueKind::Text || known == ValueKind::KeyLetter;
    case ProfileValueKind::IntegerList:
      return known == ValueKind::IntList;
  }
  return false;
}

// "[EX_MAIN_] LENGTH" for any flame, "[VLIFT] PT" for any point.
std::string Known(const Catalogue::Match& match, const std::string& key) {
  const bool point = match.rule->hasPoints && Catalogue::PointIndex(key).has_value();
  return "[" + std::string(match.rule->name) + "] " + (point ? "PT" : key);
}

// Checks every read against the catalogue; returns the catalogue names that were read.
std::set<std::string> ReadNames(const Catalogue& catalogue, const std::vector<ProfileRead>& reads) {
  std::set<std::string> names;
  for (const ProfileRead& read : reads) {
    const auto match = catalogue.FindSection(read.section);
    if (!match) {
      ADD_FAILURE() << "section [" << read.section << "] is not catalogued";
      continue;
    }
    const check::KeyRule* rule = Catalogue::FindKey(*match->rule, read.key);
    const bool point = match->rule->hasPoints && Catalogue::PointIndex(read.key).has_value();
    if (rule == nullptr && !point) {
      ADD_FAILURE() << "[" << read.section << "] " << read.key << " is read but not catalogued";
      continue;
    }
    const ValueKind known = point ? ValueKind::Point : rule->kind;
    // A waypoint's POSITION is first probed as text, to tell an absent key from a given one.
    const bool probe = read.kind == ProfileValueKind::Text &&
                       std::any_of(reads.begin(), reads.end(), [&](const ProfileRead& other) {
                         return other.section == read.section && other.key == read.key &&
                                KindsAgree(known, other.kind);
                       });
    EXPECT_TRUE(KindsAgree(known, read.kind) || probe)
        << "[" << read.section << "] " << read.key << " is read as another kind";
    names.insert(Known(*match, read.key));
  }
  return names;
}

std::set<std::string> CatalogueNames(const Catalogue& catalogue) {
  std::set<std::string> names;
  for (const check::SectionRule& section : catalogue.sections) {
    for (const check::KeyRule& key : section.keys) {
      names.insert("[" + std::string(section.name) + "] " + key.name);
    }
    if (section.hasPoints) {
      names.insert("[" + std::string(section.name) + "] PT");
    }
  }
  return names;
}

TEST(CatalogueTie, AircraftKeysAreTheKeysTheModuleReads) {
  // The clean file, and variants that take the branches it does not: a flight model with a
  // ceiling, induced drag from [AIRCRAFT], table drag, a scaling component.
  std::string ceiling = Replaced(kCleanAircraft, "FLIGHT_MODEL=1", "FLIGHT_MODEL=2\nCEILING=9000");
  ceiling = Replaced(ceiling, "WING_EFFICIENCY=0.8", "WING_EFFICIENCY=0");
  ceiling = Replaced(ceiling, "TYPE=ROTATE", "TYPE=SCALE\nSCALE=(1,1,1)\nREF=(0,0,0)");
  ceiling = Replaced(ceiling, "USER_DRAG=0", "USER_DRAG=1");
  const TestRoot root;
  root.WriteAircraft("Clean", kCleanAircraft);
  root.WriteAircraft("Branches", ceiling);
  std::set<std::string> read;
  for (const char* name : {"Clean", "Branches"}) {
    const std::set<std::string> names =
        ReadNames(check::AircraftCatalogue(), check::ReadsOfClassSetUp(root.path().string(), name));
    read.insert(names.begin(), names.end());
  }
  for (const std::string& known : CatalogueNames(check::AircraftCatalogue())) {
    EXPECT_EQ(read.count(known), 1u) << known << " is catalogued but the module never reads it";
  }
}

TEST(CatalogueTie, FlightPlanKeysAreTheKeysTheModuleReads) {
  const TestRoot root;
  root.WriteFlightPlan("Clean", kCleanFlightPlan);
  const std::set<std::string> read = ReadNames(
      check::FlightPlanCatalogue(), check::ReadsOfPlanLoad(root.path().string(), "Clean"));
  for (const std::string& known : CatalogueNames(check::FlightPlanCatalogue())) {
    EXPECT_EQ(read.count(known), 1u) << known << " is catalogued but the module never reads it";
  }
}

TEST(CheckNames, NearestNameCatchesTyposOnly) {
  const std::vector<std::string> names = {"AREA", "CHORD", "ASPECT_RATIO"};
  EXPECT_EQ(check::NearestName("AERA", names), "AREA");
  EXPECT_EQ(check::NearestName("aspect_ration", names), "ASPECT_RATIO");
  EXPECT_EQ(check::NearestName("COLOUR", names), "");
  EXPECT_EQ(check::EditDistance("CHROD", "CHORD"), 1u);  // a swap is one slip
}

}  // namespace
