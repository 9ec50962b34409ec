// vantor-sim's commands. Each command lives in a file of its own and registers itself; main()
// builds the command line from every registered command, parses it and runs the one named.
//
// The pattern, for a command "demo" with one positional argument and one option:
//
//   namespace {
//   struct DemoOptions {
//     PlaceOptions place;      // --root, --modules (every command that enters a root)
//     std::string name;
//     double speed = 100.0;    // the default shows in --help
//   };
//
//   int RunDemo(const DemoOptions& options) { ...; return kExitDone; }
//
//   CommandRun DefineDemo(CLI::App& command) {
//     auto options = std::make_shared<DemoOptions>();
//     command.add_option("NAME", options->name, "the vessel's name")->required();
//     AddPlaceOptions(command, options->place);
//     command.add_option("--speed", options->speed, "airspeed, m/s")
//         ->check(NonNegativeNumber())->capture_default_str();
//     return [options] { return RunDemo(*options); };
//   }
//   }  // namespace
//
//   REGISTER_COMMAND(demo, "one line saying what demo does", DefineDemo);
//
// Options that several commands take are added through the helpers of CommonOptions.h, so they
// are spelt and explained the same everywhere. Values are checked by CLI11 validators where
// they can be (a bad value is then named with its option and exits 2); what only the run can
// find out is thrown as RunError.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <vector>

#include "CommonOptions.h"
#include "Errors.h"

// The class whose vessels the aircraft module drives; also the module's library name.
inline constexpr const char* kAircraftClass = "aircraft";

// Exit codes of every command (check adds its own meaning of 1 and 2; see docs/command-line.md).
inline constexpr int kExitDone = 0;         // did what was asked
inline constexpr int kExitFailed = 1;       // could not do what was asked, or errors were reported
inline constexpr int kExitCommandLine = 2;  // the command line is wrong; nothing was run

// Runs the command once the command line has been parsed into the options it bound; returns
// the exit code.
using CommandRun = std::function<int()>;

struct Command {
  const char* name;
  const char* summary;  // one line: what it does
  // Adds the command's positional arguments and options to its subcommand.
  CommandRun (*define)(CLI::App& command);
};

std::vector<Command>& Commands();

struct CommandRegistrar {
  explicit CommandRegistrar(const Command& command) { Commands().push_back(command); }
};

// REGISTER_COMMAND(name, summary, define): name is the command as typed, written bare.
#define REGISTER_COMMAND(variable, summary, define) \
  static const CommandRegistrar variable##Registrar(Command{#variable, summary, define})
