// The author's check of aircraft and flight-plan files: what the module will silently do with a
// file, reported as "FILE:LINE: severity: message" lines and a summary. The module itself does
// not change; the check only explains it.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "check/Report.h"

// Checks ROOT/Config/Aircraft/NAME.ini and prints the findings to out (only the errors, and a
// summary only when there are some, if errorsOnly). Returns 0 without errors, 1 with errors,
// 2 when the file cannot be read.
int CheckAircraftFile(const std::string& root, const std::string& name, std::FILE* out,
                      bool errorsOnly);
// The same for the flight plan ROOT/Config/Aircraft/FlightPlans/PLAN.ini.
int CheckFlightPlanFile(const std::string& root, const std::string& plan, std::FILE* out,
                        bool errorsOnly);

namespace check {

Report CheckAircraftText(std::string_view text);
Report CheckFlightPlanText(std::string_view text);

}  // namespace check
