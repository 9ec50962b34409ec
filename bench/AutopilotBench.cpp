// Cost of one frame with the autopilot flying a flight plan, beside its floor: the trigonometric
// calls such a frame cannot avoid (bearing, distance and the climb angle), and the status line.
#include "frame/Aircraft.h"
// The host's testing face needs VESSEL, declared through the aircraft's header above.
#include <vantor/testing/HostTesting.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

#include "frame/Angles.h"
#include "frame/Text.h"

namespace {

void AddWaypoint(FlightPlan& plan, const char* description, double lonDeg, double latDeg,
                 double altitude, double course) {
  Waypoint& w = plan.waypoints[plan.count++];
  CopyText(w.description, description);
  w.position = {lonDeg * RAD, latDeg * RAD, altitude};
  w.course = course;
  w.throttle = 0.8;
  w.proximity = 2000.0;
}

void StepAircraftFollowingPlan(benchmark::State& state) {
  vantor::testing::ResetHost();
  vantor::VesselRecord& record = vantor::testing::CreateVesselRecord("Bench");
  {
    Aircraft aircraft(&record);
    aircraft.SetClassCaps();
    AddWaypoint(aircraft.flightPlan, "North-east corner", 10.318, 45.225, 4000.0, 90.0);
    AddWaypoint(aircraft.flightPlan, "South-east corner", 10.318, 45.0, 2500.0, 180.0);
    AutopilotState& ap = aircraft.autopilot;
    ap.autopilotEngaged = ap.altitudeHoldOn = ap.headingHoldOn = ap.bankHoldOn = true;

    vantor::FlightState& flight = record.state;
    flight.longitude = 10.0 * RAD;
    flight.latitude = 45.1 * RAD;
    flight.radius = 6371000.0 + 3000.0;
    flight.altitude = 3000.0;
    flight.airspeed = 200.0;
    flight.heading = 30.0 * RAD;
    flight.pitch = 2.0 * RAD;
    flight.aoa = 1.5 * RAD;
    flight.bank = -5.0 * RAD;
    flight.slip = 0.5 * RAD;

    double simt = 0.0;
    for (auto _ : state) {
      aircraft.StepAircraft(simt);
      simt += 0.02;
      // Drift the position a little so no frame repeats the previous one exactly.
      flight.longitude += 1e-9;
    }
    benchmark::DoNotOptimize(aircraft.autopilot.aileronCommand);
  }
  vantor::testing::ResetHost();
}
BENCHMARK(StepAircraftFollowingPlan);

// The trigonometry of one such frame: the initial bearing (seven sines and cosines and an
// arctangent), the haversine distance (four, two roots and an arctangent) and the climb angle.
void TrigonometryFloor(benchmark::State& state) {
  double lon1 = 10.0 * RAD;
  const double lat1 = 45.1 * RAD, lon2 = 10.318 * RAD, lat2 = 45.225 * RAD;
  for (auto _ : state) {
    const double dl = lon2 - lon1;
    const double y = std::sin(dl) * std::cos(lat2);
    const double x =
        std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dl);
    benchmark::DoNotOptimize(std::atan2(y, x));
    const double s1 = std::sin((lat1 - lat2) / 2.0);
    const double s2 = std::sin((lon1 - lon2) / 2.0);
    const double h = s1 * s1 + std::cos(lat2) * std::cos(lat1) * s2 * s2;
    benchmark::DoNotOptimize(std::atan2(std::sqrt(h), std::sqrt(1.0 - h)));
    benchmark::DoNotOptimize(std::atan(h / (1.0 + x)));
    lon1 += 1e-9;
  }
}
BENCHMARK(TrigonometryFloor);

// The status line the step writes every frame, formatted alone.
void StatusLineFormatting(benchmark::State& state) {
  char line[256];
  double distance = 12345.678;
  for (auto _ : state) {
    std::snprintf(line, sizeof line,
                  "Flight status - %s : Hd : %.2f / Bg : %.2f / Er : %.2f / Alt %.0f / Ds %.3f / "
                  "Phase %u",
                  "North-east corner", 61.25, 80.5, 9.75, 4000.0, distance * 0.001, 0u);
    benchmark::DoNotOptimize(line);
    distance += 0.001;
  }
}
BENCHMARK(StatusLineFormatting);

}  // namespace

BENCHMARK_MAIN();
