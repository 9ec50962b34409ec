// Cost of one frame with the autopilot flying a flight plan, beside its floor: the trigonometric
// calls such a frame cannot avoid (bearing, distance and the climb angle), and the status line
// it writes, formatted as the frame does it and with snprintf.
#include "frame/Aircraft.h"
// The host's testing face needs VESSEL, declared through the aircraft's header above.
#include <vantor/testing/HostTesting.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "frame/Angles.h"
#include "frame/Text.h"
#include "frame/TextBuilder.h"

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

// One aircraft flying the corner of a circuit with every channel on, the plan being followed.
class FlyingAircraft {
 public:
  FlyingAircraft() {
    vantor::testing::ResetHost();
    record_ = &vantor::testing::CreateVesselRecord("Bench");
    aircraft_ = std::make_unique<Aircraft>(record_);
    aircraft_->SetClassCaps();
    AddWaypoint(aircraft_->flightPlan, "North-east corner", 10.318, 45.225, 4000.0, 90.0);
    AddWaypoint(aircraft_->flightPlan, "South-east corner", 10.318, 45.0, 2500.0, 180.0);
    AutopilotState& ap = aircraft_->autopilot;
    ap.autopilotEngaged = ap.altitudeHoldOn = ap.headingHoldOn = ap.bankHoldOn = true;

    vantor::FlightState& flight = record_->state;
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
  }
  ~FlyingAircraft() {
    aircraft_.reset();
    vantor::testing::ResetHost();
  }
  FlyingAircraft(const FlyingAircraft&) = delete;
  FlyingAircraft& operator=(const FlyingAircraft&) = delete;

  Aircraft& aircraft() { return *aircraft_; }
  // Moves the aircraft east by the 4 m it flies in a frame at 200 m/s, so that no frame repeats
  // the one before and the figures of the status line change as they do in flight.
  void Drift() { record_->state.longitude += 8.9e-7; }

 private:
  vantor::VesselRecord* record_ = nullptr;
  std::unique_ptr<Aircraft> aircraft_;
};

void StepAircraftFollowingPlan(benchmark::State& state) {
  FlyingAircraft flying;
  double simt = 0.0;
  for (auto _ : state) {
    flying.aircraft().StepAircraft(simt);
    simt += 0.02;
    flying.Drift();
  }
  benchmark::DoNotOptimize(flying.aircraft().autopilot.aileronCommand);
}
BENCHMARK(StepAircraftFollowingPlan);

// The autopilot's share of that frame: the flight-plan step and the three channels.
void FlightPlanAndChannels(benchmark::State& state) {
  FlyingAircraft flying;
  Aircraft& aircraft = flying.aircraft();
  for (auto _ : state) {
    aircraft.FollowFlightPlan();
    aircraft.HoldAltitude(0.0);
    aircraft.HoldHeading();
    aircraft.HoldBank();
    flying.Drift();
  }
  benchmark::DoNotOptimize(aircraft.autopilot.aileronCommand);
}
BENCHMARK(FlightPlanAndChannels);

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

// The status line the step writes every frame, formatted alone: as the step writes it, and
// through snprintf as it used to.
void StatusLineFormatting(benchmark::State& state) {
  char line[256];
  double distance = 12345.678;
  for (auto _ : state) {
    TextBuilder(line)
        .Literal("Flight status - ")
        .Text("North-east corner")
        .Literal(" : Hd : ")
        .Fixed(61.25, 2)
        .Literal(" / Bg : ")
        .Fixed(80.5, 2)
        .Literal(" / Er : ")
        .Fixed(9.75, 2)
        .Literal(" / Alt ")
        .Fixed(4000.0, 0)
        .Literal(" / Ds ")
        .Fixed(distance * 0.001, 3)
        .Literal(" / Phase ")
        .Unsigned(0u);
    benchmark::DoNotOptimize(line);
    distance += 0.001;
  }
}
BENCHMARK(StatusLineFormatting);

void StatusLineFormattingWithSnprintf(benchmark::State& state) {
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
BENCHMARK(StatusLineFormattingWithSnprintf);

}  // namespace

BENCHMARK_MAIN();
