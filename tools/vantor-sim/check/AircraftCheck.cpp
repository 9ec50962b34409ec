#include "check/AircraftCheck.h"

#include "check/Format.h"
#include "check/Lists.h"

namespace check {

void AircraftCheck::Run() {
  CheckConfigBlock();
  CheckAutopilot();
  CheckEngineModel();
  CheckThrusters();
  CheckFlames("EX_MAIN_", "main-engine flames");
  if (afterburner_) {
    CheckFlames("EX_BURN_", "afterburner flames");
  } else {
    ReportListUnread(reader_, "EX_BURN_",
                     "there is no afterburner ([CONFIG] BURN_THRUST is 0 or missing)");
  }
  CheckDocks();
  CheckPayloads();
  CheckSequences();
  CheckComponents();
  CheckLinks();
  CheckInducedDrag();
  CheckAirfoilsAndSurfaces();
  CheckGround();
  CheckKeyClashes();
}

bool AircraftCheck::Missing(const char* section, const char* key, Severity severity,
                            const std::string& consequence) {
  if (reader_.Given(section, key)) {
    return false;
  }
  // Built by appending: GCC 12 at -O3 takes "[" + std::string for an overlapping copy.
  std::string message = "[";
  message.append(section).append("] ").append(key).append(" missing: ").append(consequence);
  report_.Add(reader_.LineOf(section, key), severity, std::move(message));
  return true;
}

void AircraftCheck::RequirePositive(const char* section, const char* key,
                                    const std::string& consequence) {
  if (const auto value = reader_.Scalar(section, key); value && *value <= 0.0) {
    report_.Error(reader_.LineOf(section, key),
                  std::string(key) + " " + Number(*value) + " is not positive: " + consequence);
  }
}

}  // namespace check
