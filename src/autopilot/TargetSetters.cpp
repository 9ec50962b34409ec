// Input-box callbacks for the autopilot targets. The heading setter is also slot 3 of the
// query interface, which the heading box calls through.
#include <cmath>
#include <cstdlib>

#include "frame/Aircraft.h"

namespace {

// The text's leading decimal number (0 when it has none). A number too large for a double, an
// infinity or a NaN is refused: the target keeps its value and the box reports the refusal.
bool ReadTarget(const char* text, double& target) {
  const double value = text != nullptr ? std::atof(text) : 0.0;
  if (!std::isfinite(value)) {
    return false;
  }
  target = value;
  return true;
}

}  // namespace

bool Aircraft::SetHeadingTarget(const char* text) {
  return ReadTarget(text, autopilot.headingTarget);
}

bool Aircraft::SetAltitudeTarget(const char* text) {
  return ReadTarget(text, autopilot.altitudeTarget);
}

bool Aircraft::SetBankTarget(const char* text) {
  return ReadTarget(text, autopilot.bankTarget);
}

// The pitch box is offered to the pilot, but no channel flies a pitch target.
bool Aircraft::SetPitchTarget(const char* /*text*/) {
  return true;
}
