#include "Geometry.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace vantor {
namespace {

constexpr double kGasConstant = 287.05287;  // J / (kg K), dry air
constexpr double kHeatCapacityRatio = 1.4;
constexpr double kTopOfTable = 86000.0;      // geometric metres
constexpr double kLowestAltitude = -5000.0;  // deeper is treated as this deep
constexpr double kScaleHeightAboveTable = 6500.0;

// The standard atmosphere's layers by geopotential altitude: base height, base temperature and
// temperature gradient (K/m). The base pressures follow from the layers below.
struct Layer {
  double baseHeight;
  double baseTemperature;
  double lapseRate;
};
constexpr Layer kLayers[] = {
    {0.0, 288.15, -0.0065},    {11000.0, 216.65, 0.0}, {20000.0, 216.65, 0.001},
    {32000.0, 228.65, 0.0028}, {47000.0, 270.65, 0.0}, {51000.0, 270.65, -0.0028},
    {71000.0, 214.65, -0.002},
};
constexpr double kSeaLevelPressure = 101325.0;

double PressureInLayer(const Layer& layer, double basePressure, double height) {
  const double dh = height - layer.baseHeight;
  if (layer.lapseRate == 0.0) {
    return basePressure * std::exp(-kSurfaceGravity * dh / (kGasConstant * layer.baseTemperature));
  }
  const double temperature = layer.baseTemperature + layer.lapseRate * dh;
  return basePressure * std::pow(temperature / layer.baseTemperature,
                                 -kSurfaceGravity / (kGasConstant * layer.lapseRate));
}

// Temperature and pressure at a geopotential height within the table.
void TableValues(double height, double& temperature, double& pressure) {
  double basePressure = kSeaLevelPressure;
  const std::size_t count = std::size(kLayers);
  std::size_t index = 0;
  while (index + 1 < count && height >= kLayers[index + 1].baseHeight) {
    basePressure = PressureInLayer(kLayers[index], basePressure, kLayers[index + 1].baseHeight);
    ++index;
  }
  const Layer& layer = kLayers[index];
  temperature = layer.baseTemperature + layer.lapseRate * (height - layer.baseHeight);
  pressure = PressureInLayer(layer, basePressure, height);
}

double GeopotentialHeight(double altitude) {
  return kPlanetRadius * altitude / (kPlanetRadius + altitude);
}

double Dot(const VECTOR3& a, const VECTOR3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

VECTOR3 Scaled(const VECTOR3& v, double factor) {
  return VECTOR3{v.x * factor, v.y * factor, v.z * factor};
}

VECTOR3 Sum(const VECTOR3& a, const VECTOR3& b) {
  return VECTOR3{a.x + b.x, a.y + b.y, a.z + b.z};
}

// The local horizon at a place: east, up and north in the global frame.
struct Horizon {
  VECTOR3 east;
  VECTOR3 up;
  VECTOR3 north;
};

Horizon HorizonAt(double longitude, double latitude) {
  const double cosLon = std::cos(longitude);
  const double sinLon = std::sin(longitude);
  const double cosLat = std::cos(latitude);
  const double sinLat = std::sin(latitude);
  return Horizon{VECTOR3{-sinLon, 0.0, cosLon}, VECTOR3{cosLat * cosLon, sinLat, cosLat * sinLon},
                 VECTOR3{-sinLat * cosLon, cosLat, -sinLat * sinLon}};
}

VECTOR3 Column(const double (&rotation)[3][3], int column) {
  return VECTOR3{rotation[0][column], rotation[1][column], rotation[2][column]};
}

// Angles closer to zero than this are rounding noise of the frame arithmetic (a level vessel
// would otherwise report a pitch of -1e-17 and a scenario would save "PITCH -0.0000").
constexpr double kAngleNoise = 1e-12;

double WithoutNoise(double angle) {
  return std::fabs(angle) < kAngleNoise ? 0.0 : angle;
}

double WrapToTwoPi(double angle) {
  constexpr double kTwoPi = 2.0 * std::numbers::pi;
  double wrapped = std::fmod(WithoutNoise(angle), kTwoPi);
  if (wrapped < 0.0) {
    wrapped += kTwoPi;
  }
  // Just below a full turn is north too (and would otherwise be saved as 360 degrees).
  return wrapped >= kTwoPi - kAngleNoise ? 0.0 : wrapped;
}

Atmosphere AirAt(double altitude) {
  if (std::isnan(altitude)) {
    altitude = 0.0;
  }
  altitude = std::max(altitude, kLowestAltitude);
  double temperature = 0.0;
  double pressure = 0.0;
  if (altitude <= kTopOfTable) {
    TableValues(GeopotentialHeight(altitude), temperature, pressure);
  } else {
    TableValues(GeopotentialHeight(kTopOfTable), temperature, pressure);
    pressure *= std::exp(-(altitude - kTopOfTable) / kScaleHeightAboveTable);
  }
  const double density = pressure / (kGasConstant * temperature);
  return Atmosphere{density, pressure, temperature,
                    std::sqrt(kHeatCapacityRatio * kGasConstant * temperature)};
}

}  // namespace

Atmosphere StandardAtmosphere(double altitude) {
  // A physics step asks for the air where the step before left the vessel, as the observables
  // did: the last answer is kept. (The host runs on one thread.)
  static bool known = false;
  static double lastAltitude = 0.0;
  static Atmosphere last{};
  if (known &&
      std::bit_cast<std::uint64_t>(altitude) == std::bit_cast<std::uint64_t>(lastAltitude)) {
    return last;
  }
  known = true;
  lastAltitude = altitude;
  last = AirAt(altitude);
  return last;
}

void PlaceKinematics(FlightState& state, double longitude, double latitude, double altitude,
                     double heading, double pitch, double bank, double airspeed) {
  const Horizon horizon = HorizonAt(longitude, latitude);
  const double radius = kPlanetRadius + altitude;
  state.position = Scaled(horizon.up, radius);

  // Level axes for the heading, then pitch about the right axis, then bank about the nose.
  const VECTOR3 levelForward =
      Sum(Scaled(horizon.north, std::cos(heading)), Scaled(horizon.east, std::sin(heading)));
  const VECTOR3 levelRight =
      Sum(Scaled(horizon.east, std::cos(heading)), Scaled(horizon.north, -std::sin(heading)));
  const VECTOR3 forward =
      Sum(Scaled(levelForward, std::cos(pitch)), Scaled(horizon.up, std::sin(pitch)));
  const VECTOR3 pitchedUp =
      Sum(Scaled(levelForward, -std::sin(pitch)), Scaled(horizon.up, std::cos(pitch)));
  // Left wing down (positive bank) raises the right wing.
  const VECTOR3 right = Sum(Scaled(levelRight, std::cos(bank)), Scaled(pitchedUp, std::sin(bank)));
  const VECTOR3 up = Sum(Scaled(pitchedUp, std::cos(bank)), Scaled(levelRight, -std::sin(bank)));

  const VECTOR3 axes[3] = {right, up, forward};
  for (int column = 0; column < 3; ++column) {
    state.rotation[0][column] = axes[column].x;
    state.rotation[1][column] = axes[column].y;
    state.rotation[2][column] = axes[column].z;
  }
  state.velocity = Scaled(forward, airspeed);
  state.angularVelocity = VECTOR3{};
  DeriveObservables(state);
}

namespace {

double HeadingWithNoseVertical(const Horizon& horizon, const FlightState& state) {
  const VECTOR3 up = Column(state.rotation, 1);
  // Nose up, the vessel's up axis points away from the heading; nose down, toward it.
  const double away = Dot(Column(state.rotation, 2), horizon.up) > 0.0 ? -1.0 : 1.0;
  return WrapToTwoPi(std::atan2(away * Dot(up, horizon.east), away * Dot(up, horizon.north)));
}

}  // namespace

double HeadingWithNoseVertical(const FlightState& state) {
  return HeadingWithNoseVertical(HorizonAt(state.longitude, state.latitude), state);
}

void DeriveObservables(FlightState& state) {
  const VECTOR3& p = state.position;
  state.radius = std::sqrt(Dot(p, p));
  state.longitude = state.radius > 0.0 ? std::atan2(p.z, p.x) : 0.0;
  state.latitude = state.radius > 0.0 ? std::atan2(p.y, std::hypot(p.x, p.z)) : 0.0;
  state.altitude = state.radius - kPlanetRadius;
  const Horizon horizon = HorizonAt(state.longitude, state.latitude);

  const VECTOR3 right = Column(state.rotation, 0);
  const VECTOR3 up = Column(state.rotation, 1);
  const VECTOR3 forward = Column(state.rotation, 2);
  const double forwardEast = Dot(forward, horizon.east);
  const double forwardNorth = Dot(forward, horizon.north);
  const double forwardLevel = std::hypot(forwardEast, forwardNorth);
  state.pitch = WithoutNoise(std::atan2(Dot(forward, horizon.up), forwardLevel));
  if (forwardLevel < kAngleNoise) {
    // Straight up or down, a heading and bank read from the noise could be any angles.
    state.heading = HeadingWithNoseVertical(horizon, state);
    state.bank = 0.0;
  } else {
    state.heading = WrapToTwoPi(std::atan2(forwardEast, forwardNorth));
    state.bank = WithoutNoise(std::atan2(Dot(right, horizon.up), Dot(up, horizon.up)));
  }

  // The air is at rest in the global frame.
  const VECTOR3& v = state.velocity;
  state.airspeed = std::sqrt(Dot(v, v));
  const double vRight = Dot(v, right);
  const double vUp = Dot(v, up);
  const double vForward = Dot(v, forward);
  state.aoa = state.airspeed > 0.0 ? WithoutNoise(std::atan2(-vUp, vForward)) : 0.0;
  state.slip = state.airspeed > 0.0 ? WithoutNoise(std::atan2(-vRight, vForward)) : 0.0;
  state.horizonAirspeed = VECTOR3{Dot(v, horizon.east), Dot(v, horizon.up), Dot(v, horizon.north)};

  const Atmosphere air = StandardAtmosphere(state.altitude);
  state.density = air.density;
  state.pressure = air.pressure;
  state.mach = state.airspeed / air.speedOfSound;
}

}  // namespace vantor
