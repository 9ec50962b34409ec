// The three autopilot channels. The laws work in degrees; host angles are converted at the edge.
// A frame whose flight state or target is not a number commands nothing: the surface and the
// channel's stored values stay as they were, as if the channel were off for that frame.
#include <cmath>

#include "autopilot/AngleWrap.h"
#include "frame/Aircraft.h"
#include "frame/Angles.h"

namespace {

// Upper bound first, then the lower one, so the lower bound wins should they cross.
double Clamp(double value, double low, double high) {
  if (value > high) {
    value = high;
  }
  if (value < low) {
    value = low;
  }
  return value;
}

// atan(p / q) in degrees; a zero q points straight up or down, or nowhere for a zero p.
double AtanDegrees(double p, double q) {
  if (q == 0.0) {
    if (p > 0.0) {
      return 90.0;
    }
    return p < 0.0 ? -90.0 : 0.0;
  }
  return std::atan(p / q) * DEG;
}

}  // namespace

bool Aircraft::HoldAltitude(double /*simt*/) {
  const AutopilotState& ap = autopilot;
  const double airspeed = GetAirspeed();
  const double pitch = GetPitch() * DEG;
  const double angleOfAttack = GetAOA() * DEG;
  const double altitude = GetAltitude();
  // Near the target the aircraft aims at it over a distance that shrinks with the throttle.
  const double aimDistance = GetThrusterGroupLevel(THGROUP_MAIN) * ap.climbDistance;

  const double altitudeError = ap.altitudeTarget - altitude;
  const double speedPerMinute = 60.0 * airspeed;
  double pathAngle = 0.0;
  if (altitude < ap.altitudeTarget && std::fabs(altitudeError) > ap.rateOfClimb) {
    pathAngle = AtanDegrees(ap.rateOfClimb, speedPerMinute);
  }
  if (altitude > ap.altitudeTarget && std::fabs(altitudeError) > ap.rateOfDescent) {
    pathAngle = -AtanDegrees(ap.rateOfDescent, speedPerMinute);
  }
  if (pathAngle == 0.0) {
    pathAngle = AtanDegrees(altitudeError, aimDistance);
  }
  pathAngle = Clamp(3.0 * pathAngle, -ap.pitchLimitDown, ap.pitchLimitUp);

  const double pathError = pathAngle - (pitch - angleOfAttack);
  if (!std::isfinite(pathError)) {
    return true;
  }
  double command = 0.0;
  if (pathError > 0.0) {
    command = pathError / ap.pitchLimitUp / ap.dampElevator;
  } else if (pathError < 0.0) {
    command = pathError / ap.pitchLimitDown / ap.dampElevator;
  }
  // Commands this small would barely move the elevator; they are strengthened.
  const double magnitude = std::fabs(command);
  if (ap.elevatorAssist.y <= magnitude && magnitude <= ap.elevatorAssist.x) {
    command *= ap.elevatorAssist.z;
  }
  // Only pulling up is capped: a steep nose-down demand goes to the host whole.
  if (command > ap.elevatorLimit) {
    command = ap.elevatorLimit;
  }
  autopilot.elevatorCommand = command;
  SetControlSurfaceLevel(AIRCTRL_ELEVATOR, command);
  return true;
}

bool Aircraft::HoldHeading() {
  AutopilotState& ap = autopilot;
  const double slip = GetSlipAngle();
  // The aircraft's own heading: the vessel with the input focus may be another one.
  double heading = 0.0;
  if (!vapiGetVesselHeading(GetHandle(), &heading)) {
    return true;
  }
  if (heading < 0.0) {
    heading += 2.0 * PI;
  }
  const double headingError = WrapOnce(ap.headingTarget * RAD - heading) / RAD;

  const double slipRudder = -0.1 * Clamp(slip * DEG, -10.0, 10.0);
  double bankTarget = 0.0;
  double rudder = slipRudder;
  if (std::fabs(headingError) > ap.dampBank) {
    bankTarget = -ap.maxBank * SignOf(headingError);
  } else {
    const double share = headingError / ap.dampBank;
    bankTarget = -share * ap.maxBank;
    if (ap.rudderLimit != 0.0) {
      rudder = share * ap.rudderLimit;
    }
  }
  if (std::isfinite(bankTarget)) {
    ap.bankTarget = bankTarget;
  }
  if (std::isfinite(rudder)) {
    SetControlSurfaceLevel(AIRCTRL_RUDDER, rudder);
  }
  return true;
}

bool Aircraft::HoldBank() {
  const double bank = GetBank() * DEG;
  const double bankError =
      Clamp(bank - autopilot.bankTarget, -autopilot.maxBank, autopilot.maxBank);
  const double command = bankError / autopilot.maxBank;
  if (!std::isfinite(command)) {
    return true;
  }
  autopilot.aileronCommand = command;
  SetControlSurfaceLevel(AIRCTRL_AILERON, command);
  return true;
}
