// vantor-sim: a headless stand-in for the host simulator. It loads vessel modules by name,
// sets vessels up, flies them and shows what happened.
#include <cstdio>
#include <cstring>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

#include "Command.h"

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

namespace {

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage: vantor-sim COMMAND [ARGUMENTS]\n\ncommands:\n");
  for (const Command& command : Commands()) {
    std::fprintf(out, "  %s\n      %s\n", command.usage, command.summary);
  }
  std::fprintf(out,
               "\nEvery command takes --root DIR (the simulator root whose Config/ it reads)\n"
               "and --modules DIR (where vessel modules are loaded from).\n");
}

}  // namespace

int main(int argc, char** argv) {
  SetProgramPath(argv[0]);
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 1 : 0;
  }
  for (const Command& command : Commands()) {
    if (command.name != std::string(argv[1])) {
      continue;
    }
    try {
      std::vector<std::string> words(argv + 2, argv + argc);
      std::vector<std::string> flags;
      std::istringstream flagWords(command.flags != nullptr ? command.flags : "");
      for (std::string flag; flagWords >> flag;) {
        flags.push_back(flag);
      }
      Arguments arguments(words, flags);
      return command.run(arguments);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "vantor-sim %s: %s\n", command.name, error.what());
      return 1;
    }
  }
  std::fprintf(stderr, "vantor-sim: unknown command '%s' (try vantor-sim --help)\n", argv[1]);
  return 1;
}
