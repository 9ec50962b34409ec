// vantor-sim fly: loads a scenario, runs frames, plays scripted keys, controls and input-box
// answers, prints the status line as it changes, and saves the scenario at the end; with
// --interactive the cockpit (cockpit/) flies it live instead.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Command.h"
#include "ControlScript.h"
#include "FlightStatus.h"
#include "FlightSummary.h"
#include "HostLogFile.h"
#include "KeyLabels.h"
#include "KeyPress.h"
#include "Plot.h"
#include "Preflight.h"
#include "SimulatorRoot.h"
#include "StatusFilter.h"
#include "Trace.h"
#include "cockpit/Cockpit.h"
#include "vantor/sim/Observation.h"
#include "vantor/sim/OutputFile.h"
#include "vantor/sim/Physics.h"
#include "vantor/sim/ScenarioFile.h"
#include "vantor/sim/Simulation.h"

namespace {

namespace sim = vantor::sim;

// More frames than this is a mistyped --dt or --duration rather than a wish.
constexpr double kMaxFrames = 1e9;

// A scripted key press, input-box answer or control setting, due at a simulation time.
struct ScriptEvent {
  enum Kind { kKey, kInput, kControl };
  double time = 0.0;
  Kind kind = kKey;
  ScriptedKey key;
  ControlSetting control;
  std::string label;  // the key label, the answer text or the setting, for messages
};

std::string Seconds(double time) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f s", time);
  return text;
}

// "T:REST" with T a time in seconds, not negative.
std::pair<double, std::string> SplitTimed(const std::string& option, const std::string& value) {
  const std::size_t colon = value.find(':');
  const std::string timeText = value.substr(0, colon);
  char* end = nullptr;
  const double time = std::strtod(timeText.c_str(), &end);
  if (colon == std::string::npos || timeText.empty() || *end != '\0' || !std::isfinite(time) ||
      time < 0.0) {
    const char* what = option == "--key" ? "KEY" : option == "--input" ? "TEXT" : "NAME=VALUE";
    throw UsageError(option + " needs TIME:" + what + " with a time in seconds, not '" + value +
                     "'");
  }
  return {time, value.substr(colon + 1)};
}

// Keys before answers before controls at the same time, so that a key and the answer to the
// box it opens can be given one time; otherwise in the order given.
std::vector<ScriptEvent> ReadScript(const std::vector<std::string>& keys,
                                    const std::vector<std::string>& inputs,
                                    const std::vector<std::string>& controls) {
  std::vector<ScriptEvent> events;
  for (const std::string& value : keys) {
    auto [time, label] = SplitTimed("--key", value);
    events.push_back(ScriptEvent{time, ScriptEvent::kKey, ParseKeyLabel(label), {}, label});
  }
  for (const std::string& value : inputs) {
    auto [time, text] = SplitTimed("--input", value);
    events.push_back(ScriptEvent{time, ScriptEvent::kInput, {}, {}, text});
  }
  for (const std::string& value : controls) {
    auto [time, text] = SplitTimed("--control", value);
    events.push_back(ScriptEvent{time, ScriptEvent::kControl, {}, ParseControlSetting(text), text});
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.time < b.time; });
  return events;
}

// Paths given on the command line are taken from where the user stands, not from the root.
// Prints the status line when it changes, through the filter of --status-every.
class StatusPrinter {
 public:
  StatusPrinter(double every, ProgressLine& progress) : filter_(every), progress_(progress) {}
  void Report(double simt) {
    const std::string_view text = vantor::sim::StatusLineView();
    if (filter_.Admit(text, simt)) {
      Print(simt, text);
    }
  }
  // The last line held back, so that a run ends with the status it ended in.
  void Finish() {
    if (filter_.HasHeld()) {
      Print(filter_.heldTime(), filter_.held());
    }
  }

 private:
  void Print(double simt, std::string_view text) {
    progress_.Clear();
    std::printf("%.2f\t%.*s\n", simt, static_cast<int>(text.size()), text.data());
  }

