// The pilot's keyboard: sequence keys, the brake key, the autopilot switches, the input boxes
// for targets and the flight-plan name, waypoint skip and payload release.
#include <climits>

#include "frame/Aircraft.h"
#include "frame/StatusLine.h"

namespace {

constexpr DWORD kKeyAutopilot = VKEY_1;
constexpr DWORD kKeyAllChannels = VKEY_2;
constexpr DWORD kKeyAltitudeHold = VKEY_3;
constexpr DWORD kKeyBankHold = VKEY_4;
constexpr DWORD kKeyHeadingBox = VKEY_7;
constexpr DWORD kKeyAltitudeBox = VKEY_8;
constexpr DWORD kKeyBankBox = VKEY_9;
constexpr DWORD kKeyPitchBox = VKEY_0;
constexpr DWORD kKeySkipWaypoint = VKEY_S;
constexpr DWORD kKeyReleasePayload = VKEY_J;
constexpr DWORD kKeyFlightPlanBox = VKEY_L;

constexpr int kInputBoxWidth = 20;

bool ModifierHeld(const char* keyState) {
  if (keyState == nullptr) {
    return false;
  }
  // While any modifier is held, the key belongs to someone else.
  for (DWORD code : VKEY_MODIFIERS) {
    if ((static_cast<unsigned char>(keyState[code]) & VKEY_HELD_BIT) != 0) {
      return true;
    }
  }
  return false;
}

// A configured key of 0 (none) or a negative one ("*") is bound to no scan code.
bool BoundTo(int configuredKey, DWORD key) {
  return configuredKey > 0 && static_cast<DWORD>(configuredKey) == key;
}

// The host hands the box's text; a missing one reads as an empty entry.
char* EnteredText(char* text) {
  static char empty[1] = "";
  return text != nullptr ? text : empty;
}

// Input-box callbacks: the context is the Aircraft that opened the box.
bool HeadingEntered(void* /*box*/, char* text, void* context) {
  if (context == nullptr) {
    return false;
  }
  // Through the query interface, so that the operation other modules see is the one used.
  AircraftInterface* aircraft = static_cast<Aircraft*>(context);
  return aircraft->SetHeadingTarget(EnteredText(text));
}

bool AltitudeEntered(void* /*box*/, char* text, void* context) {
  return context != nullptr &&
         static_cast<Aircraft*>(context)->SetAltitudeTarget(EnteredText(text));
}

bool BankEntered(void* /*box*/, char* text, void* context) {
  return context != nullptr && static_cast<Aircraft*>(context)->SetBankTarget(EnteredText(text));
}

bool PitchEntered(void* /*box*/, char* text, void* context) {
  return context != nullptr && static_cast<Aircraft*>(context)->SetPitchTarget(EnteredText(text));
}

bool FlightPlanEntered(void* /*box*/, char* text, void* context) {
  return context != nullptr && static_cast<Aircraft*>(context)->LoadFlightPlan(EnteredText(text));
}

}  // namespace

int Aircraft::ConsumeBufferedKey(DWORD key, bool down, const char* keyState) {
  // Commands act on the release; the press is left to the host.
  if (down) {
    return 0;
  }
  if (ModifierHeld(keyState)) {
    return 0;
  }

  const int sequenceCount =
      animations.sequenceCount < kMaxSequences ? animations.sequenceCount : kMaxSequences;
  for (int i = 0; i < sequenceCount; ++i) {
    if (BoundTo(animations.sequences[i].key, key)) {
      ToggleSequence(i);
      return 1;
    }
  }

  if (BoundTo(ground.brakeKey, key)) {
    const double level = 1.0 - GetWheelbrakeLevel(WHEELBRAKE_BOTH);
    SetWheelbrakeLevel(level, WHEELBRAKE_BOTH, true);
    WriteStatusLine("%s", level == 1.0 ? "Brakes On" : "Brakes Off");
    return 1;
  }

  switch (key) {
    case kKeyAutopilot:
      if (!autopilot.autopilotEngaged) {
        SetADCtrlMode(0);
        SetAttitudeMode(0);
        autopilot.autopilotEngaged = true;
      } else {
        SetADCtrlMode(7);
        SetAttitudeMode(1);
        autopilot.autopilotEngaged = false;
      }
      autopilot.altitudeHoldOn = autopilot.autopilotEngaged;
      autopilot.headingHoldOn = autopilot.autopilotEngaged;
      autopilot.bankHoldOn = autopilot.autopilotEngaged;
      return 1;
    case kKeyAllChannels: {
      const bool on = !autopilot.headingHoldOn;
      autopilot.headingHoldOn = on;
      autopilot.altitudeHoldOn = on;
      autopilot.bankHoldOn = on;
      return 1;
    }
    case kKeyAltitudeHold:
      autopilot.altitudeHoldOn = !autopilot.altitudeHoldOn;
      return 1;
    case kKeyBankHold:
      autopilot.bankHoldOn = !autopilot.bankHoldOn;
      return 1;
    case kKeyHeadingBox:
      vapiOpenInputBox("Heading in Degrees", HeadingEntered, nullptr, kInputBoxWidth, this);
      return 1;
    case kKeyAltitudeBox:
      vapiOpenInputBox("Altitude in Metres", AltitudeEntered, nullptr, kInputBoxWidth, this);
      return 1;
    case kKeyBankBox:
      vapiOpenInputBox("Wing Level angle in +- Degrees", BankEntered, nullptr, kInputBoxWidth,
                       this);
      return 1;
    case kKeyPitchBox:
      vapiOpenInputBox("Pitch Level in +- Degrees", PitchEntered, nullptr, kInputBoxWidth, this);
      return 1;
    case kKeySkipWaypoint:
      // The flight-plan step brings an index past the last waypoint back to 0; only keep the
      // count itself from overflowing.
      if (flightPlan.current < INT_MAX) {
        ++flightPlan.current;
      }
      return 1;
    case kKeyReleasePayload:
      if (payloads.currentPayload < payloads.payloadCount) {
        ReleasePayload();
      }
      return 1;
    case kKeyFlightPlanBox:
      vapiOpenInputBox("Flight Plan Name", FlightPlanEntered, nullptr, kInputBoxWidth, this);
      return 1;
    default:
      return 0;
  }
}
