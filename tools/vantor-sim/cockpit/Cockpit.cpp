// The live cockpit: the simulation runs in real time (times the chosen acceleration) in fixed
// frames, the screen is redrawn ten times a second, and the program sleeps in between.
#include "cockpit/Cockpit.h"

#include <curses.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>

#include "Command.h"
#include "Errors.h"
#include "KeyPress.h"
#include "Preflight.h"
#include "SimulatorRoot.h"
#include "cockpit/Panel.h"
#include "vantor/sim/Observation.h"
#include "vantor/sim/Physics.h"
#include "vantor/sim/PilotControls.h"
#include "vantor/sim/ScenarioFile.h"
#include "vantor/sim/Simulation.h"

namespace {

namespace sim = vantor::sim;
using Clock = std::chrono::steady_clock;

constexpr auto kRedraw = std::chrono::milliseconds(100);
// Behind by more than this (a stalled terminal, a slow machine at 100x), the cockpit lets the
// simulation fall behind rather than run a burst of frames.
constexpr double kMaxCatchUp = 0.5;  // seconds of wall-clock time
constexpr int kAccelerations[] = {1, 2, 5, 10, 20, 50, 100};
constexpr double kStickStep = 0.05;
constexpr double kThrottleStep = 0.05;
constexpr double kTrimStep = 0.02;
constexpr int kEscape = 27;

// A terminal closed or a polite kill ends the flight as Ctrl+C does, so the scenario is saved.
volatile std::sig_atomic_t stopRequested = 0;

extern "C" void RequestStop(int /*signal*/) {
  stopRequested = 1;
}

int Control(char letter) {
  return letter - 'a' + 1;
}

// curses for the life of the cockpit, and the terminal as it was afterwards, however it ends.
class Screen {
 public:
  Screen() {
    initscr();
    raw();
    noecho();
    keypad(stdscr, TRUE);
    nodelay(stdscr, TRUE);
    set_escdelay(25);
    curs_set(0);
  }
  ~Screen() { endwin(); }
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;
};

// Removes every vessel at the end, so that each module gets its vvcExit.
class VesselsOfTheFlight {
 public:
  VesselsOfTheFlight() = default;
  VesselsOfTheFlight(const VesselsOfTheFlight&) = delete;
  VesselsOfTheFlight& operator=(const VesselsOfTheFlight&) = delete;
  ~VesselsOfTheFlight() {
    try {
      std::vector<vantor::VesselRecord*> vessels = sim::Vessels();
      for (auto vessel = vessels.rbegin(); vessel != vessels.rend(); ++vessel) {
        sim::DeleteVessel(**vessel);
      }
    } catch (...) {
    }
  }
};

class Cockpit {
 public:
  explicit Cockpit(double dt) : dt_(dt) {}

  void Fly() {
    Clock::time_point last = Clock::now();
    double owed = 0.0;  // simulation seconds the wall clock has granted and no frame has run
    while (!quit_) {
      ReadKeys();
      quit_ = quit_ || stopRequested != 0;
      const Clock::time_point now = Clock::now();
      const double elapsed = std::chrono::duration<double>(now - last).count();
      last = now;
      if (!panel_.paused) {
        owed = std::min(owed + elapsed * panel_.acceleration, kMaxCatchUp * panel_.acceleration);
        for (; owed >= dt_ && !quit_; owed -= dt_) {
          RunFrame();
        }
      }
      UpdatePrompt();
      DrawPanel(sim::FocusVessel(), panel_);
      std::this_thread::sleep_until(now + kRedraw);
    }
  }

 private:
  void RunFrame() {
    ++frame_;
    panel_.simt = static_cast<double>(frame_) * dt_;
    sim::AdvancePhysics(panel_.simt, dt_);
    for (vantor::VesselRecord* vessel : sim::Vessels()) {
      sim::Timestep(*vessel, panel_.simt);
    }
  }

  void UpdatePrompt() {
    if (sim::InputBoxOpen()) {
      panel_.prompt = sim::InputBoxTitle();
    } else {
      panel_.prompt.clear();
      panel_.typed.clear();
    }
  }

  void ReadKeys() {
    for (int key = getch(); key != ERR; key = getch()) {
      UpdatePrompt();
      if (key == Control('c')) {
        quit_ = true;
        return;
      }
      if (key == KEY_RESIZE) {
        continue;  // the next drawing fits the new size
      }
      if (key == Control('p')) {
        panel_.paused = !panel_.paused;  // also while a box is open: time to think
        continue;
      }
      if (!panel_.prompt.empty()) {
        Type(key);
      } else if (!HostKey(key)) {
        ModuleKey(key);
      }
    }
  }

  // An open input box takes every key but Ctrl+C and Ctrl+P.
  void Type(int key) {
    if (key == '\n' || key == '\r' || key == KEY_ENTER) {
      const bool taken = sim::AnswerInputBox(panel_.typed.c_str());
      panel_.notice = panel_.prompt + (taken ? ": " + panel_.typed : ": not taken");
      panel_.typed.clear();
    } else if (key == kEscape) {
      sim::CancelInputBox();
      panel_.notice = panel_.prompt + ": cancelled";
    } else if (key == KEY_BACKSPACE || key == 127 || key == 8) {
      if (!panel_.typed.empty()) {
        panel_.typed.pop_back();
      }
    } else if (key >= 32 && key < 127 && panel_.typed.size() < 60) {
      panel_.typed += static_cast<char>(key);
    }
  }