  StatusFilter filter_;
  ProgressLine& progress_;
};

// Removes every vessel when the run ends, however it ends, so that each module gets its
// vvcExit and frees what it made.
class VesselsOfTheRun {
 public:
  VesselsOfTheRun() = default;
  VesselsOfTheRun(const VesselsOfTheRun&) = delete;
  VesselsOfTheRun& operator=(const VesselsOfTheRun&) = delete;
  ~VesselsOfTheRun() {
    try {
      std::vector<vantor::VesselRecord*> vessels = sim::Vessels();
      for (auto vessel = vessels.rbegin(); vessel != vessels.rend(); ++vessel) {
        sim::DeleteVessel(**vessel);
      }
    } catch (...) {
      // Leaving anyway; the process ends next.
    }
  }
};

// The box the module opens for a plan name; a name it cannot find would leave the aircraft
// flying without a plan and without a word.
constexpr const char* kPlanBoxTitle = "Flight Plan Name";

void Answer(const ScriptEvent& event, Findings& findings, bool keepGoing) {
  if (!vantor::sim::InputBoxOpen()) {
    throw RunError("no input box is open at " + Seconds(event.time) + " to take '" + event.label +
                   "'");
  }
  if (vantor::sim::InputBoxTitle() == kPlanBoxTitle) {
    const std::string missing = MissingPlan(event.label);
    if (!missing.empty()) {
      const std::string where = "--input " + Seconds(event.time);
      if (!keepGoing) {
        throw RunError(where + ": " + missing);
      }
      findings.Error(where, missing);
    }
  }
  vantor::sim::AnswerInputBox(event.label.c_str());
}

struct FlyOptions {
  PlaceOptions place;
  std::string scenario;
  double duration = 0.0;
  CLI::Option* durationGiven = nullptr;
  double dt = 0.02;
  std::vector<std::string> keys;
  std::vector<std::string> inputs;
  std::vector<std::string> controls;
  bool interactive = false;
  bool noPhysics = false;
  bool keepGoing = false;
  std::string save;
  std::string hostLog;
  std::string trace;
  std::string plot;
  std::string summary;
  double statusEvery = 10.0;
};

// The live cockpit takes the scenario, --save, --dt and the place; a script has no use there.
int FlyLive(const FlyOptions& options) {
  if (!options.keys.empty() || !options.inputs.empty() || !options.controls.empty() ||
      options.durationGiven->count() > 0 || options.noPhysics || !options.trace.empty() ||
      !options.plot.empty() || !options.hostLog.empty()) {
    throw UsageError(
        "--interactive flies with the pilot at the keys: it takes SCENARIO, --save, --dt, "
        "--root, --modules and --keep-going, no script, --duration, --no-physics, --trace, "
        "--plot or --host-log");
  }
  CockpitOptions cockpit;
  cockpit.place = options.place;
  cockpit.scenario = options.scenario;
  cockpit.save = options.save;
  cockpit.dt = options.dt;
  cockpit.keepGoing = options.keepGoing;
  return FlyInteractive(cockpit);
}

