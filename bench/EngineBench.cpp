// Cost of one frame's engine management: reading the throttle, the hand-over test and the
// thrust-limit law, with the host's calls included. The throttle moves every frame but stays
// below the hand-over level, as in cruise (each hand-over makes the host create a group).
#include <benchmark/benchmark.h>

#include <vantor/testing/HostTesting.h>

#include "frame/Aircraft.h"

namespace {

void BM_ManageEngines(benchmark::State& state) {
  vantor::testing::ResetHost();
  vantor::VesselRecord& record = vantor::testing::CreateVesselRecord("Bench");
  Aircraft plane(&record);
  VesselConfig& vessel = plane.vessel;
  vessel.mainThrust = 40000;
  vessel.burnThrust = 60000;
  const PROPELLANT_HANDLE fuel = plane.CreatePropellantResource(1000);
  vessel.mainThruster = plane.CreateThruster({0, 0, -4}, {0, 0, 1}, 40000, fuel, 30000);
  vessel.burnerThruster = plane.CreateThruster({0, 0, -4}, {0, 0, 1}, 60000, fuel, 15000);
  vessel.mainGroup = plane.CreateThrusterGroup(&vessel.mainThruster, 1, THGROUP_MAIN);
  plane.engines.flightModel = static_cast<int>(state.range(0));
  plane.engines.ceiling = 15000;
  record.state.density = 0.8;
  record.state.altitude = 5000;
  record.state.airspeed = 200;
  double throttle = 0.5;
  for (auto _ : state) {
    throttle = throttle < 0.9 ? throttle + 0.001 : 0.5;
    plane.SetThrusterGroupLevel(vessel.mainGroup, throttle);
    plane.ManageEngines();
  }
  benchmark::DoNotOptimize(record.thrusters[0]->max0);
  state.SetLabel("flight model " + std::to_string(state.range(0)) +
                 ", throttle set by handle each frame");
  vantor::testing::ResetHost();
}
BENCHMARK(BM_ManageEngines)->Arg(1)->Arg(2)->Arg(3);

}  // namespace

BENCHMARK_MAIN();
