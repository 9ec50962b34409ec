// Placing a vessel and deriving what a module reads back: the frames and sign conventions of
// docs/host-conventions.md, and the standard atmosphere.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/HostFixture.h"
#include "vantor/Vantor.h"

namespace {

using vantor::testing::Placement;
using vantor::testing::PlaceVessel;

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kPlanetRadius = 6371000.0;

// Smallest difference of two angles, so 359.9 and 0.1 degrees are close.
double AngleDifference(double a, double b) {
  return std::remainder(a - b, 2.0 * std::numbers::pi);
}

class GeometryTest : public HostFixture {
 protected:
  vantor::FlightState Place(const Placement& placement) {
    vantor::VesselRecord& vessel = vantor::testing::CreateVesselRecord("G");
    PlaceVessel(vessel, placement);
    return vessel.state;
  }
};

TEST_F(GeometryTest, PlacedAttitudeAndPlaceComeBackAsObservables) {
  const double longitudes[] = {0, 45, -120, 179.5};
  const double latitudes[] = {0, 30, -60, 80};
  const double headings[] = {0, 90, 200, 350};
  const double pitches[] = {0, 10, -10};
  const double banks[] = {0, 30, -30};
  for (double lon : longitudes) {
    for (double lat : latitudes) {
      for (double heading : headings) {
        for (double pitch : pitches) {
          for (double bank : banks) {
            const vantor::FlightState s = Place({lon, lat, 3000, heading, pitch, bank, 150, false});
            SCOPED_TRACE(testing::Message() << "lon " << lon << " lat " << lat << " hdg " << heading
                                            << " pitch " << pitch << " bank " << bank);
            EXPECT_NEAR(AngleDifference(s.longitude, lon * kDeg), 0, 1e-9);
            EXPECT_NEAR(s.latitude, lat * kDeg, 1e-9);
            EXPECT_NEAR(s.altitude, 3000, 1e-6);
            EXPECT_NEAR(s.radius, kPlanetRadius + 3000, 1e-6);
            EXPECT_NEAR(AngleDifference(s.heading, heading * kDeg), 0, 1e-9);
            EXPECT_GE(s.heading, 0.0);
            EXPECT_LT(s.heading, 2 * std::numbers::pi);
            EXPECT_NEAR(s.pitch, pitch * kDeg, 1e-9);
            EXPECT_NEAR(s.bank, bank * kDeg, 1e-9);
            EXPECT_NEAR(s.airspeed, 150, 1e-9);
            EXPECT_NEAR(s.aoa, 0, 1e-9);
            EXPECT_NEAR(s.slip, 0, 1e-9);
            // The velocity along the nose, seen in the horizon frame (x east, y up, z north).
            const double horizontal = 150 * std::cos(pitch * kDeg);
            EXPECT_NEAR(s.horizonAirspeed.x, horizontal * std::sin(heading * kDeg), 1e-6);
            EXPECT_NEAR(s.horizonAirspeed.y, 150 * std::sin(pitch * kDeg), 1e-6);
            EXPECT_NEAR(s.horizonAirspeed.z, horizontal * std::cos(heading * kDeg), 1e-6);
          }
        }
      }
    }
  }
}

TEST_F(GeometryTest, ALevelVesselHeadingNorthReadsBackExactlySo) {
  for (double lon : {10.0, -73.3, 151.2}) {
    for (double lat : {45.0, -30.25, 0.5}) {
      for (double heading : {0.0, 90.0, 270.0}) {
        const vantor::FlightState s = Place({lon, lat, 120.5, heading, 0, 0, 60, true});
        EXPECT_FALSE(std::signbit(s.pitch)) << lon << " " << lat << " " << heading;
        EXPECT_EQ(s.pitch, 0.0);
        EXPECT_EQ(s.bank, 0.0);
        EXPECT_EQ(s.aoa, 0.0);
        EXPECT_EQ(s.slip, 0.0);
        if (heading == 0.0) {
          EXPECT_EQ(s.heading, 0.0);
        }
      }
    }
  }
}

TEST_F(GeometryTest, GlobalFrameAxesPointWhereTheGeometryHeaderSays) {
  // Longitude 90 east on the equator is +z; the north pole is +y.
  vantor::FlightState east = Place({90, 0, 0, 0, 0, 0, 0, true});
  EXPECT_NEAR(east.position.z, kPlanetRadius, 1e-6);
  EXPECT_NEAR(east.position.x, 0, 1e-6);
  vantor::FlightState north = Place({0, 90, 0, 0, 0, 0, 0, true});
  EXPECT_NEAR(north.position.y, kPlanetRadius, 1e-6);

  // At longitude 0 on the equator, flying east along +z, with the right wing pointing south.
  vantor::FlightState s = Place({0, 0, 0, 90, 0, 0, 100, false});
  EXPECT_NEAR(s.velocity.z, 100, 1e-9);
  EXPECT_NEAR(s.rotation[1][0], -1, 1e-12);  // vessel x (right) along -y (south)
  EXPECT_NEAR(s.rotation[0][1], 1, 1e-12);   // vessel y (up) along +x (up here)
}

TEST_F(GeometryTest, PositiveBankRaisesTheRightWingAndTheFrameIsAProperRotation) {
  vantor::FlightState s = Place({10, 20, 1000, 0, 0, 30, 100, false});
  const double up[3] = {s.position.x / s.radius, s.position.y / s.radius, s.position.z / s.radius};
  const double rightUp =
      s.rotation[0][0] * up[0] + s.rotation[1][0] * up[1] + s.rotation[2][0] * up[2];
  EXPECT_NEAR(rightUp, std::sin(30 * kDeg), 1e-9);
  const double(&r)[3][3] = s.rotation;
  const double det = r[0][0] * (r[1][1] * r[2][2] - r[1][2] * r[2][1]) -
                     r[0][1] * (r[1][0] * r[2][2] - r[1][2] * r[2][0]) +
                     r[0][2] * (r[1][0] * r[2][1] - r[1][1] * r[2][0]);
  EXPECT_NEAR(det, 1.0, 1e-12);
}

TEST_F(GeometryTest, AngleOfAttackAndSlipFollowTheNoseAgainstTheVelocity) {
  vantor::VesselRecord& level = vantor::testing::CreateVesselRecord("L");
  PlaceVessel(level, {0, 0, 1000, 0, 0, 0, 100, false});
  vantor::VesselRecord& vessel = vantor::testing::CreateVesselRecord("V");

  // Nose 5 degrees up, still flying level: the nose is above the velocity.
  PlaceVessel(vessel, {0, 0, 1000, 0, 5, 0, 100, false});
  vessel.state.velocity = level.state.velocity;
  vantor::testing::RefreshObservables(vessel);
  EXPECT_NEAR(vessel.state.aoa, 5 * kDeg, 1e-9);
  EXPECT_NEAR(vessel.state.slip, 0, 1e-9);
  EXPECT_NEAR(vessel.state.pitch, 5 * kDeg, 1e-9);

  // Nose 4 degrees right of the velocity (heading 4, still flying north).
  PlaceVessel(vessel, {0, 0, 1000, 4, 0, 0, 100, false});
  vessel.state.velocity = level.state.velocity;
  vantor::testing::RefreshObservables(vessel);
  EXPECT_NEAR(vessel.state.slip, 4 * kDeg, 1e-9);
  EXPECT_NEAR(vessel.state.aoa, 0, 1e-9);

  // At rest nothing is undefined.
  vessel.state.velocity = VECTOR3{0, 0, 0};
  vantor::testing::RefreshObservables(vessel);
  EXPECT_EQ(vessel.state.aoa, 0.0);
  EXPECT_EQ(vessel.state.slip, 0.0);
  EXPECT_EQ(vessel.state.mach, 0.0);
}

TEST_F(GeometryTest, StandardAtmosphereMatchesTheTableAndStaysPhysical) {
  struct Point {
    double altitude, pressure, density;
  };
  // Geometric altitudes of the standard atmosphere tables.
  const Point points[] = {{0, 101325, 1.225},        {5000, 54048, 0.73643},
                          {11000, 22700, 0.36480},   {20000, 5529.3, 0.088910},
                          {32000, 889.06, 0.013555}, {50000, 79.779, 0.0010269},
                          {86000, 0.3734, 6.958e-6}};
  for (const Point& point : points) {
    const vantor::FlightState s = Place({0, 0, point.altitude, 0, 0, 0, 0, false});
    EXPECT_NEAR(s.pressure / point.pressure, 1.0, 0.01) << point.altitude;
    EXPECT_NEAR(s.density / point.density, 1.0, 0.01) << point.altitude;
  }
  const vantor::FlightState sea = Place({0, 0, 0, 0, 0, 0, 340.294, false});
  EXPECT_NEAR(sea.mach, 1.0, 1e-3);

  double previous = 2.0;
  for (double altitude : {-1e6, -10000.0, -100.0, 0.0, 90000.0, 200000.0, 1e7, 1e12}) {
    const vantor::FlightState s = Place({0, 0, altitude, 0, 0, 0, 100, false});
    EXPECT_FALSE(std::isnan(s.density)) << altitude;
    EXPECT_FALSE(std::isnan(s.mach)) << altitude;
    EXPECT_GE(s.density, 0.0) << altitude;
    EXPECT_GE(s.pressure, 0.0) << altitude;
    EXPECT_LE(s.density, previous) << altitude;
    previous = s.density;
  }
}

}  // namespace