int Fly(const FlyOptions& options) {
  if (options.interactive) {
    return FlyLive(options);
  }
  // Without a scenario, the example flies once round its circuit.
  const bool example = options.scenario.empty();
  const std::string source = example ? "Scenarios/Airborne.scn" : options.scenario;
  const std::string scenario =
      example ? AbsolutePath(options.place.root + "/" + source) : AbsolutePath(options.scenario);
  const std::string plotPath = AbsolutePath(options.plot);
  // A plot without a trace of its own draws from one written beside it.
  const std::string tracePath =
      AbsolutePath(!options.trace.empty() || plotPath.empty() ? options.trace : plotPath + ".csv");
  const double statusEvery = options.statusEvery;
  const std::string savePath = AbsolutePath(options.save);
  const std::string logPath = AbsolutePath(options.hostLog);
  const std::string summaryPath = AbsolutePath(options.summary);
  const double duration = options.durationGiven->count() > 0 ? options.duration
                          : example                          ? 900.0
                                                             : 0.0;
  const double dt = options.dt;
  const bool physics = !options.noPhysics;
  if (duration / dt > kMaxFrames) {
    throw UsageError("--duration / --dt asks for more than 1e9 frames");
  }
  // Frame k runs at k * dt; a duration a rounding error short of a whole frame still gets it.
  const auto frames = static_cast<long long>(std::floor(duration / dt + 1e-9));
  const double end = static_cast<double>(frames) * dt;
  std::vector<ScriptEvent> script = ReadScript(options.keys, options.inputs, options.controls);
  const double late = end + dt * 1e-6;
  Findings findings(stderr);
  for (const ScriptEvent& event : script) {
    if (event.time > late) {
      const char* option = event.kind == ScriptEvent::kKey     ? "--key "
                           : event.kind == ScriptEvent::kInput ? "--input "
                                                               : "--control ";
      const std::string what = option + Seconds(event.time) + ": '" + event.label +
                               "' comes after the last frame at " + Seconds(end);
      if (!options.keepGoing) {
        throw UsageError(what);
      }
      findings.Error("vantor-sim fly", what + "; it is not played");
    }
  }
  script.erase(std::remove_if(script.begin(), script.end(),
                              [late](const ScriptEvent& event) { return event.time > late; }),
               script.end());

  const SimulatorRoot where = EnterSimulatorRoot(options.place, false);
  HostLogFile hostLog(logPath);
  const VesselsOfTheRun cleanup;
  const std::vector<sim::ScenarioBlock> blocks = sim::ReadScenarioFile(scenario, source);
  const std::vector<vantor::VesselRecord*> vessels = sim::LoadScenario(blocks, source);
  CheckScenarioVessels(blocks, vessels, source, where.root, physics, findings);
  if (findings.errors() > 0 && !options.keepGoing) {
    throw RunError(std::to_string(findings.errors()) +
                   (findings.errors() == 1 ? " error" : " errors") +
                   ": not flying (--keep-going flies anyway)");
  }

  FlightStatusCredits credits;
  FlightSummary summary;
  std::optional<FlightTrace> trace;
  if (!tracePath.empty()) {
    trace.emplace(tracePath, credits);
  }
  // The plot draws the plans the vessels held at any time, however they were loaded.
  std::vector<std::string> plans;
  const auto notePlans = [&] {
    if (!plotPath.empty()) {
      NoteHeldPlans(plans);
    }
  };
  notePlans();
  ProgressLine progress(end);
  StatusPrinter status(statusEvery, progress);
  std::size_t next = 0;
  // Delivers the events due by simt, after the frame that ran at simt.
  const auto playDue = [&](double simt) {
    for (; next < script.size() && script[next].time <= simt + dt * 1e-6; ++next) {
      const ScriptEvent& event = script[next];
      if (event.kind == ScriptEvent::kKey) {
        PressAndRelease(event.key, event.label);
      } else if (event.kind == ScriptEvent::kInput) {
        Answer(event, findings, options.keepGoing);
      } else {
        ApplyControlSetting(event.control);
      }
      status.Report(simt);
      notePlans();
    }
  };

  status.Report(0.0);
  playDue(0.0);
  summary.Sample(0.0, credits);
  if (trace) {
    trace->Sample(0.0);
  }
  std::vector<vantor::VesselRecord*> stepped;  // kept from frame to frame
  for (long long frame = 1; frame <= frames; ++frame) {
    const double simt = static_cast<double>(frame) * dt;
    if (physics) {
      sim::AdvancePhysics(simt, dt);
    }
    sim::ListVessels(stepped);
    for (vantor::VesselRecord* vessel : stepped) {
      credits.BeforeTimestep();
      sim::Timestep(*vessel, simt);
      credits.AfterTimestep(*vessel);
    }
    status.Report(simt);
    playDue(simt);
    summary.Sample(simt, credits);
    if (trace) {
      trace->Sample(simt);
    }
    progress.Update(simt);
  }
  status.Finish();
  progress.Clear();
  summary.Finish();
  notePlans();
  std::fputs(summary.Text().c_str(), stdout);

  // Each file is complete before it replaces the one of its name; the first that cannot be
  // written ends the run with its path.
  if (!savePath.empty()) {
    sim::SaveScenarioFile(savePath);
    std::printf("scenario: %s\n", savePath.c_str());
  }
  hostLog.Commit();
  if (!logPath.empty()) {
    std::printf("host log: %s\n", logPath.c_str());
  }
  if (!summaryPath.empty()) {
    sim::WriteFileAtomically(summaryPath, summary.Json());
    std::printf("summary: %s\n", summaryPath.c_str());
  }
  if (trace) {
    trace->Close();
    std::printf("trace: %s\n", tracePath.c_str());
  }
  if (!plotPath.empty()) {
    DrawFlightPlot(tracePath, plotPath, ReadPlans(plans));
    std::printf("plot: %s\n", plotPath.c_str());
  }
  std::fflush(stdout);
  return findings.errors() > 0 ? kExitFailed : kExitDone;
}

