// CONFIG, AUTOPILOT, the engines and their flames, and the docking ports.
#include <cmath>

#include "check/AircraftCheck.h"
#include "check/Format.h"
#include "check/Lists.h"

namespace check {
namespace {

constexpr const char* kNoDefault = "it has no default";

double Length(const Vec3& v) {
  return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

bool IsZero(const Vec3& v) {
  return v[0] == 0.0 && v[1] == 0.0 && v[2] == 0.0;
}

}  // namespace

// Neither fuel nor thrust is a glider by intent, not an engine left out by mistake.
bool AircraftCheck::Glider() const {
  const auto fuel = reader_.Scalar("CONFIG", "FUEL_MASS");
  const auto thrust = reader_.Scalar("CONFIG", "MAIN_THRUST");
  return fuel && *fuel == 0.0 && thrust && *thrust == 0.0 &&
         reader_.Scalar("CONFIG", "BURN_THRUST").value_or(0.0) == 0.0;
}

void AircraftCheck::CheckConfigBlock() {
  const char* s = "CONFIG";
  if (!reader_.HasSection(s)) {
    report_.Error(0,
                  "[CONFIG] missing: the vessel gets no mesh, size, masses, inertia, "
                  "touchdown points or engine values");
    return;
  }
  Missing(s, "MESHNAME", Severity::Error, "the vessel has no mesh");
  if (const auto mesh = reader_.Text(s, "MESHNAME"); mesh && mesh->empty()) {
    report_.Error(reader_.LineOf(s, "MESHNAME"), "MESHNAME is empty: the vessel has no mesh");
  }
  if (!Missing(s, "SIZE", Severity::Error, kNoDefault)) {
    RequirePositive(s, "SIZE", "a vessel needs a size");
  }
  if (!Missing(s, "EMPTY_MASS", Severity::Error, kNoDefault)) {
    RequirePositive(s, "EMPTY_MASS", "the host divides every force by the mass");
  }
  if (!Missing(s, "FUEL_MASS", Severity::Error, std::string(kNoDefault) + ", so no fuel")) {
    if (const auto fuel = reader_.Scalar(s, "FUEL_MASS"); fuel && *fuel < 0.0) {
      report_.Error(reader_.LineOf(s, "FUEL_MASS"),
                    std::string("FUEL_MASS ") + Number(*fuel) +
                        " is negative: a tank cannot hold less than "
                        "nothing");
    } else if (fuel && *fuel == 0.0 && Glider()) {
      report_.Note(reader_.LineOf(s, "FUEL_MASS"),
                   "FUEL_MASS and MAIN_THRUST are 0: a glider, no engine ever runs");
    } else if (fuel && *fuel == 0.0) {
      report_.Warning(reader_.LineOf(s, "FUEL_MASS"), "FUEL_MASS is 0: the engines never run");
    }
  }
  for (const char* key : {"COG", "PITCH_MOMENT_SCALE", "BANK_MOMENT_SCALE", "TRIM"}) {
    Missing(s, key, Severity::Warning, std::string(kNoDefault) + "; 0 is used");
  }
  Vec3 crossSections{};
  if (!Missing(s, "CROSS_SECTION", Severity::Error, std::string(kNoDefault) + ", so no drag")) {
    reader_.Vector(s, "CROSS_SECTION", crossSections);
    if (crossSections[0] < 0.0 || crossSections[1] < 0.0 || crossSections[2] < 0.0) {
      report_.Error(reader_.LineOf(s, "CROSS_SECTION"),
                    "CROSS_SECTION " +
                        VectorText(crossSections[0], crossSections[1], crossSections[2]) +
                        " has a negative area");
    }
  }
  Vec3 pmi{};
  if (!Missing(s, "PMI", Severity::Error, std::string(kNoDefault) + ", so no inertia")) {
    reader_.Vector(s, "PMI", pmi);
    if (pmi[0] <= 0.0 || pmi[1] <= 0.0 || pmi[2] <= 0.0) {
      report_.Error(reader_.LineOf(s, "PMI"), std::string("PMI ") +
                                                  VectorText(pmi[0], pmi[1], pmi[2]) +
                                                  " has a moment of inertia that is not "
                                                  "positive: the host divides by each of them");
    }
  }
  const long long visible = reader_.Integer(s, "VISIBLE").value_or(0);
  if (reader_.Given(s, "CAMERA") && visible != 1) {
    report_.Note(reader_.LineOf(s, "CAMERA"),
                 std::string("CAMERA is applied only with VISIBLE=1; VISIBLE is ") +
                     std::to_string(visible));
  }
  if (reader_.Given(s, "VISIBLE") && visible != 0 && visible != 1) {
    report_.Note(reader_.LineOf(s, "VISIBLE"), std::string("VISIBLE ") + std::to_string(visible) +
                                                   " behaves like 0; only 1 counts");
  }
  Vec3 points[3] = {};
  bool allPoints = true;
  for (int i = 0; i < 3; ++i) {
    const std::string key = std::string("LAND_PT") + std::to_string(i + 1);
    allPoints = !Missing(s, key.c_str(), Severity::Error, kNoDefault) && allPoints;
    reader_.Vector(s, key, points[i]);
  }
  if (allPoints) {
    const Vec3 a{points[1][0] - points[0][0], points[1][1] - points[0][1],
                 points[1][2] - points[0][2]};
    const Vec3 b{points[2][0] - points[0][0], points[2][1] - points[0][1],
                 points[2][2] - points[0][2]};
    const Vec3 normal{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                      a[0] * b[1] - a[1] * b[0]};
    if (Length(normal) == 0.0) {
      report_.Error(reader_.LineOf(s, "LAND_PT3"),
                    "LAND_PT1 to LAND_PT3 lie on one line: they do not make a plane to stand on");
    }
  }
  if (reader_.Given(s, "ROT_DRAG")) {
    if (reader_.Given("AIRCRAFT", "ROTATIONAL_DRAG")) {
      report_.Note(reader_.LineOf(s, "ROT_DRAG"),
                   "ROT_DRAG is replaced by [AIRCRAFT] ROTATIONAL_DRAG later in set-up");
    } else {
      report_.Warning(reader_.LineOf(s, "ROT_DRAG"),
                      "ROT_DRAG is replaced by the default of [AIRCRAFT] ROTATIONAL_DRAG, "
                      "(0.1, 0.13, 0.04); give ROTATIONAL_DRAG instead");
    }
  }
}

void AircraftCheck::CheckAutopilot() {
  const char* s = "AUTOPILOT";
  if (const auto maxBank = reader_.Scalar(s, "MAX_BANK"); maxBank && *maxBank <= 0.0) {
    report_.Note(reader_.LineOf(s, "MAX_BANK"), std::string("MAX_BANK ") + Number(*maxBank) +
                                                    " is not positive: the module uses 20");
  }
  // The laws divide by these; the module refuses a value they cannot use and keeps its default.
  struct Divisor {
    const char* key;
    double fallback;
    bool negativeRefused;
  };
  for (const Divisor d :
       {Divisor{"DAMP_BANK", 5, false}, Divisor{"DAMP_ELEVATOR", 5, false},
        Divisor{"PITCH_LIMIT_UP", 30, true}, Divisor{"PITCH_LIMIT_DOWN", 20, true}}) {
    const auto value = reader_.Scalar(s, d.key);
    if (!value) {
      continue;
    }
    if (*value == 0.0 || (*value < 0.0 && d.negativeRefused)) {
      report_.Warning(reader_.LineOf(s, d.key),
                      std::string(d.key) + " " + Number(*value) +
                          " cannot be used (the autopilot divides by it): the module keeps " +
                          Number(d.fallback));
    } else if (*value < 0.0) {
      report_.Warning(reader_.LineOf(s, d.key), std::string(d.key) + " " + Number(*value) +
                                                    " is negative: the autopilot steers the wrong "
                                                    "way");
    }
  }
  if (const auto limit = reader_.Scalar(s, "ELEVATOR_LIMIT"); limit && *limit <= 0.0) {
    report_.Warning(reader_.LineOf(s, "ELEVATOR_LIMIT"),
                    std::string("ELEVATOR_LIMIT ") + Number(*limit) +
                        " is not positive: the altitude hold never pulls the nose up");
  }
  Missing(s, "ROC", Severity::Note, "the module uses 1000");
  Missing(s, "ROD", Severity::Note, "the module uses 1000");
}

void AircraftCheck::CheckEngineModel() {
  const char* s = "AIRCRAFT";
  // A missing FLIGHT_MODEL is 1 in the module.
  const auto model = reader_.Integer(s, "FLIGHT_MODEL");
  if (model.value_or(1) == 2) {
    if (const auto ceiling = reader_.Scalar(s, "CEILING"); !ceiling || *ceiling <= 0.0) {
      report_.Error(reader_.LineOf(s, ceiling ? "CEILING" : "FLIGHT_MODEL"),
                    "FLIGHT_MODEL 2 needs a positive CEILING: without one the engines give no "
                    "thrust");
    }
  } else if (model && *model != 1 && *model != 3) {
    report_.Error(reader_.LineOf(s, "FLIGHT_MODEL"),
                  std::string("FLIGHT_MODEL ") + std::to_string(*model) +
                      " is not a thrust law (1, 2 or 3): the engines give no thrust");
  }
  if (reader_.Given(s, "CEILING") && model.value_or(1) != 2) {
    report_.Note(reader_.LineOf(s, "CEILING"), "CEILING is read only with FLIGHT_MODEL 2");
  }
  if (const auto efficiency = reader_.Scalar(s, "EFFICIENCY")) {
    if (*efficiency <= 0.0) {
      report_.Note(
          reader_.LineOf(s, "EFFICIENCY"),
          std::string("EFFICIENCY ") + Number(*efficiency) + " is not positive: the module uses 1");
    } else if (model.value_or(0) == 3) {
      report_.Note(reader_.LineOf(s, "EFFICIENCY"),
                   "EFFICIENCY does not enter FLIGHT_MODEL 3's thrust law");
    }
  }
}

void AircraftCheck::CheckThrusters() {
  const char* s = "CONFIG";
  if (!reader_.HasSection(s)) {
    return;
  }
  if (!Missing(s, "ISP", Severity::Error, "it has no default")) {
    RequirePositive(s, "ISP", "the main engine cannot burn fuel");
  }
  if (!Missing(s, "MAIN_THRUST", Severity::Error, "it has no default, so no thrust")) {
    if (const auto thrust = reader_.Scalar(s, "MAIN_THRUST"); thrust && *thrust < 0.0) {
      report_.Error(reader_.LineOf(s, "MAIN_THRUST"),
                    std::string("MAIN_THRUST ") + Number(*thrust) +
                        " is negative: the engine pulls backwards");
    } else if (thrust && *thrust == 0.0 && !Glider()) {
      report_.Warning(reader_.LineOf(s, "MAIN_THRUST"),
                      "MAIN_THRUST is 0: the engine gives no "
                      "thrust");
    }
  }
  const double burn = reader_.Scalar(s, "BURN_THRUST").value_or(0.0);
  afterburner_ = burn != 0.0;
  if (burn < 0.0) {
    report_.Warning(reader_.LineOf(s, "BURN_THRUST"),
                    std::string("BURN_THRUST ") + Number(burn) +
                        " is negative: it is not 0, so an afterburner that pulls backwards is "
                        "created");
  }
  if (afterburner_) {
    if (!Missing(s, "BURN_ISP", Severity::Error, "it has no default")) {
      RequirePositive(s, "BURN_ISP", "the afterburner cannot burn fuel");
    }
  } else if (reader_.Given(s, "BURN_ISP")) {
    report_.Note(reader_.LineOf(s, "BURN_ISP"),
                 "BURN_ISP is not used: there is no afterburner (BURN_THRUST is 0 or missing)");
  }
}

void AircraftCheck::CheckFlames(const char* prefix, const char* listOf) {
  constexpr int kCapacity = 10;
  int count = 0;
  for (; count < kCapacity; ++count) {
    const std::string section = Numbered(prefix, count);
    const double length = reader_.Scalar(section, "LENGTH").value_or(0.0);
    if (length <= 0.0) {
      const std::string reason =
          reader_.Given(section, "LENGTH")
              ? std::string("its LENGTH ") + Number(length) + " is not greater than 0"
              : "it has no LENGTH";
      ReportListEnd(reader_, prefix, kCapacity, listOf, count, reader_.LineOf(section, "LENGTH"),
                    reason);
      return;
    }
    const double width = reader_.Scalar(section, "WIDTH").value_or(0.0);
    if (width <= 0.0) {
      report_.Warning(
          reader_.LineOf(section, "WIDTH"),
          std::string("[") + section + "] WIDTH " + Number(width) + ": the flame cannot be seen");
    }
    Missing(section.c_str(), "OFF", Severity::Warning, "the flame sits at (0, 0, 0)");
    Vec3 direction{};
    reader_.Vector(section, "DIR", direction);
    if (IsZero(direction)) {
      report_.Warning(reader_.LineOf(section, "DIR"),
                      std::string("[") + section + "] DIR is (0, 0, 0): the flame points nowhere");
    }
  }
  ReportListEnd(reader_, prefix, kCapacity, listOf, count, 0, "");
}

void AircraftCheck::CheckDocks() {
  constexpr int kCapacity = 5;
  int count = 0;
  for (; count < kCapacity; ++count) {
    const std::string section = Numbered("DOCK_", count);
    Vec3 direction{};
    reader_.Vector(section, "DIR", direction);
    if (IsZero(direction)) {
      const std::string reason =
          reader_.Given(section, "DIR") ? "its DIR is (0, 0, 0)" : "it has no DIR";
      ReportListEnd(reader_, "DOCK_", kCapacity, "docking ports", count,
                    reader_.LineOf(section, "DIR"), reason);
      return;
    }
    Missing(section.c_str(), "POS", Severity::Warning,
            "it has no default; the port sits at the "
            "origin");
    Vec3 rotation{};
    if (!Missing(section.c_str(), "ROT", Severity::Error, "it has no default") &&
        reader_.Vector(section, "ROT", rotation) && IsZero(rotation)) {
      report_.Error(reader_.LineOf(section, "ROT"),
                    std::string("[") + section + "] ROT is (0, 0, 0): the port has no alignment");
    }
  }
  ReportListEnd(reader_, "DOCK_", kCapacity, "docking ports", count, 0, "");
}

}  // namespace check