  void Move(sim::PilotControl control, double step) {
    vantor::VesselRecord* focus = sim::FocusVessel();
    if (focus != nullptr) {
      sim::SetPilotControl(*focus, control, sim::PilotControlValue(*focus, control) + step);
    }
  }

  void Set(sim::PilotControl control, double value) {
    vantor::VesselRecord* focus = sim::FocusVessel();
    if (focus != nullptr) {
      sim::SetPilotControl(*focus, control, value);
    }
  }

  void Accelerate(int direction) {
    int index = 0;
    while (kAccelerations[index] != panel_.acceleration) {
      ++index;
    }
    const int last = static_cast<int>(std::size(kAccelerations)) - 1;
    panel_.acceleration = kAccelerations[std::clamp(index + direction, 0, last)];
  }

  // The host's own keys (docs/flying.md); false for a key that belongs to the module.
  bool HostKey(int key) {
    using sim::PilotControl;
    switch (key) {
      case KEY_UP:
        Move(PilotControl::Elevator, -kStickStep);  // stick forward: nose down
        return true;
      case KEY_DOWN:
        Move(PilotControl::Elevator, kStickStep);
        return true;
      case KEY_LEFT:
        Move(PilotControl::Aileron, -kStickStep);
        return true;
      case KEY_RIGHT:
        Move(PilotControl::Aileron, kStickStep);
        return true;
      case ',':
        Move(PilotControl::Rudder, -kStickStep);
        return true;
      case '.':
        Move(PilotControl::Rudder, kStickStep);
        return true;
      case ' ':
        Set(PilotControl::Elevator, 0.0);
        Set(PilotControl::Aileron, 0.0);
        Set(PilotControl::Rudder, 0.0);
        return true;
      case '+':
      case '=':
        Move(PilotControl::Throttle, kThrottleStep);
        return true;
      case '-':
        Move(PilotControl::Throttle, -kThrottleStep);
        return true;
      case KEY_PPAGE:
        Set(PilotControl::Throttle, 1.0);
        return true;
      case KEY_NPAGE:
        Set(PilotControl::Throttle, 0.0);
        return true;
      case '[':
        Move(PilotControl::Trim, -kTrimStep);
        return true;
      case ']':
        Move(PilotControl::Trim, kTrimStep);
        return true;
      case '*':
        Accelerate(1);
        return true;
      case '/':
        Accelerate(-1);
        return true;
      default:
        break;
    }
    return false;
  }

  // Passes the key with the modifiers the terminal reports: Shift for capitals, Ctrl for
  // control characters, Alt for a key after Escape. A terminal cannot report Ctrl with a digit.
  void ModuleKey(int key) {
    std::string modifiers;
    if (key == kEscape) {
      const int after = getch();
      if (after == ERR) {
        return;
      }
      modifiers = "alt+";
      key = after;
    }
    std::string label;
    if (key >= 'a' && key <= 'z') {
      label = static_cast<char>(key);
    } else if (key >= 'A' && key <= 'Z') {
      label = "shift+" + std::string(1, static_cast<char>(key - 'A' + 'a'));
    } else if (key >= '0' && key <= '9') {
      label = static_cast<char>(key);
    } else if (key >= 1 && key <= 26 && key != '\t' && key != '\n' && key != '\r' && key != 8) {
      label = "ctrl+" + std::string(1, static_cast<char>(key - 1 + 'a'));
    } else {
      panel_.notice = "that key has no use here";
      return;
    }
    label = modifiers + label;
    try {
      PressAndRelease(ParseKeyLabel(label), label);
      panel_.notice = "key " + label;
    } catch (const std::runtime_error& error) {
      panel_.notice = error.what();  // no vessel has the focus: nothing to fly, say so
    }
  }

  double dt_;
  long long frame_ = 0;
  bool quit_ = false;
  PanelState panel_;
};

}  // namespace

int FlyInteractive(const CockpitOptions& options) {
  if (options.dt > 0.1) {
    throw UsageError("--dt must be at most 0.1 s in the cockpit");
  }
  if (isatty(STDIN_FILENO) == 0 || isatty(STDOUT_FILENO) == 0) {
    throw RunError("--interactive needs a terminal on standard input and output");
  }
  const std::string source = options.scenario.empty() ? "Scenarios/Runway.scn" : options.scenario;
  const std::string scenario = options.scenario.empty()
                                   ? AbsolutePath(options.place.root + "/" + source)
                                   : AbsolutePath(options.scenario);
  const std::string savePath = AbsolutePath(options.save);
  const SimulatorRoot where = EnterSimulatorRoot(options.place, false);
  const VesselsOfTheFlight cleanup;
  const std::vector<sim::ScenarioBlock> blocks = sim::ReadScenarioFile(scenario, source);
  const std::vector<vantor::VesselRecord*> vessels = sim::LoadScenario(blocks, source);
  // What the scripted flight refuses before its first frame, the cockpit refuses too.
  Findings findings(stderr);
  CheckScenarioVessels(blocks, vessels, source, where.root, true, findings);
  if (findings.errors() > 0 && !options.keepGoing) {
    throw RunError(std::to_string(findings.errors()) +
                   (findings.errors() == 1 ? " error" : " errors") +
                   ": not flying (--keep-going flies anyway)");
  }
  std::signal(SIGTERM, RequestStop);
  std::signal(SIGHUP, RequestStop);
  {
    const Screen screen;
    Cockpit(options.dt).Fly();
  }
  if (!savePath.empty()) {
    sim::SaveScenarioFile(savePath);
    std::printf("saved: %s\n", savePath.c_str());
  }
  return findings.errors() > 0 ? kExitFailed : kExitDone;
}
