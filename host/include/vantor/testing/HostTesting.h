// The host's testing face: create vessel records without a module, set the flight state a
// module reads, read back what it set and inject failures. Only tests link it (vantor_testing);
// it brings along the simulation face's placement, status line, call log and input box under
// the same names, so a test reaches the whole host through this one header.
#pragma once

#include <functional>
#include <string>

#include "vantor/Types.h"
#include "vantor/Vessel.h"
#include "vantor/sim/Observation.h"
#include "vantor/sim/OutputFile.h"
#include "vantor/sim/Placement.h"
#include "vantor/sim/VesselRecord.h"

#if defined(_WIN32)
#if defined(VANTOR_BUILDING_TESTING)
#define VANTOR_TESTING_API __declspec(dllexport)
#else
#define VANTOR_TESTING_API __declspec(dllimport)
#endif
#else
#define VANTOR_TESTING_API __attribute__((visibility("default")))
#endif

namespace vantor::testing {

using sim::AnswerInputBox;
using sim::ClearLog;
using sim::EnableLog;
using sim::InputBoxOpen;
using sim::InputBoxTitle;
using sim::LogText;
using sim::Placement;
using sim::PlaceVessel;
using sim::ResetHost;
using sim::StatusLine;
using sim::StreamLog;

// A host vessel with no module attached: tests construct the module's vessel class on it.
VANTOR_TESTING_API VesselRecord& CreateVesselRecord(const char* name, const char* className = "");
VANTOR_TESTING_API VesselRecord* FindVessel(const char* name);
VANTOR_TESTING_API VesselRecord& Record(const VESSEL& vessel);

// Recomputes every observable from the kinematic state (position, velocity, rotation), after a
// test changed it; ground contact is left as it is.
VANTOR_TESTING_API void RefreshObservables(VesselRecord& vessel);

// Input focus (used by vapiGetFocusHeading); the first vessel created has it by default.
VANTOR_TESTING_API void SetFocus(VesselRecord* vessel);

// Fault injection: the next vapiCreateVessel calls fail (return null) while set.
VANTOR_TESTING_API void SetVesselCreationFails(bool fails);

// Fault injection for files written through sim::OutputFile: a target whose path ends with
// pathSuffix (any target when it is empty) fails the given way, until kNone is injected.
// For a whole program run, the environment variable VANTOR_WRITE_FAULT=KIND or KIND:SUFFIX
// does the same (KIND: short-write, disk-full, unwritable-folder, rename).
using sim::WriteFault;
VANTOR_TESTING_API void InjectWriteFault(WriteFault fault, const std::string& pathSuffix = "");

// Runs load as the host loads a vessel's scenario block: load hands status to the module's
// LoadState, and the placement lines it passes on are gathered and applied once at the end, as
// a scenario file's are. (Without a status each line takes effect at once, and what a line does
// may then depend on the lines before it.)
VANTOR_TESTING_API void LoadAsTheHostDoes(VesselRecord& vessel,
                                          const std::function<void(void* status)>& load);

}  // namespace vantor::testing
