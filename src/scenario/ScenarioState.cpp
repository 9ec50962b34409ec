// The aircraft's own lines in its scenario block: payload position, sequence states, the
// autopilot master switch and targets, and the flight plan with its current waypoint.
// The value grammar is documented in docs/scenario-format.md.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "frame/Aircraft.h"
#include "frame/Text.h"

namespace {

// Keywords, compared over their own length without regard to case, in this order.
constexpr const char* kCurrentPayload = "CURRENT_PAYLOAD";
constexpr const char* kAutopilot = "AUTOPILOT";
constexpr const char* kAltitude = "ALTITUDE";
constexpr const char* kHeading = "HEADING";
constexpr const char* kFlightPlan = "FLIGHTPLAN";
constexpr const char* kWaypoint = "WAYPOINT";
constexpr const char* kSequence = "SEQ";

// Large enough for any double in "%.2f" (a 309-digit integer part) and for a plan name.
constexpr std::size_t kValueSize = 400;

// The value text after the keyword when the line starts with it, else null.
const char* ValueAfter(const char* line, const char* keyword) {
  const std::size_t length = std::strlen(keyword);
  for (std::size_t i = 0; i < length; ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c == '\0' || std::toupper(c) != static_cast<unsigned char>(keyword[i])) {
      return nullptr;
    }
  }
  return line + length;
}

// Reads a leading decimal integer as "%d" would, refusing one that does not fit.
bool ReadInt(const char*& text, int& value) {
  char* end = nullptr;
  errno = 0;
  const long number = std::strtol(text, &end, 10);
  if (end == text || errno == ERANGE || number < INT_MIN || number > INT_MAX) {
    return false;
  }
  value = static_cast<int>(number);
  text = end;
  return true;
}

// Reads a leading number as "%lf" would. Infinities and NaN are refused, as the target boxes
// refuse them: no control law can fly toward them.
bool ReadDouble(const char*& text, double& value) {
  char* end = nullptr;
  const double number = std::strtod(text, &end);
  if (end == text || !std::isfinite(number)) {
    return false;
  }
  value = number;
  text = end;
  return true;
}

int SequenceCount(const Aircraft& aircraft) {
  const int count = aircraft.animations.sequenceCount;
  return count < 0 ? 0 : count > kMaxSequences ? kMaxSequences : count;
}

void RestorePayload(Aircraft& aircraft, const char* value) {
  int payload = 0;
  if (!ReadInt(value, payload)) {
    return;
  }
  // Past the last payload means "all released"; anything further would index outside the list.
  const int count = aircraft.payloads.payloadCount;
  aircraft.payloads.currentPayload = payload < 0 ? 0 : payload > count ? count : payload;
}

void RestoreAutopilot(Aircraft& aircraft, const char* value) {
  int engaged = 0;
  if (!ReadInt(value, engaged)) {
    return;
  }
  AutopilotState& autopilot = aircraft.autopilot;
  autopilot.autopilotEngaged = engaged != 0;
  if (autopilot.autopilotEngaged) {
    aircraft.SetADCtrlMode(0);
    aircraft.SetAttitudeMode(0);
  }
  autopilot.altitudeHoldOn = autopilot.autopilotEngaged;
  autopilot.headingHoldOn = autopilot.autopilotEngaged;
  autopilot.bankHoldOn = autopilot.autopilotEngaged;
}

void RestoreFlightPlan(Aircraft& aircraft, const char* value) {
  while (*value != '\0' && std::isspace(static_cast<unsigned char>(*value))) {
    ++value;
  }
  // One character more than a plan name may have: a longer word reaches the loader still too
  // long, and the loader refuses it as it refuses a typed name.
  char name[kPlanNameSize + 1];
  std::size_t length = 0;
  while (value[length] != '\0' && !std::isspace(static_cast<unsigned char>(value[length])) &&
         length + 1 < sizeof name) {
    name[length] = value[length];
    ++length;
  }
  name[length] = '\0';
  if (length > 0) {
    aircraft.LoadFlightPlan(name);
  }
}

