// What the fuzz targets share: a simulator root to run in, an aircraft set up in it, and the
// invariants every target asserts after each call into the module. A broken invariant aborts,
// so libFuzzer keeps the input that broke it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "frame/Aircraft.h"

namespace fuzz {

// Makes a temporary simulator root the working directory, once per process, with the example
// aircraft Kestrel and the example flight plan Circuit in it.
void EnterRoot();

// Writes bytes to a file below the root, replacing it.
void WriteFile(const std::string& relativePath, std::string_view bytes);

// An aircraft after class set-up on a fresh host, with every host call logged from here on.
// The host record is vantor::testing::Record(*aircraft).
std::unique_ptr<Aircraft> SetUpAircraft(const char* vesselName);

// Puts the aircraft in straight flight (or on the runway) at a place near the example circuit.
void PlaceAircraft(Aircraft& aircraft, bool landed);

// Splits bytes into lines at '\n' (a trailing '\r' is dropped, zero bytes cut the line there,
// as a C string would).
std::vector<std::string> SplitLines(std::string_view bytes);

// The lines a scenario block of these lines leaves in the host and the module after loading,
// as SaveState writes them.
std::vector<std::string> LoadThenSave(Aircraft& aircraft, const std::vector<std::string>& lines);

// Aborts with the message when the condition does not hold.
void Require(bool condition, const char* what, const std::string& detail = std::string());

// Every invariant that must hold after any call into the module:
// - no host call since the last check received or returned NaN or an infinity;
// - control, thruster, brake and animation levels and added forces in the host are finite;
// - sequence states and targets lie in 0 to 1;
// - counts lie within their capacities and indexes within their counts.
void CheckInvariants(const Aircraft& aircraft);

// The flight-plan step has run: the current waypoint is one of the plan's (0 without a plan).
void CheckWaypointIndex(const Aircraft& aircraft);

// The coefficients the aircraft's airfoils give the host over the angles and Mach numbers of
// flight are finite.
void CheckAirfoils(const Aircraft& aircraft);

}  // namespace fuzz
