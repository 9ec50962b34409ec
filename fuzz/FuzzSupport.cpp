#include "FuzzSupport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <vantor/sim/ScenarioStream.h>
#include <vantor/testing/HostTesting.h>

#include "flight/AeroProfiles.h"

namespace fs = std::filesystem;

namespace fuzz {
namespace {

// The example file without its comment lines: the same keys, read in half the time, and every
// execution of a target reads them dozens of times.
std::string ReadExample(const char* relativePath) {
  std::ifstream in(fs::path(AIRCRAFT_EXAMPLE_ROOT) / relativePath, std::ios::binary);
  std::string text;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] != ';') {
      text += line;
      text += '\n';
    }
  }
  return text;
}

bool IsWordCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The first "nan" or "inf" written as a number among a log line's arguments: outside double
// quotes (texts are quoted, with backslash escapes), not part of a longer word, and before the
// " -> " of a result. Empty when there is none.
std::string_view NonFiniteNumberIn(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        quoted = false;
      }
      continue;
    }
    if (c == '"') {
      quoted = true;
      continue;
    }
    const std::string_view rest = line.substr(i);
    if (rest.starts_with(" -> ")) {
      break;  // what the host returns is the host's own figure
    }
    if ((rest.starts_with("nan") || rest.starts_with("inf")) &&
        (i == 0 || !IsWordCharacter(line[i - 1])) &&
        (rest.size() == 3 || !IsWordCharacter(rest[3]))) {
      return rest.substr(0, 3);
    }
  }
  return {};
}

void CheckHostCallsFinite() {
  const std::string log = vantor::testing::LogText();
  std::size_t start = 0;
  while (start < log.size()) {
    std::size_t end = log.find('\n', start);
    if (end == std::string::npos) {
      end = log.size();
    }
    const std::string_view line(log.data() + start, end - start);
    Require(NonFiniteNumberIn(line).empty(), "a host call saw NaN or an infinity",
            std::string(line));
    start = end + 1;
  }
  vantor::testing::ClearLog();
}

void RequireFinite(double value, const char* what) {
  Require(std::isfinite(value), what, std::to_string(value));
}

void RequireFinite(const VECTOR3& value, const char* what) {
  RequireFinite(value.x, what);
  RequireFinite(value.y, what);
  RequireFinite(value.z, what);
}

void RequireWithin(int value, int low, int high, const char* what) {
  Require(value >= low && value <= high, what,
          std::to_string(value) + " not in " + std::to_string(low) + ".." + std::to_string(high));
}

}  // namespace

void EnterRoot() {
  static bool entered = false;
  if (entered) {
    return;
  }
  char pattern[] = "/tmp/aircraft-fuzz-XXXXXX";
  const char* root = mkdtemp(pattern);
  Require(root != nullptr, "cannot create a temporary simulator root");
  fs::create_directories(fs::path(root) / "Config" / "Aircraft" / "FlightPlans");
  fs::current_path(root);
  static const fs::path made(root);
  std::atexit([] {
    std::error_code ignored;
    fs::remove_all(made, ignored);
  });
  WriteFile("Config/Aircraft/Kestrel.ini", ReadExample("Config/Aircraft/Kestrel.ini"));
  WriteFile("Config/Aircraft/FlightPlans/Circuit.ini",
            ReadExample("Config/Aircraft/FlightPlans/Circuit.ini"));
  entered = true;
}

void WriteFile(const std::string& relativePath, std::string_view bytes) {
  std::ofstream out(relativePath, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Require(static_cast<bool>(out), "cannot write", relativePath);
}

std::unique_ptr<Aircraft> SetUpAircraft(const char* vesselName) {
  vantor::testing::ResetHost();
  ResetAeroProfiles();
  vantor::testing::EnableLog(true);
  auto& record = vantor::testing::CreateVesselRecord(vesselName);
  auto aircraft = std::make_unique<Aircraft>(&record);
  aircraft->SetClassCaps();
  CheckInvariants(*aircraft);
  return aircraft;
}

void PlaceAircraft(Aircraft& aircraft, bool landed) {
  vantor::testing::Placement placement;
  placement.longitudeDeg = 9.9;
  placement.latitudeDeg = 44.95;
  placement.altitude = landed ? 0.0 : 2000.0;
  placement.headingDeg = 90.0;
  placement.airspeed = landed ? 20.0 : 180.0;
  placement.landed = landed;
  vantor::testing::PlaceVessel(vantor::testing::Record(aircraft), placement);
}

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) {
      end = bytes.size();
    }
    std::string line(bytes.substr(start, end - start));
    line = line.substr(0, line.find('\0'));
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> LoadThenSave(Aircraft& aircraft, const std::vector<std::string>& lines) {
  vantor::ScenarioStream in;
  in.lines = lines;
  vantor::testing::LoadAsTheHostDoes(vantor::testing::Record(aircraft),
                                     [&](void* status) { aircraft.LoadState(&in, status); });
  CheckInvariants(aircraft);
  vantor::ScenarioStream out;
  aircraft.SaveState(&out);
  CheckInvariants(aircraft);
  return out.written;
}

