// vantor-sim's commands. Each command lives in its own file and registers itself with
// REGISTER_COMMAND; main() dispatches on the first argument.
#pragma once

#include <string>
#include <vector>

#include "Arguments.h"

// The class whose vessels the aircraft module drives; also the module's library name.
inline constexpr const char* kAircraftClass = "aircraft";

struct Command {
  const char* name;
  const char* usage;    // one line: "setup NAME [--root DIR] ..."
  const char* summary;  // one line: what it does
  const char* flags;    // options that take no value, separated by blanks: "--no-physics"
  int (*run)(Arguments& arguments);
};

std::vector<Command>& Commands();

struct CommandRegistrar {
  explicit CommandRegistrar(const Command& command) { Commands().push_back(command); }
};

#define REGISTER_COMMAND(variable, ...)               \
  static const CommandRegistrar variable##Registrar { \
    Command {                                         \
      __VA_ARGS__                                     \
    }                                                 \
  }
