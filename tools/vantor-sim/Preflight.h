// What a run cannot do as asked, found after the scenario's vessels were made and before the
// first frame: a class without a module, an aircraft its module cannot set up, a flight plan
// that is not there, a scenario line no one uses. Each finding is one line naming the file and
// line, printed as it is found.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "vantor/sim/ScenarioFile.h"

class Findings {
 public:
  explicit Findings(std::FILE* out) : out_(out) {}
  // "WHERE: error: TEXT"; an error means the run cannot do what was asked.
  void Error(const std::string& where, const std::string& text);
  void Warning(const std::string& where, const std::string& text);
  int errors() const { return errors_; }

 private:
  std::FILE* out_;
  int errors_ = 0;
};

// Looks at each vessel beside the block it was made from (both in file order). source names
// the scenario file in the findings; root is the simulator root the module reads from.
// Without physics, a vessel that has no mass is no fault.
void CheckScenarioVessels(const std::vector<vantor::sim::ScenarioBlock>& blocks,
                          const std::vector<vantor::VesselRecord*>& vessels,
                          const std::string& source, const std::string& root, bool physics,
                          Findings& findings);

// Empty when the aircraft module finds the file of vessel NAME in the working folder's Config/;
// else why not, in words that name the file it looked for.
std::string MissingAircraft(const std::string& name);

// Empty when the aircraft module finds plan NAME in the working folder's Config/; else why not,
// in words that name the file it looked for.
std::string MissingPlan(const std::string& name);