void RestoreSequence(Aircraft& aircraft, const char* value) {
  int index = 0;
  int direction = 0;
  double state = 0.0;
  if (!ReadInt(value, index) || !ReadInt(value, direction) || !ReadDouble(value, state)) {
    return;
  }
  if (index < 0 || index >= SequenceCount(aircraft)) {
    return;
  }
  // The sequence step knows only the two directions and states from 0 to 1.
  state = state <= 0.0 ? 0.0 : state > 1.0 ? 1.0 : state;  // -0 too: it would save as -0.0000
  AnimationSequence& sequence = aircraft.animations.sequences[index];
  sequence.direction = direction > 0 ? 1 : -1;
  sequence.state = state;
  sequence.target = state;
  // As in the sequence step: the flaps sequence moves the flap surface, so restored flaps lift.
  if (index == aircraft.animations.links.flapsSequence) {
    aircraft.SetControlSurfaceLevel(AIRCTRL_FLAP, -state);
  } else {
    aircraft.SetAnimation(sequence.animation, state);
  }
}

void ApplyScenarioLine(Aircraft& aircraft, const char* line) {
  const char* value = nullptr;
  if ((value = ValueAfter(line, kCurrentPayload)) != nullptr) {
    RestorePayload(aircraft, value);
  } else if ((value = ValueAfter(line, kAutopilot)) != nullptr) {
    RestoreAutopilot(aircraft, value);
  } else if ((value = ValueAfter(line, kAltitude)) != nullptr) {
    ReadDouble(value, aircraft.autopilot.altitudeTarget);
  } else if ((value = ValueAfter(line, kHeading)) != nullptr) {
    ReadDouble(value, aircraft.autopilot.headingTarget);
  } else if ((value = ValueAfter(line, kFlightPlan)) != nullptr) {
    RestoreFlightPlan(aircraft, value);
  } else if ((value = ValueAfter(line, kWaypoint)) != nullptr) {
    ReadInt(value, aircraft.flightPlan.current);
  } else if ((value = ValueAfter(line, kSequence)) != nullptr) {
    RestoreSequence(aircraft, value);
  }
}

}  // namespace

void Aircraft::SaveState(FILEHANDLE scenario) {
  SaveDefaultState(scenario);

  char value[kValueSize];
  FormatText(value, "%d", payloads.currentPayload);
  vapiWriteScenario_string(scenario, kCurrentPayload, value);

  const int sequenceCount = SequenceCount(*this);
  for (int i = 0; i < sequenceCount; ++i) {
    const AnimationSequence& sequence = animations.sequences[i];
    FormatText(value, "%d %d %0.4f", i, sequence.direction, sequence.state);
    vapiWriteScenario_string(scenario, kSequence, value);
  }

  FormatText(value, "%d", autopilot.autopilotEngaged ? 1 : 0);
  vapiWriteScenario_string(scenario, kAutopilot, value);

  // A whole number of metres, cut toward zero; printed from the double so that a target beyond
  // the integer range is still written as the number it is (and -0.7 as 0, not -0).
  FormatText(value, "%.0f", std::trunc(autopilot.altitudeTarget) + 0.0);
  vapiWriteScenario_string(scenario, kAltitude, value);

  FormatText(value, "%0.2f", autopilot.headingTarget);
  vapiWriteScenario_string(scenario, kHeading, value);

  if (flightPlan.name[0] != '\0') {
    FormatText(value, "%.*s", kPlanNameSize - 1, flightPlan.name);
    vapiWriteScenario_string(scenario, kFlightPlan, value);
    FormatText(value, "%d", flightPlan.current);
    vapiWriteScenario_string(scenario, kWaypoint, value);
  }
}

void Aircraft::LoadState(FILEHANDLE scenario, void* status) {
  char* line = nullptr;
  while (vapiReadScenario_nextline(scenario, line)) {
    if (line == nullptr) {
      continue;
    }
    ApplyScenarioLine(*this, line);
    // Every line, the module's own included, also goes to the host's default parser.
    ParseScenarioLineEx(line, status);
  }
}
