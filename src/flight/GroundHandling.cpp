// Ground settings given to the host at class set-up (rotational drag, wheel friction, brakes)
// and the nose-wheel steering force on the ground.
#include <algorithm>
#include <cmath>

#include "config/ProfileReaders.h"
#include "frame/Aircraft.h"
#include "frame/TextBuilder.h"

namespace {

constexpr VECTOR3 kDefaultRotationalDrag{0.1, 0.13, 0.04};
// Rolling and lateral friction of a generic tyre on a runway, for files that give none.
constexpr VECTOR3 kDefaultWheelFriction{0.05, 0.8, 0.0};
// The steering force acts this far ahead of the centre of gravity, whatever the aircraft.
constexpr VECTOR3 kSteeringForcePoint{0.0, 0.0, 12.0};
constexpr int kBrakeKeyTextSize = 16;

}  // namespace

void Aircraft::SetupGroundHandling() {
  const char* path = vessel.configPath;

  // This replaces the rotational drag of the CONFIG section, default included.
  VECTOR3 rotationalDrag = kDefaultRotationalDrag;
  ReadProfileVector(path, "AIRCRAFT", "ROTATIONAL_DRAG", rotationalDrag);
  SetRotDrag(rotationalDrag);

  ground.steeringFactor = 1.0;
  ReadProfileDouble(path, "STEERING", "FACTOR", ground.steeringFactor);
  ground.wheelFriction = kDefaultWheelFriction;
  ReadProfileVector(path, "STEERING", "FRICTION", ground.wheelFriction);
  ground.steeringSpeed = 100.0;
  ReadProfileDouble(path, "STEERING", "SPEED", ground.steeringSpeed);
  ground.brakeForce = 50000.0;
  ReadProfileDouble(path, "BRAKES", "FACTOR", ground.brakeForce);
  char brakeKeyText[kBrakeKeyTextSize] = "";
  ReadProfileString(path, "BRAKES", "KEY", brakeKeyText);
  ground.brakeKey = KeyCodeFromLetter(brakeKeyText);

  SetSurfaceFrictionCoeff(ground.wheelFriction.x, ground.wheelFriction.y);
  SetMaxWheelbrakeForce(ground.brakeForce);
}

void Aircraft::SteerOnGround() {
  VECTOR3 airspeed{};
  GetHorizonAirspeedVector(airspeed);
  const double speed = std::sqrt(airspeed.x * airspeed.x + airspeed.z * airspeed.z);
  const double rudder = GetControlSurfaceLevel(AIRCTRL_RUDDER);
  SetAnimation(animations.links.steeringAnimation, 0.5 * rudder + 0.5);
  if (!(speed > 0.0) || !GroundContact()) {
    return;
  }
  // Without a positive fade-out speed the force has no defined shape: the wheel only turns.
  const double fadeSpeed = ground.steeringSpeed;
  if (!(fadeSpeed > 0.0)) {
    return;
  }
  // Strongest at half the fade-out speed, nothing at standstill and beyond it.
  const double fade = 1.0 - std::min(speed, fadeSpeed) / fadeSpeed;
  const double force = GetMass() * ground.steeringFactor * rudder * (fade * speed);
  if (!std::isfinite(force)) {
    return;  // an extreme mass or factor overflows: no force rather than an infinite one
  }
  AddForce(VECTOR3{force, 0.0, 0.0}, kSteeringForcePoint);
  // "%0.4f, %0.4f, %0.4f, %0.4f" of force, 0, speed and fade
  TextBuilder(vapiDebugString(), VAPI_DEBUG_STRING_SIZE)
      .Fixed(force, 4)
      .Literal(", 0.0000, ")
      .Fixed(speed, 4)
      .Literal(", ")
      .Fixed(fade, 4);
}
