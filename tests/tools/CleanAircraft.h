// A complete aircraft file that the check has nothing to say about, and helpers to plant
// mistakes in it and find the line they are on.
#pragma once

#include <string>

extern const char* const kCleanAircraft;
extern const char* const kCleanFlightPlan;

// text with the first occurrence of the whole line `from` replaced by `to` (which may hold
// several lines, or none).
std::string Replaced(const std::string& text, const std::string& from, const std::string& to);
// The 1-based number of the nth line that equals `line`, 0 when there is none.
int LineNumberOf(const std::string& text, const std::string& line, int occurrence = 1);