void Require(bool condition, const char* what, const std::string& detail) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s%s%s\n", what, detail.empty() ? "" : ": ",
                 detail.c_str());
    std::abort();
  }
}

void CheckInvariants(const Aircraft& aircraft) {
  CheckHostCallsFinite();

  const vantor::VesselRecord& record = vantor::testing::Record(aircraft);
  for (double level : record.controlLevels) {
    RequireFinite(level, "control surface level");
  }
  for (double level : record.wheelbrakeLevels) {
    RequireFinite(level, "wheel brake level");
  }
  for (const auto& thruster : record.thrusters) {
    RequireFinite(thruster->level, "thruster level");
  }
  for (const auto& animation : record.animations) {
    RequireFinite(animation.state, "animation state");
  }
  for (const auto& added : record.addedForces) {
    RequireFinite(added.force, "added force");
    RequireFinite(added.point, "added force's point");
  }

  const AnimationSet& animations = aircraft.animations;
  RequireWithin(animations.sequenceCount, 0, kMaxSequences, "sequence count");
  for (int i = 0; i < animations.sequenceCount; ++i) {
    const AnimationSequence& sequence = animations.sequences[i];
    RequireWithin(sequence.componentCount, 0, kMaxComponentsPerSequence,
                  "sequence's component count");
    Require(sequence.state >= 0.0 && sequence.state <= 1.0, "sequence state",
            std::to_string(sequence.state));
    Require(sequence.target >= 0.0 && sequence.target <= 1.0, "sequence target",
            std::to_string(sequence.target));
    Require(sequence.direction == 1 || sequence.direction == -1, "sequence direction",
            std::to_string(sequence.direction));
  }
  RequireWithin(animations.componentCount, 0, kMaxComponents, "component count");
  for (int i = 0; i < animations.componentCount; ++i) {
    const AnimationComponent& component = animations.components[i];
    RequireWithin(component.groupCount, 0, kMaxComponentGroups, "component group count");
  }
  RequireWithin(animations.links.flapsSequence, -1, animations.sequenceCount - 1, "flaps sequence");

  const PayloadSet& payloads = aircraft.payloads;
  RequireWithin(payloads.payloadCount, 0, kMaxPayloads, "payload count");
  RequireWithin(payloads.currentPayload, 0, payloads.payloadCount, "current payload");

  RequireWithin(aircraft.flightPlan.count, 0, kMaxWaypoints, "waypoint count");
  RequireWithin(aircraft.vessel.dockCount, 0, kMaxDocks, "dock count");
  RequireWithin(aircraft.profileSlot, -1, kProfileSlotCount - 1, "profile slot");
}

void CheckWaypointIndex(const Aircraft& aircraft) {
  const FlightPlan& plan = aircraft.flightPlan;
  RequireWithin(plan.current, 0, plan.count > 0 ? plan.count - 1 : 0, "current waypoint");
}

void CheckAirfoils(const Aircraft& aircraft) {
  static const double angles[] = {-3.14159, -1.0, -0.35, -0.1, 0.0, 0.05, 0.3, 1.2, 3.14159};
  static const double machs[] = {0.0, 0.3, 0.95, 1.1, 2.5, 25.0};
  for (const auto& airfoil : vantor::testing::Record(aircraft).airfoils) {
    if (airfoil->coefficients == nullptr) {
      continue;
    }
    for (double aoa : angles) {
      for (double mach : machs) {
        double cl = 0.0;
        double cm = 0.0;
        double cd = 0.0;
        airfoil->coefficients(aoa, mach, 1e7, &cl, &cm, &cd);
        RequireFinite(cl, "lift coefficient");
        RequireFinite(cm, "moment coefficient");
        RequireFinite(cd, "drag coefficient");
      }
    }
  }
}

}  // namespace fuzz
