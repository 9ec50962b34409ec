// Runs the module's own class set-up, or its flight-plan load, with a read observer, so the
// check reports what the module really reads. The module's code is linked in statically; the
// vessel is a plain one of the host that no module drives.
#pragma once

#include <string>
#include <vector>

#include "config/ProfileObserver.h"

namespace check {

// The reads of the class set-up of vessel NAME in the simulator root.
std::vector<ProfileRead> ReadsOfClassSetUp(const std::string& root, const std::string& name);
// The reads of loading flight plan PLAN in the simulator root.
std::vector<ProfileRead> ReadsOfPlanLoad(const std::string& root, const std::string& plan);

}  // namespace check
