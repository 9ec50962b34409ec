// Induced drag, lift tables, airfoils and control surfaces (which share value holders, so a
// missing key inherits the value read before it), and the ground settings.
#include "check/AircraftCheck.h"
#include "check/Format.h"
#include "config/ProfileReaders.h"

namespace check {
namespace {

constexpr int kMaxPoints = 19;

std::string PointKey(int index) {
  return std::string("PT") + std::to_string(index);
}

}  // namespace

void AircraftCheck::CheckInducedDrag() {
  const auto wingEfficiency = reader_.Scalar("WING", "WING_EFFICIENCY");
  double verticalEfficiency = 0.0;
  double verticalAspect = 0.0;
  double horizontalEfficiency = 0.0;
  double horizontalAspect = 0.0;
  std::string verticalFrom = "[AIRCRAFT]";
  std::string horizontalFrom = "[AIRCRAFT]";
  if (wingEfficiency.value_or(0.0) != 0.0) {
    verticalEfficiency = *wingEfficiency;
    verticalAspect = reader_.Scalar("WING", "ASPECT_RATIO").value_or(0.0);
    horizontalEfficiency = reader_.Scalar("FIN", "WING_EFFICIENCY").value_or(0.0);
    horizontalAspect = reader_.Scalar("FIN", "ASPECT_RATIO").value_or(0.0);
    verticalFrom = "[WING]";
    horizontalFrom = "[FIN]";
    for (const char* key : {"WING_EFFICIENCY", "ASPECT_RATIO"}) {
      if (reader_.Given("AIRCRAFT", key)) {
        report_.Note(reader_.LineOf("AIRCRAFT", key),
                     std::string("[AIRCRAFT] ") + key +
                         " is not read: [WING] WING_EFFICIENCY is not 0, so [WING] and [FIN] "
                         "give the induced-drag values");
      }
    }
  } else {
    verticalEfficiency = reader_.Scalar("AIRCRAFT", "WING_EFFICIENCY").value_or(0.0);
    verticalAspect = reader_.Scalar("AIRCRAFT", "ASPECT_RATIO").value_or(0.0);
    horizontalEfficiency = verticalEfficiency;
    horizontalAspect = verticalAspect;
    if (reader_.Given("FIN", "WING_EFFICIENCY")) {
      report_.Note(reader_.LineOf("FIN", "WING_EFFICIENCY"),
                   "[FIN] WING_EFFICIENCY is not read: [WING] WING_EFFICIENCY is 0 or missing, "
                   "so both airfoils take [AIRCRAFT] WING_EFFICIENCY and ASPECT_RATIO");
    }
  }
  // A missing value keeps the profile slot's, 0 in a fresh slot; the airfoil's own inheritance
  // from the wing does not reach the induced drag.
  auto check = [&](bool userDrag, double efficiency, double aspect, const std::string& from,
                   const char* surface) {
    if (userDrag || efficiency * aspect > 0.0) {
      return;
    }
    const std::string section = from.substr(1, from.size() - 2);
    auto shown = [&](const char* key, double value) {
      return std::string(key) + " " +
             (reader_.Given(section, key) ? Number(value) : std::string("missing (0)"));
    };
    report_.Error(reader_.SectionLine(section),
                  std::string("the ") + surface +
                      "'s induced drag divides by its aspect ratio times its efficiency, here " +
                      from + " " + shown("ASPECT_RATIO", aspect) + " and " +
                      shown("WING_EFFICIENCY", efficiency) +
                      ": give both, or table drag with USER_DRAG=1");
  };
  userDragVertical_ = reader_.Integer("VLIFT", "USER_DRAG").value_or(0) == 1;
  const auto horizontalSwitch = reader_.Integer("HLIFT", "USER_DRAG");
  userDragHorizontal_ = horizontalSwitch ? *horizontalSwitch == 1 : userDragVertical_;
  check(userDragVertical_, verticalEfficiency, verticalAspect, verticalFrom, "wing");
  check(userDragHorizontal_, horizontalEfficiency, horizontalAspect, horizontalFrom, "fin");

  if (!horizontalSwitch && userDragVertical_ && reader_.HasSection("HLIFT")) {
    report_.Warning(reader_.SectionLine("HLIFT"),
                    "[HLIFT] USER_DRAG missing: it repeats [VLIFT]'s 1, so the fin's drag comes "
                    "from the fourth element of its points");
  }
  for (const char* table : {"VLIFT", "HLIFT"}) {
    if (const auto value = reader_.Integer(table, "USER_DRAG");
        value && *value != 0 && *value != 1) {
      report_.Warning(reader_.LineOf(table, "USER_DRAG"),
                      std::string("USER_DRAG ") + std::to_string(*value) +
                          " does not switch table drag on; only exactly 1 does");
    }
  }
  const double waveDrag = reader_.Scalar("AIRCRAFT", "WAVE_DRAG").value_or(0.0);
  Vec3 mach{};
  const bool machGiven = reader_.Vector("AIRCRAFT", "MACH_NUMBERS", mach);
  if (waveDrag != 0.0 && !machGiven) {
    report_.Warning(reader_.LineOf("AIRCRAFT", "WAVE_DRAG"),
                    "WAVE_DRAG is given without MACH_NUMBERS: the wave drag starts at Mach 0");
  } else if (machGiven && !(mach[0] < mach[1] && mach[1] <= mach[2])) {
    report_.Warning(reader_.LineOf("AIRCRAFT", "MACH_NUMBERS"),
                    std::string("MACH_NUMBERS ") + VectorText(mach[0], mach[1], mach[2]) +
                        " should rise: M1 below M2, M2 not above M3");
  }
}

void AircraftCheck::CheckLiftTable(const char* section, const char* surface, bool userDrag) {
  const std::string s = section;
  if (!reader_.HasSection(s)) {
    report_.Error(0, std::string("[") + s + "] missing: the " + surface +
                         "'s lift table is 19 points at 0 degrees, so it makes no lift");
    return;
  }
  int lastGiven = -1;
  for (int k = 0; k < kMaxPoints; ++k) {
    if (reader_.Given(s, PointKey(k))) {
      lastGiven = k;
    }
  }
  if (lastGiven < 0) {
    report_.Error(
        reader_.SectionLine(s),
        std::string("[") + s + "] has no points (PT0 to PT18): the " + surface + " makes no lift");
    return;
  }
  int count = 0;
  double previous = 0.0;
  double firstAngles[2] = {0.0, 0.0};
  double lastAngles[2] = {0.0, 0.0};
  bool fourthIgnoredReported = false;
  bool zeroTail = false;
  for (int k = 0; k < kMaxPoints; ++k) {
    const std::string key = PointKey(k);
    const bool given = reader_.Given(s, key);
    Vec3 point{};
    reader_.Vector(s, key, point);
    const double angle = point[0];
    if (count > 0 && angle < previous) {
      if (given) {
        report_.Warning(reader_.LineOf(s, key),
                        key + " angle " + Number(angle) + std::string(" is less than the ") +
                            Number(previous) + " before it: the table ends here with " +
                            std::to_string(count) + " points");
      } else if (lastGiven > k) {
        report_.Warning(reader_.SectionLine(s),
                        std::string("[") + s + "] " + key +
                            " missing: it reads as (0, 0, 0), an angle below "
                            "the " +
                            Number(previous) + " before it, so the table ends with " +
                            std::to_string(count) + " points");
      }
      for (int later = k + 1; later < kMaxPoints; ++later) {
        if (reader_.Given(s, PointKey(later))) {
          report_.Warning(reader_.LineOf(s, PointKey(later)),
                          PointKey(later) + " is never read: the table ended at " + key);
        }
      }
      break;
    }
    if (!given && k <= lastGiven) {
      report_.Warning(reader_.SectionLine(s), std::string("[") + s + "] " + key +
                                                  " missing: it counts as the point (0, 0, 0)");
    } else if (!given && count > 0 && k == lastGiven + 1) {
      zeroTail = true;
      report_.Warning(reader_.SectionLine(s),
                      std::string("[") + s + "] the table does not end after PT" +
                          std::to_string(lastGiven) + std::string(": its angle ") +
                          Number(previous) +
                          " is not positive, so the missing points count as (0, 0, 0) up to PT18");
    }
    const ProfileRead* fourth = reader_.Read(s, key, ProfileValueKind::FourthElement);
    const ProfileRead* read = reader_.Read(s, key, ProfileValueKind::Vector);
    if (given && userDrag && fourth != nullptr && !fourth->parts[0].supplied) {
      report_.Error(fourth->line, key +
                                      " has no fourth element: table drag is on (USER_DRAG=1), "
                                      "so the point's drag coefficient is 0");
    } else if (given && !userDrag && !fourthIgnoredReported && read != nullptr &&
               read->parts[2].ignored.find(',') != std::string::npos) {
      fourthIgnoredReported = true;
      report_.Note(read->line, key +
                                   "'s fourth element is ignored: table drag is off "
                                   "(USER_DRAG is not 1)");
    }
    if (count < 2) {
      firstAngles[count] = angle;
    }
    lastAngles[0] = count > 0 ? previous : angle;
    lastAngles[1] = angle;
    previous = angle;
    ++count;
  }
  if (count < 2) {
    report_.Error(reader_.SectionLine(s),
                  std::string("[") + s + "] has " + std::to_string(count) +
                      " point: with fewer than two the lift does not change with the angle");
    return;
  }
  if (firstAngles[0] == firstAngles[1]) {
    report_.Warning(reader_.SectionLine(s),
                    std::string("[") + s + "] starts with two points at the angle " +
                        Number(firstAngles[0]) + ": below it the lift cannot be extrapolated");
  } else if (lastAngles[0] == lastAngles[1] && !zeroTail) {
    report_.Warning(reader_.SectionLine(s),
                    std::string("[") + s + "] ends with two points at the angle " +
                        Number(lastAngles[1]) + ": above it the lift cannot be extrapolated");
  }
}

void AircraftCheck::CheckAirfoilsAndSurfaces() {
  CheckLiftTable("VLIFT", "wing", userDragVertical_);
  CheckLiftTable("HLIFT", "fin", userDragHorizontal_);

  // What a surface's key that is missing keeps: the value an earlier section's read left in the
  // shared holder, as the module's reads show it; empty when the key is given or nothing was.
  auto inheritedText = [&](const char* section, const char* key) -> std::string {
    const ProfileRead* read = reader_.NumberRead(section, key);
    if (read == nullptr || (read->found && !read->raw.empty())) {
      return {};
    }
    const ProfileRead* from = reader_.InheritedFrom(*read);
    if (from == nullptr) {
      return {};
    }
    const std::string value = read->kind == ProfileValueKind::Vector
                                  ? VectorText(read->numbers[0], read->numbers[1], read->numbers[2])
                                  : Number(read->numbers[0]);
    return std::string("[") + from->section + "] " + from->key + " " + value;
  };
  auto positive = [&](const char* section, const char* key, const char* what) {
    if (const auto value = reader_.Scalar(section, key); value && *value <= 0.0) {
      report_.Error(reader_.LineOf(section, key),
                    std::string(key) + " " + Number(*value) + " is not positive: " + what);
    }
  };

  // The wing: the first reads of the holders, with no defaults.
  if (!reader_.HasSection("WING")) {
    report_.Error(0,
                  "[WING] missing: the wing airfoil gets no offset, area, chord or aspect "
                  "ratio");
  }
  for (const char* key : {"OFFSET", "AREA", "CHORD", "ASPECT_RATIO"}) {
    if (reader_.HasSection("WING")) {
      Missing("WING", key, Severity::Error, "it has no default");
    }
  }
  positive("WING", "AREA", "the wing has no lifting surface");
  positive("WING", "CHORD", "the wing has no chord");
  positive("WING", "ASPECT_RATIO", "the wing has no span");

  // Everything after the wing inherits what the section before left in the holder.
  auto surface = [&](const char* section, const char* name,
                     std::initializer_list<const char*> keys) {
    std::string inheritedAll;
    for (const char* key : keys) {
      const std::string inherited = inheritedText(section, key);
      if (inherited.empty()) {
        continue;
      }
      if (!reader_.HasSection(section)) {
        inheritedAll += (inheritedAll.empty() ? "" : ", ") + inherited;
      } else {
        report_.Warning(reader_.SectionLine(section),
                        std::string("[") + std::string(section) + "] " + key + " missing: the " +
                            name + (std::string(name) == "flaps" ? " get " : " gets ") + inherited);
      }
    }
    if (!inheritedAll.empty()) {
      report_.Warning(0, std::string("[") + std::string(section) + "] missing: the " + name +
                             std::string(" is still made, with ") + inheritedAll);
    }
  };
  surface("FIN", "fin", {"OFFSET", "AREA", "CHORD", "ASPECT_RATIO"});
  positive("FIN", "AREA", "the fin has no lifting surface");
  positive("FIN", "CHORD", "the fin has no chord");
  positive("FIN", "ASPECT_RATIO", "the fin has no span");

  if (reader_.HasSection("ELEVATOR")) {
    Missing("ELEVATOR", "LIFT", Severity::Error,
            "it has no default, and every later surface without LIFT inherits it");
  } else {
    report_.Error(0,
                  "[ELEVATOR] missing: its LIFT has no default, and every later surface "
                  "without LIFT inherits it");
  }
  surface("ELEVATOR", "elevator", {"OFFSET", "AREA", "LIFT"});
  surface("RUDDER", "rudder", {"OFFSET", "AREA", "LIFT"});
  surface("AILERON", "left aileron", {"AREA", "LIFT", "LEFT_OFFSET"});
  surface("AILERON", "right aileron", {"RIGHT_OFFSET"});
  surface("FLAPS", "flaps", {"OFFSET", "AREA", "LIFT"});
  for (const char* section : {"ELEVATOR", "RUDDER", "AILERON", "FLAPS"}) {
    if (const auto value = reader_.Scalar(section, "AREA"); value && *value < 0.0) {
      report_.Error(reader_.LineOf(section, "AREA"),
                    std::string("AREA ") + Number(*value) + " is negative");
    }
  }
}

void AircraftCheck::CheckGround() {
  Missing("STEERING", "FRICTION", Severity::Note, "the module uses (0.05, 0.8, 0)");
  if (const auto speed = reader_.Scalar("STEERING", "SPEED"); speed && *speed <= 0.0) {
    report_.Warning(reader_.LineOf("STEERING", "SPEED"),
                    std::string("SPEED ") + Number(*speed) +
                        " is not positive: the steering force fades out over it, so there is "
                        "none; the nose wheel only turns");
  }
  if (const auto force = reader_.Scalar("BRAKES", "FACTOR"); force && *force < 0.0) {
    report_.Error(reader_.LineOf("BRAKES", "FACTOR"),
                  std::string("FACTOR ") + Number(*force) + " is negative: the brakes push");
  }
  brakeKey_ = KeyCodeFromLetter(reader_.Text("BRAKES", "KEY").value_or("").c_str());
  if (brakeKey_ == -1) {
    brakeKey_ = 0;  // "*" is no key
  }
}

}  // namespace check
