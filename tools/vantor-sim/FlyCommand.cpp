// vantor-sim fly: loads a scenario, runs frames, plays scripted keys and input-box answers,
// prints the status line as it changes, and saves the scenario at the end.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "Command.h"
#include "ControlScript.h"
#include "KeyLabels.h"
#include "KeyPress.h"
#include "Plot.h"
#include "SimulatorRoot.h"
#include "StatusFilter.h"
#include "Trace.h"
#include "check/Check.h"
#include "cockpit/Cockpit.h"
#include "vantor/sim/Observation.h"
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

// Keys before answers before controls at the same time, so that a key and the answer to the box it
// opens can be given one time; otherwise in the order given.
std::vector<ScriptEvent> ReadScript(const Arguments& arguments) {
  std::vector<ScriptEvent> events;
  for (const std::string& value : arguments.Values("--key")) {
    auto [time, label] = SplitTimed("--key", value);
    events.push_back(ScriptEvent{time, ScriptEvent::kKey, ParseKeyLabel(label), {}, label});
  }
  for (const std::string& value : arguments.Values("--input")) {
    auto [time, text] = SplitTimed("--input", value);
    events.push_back(ScriptEvent{time, ScriptEvent::kInput, {}, {}, text});
  }
  for (const std::string& value : arguments.Values("--control")) {
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
    const std::string text = vantor::sim::StatusLine();
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
  void Print(double simt, const std::string& text) {
    progress_.Clear();
    std::printf("%.2f\t%s\n", simt, text.c_str());
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

void Answer(const ScriptEvent& event) {
  if (!vantor::sim::InputBoxOpen()) {
    throw UsageError("no input box is open at " + Seconds(event.time) + " to take '" + event.label +
                     "'");
  }
  vantor::sim::AnswerInputBox(event.label.c_str());
}

int Fly(Arguments& arguments) {
  if (arguments.Has("--interactive")) {
    return FlyInteractive(arguments);
  }
  arguments.RequireKnown({"--duration", "--dt", "--key", "--input", "--control", "--no-physics",
                          "--save", "--host-log", "--trace", "--plot", "--status-every"});
  // Without a scenario, the example flies once round its circuit.
  const bool example = arguments.positional().empty();
  const std::string scenario = example ? AbsolutePath(arguments.Root() + "/Scenarios/Airborne.scn")
                                       : AbsolutePath(arguments.Positional("SCENARIO file"));
  const std::string plotPath = AbsolutePath(arguments.Value("--plot", ""));
  // A plot without a trace of its own draws from one written beside it.
  const std::string tracePath =
      AbsolutePath(arguments.Value("--trace", plotPath.empty() ? "" : plotPath + ".csv"));
  const double statusEvery = arguments.Number("--status-every", 10.0);
  const std::string savePath = AbsolutePath(arguments.Value("--save", ""));
  const std::string logPath = AbsolutePath(arguments.Value("--host-log", ""));
  const double duration = arguments.Number("--duration", example ? 900.0 : 0.0);
  const double dt = arguments.Number("--dt", 0.02);
  const bool physics = !arguments.Has("--no-physics");
  if (dt <= 0.0) {
    throw UsageError("--dt must be greater than 0");
  }
  if (!(statusEvery >= 0.0)) {
    throw UsageError("--status-every must not be negative");
  }
  if (duration < 0.0) {
    throw UsageError("--duration must not be negative");
  }
  if (duration / dt > kMaxFrames) {
    throw UsageError("--duration / --dt asks for more than 1e9 frames");
  }
  // Frame k runs at k * dt; a duration a rounding error short of a whole frame still gets it.
  const auto frames = static_cast<long long>(std::floor(duration / dt + 1e-9));
  const double end = static_cast<double>(frames) * dt;
  const std::vector<ScriptEvent> script = ReadScript(arguments);
  const double late = end + dt * 1e-6;
  for (const ScriptEvent& event : script) {
    if (event.time > late) {
      const bool quoted = event.kind == ScriptEvent::kInput;
      const char* what = event.kind == ScriptEvent::kKey     ? "key "
                         : event.kind == ScriptEvent::kInput ? "input '"
                                                             : "control ";
      throw UsageError(what + event.label + (quoted ? "'" : "") + " at " + Seconds(event.time) +
                       " comes after the last frame at " + Seconds(end));
    }
  }

  const SimulatorRoot where = EnterSimulatorRoot(arguments, false);
  vantor::sim::EnableLog(!logPath.empty());
  const VesselsOfTheRun cleanup;
  sim::LoadScenarioFile(scenario);
  // The module reports nothing about a broken aircraft file; say it before the flight starts.
  for (const vantor::VesselRecord* vessel : sim::Vessels()) {
    if (vessel->className == kAircraftClass) {
      CheckAircraftFile(where.root, vessel->name, stderr, true);
    }
  }

  std::optional<FlightTrace> trace;
  if (!tracePath.empty()) {
    trace.emplace(tracePath);
  }
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
        Answer(event);
      } else {
        ApplyControlSetting(event.control);
      }
      status.Report(simt);
    }
  };

  status.Report(0.0);
  playDue(0.0);
  if (trace) {
    trace->Sample(0.0);
  }
  for (long long frame = 1; frame <= frames; ++frame) {
    const double simt = static_cast<double>(frame) * dt;
    if (physics) {
      sim::AdvancePhysics(simt, dt);
    }
    for (vantor::VesselRecord* vessel : sim::Vessels()) {
      if (trace) {
        trace->BeforeTimestep();
      }
      sim::Timestep(*vessel, simt);
      if (trace) {
        trace->AfterTimestep(*vessel);
      }
    }
    status.Report(simt);
    playDue(simt);
    if (trace) {
      trace->Sample(simt);
    }
    progress.Update(simt);
  }
  status.Finish();
  progress.Clear();

  if (!savePath.empty()) {
    sim::SaveScenarioFile(savePath);
  }
  if (!logPath.empty()) {
    std::ofstream log(logPath, std::ios::binary | std::ios::trunc);
    log << vantor::sim::LogText();
    log.close();
    if (!log) {
      throw UsageError("cannot write the host log to " + logPath);
    }
  }
  if (trace) {
    trace->Close();
    std::printf("trace: %s\n", tracePath.c_str());
  }
  if (!plotPath.empty()) {
    DrawFlightPlot(tracePath, plotPath, ReadScenarioPlans(scenario));
    std::printf("plot: %s\n", plotPath.c_str());
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace

REGISTER_COMMAND(fly, "fly",
                 "fly [SCENARIO] [--root DIR] [--modules DIR] [--duration S] [--dt S] "
                 "[--key T:KEY]... [--input T:TEXT]... [--control T:NAME=VALUE]... "
                 "[--no-physics] [--save FILE] "
                 "[--host-log FILE] [--trace FILE.csv] [--plot FILE] [--status-every S]; "
                 "fly --interactive [SCENARIO] [--save FILE] [--dt S]",
                 "runs a scenario's frames with scripted keys, controls and input-box answers, "
                 "prints the status line as it changes and saves the scenario; --interactive "
                 "flies it live in the terminal",
                 "--no-physics --interactive", Fly);
