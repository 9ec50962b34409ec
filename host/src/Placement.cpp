#include "vantor/sim/Placement.h"

#include <cmath>
#include <numbers>

#include "Geometry.h"
#include "physics/GroundContact.h"

namespace vantor::sim {
namespace {

double Radians(double degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  // Beyond about 5.7e307 degrees the product overflows; the quotient first still fits.
  return std::isfinite(radians) ? radians : degrees * (std::numbers::pi / 180.0);
}

}  // namespace

void PlaceVessel(VesselRecord& vessel, const Placement& placement) {
  PlaceKinematics(vessel.state, Radians(placement.longitudeDeg), Radians(placement.latitudeDeg),
                  placement.altitude, Radians(placement.headingDeg), Radians(placement.pitchDeg),
                  Radians(placement.bankDeg), placement.airspeed);
  // A landed vessel is never put with its gear in the ground (at altitude 0 everywhere), where
  // the gear would throw it into the air.
  if (placement.landed && placement.altitude < physics::RestingAltitude(vessel)) {
    PlaceKinematics(vessel.state, Radians(placement.longitudeDeg), Radians(placement.latitudeDeg),
                    physics::RestingAltitude(vessel), Radians(placement.headingDeg),
                    Radians(placement.pitchDeg), Radians(placement.bankDeg), placement.airspeed);
  }
  vessel.state.groundContact = placement.landed;
}

}  // namespace vantor::sim
