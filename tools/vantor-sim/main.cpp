// vantor-sim: a headless stand-in for the host simulator. It loads vessel modules by name,
// sets vessels up, flies them and shows what happened.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "Command.h"

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

namespace {

constexpr const char* kFooter =
    "Exit codes: 0 done as asked; 1 the run could not do what was asked, or errors were\n"
    "reported; 2 the command line is wrong. Each command explains itself with --help.";

// One line for what was left over: an option no command knows, or a word too many.
std::string LeftOver(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    text += text.empty() ? "" : "; ";
    text += (word.size() > 1 && word[0] == '-' ? "unknown option " : "unexpected argument ") +
            ("'" + word + "'");
  }
  return text;
}

// "vantor-sim" or "vantor-sim fly": who reports.
std::string Speaker(const CLI::App& program) {
  const std::vector<CLI::App*> chosen = program.get_subcommands();
  return chosen.empty() ? "vantor-sim" : "vantor-sim " + chosen.front()->get_name();
}

int CommandLineError(const CLI::App& program, const std::string& message) {
  const std::string speaker = Speaker(program);
  std::fprintf(stderr, "%s: %s (see %s --help)\n", speaker.c_str(), message.c_str(),
               speaker.c_str());
  return kExitCommandLine;
}

}  // namespace

int main(int argc, char** argv) {
  SetProgramPath(argv[0]);
  CLI::App program("A headless simulator: flies vessel modules through scenarios.", "vantor-sim");
  program.footer(kFooter);
  program.require_subcommand(1);
  program.allow_extras();
  std::vector<std::pair<CLI::App*, CommandRun>> runs;
  for (const Command& command : Commands()) {
    CLI::App* sub = program.add_subcommand(command.name, command.summary);
    // A repeated single-valued option takes its last value, so a script can override a default.
    sub->option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    sub->allow_extras();
    sub->footer(kFooter);
    runs.emplace_back(sub, command.define(*sub));
  }

  // "help" and "help COMMAND" read as --help.
  std::vector<std::string> words(argv + 1, argv + argc);
  if (!words.empty() && words[0] == "help") {
    words.erase(words.begin());
    words.emplace_back("--help");
  }
  if (words.empty()) {
    std::cerr << program.help();
    return kExitCommandLine;
  }
  const bool known = std::any_of(Commands().begin(), Commands().end(),
                                 [&](const Command& command) { return words[0] == command.name; });
  if (!known && words[0] != "--help" && words[0] != "-h") {
    return CommandLineError(
        program, words[0][0] == '-' ? "unknown option '" + words[0] + "' (a command comes first)"
                                    : "unknown command '" + words[0] + "'");
  }
  try {
    std::reverse(words.begin(), words.end());  // CLI11 takes them last first
    program.parse(words);
  } catch (const CLI::CallForHelp&) {
    std::cout << program.help();
    return kExitDone;
  } catch (const CLI::ParseError& error) {
    return CommandLineError(program, error.what());
  }
  if (!program.remaining(true).empty()) {
    return CommandLineError(program, LeftOver(program.remaining(true)));
  }
  for (const auto& [sub, run] : runs) {
    if (!sub->parsed()) {
      continue;
    }
    try {
      return run();
    } catch (const UsageError& error) {
      return CommandLineError(program, error.what());
    } catch (const std::exception& error) {
      std::fprintf(stderr, "vantor-sim %s: %s\n", sub->get_name().c_str(), error.what());
      return kExitFailed;
    }
  }
  return CommandLineError(program, "no command given");
}
