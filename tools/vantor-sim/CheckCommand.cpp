// vantor-sim check: tells an aircraft author what the module will silently do with a file.
#include <cstdio>

#include "Command.h"
#include "authoring/CommandSupport.h"
#include "check/Check.h"

namespace {

int RunCheck(Arguments& arguments) {
  arguments.RequireKnown({"--plan"});
  if (arguments.Has("--plan")) {
    if (!arguments.positional().empty()) {
      throw UsageError("give either NAME or --plan PLAN, not both");
    }
    return CheckFlightPlanFile(arguments.Root(), arguments.Value("--plan", ""), stdout, false);
  }
  const std::string name = arguments.Positional("vessel NAME");
  const int status = CheckAircraftFile(arguments.Root(), name, stdout, false);
  if (status != 2) {
    authoring::CheckFlightWorthiness(arguments, name);
  }
  return status;
}

}  // namespace

REGISTER_COMMAND(check, "check", "check NAME | check --plan PLAN [--root DIR] [--modules DIR]",
                 "reports what the module will make of an aircraft or flight-plan file "
                 "(exit 0: no errors, 1: errors, 2: unreadable)",
                 "", RunCheck);
