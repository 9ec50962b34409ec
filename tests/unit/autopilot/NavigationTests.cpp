// The flight-plan step: bearing and distance, the targets it sets, arrival and the status line.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "AutopilotFixture.h"
#include "autopilot/GreatCircle.h"
#include "frame/Text.h"

namespace {

constexpr double kRadius = 6371000.0 + 3000.0;

struct Vector {
  double x, y, z;
};
double Dot(Vector a, Vector b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vector Cross(Vector a, Vector b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vector Unit(double lonDeg, double latDeg) {
  const double lon = Radians(lonDeg), lat = Radians(latDeg);
  return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

// Great-circle distance and initial bearing (degrees, 0 to 360) by vector geometry.
double VectorDistance(double lon1, double lat1, double lon2, double lat2, double radius) {
  const Vector a = Unit(lon1, lat1), b = Unit(lon2, lat2);
  const Vector c = Cross(a, b);
  return radius * std::atan2(std::sqrt(Dot(c, c)), Dot(a, b));
}
double VectorBearing(double lon1, double lat1, double lon2, double lat2) {
  const double lon = Radians(lon1), lat = Radians(lat1);
  const Vector east{-std::sin(lon), std::cos(lon), 0.0};
  const Vector north{-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon), std::cos(lat)};
  const Vector b = Unit(lon2, lat2);
  const double bearing = std::atan2(Dot(b, east), Dot(b, north)) * 180.0 / kTestPi;
  return bearing < 0.0 ? bearing + 360.0 : bearing;
}

struct Status {
  double heading, bearing, error, altitude, distanceKm;
  unsigned phase;
};

class NavigationTest : public AutopilotFixture {
 protected:
  void SetUp() override {
    AutopilotFixture::SetUp();
    aircraft->autopilot.autopilotEngaged = true;
    PlaceAt(0.0, 0.0);
  }
  void PlaceAt(double lonDeg, double latDeg) {
    record->state.longitude = Radians(lonDeg);
    record->state.latitude = Radians(latDeg);
    record->state.radius = kRadius;
  }
  Waypoint& Add(const char* description, double lonDeg, double latDeg, double course = -1.0) {
    FlightPlan& plan = aircraft->flightPlan;
    Waypoint& w = plan.waypoints[plan.count++];
    w = Waypoint{};
    CopyText(w.description, description);
    w.position = {Radians(lonDeg), Radians(latDeg), 2500.0};
    w.course = course;
    return w;
  }
  Status Step() {
    aircraft->FollowFlightPlan();
    Status s{};
    const std::string line = vantor::testing::StatusLine();
    EXPECT_EQ(std::sscanf(line.c_str(),
                          "Flight status - %*[^:]: Hd : %lf / Bg : %lf / Er : %lf / Alt %lf / "
                          "Ds %lf / Phase %u",
                          &s.heading, &s.bearing, &s.error, &s.altitude, &s.distanceKm, &s.phase),
              6)
        << line;
    return s;
  }
};

TEST_F(NavigationTest, BearingAndDistanceMatchAnIndependentGreatCircle) {
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> longitude(-180.0, 180.0), latitude(-75.0, 75.0),
      offset(-3.0, 3.0);
  for (int n = 0; n < 200; ++n) {
    const double lon1 = longitude(random), lat1 = latitude(random);
    // Half the pairs are near each other, as waypoints are; the rest anywhere but antipodal.
    const bool near = n % 2 == 0;
    const double lon2 = near ? lon1 + offset(random) : longitude(random);
    const double lat2 = near ? lat1 + offset(random) : latitude(random);
    const SurfacePoint a{Radians(lon1), Radians(lat1)}, b{Radians(lon2), Radians(lat2)};
    EXPECT_NEAR(GreatCircleDistance(a, b, kRadius), VectorDistance(lon1, lat1, lon2, lat2, kRadius),
                1e-6);
    double bearing = InitialBearing(a, b) * 180.0 / kTestPi;
    bearing = bearing < 0.0 ? bearing + 360.0 : bearing;
    EXPECT_NEAR(bearing, VectorBearing(lon1, lat1, lon2, lat2), 1e-9);

    if (n < 20) {
      aircraft->flightPlan.count = 0;
      Add("Far", lon2, lat2);
      PlaceAt(lon1, lat1);
      const Status s = Step();
      EXPECT_NEAR(s.bearing, VectorBearing(lon1, lat1, lon2, lat2), 0.0051);
      const double distance = VectorDistance(lon2, lat2, lon1, lat1, kRadius);
      EXPECT_NEAR(s.distanceKm, distance / 1000.0, 0.00051);
      EXPECT_NEAR(aircraft->autopilot.climbDistance, std::min(distance, 5000.0), 1e-6);
    }
  }
  // The next waypoint at the latitude of the one before, whose sine and cosine the step keeps.
  PlaceAt(10.0, 45.2);
  for (const double waypointLongitude : {11.0, 9.0}) {
    aircraft->flightPlan.count = 0;
    Add("Same latitude", waypointLongitude, 45.0);
    EXPECT_NEAR(Step().bearing, VectorBearing(10.0, 45.2, waypointLongitude, 45.0), 0.0051);
  }
  // Nearly opposite points, where rounding lifts the haversine term above 1 (with this
  // platform's sine and cosine): half the circumference, not a non-number.
  const double half =
      GreatCircleDistance({0.5, 0.8599841856874102}, {0.5 + kTestPi, -0.85998418568922019}, 1.0);
  EXPECT_NEAR(half, kTestPi, 1e-6);
}

TEST_F(NavigationTest, HeadingTargetInterceptsTheCourseLine) {
  // The waypoint lies 10 km from the aircraft in the given direction.
  auto expectHeading = [&](double direction, double course, double rough) {
    const double d = 10000.0 / kRadius * 180.0 / kTestPi;
    const double lon = d * std::sin(Radians(direction)), lat = d * std::cos(Radians(direction));
    aircraft->flightPlan.count = 0;
    Add("Gate", lon, lat, course);
    const Status s = Step();
    const double bearing = VectorBearing(0, 0, lon, lat);
    double error = course - bearing;
    error -= error > 180.0 ? 360.0 : (error < -180.0 ? -360.0 : 0.0);
    double heading = bearing - 2.0 * error;
    heading += heading < 0.0 ? 360.0 : 0.0;
    EXPECT_NEAR(aircraft->autopilot.headingTarget, heading, 1e-9) << direction << " " << course;
    EXPECT_NEAR(aircraft->autopilot.headingTarget, rough, 0.05);
    EXPECT_NEAR(s.error, error, 0.0051);
  };
  expectHeading(80, 90, 60);
  expectHeading(10, 350, 50);
  expectHeading(10, 30, 330);
  expectHeading(90, 90, 90);
  expectHeading(200, 180, 240);

  // Without a course the heading target stays, and the error shows 0.
  aircraft->autopilot.headingTarget = 123.0;
  aircraft->flightPlan.count = 0;
  Add("Loose", 0.05, 0.05);
  EXPECT_EQ(Step().error, 0.0);
  EXPECT_EQ(aircraft->autopilot.headingTarget, 123.0);
}

TEST_F(NavigationTest, ArrivalIsStrictlyInsideTheRadiusAndThePlanRepeats) {
  Waypoint& first = Add("First", 0.0, 0.01);
  Add("Second", 0.0, 0.02);
  const double distance =
      GreatCircleDistance({first.position.x, first.position.y}, {0.0, 0.0}, kRadius);
  first.proximity = distance;
  EXPECT_EQ(Step().phase, 0u);
  first.proximity = std::nextafter(distance, 1e9);
  EXPECT_EQ(Step().phase, 1u);
  EXPECT_NE(vantor::testing::StatusLine().find("Flight status - Second :"), std::string::npos);
  PlaceAt(0.0, 0.02);
  EXPECT_EQ(Step().phase, 0u);  // past the last waypoint, back to the first

  // A plan of one waypoint: each arrival brings the same waypoint back.
  aircraft->flightPlan.count = 1;
  PlaceAt(0.0, 0.01);
  EXPECT_EQ(Step().phase, 0u);
  EXPECT_NE(vantor::testing::StatusLine().find("Flight status - First :"), std::string::npos);
}

TEST_F(NavigationTest, WaypointSetsAltitudeClimbDistanceAndThrottle) {
  Waypoint& w = Add("Climb", 10000.0 / kRadius * 180.0 / kTestPi, 0.0);
  w.position.z = 4000.0;
  vantor::testing::ClearLog();
  Step();
  EXPECT_EQ(aircraft->autopilot.altitudeTarget, 4000.0);
  EXPECT_EQ(aircraft->autopilot.climbDistance, 5000.0);
  EXPECT_FALSE(ThrottleSent().has_value());  // THROTTLE -1 leaves the engine to the pilot

  PlaceAt(8000.0 / kRadius * 180.0 / kTestPi, 0.0);
  for (double throttle : {0.0, 0.7, -0.5}) {  // passed on unchanged, negative ones too
    w.throttle = throttle;
    vantor::testing::ClearLog();
    Step();
    EXPECT_EQ(ThrottleSent(), throttle);
  }
  EXPECT_NEAR(aircraft->autopilot.climbDistance, 2000.0, 1e-6);
}

TEST_F(NavigationTest, StatusLineShowsTheWaypointAndTheFigures) {
  Add("North gate", 0.0, 0.1);
  aircraft->FollowFlightPlan();
  char expected[256];
  std::snprintf(expected, sizeof expected,
                "Flight status - North gate : Hd : 180.00 / Bg : 0.00 / Er : 0.00 / Alt 2500 / "
                "Ds %.3f / Phase 0",
                VectorDistance(0, 0, 0, 0.1, kRadius) * 0.001);
  EXPECT_EQ(vantor::testing::StatusLine(), expected);
}

TEST_F(NavigationTest, NothingHappensWithoutTheMasterSwitchOrAPlan) {
  FlightPlan& plan = aircraft->flightPlan;
  aircraft->FollowFlightPlan();  // no plan
  EXPECT_EQ(vantor::testing::StatusLine(), "");
  Add("A", 0.0, 0.1, 90.0);
  aircraft->autopilot.autopilotEngaged = false;
  plan.current = 5;  // as the skip key may leave it
  aircraft->FollowFlightPlan();
  EXPECT_EQ(plan.current, 0);
  EXPECT_EQ(vantor::testing::StatusLine(), "");
  EXPECT_EQ(aircraft->autopilot.altitudeTarget, 10000.0);
  EXPECT_EQ(aircraft->autopilot.headingTarget, 180.0);
  EXPECT_EQ(aircraft->autopilot.climbDistance, 3000.0);
}

}  // namespace
