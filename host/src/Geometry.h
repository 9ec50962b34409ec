// The planet, its atmosphere, and the frames the host reports in. Private to the host.
//
// Global frame: planet-centred and non-rotating; x towards longitude 0 on the equator, y
// towards the north pole, z towards longitude 90 degrees east on the equator. Like the vessel
// frame (x right, y up, z forward) it is left-handed, so the vessel-to-global rotation is a
// proper rotation. The air is at rest in this frame.
#pragma once

#include "HostExport.h"
#include "vantor/sim/VesselRecord.h"

namespace vantor {

inline constexpr double kPlanetRadius = 6371000.0;  // metres
inline constexpr double kSurfaceGravity = 9.80665;  // metres per second squared

struct Atmosphere {
  double density;       // kg per cubic metre
  double pressure;      // pascal
  double temperature;   // kelvin
  double speedOfSound;  // metres per second
};

// The standard atmosphere up to 86 km; above it the density falls off exponentially.
VANTOR_INTERNAL Atmosphere StandardAtmosphere(double altitude);

// Sets the kinematic state of a vessel flying along its nose at the given airspeed, at a place
// (radians, metres) and attitude (radians), then derives the observables.
VANTOR_INTERNAL void PlaceKinematics(FlightState& state, double longitude, double latitude,
                                     double altitude, double heading, double pitch, double bank,
                                     double airspeed);

// With the nose straight up or down, heading and bank turn about one axis and only their sum
// (nose up) or difference (nose down) is the attitude. This is all of it as heading, read from
// the direction the vessel's up axis points, for a bank of zero.
VANTOR_INTERNAL double HeadingWithNoseVertical(const FlightState& state);

// Recomputes every observable of the flight state from position, velocity and rotation.
// groundContact is left as it is: only ground contact handling decides it.
VANTOR_INTERNAL void DeriveObservables(FlightState& state);

}  // namespace vantor
