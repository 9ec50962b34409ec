// The landing gear of an aircraft file: the animation sequence named Gear, whose drag element
// is the gear's drag. The module knows no gear as such; authors name the sequence so.
#pragma once

#include <string>

#include <vantor/sim/VesselRecord.h>

namespace authoring {

// The index of the first sequence named Gear (any letter case) in the aircraft file, or -1.
int FindGearSequence(const std::string& aircraftFile);

// Moves the sequence at once to stowed or deployed, as a scenario's SEQ line does.
void SetGear(vantor::VesselRecord& vessel, int sequence, bool down);

}  // namespace authoring