CommandRun DefineFly(CLI::App& command) {
  auto options = std::make_shared<FlyOptions>();
  command.add_option("SCENARIO", options->scenario,
                     "scenario file (default: the example root's Scenarios/Airborne.scn, flown "
                     "for 900 s)");
  AddPlaceOptions(command, options->place);
  options->durationGiven = command
                               .add_option("--duration", options->duration,
                                           "seconds to fly (default 0; 900 for the example)")
                               ->type_name("S")
                               ->check(NonNegativeNumber());
  command.add_option("--dt", options->dt, "seconds per frame")
      ->type_name("S")
      ->check(PositiveNumber())
      ->capture_default_str();
  command
      .add_option("--key", options->keys,
                  "press KEY at T seconds: a digit, a letter or scan:N, after any shift+, "
                  "ctrl+ and alt+ (repeatable)")
      ->type_name("T:KEY")
      ->allow_extra_args(false);
  command
      .add_option("--input", options->inputs,
                  "answer the open input box with TEXT at T seconds (repeatable)")
      ->type_name("T:TEXT")
      ->allow_extra_args(false);
  command
      .add_option("--control", options->controls,
                  "set the host's flight control NAME (throttle 0..1; elevator, aileron, "
                  "rudder, trim -1..1) to VALUE at T seconds; it holds until the next "
                  "(repeatable)")
      ->type_name("T:NAME=VALUE")
      ->allow_extra_args(false);
  command.add_flag("--interactive", options->interactive,
                   "fly live in the terminal with the pilot at the keys (default scenario: "
                   "Scenarios/Runway.scn; docs/flying.md)");
  command.add_flag("--no-physics", options->noPhysics,
                   "vessels stay where they are; only the modules' time steps run");
  command.add_flag("--keep-going", options->keepGoing,
                   "fly although errors were found (the exit code is still 1)");
  command.add_option("--save", options->save, "write the scenario as it ends to FILE")
      ->type_name("FILE");
  AddHostLogOption(command, options->hostLog);
  command
      .add_option("--trace", options->trace, "write every vessel's state every 0.1 s to FILE (CSV)")
      ->type_name("FILE");
  command
      .add_option("--summary", options->summary,
                  "write the summary of each vessel's flight to FILE (JSON)")
      ->type_name("FILE");
  AddPlotOption(command, options->plot, "the flight")
      ->description(
          "draw the flight into FILE (PNG, with gnuplot), from the --trace file or "
          "else from FILE.csv");
  command
      .add_option("--status-every", options->statusEvery,
                  "print a status line that only changes its numbers at most every S seconds "
                  "(0: every change)")
      ->type_name("S")
      ->check(NonNegativeNumber())
      ->capture_default_str();
  return [options] { return Fly(*options); };
}

}  // namespace

REGISTER_COMMAND(fly,
                 "run a scenario's frames with scripted keys, controls and input-box answers, "
                 "print the status line as it changes and save the scenario; or fly it live "
                 "(--interactive)",
                 DefineFly);
