// vantor-sim fly over an hour of flight, as a user runs it: the example aircraft on its circuit,
// once without and once with --host-log. Each run is a child process; its wall time is the
// benchmark's time, and the counters give its peak memory (MiB, from the child's resource usage)
// and how many times faster than real time the hour was flown, by the wall clock and by the
// processor time the child used.
//
// The program flown is the vantor-sim built beside this one. With FLY_BENCH_BASELINE set to the
// path of another build's vantor-sim, that one flies too, in the same run, for a before and after.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr double kFlightSeconds = 3600.0;

const fs::path& Scenario() {
  static const fs::path scenario = fs::path(AIRCRAFT_EXAMPLE_ROOT) / "Scenarios" / "Airborne.scn";
  return scenario;
}

struct ChildRun {
  double seconds = 0.0;
  double cpuSeconds = 0.0;  // user and system time: less disturbed on a busy machine
  double peakMiB = 0.0;
  bool succeeded = false;
};

// Runs the program with the arguments, its output to /dev/null, and waits for it.
ChildRun RunChild(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    if (std::freopen("/dev/null", "w", stdout) == nullptr) {
      _exit(127);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  ChildRun run;
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) {
    return run;
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
  };
  run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

void FlyOneHour(benchmark::State& state, const std::string& program, bool hostLog) {
  const fs::path log =
      fs::temp_directory_path() / ("fly-bench-" + std::to_string(getpid()) + ".log");
  std::vector<std::string> arguments = {program, "fly", Scenario().string(), "--duration",
                                        std::to_string(kFlightSeconds)};
  if (hostLog) {
    arguments.insert(arguments.end(), {"--host-log", log.string()});
  }
  double peak = 0.0;
  double logMiB = 0.0;
  double cpuSeconds = 0.0;
  for (auto _ : state) {
    const ChildRun run = RunChild(arguments);
    if (!run.succeeded) {
      state.SkipWithError(("the flight failed: " + program).c_str());
      break;
    }
    state.SetIterationTime(run.seconds);
    peak = std::max(peak, run.peakMiB);
    cpuSeconds += run.cpuSeconds;
    std::error_code ignored;
    logMiB = hostLog ? static_cast<double>(fs::file_size(log, ignored)) / (1024.0 * 1024.0) : 0.0;
    fs::remove(log, ignored);
  }
  state.counters["peak_MiB"] = peak;
  state.counters["log_MiB"] = logMiB;
  state.counters["x_real_time"] = benchmark::Counter(
      kFlightSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["x_real_time_cpu"] =
      kFlightSeconds * static_cast<double>(state.iterations()) / std::max(cpuSeconds, 1e-9);
}

void Register(const std::string& label, const std::string& program) {
  for (const bool hostLog : {false, true}) {
    benchmark::RegisterBenchmark(
        ("FlyOneHour/" + label + (hostLog ? "/host-log" : "/no-log")).c_str(),
        [program, hostLog](benchmark::State& state) { FlyOneHour(state, program, hostLog); })
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Register("this-build", (fs::absolute(argv[0]).parent_path() / "vantor-sim").string());
  if (const char* baseline = std::getenv("FLY_BENCH_BASELINE")) {
    Register("baseline", fs::absolute(baseline).string());
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
