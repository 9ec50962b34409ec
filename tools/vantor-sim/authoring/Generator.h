// A first aircraft file from a handful of figures, with textbook aerodynamics: the wing's lift
// slope from its aspect ratio, a stall, a moment table that trims at the design cruise, tail and
// control surfaces sized from the wing, inertia from mass and dimensions, gear, engine, fuel and
// autopilot settings matched to the aircraft's speed.
#pragma once

#include <string>

namespace authoring {

enum class Kind { Trainer, Jet, Transport, Glider };

// The kind named by text (trainer, jet, transport, glider); false when it names none.
bool ParseKind(const std::string& text, Kind& kind);
const char* KindName(Kind kind);

struct Design {
  Kind kind = Kind::Trainer;
  double mass = 0.0;    // kg, empty
  double span = 0.0;    // m
  double thrust = 0.0;  // N at sea level; 0 for a glider
  // Left at 0, the kind's usual values are taken.
  double fuel = 0.0;            // kg
  double cruiseAltitude = 0.0;  // m
  double cruiseSpeed = 0.0;     // m/s
  // The pitch moment table's offset that trims the elevator to neutral at the cruise; the
  // generator's calibration sets it from the host's trim.
  double momentOffset = 0.0;
};

// Everything the file says, derived from the design.
struct Airframe {
  double wingArea = 0.0;
  double aspectRatio = 0.0;
  double chord = 0.0;
  double length = 0.0;
  double liftSlope = 0.0;       // per degree
  double zeroLiftAngle = 0.0;   // degrees
  double stallAngle = 0.0;      // degrees
  double maxLift = 0.0;         // lift coefficient at the stall
  double wingOffset = 0.0;      // m behind the centre of gravity (negative z)
  double cruiseLift = 0.0;      // lift coefficient at the design cruise
  double cruiseAltitude = 0.0;  // m
  double cruiseSpeed = 0.0;     // m/s
  double fuel = 0.0;            // kg
  double maxBank = 0.0;         // degrees
  double turnRadius = 0.0;      // m, at the cruise and MAX_BANK
};

// Fills the kind's defaults and checks the figures; returns a message for figures that make no
// aircraft (empty when they are usable).
std::string Complete(Design& design);
Airframe Derive(const Design& design);
std::string AircraftText(const std::string& name, const Design& design);
// The pitch moment coefficient a full elevator gives (for the calibration of momentOffset).
double ElevatorAuthority(const Design& design);

}  // namespace authoring
