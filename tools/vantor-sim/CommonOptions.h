// Options and value checks that several commands share, so that each is spelt, checked and
// explained the same way in every command.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

// Where a command runs: the simulator root whose Config/ the module reads, and the folder
// vessel modules are loaded from.
struct PlaceOptions {
  std::string root;
  std::string modules;
};

// --root DIR and --modules DIR, defaulting to the example root and the program's own folder.
void AddPlaceOptions(CLI::App& command, PlaceOptions& place);

// --host-log FILE: the log of every host call the module made (docs/host-log.md).
CLI::Option* AddHostLogOption(CLI::App& command, std::string& path);

// --plot FILE: a picture drawn with gnuplot.
CLI::Option* AddPlotOption(CLI::App& command, std::string& path, const std::string& what);

// Value checks for numeric options; each refuses text that is no finite number, naming it.
CLI::Validator FiniteNumber();
CLI::Validator NonNegativeNumber();
CLI::Validator PositiveNumber();

// Where the running program lives; set by main() before any command is defined.
void SetProgramPath(const char* argv0);
