// vantor-sim check: tells an aircraft author what the module will silently do with a file.
#include <cstdio>
#include <memory>
#include <string>

#include "Command.h"
#include "check/Check.h"

namespace {

struct CheckOptions {
  PlaceOptions place;
  std::string name;
  std::string plan;
};

int RunCheck(const CheckOptions& options) {
  if (options.name.empty() && options.plan.empty()) {
    throw UsageError("give a vessel NAME or --plan PLAN");
  }
  if (!options.plan.empty()) {
    return CheckFlightPlanFile(options.place.root, options.plan, stdout, false);
  }
  return CheckAircraftFile(options.place.root, options.name, stdout, false);
}

CommandRun DefineCheck(CLI::App& command) {
  auto options = std::make_shared<CheckOptions>();
  CLI::Option* name =
      command.add_option("NAME", options->name, "the vessel: its file is Config/Aircraft/NAME.ini");
  CLI::Option* plan =
      command
          .add_option("--plan", options->plan,
                      "check the flight plan Config/Aircraft/FlightPlans/PLAN.ini instead")
          ->type_name("PLAN");
  name->excludes(plan);
  AddPlaceOptions(command, options->place);
  command.footer(
      "Exit codes: 0 no errors; 1 errors found; 2 the file cannot be read or the command line "
      "is wrong.");
  return [options] { return RunCheck(*options); };
}

}  // namespace

REGISTER_COMMAND(check,
                 "report what the module will make of an aircraft or flight-plan file (exit 0: "
                 "no errors, 1: errors, 2: unreadable)",
                 DefineCheck);
