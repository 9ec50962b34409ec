// Simulated seconds per wall-clock second for the airborne example: the example aircraft on its
// circuit under autopilot, at the simulator's 0.02 s step, alone and ten at once. Beside the
// whole frame, the host's physics step and the module's time step are measured alone to show
// where the time goes. The counter sim_s is the simulated time per second of wall time.
//
// The module is loaded by name from the folder this program was built into, as vantor-sim does;
// each aircraft is a copy of the example aircraft file under its own name, in a temporary root.
#include <benchmark/benchmark.h>
#include <vantor/sim/Physics.h>
#include <vantor/sim/ScenarioFile.h>
#include <vantor/sim/Simulation.h>
#include <vantor/testing/HostTesting.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr double kStep = 0.02;
// The aircraft are put back where they started after this many frames: in ten minutes under
// autopilot the fuel lasts and the circuit is flown about once; without the module an
// uncontrolled aircraft is put back sooner, so that the physics is always measured in flight.
constexpr long long kFramesPerFlight = 30000;
constexpr long long kFramesUncontrolled = 5000;

fs::path programFolder;

const fs::path& ExampleRoot() {
  static const fs::path root = AIRCRAFT_EXAMPLE_ROOT;
  return root;
}

// A temporary simulator root with the example's flight plans and one copy of the example
// aircraft per vessel name, K1, K2, ...
class BenchRoot {
 public:
  explicit BenchRoot(int aircraft) {
    path_ = fs::temp_directory_path() / ("physics-bench-" + std::to_string(aircraft));
    fs::remove_all(path_);
    fs::create_directories(path_ / "Config" / "Aircraft");
    fs::copy(ExampleRoot() / "Config" / "Aircraft" / "FlightPlans",
             path_ / "Config" / "Aircraft" / "FlightPlans", fs::copy_options::recursive);
    std::ostringstream scenario;
    for (int i = 1; i <= aircraft; ++i) {
      const std::string name = "K" + std::to_string(i);
      fs::copy_file(ExampleRoot() / "Config" / "Aircraft" / "Kestrel.ini",
                    path_ / "Config" / "Aircraft" / (name + ".ini"));
      // Spread along the circuit's first leg, each from its own waypoint.
      scenario
          << name << ":aircraft\nSTATUS Flying\nPOS " << 10.0 + 0.02 * i
          << " 45.0\nALT 2000\nHDG 90\nSPEED 180\nFUEL 1\nTHROTTLE 0.7\nSEQ 0 -1 0\nAUTOPILOT 1\n"
          << "ALTITUDE 2000\nHEADING 90\nFLIGHTPLAN Circuit\nWAYPOINT " << i % 5 << "\nEND\n";
    }
    scenario_ = scenario.str();
    previous_ = fs::current_path();
    fs::current_path(path_);
  }
  ~BenchRoot() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
  }

  void Load() const {
    vantor::testing::ResetHost();
    vantor::sim::SetModuleFolder(programFolder.string());
    vantor::sim::LoadScenario(vantor::sim::ParseScenario(scenario_, "bench"), "bench");
  }

 private:
  fs::path path_;
  fs::path previous_;
  std::string scenario_;
};

void Timesteps(double simt) {
  for (vantor::VesselRecord* vessel : vantor::sim::Vessels()) {
    vantor::sim::Timestep(*vessel, simt);
  }
}

void ReportSimulatedTime(benchmark::State& state) {
  state.counters["sim_s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kStep,
                                               benchmark::Counter::kIsRate);
}

// A whole frame as vantor-sim runs it: the physics, then every aircraft's time step.
void BM_Frame(benchmark::State& state) {
  const BenchRoot root(static_cast<int>(state.range(0)));
  root.Load();
  double simt = 0.0;
  long long frames = 0;
  for (auto _ : state) {
    if (++frames % kFramesPerFlight == 0) {
      state.PauseTiming();
      root.Load();
      state.ResumeTiming();
    }
    simt += kStep;
    vantor::sim::AdvancePhysics(simt, kStep);
    Timesteps(simt);
  }
  ReportSimulatedTime(state);
  vantor::testing::ResetHost();
}
BENCHMARK(BM_Frame)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

// The physics step alone (airfoil callbacks included); the controls stay where they were.
void BM_PhysicsStep(benchmark::State& state) {
  const BenchRoot root(static_cast<int>(state.range(0)));
  root.Load();
  double simt = 0.0;
  long long frames = 0;
  for (auto _ : state) {
    if (++frames % kFramesUncontrolled == 0) {
      state.PauseTiming();
      root.Load();
      state.ResumeTiming();
    }
    simt += kStep;
    vantor::sim::AdvancePhysics(simt, kStep);
  }
  ReportSimulatedTime(state);
  vantor::testing::ResetHost();
}
BENCHMARK(BM_PhysicsStep)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

// The modules' time steps alone, with the flight state standing still.
void BM_ModuleTimestep(benchmark::State& state) {
  const BenchRoot root(static_cast<int>(state.range(0)));
  root.Load();
  double simt = 0.0;
  for (auto _ : state) {
    simt += kStep;
    Timesteps(simt);
  }
  ReportSimulatedTime(state);
  vantor::testing::ResetHost();
}
BENCHMARK(BM_ModuleTimestep)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  programFolder = fs::absolute(argv[0]).parent_path();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
