// vantor-sim fly over an hour of flight, as a user runs it: the example aircraft on its circuit,
// once without and once with --host-log. Each run is a child process; its wall time is the
// benchmark's time, and the counters give its peak memory (MiB, from the child's resource usage)
// and how many times faster than real time the hour was flown, by the wall clock and by the
// processor time the child used.
//
// The program flown is the vantor-sim built beside this one. With FLY_BENCH_BASELINE set to the
// path of another build's vantor-sim, that one flies too, in the same run, for a before and after,
// and the two also fly in pairs (FlyOneHour/paired): see FlyOneHourPaired.
#include <benchmark/benchmark.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr double kFlightSeconds = 3600.0;
// Rounds of the paired flight: enough for a median that holds to a few per cent.
constexpr int kPairedRounds = 21;

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

// Starts the program with the arguments, its output to /dev/null; pinned to the processor `cpu`
// unless it is negative.
pid_t StartChild(const std::vector<std::string>& arguments, int cpu) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    if (cpu >= 0) {
      cpu_set_t one;
      CPU_ZERO(&one);
      CPU_SET(cpu, &one);
      sched_setaffinity(0, sizeof one, &one);
    }
    if (std::freopen("/dev/null", "w", stdout) == nullptr) {
      _exit(127);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  return child;
}

// Waits for a child started at `start`.
ChildRun WaitChild(pid_t child, std::chrono::steady_clock::time_point start) {
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

ChildRun RunChild(const std::vector<std::string>& arguments) {
  const auto start = std::chrono::steady_clock::now();
  return WaitChild(StartChild(arguments, -1), start);
}

std::vector<std::string> FlyArguments(const std::string& program) {
  return {program, "fly", Scenario().string(), "--duration", std::to_string(kFlightSeconds)};
}

void FlyOneHour(benchmark::State& state, const std::string& program, bool hostLog) {
  const fs::path log =
      fs::temp_directory_path() / ("fly-bench-" + std::to_string(getpid()) + ".log");
  std::vector<std::string> arguments = FlyArguments(program);
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

// The first two processors this process may run on; {-1, -1} (no pinning) without two.
std::pair<int, int> TwoProcessors() {
  std::pair<int, int> found{-1, -1};
  cpu_set_t allowed;
  if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) {
    return found;
  }
  for (int cpu = 0; cpu < CPU_SETSIZE && found.second < 0; ++cpu) {
    if (CPU_ISSET(cpu, &allowed)) {
      (found.first < 0 ? found.first : found.second) = cpu;
    }
  }
  return found.second < 0 ? std::pair<int, int>{-1, -1} : found;
}

// This build and the baseline fly the hour at the same time, one on each of two processors,
// changing processors every round. Whatever else a shared machine does meanwhile slows both
// alike, so the ratio of their processor times holds where either time alone swings by a third.
// The counters are that ratio's median and range over the rounds (below 1: this build is faster).
void FlyOneHourPaired(benchmark::State& state, const std::string& program,
                      const std::string& baseline) {
  const auto [first, second] = TwoProcessors();
  std::vector<double> ratios;
  for (auto _ : state) {
    const bool swap = ratios.size() % 2 == 1;
    const auto start = std::chrono::steady_clock::now();
    const pid_t mine = StartChild(FlyArguments(program), swap ? second : first);
    const pid_t theirs = StartChild(FlyArguments(baseline), swap ? first : second);
    const ChildRun ours = WaitChild(mine, start);
    const ChildRun base = WaitChild(theirs, start);
    if (!ours.succeeded || !base.succeeded || !(base.cpuSeconds > 0.0)) {
      state.SkipWithError("a paired flight failed");
      break;
    }
    state.SetIterationTime(std::max(ours.seconds, base.seconds));
    ratios.push_back(ours.cpuSeconds / base.cpuSeconds);
  }
  if (ratios.empty()) {
    return;
  }
  std::sort(ratios.begin(), ratios.end());
  state.counters["cpu_ratio_median"] = ratios[ratios.size() / 2];
  state.counters["cpu_ratio_min"] = ratios.front();
  state.counters["cpu_ratio_max"] = ratios.back();
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
  const std::string thisBuild = (fs::absolute(argv[0]).parent_path() / "vantor-sim").string();
  Register("this-build", thisBuild);
  if (const char* baselineVariable = std::getenv("FLY_BENCH_BASELINE")) {
    const std::string baseline = fs::absolute(baselineVariable).string();
    Register("baseline", baseline);
    benchmark::RegisterBenchmark("FlyOneHour/paired",
                                 [thisBuild, baseline](benchmark::State& state) {
                                   FlyOneHourPaired(state, thisBuild, baseline);
                                 })
        ->UseManualTime()
        ->Iterations(kPairedRounds)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
