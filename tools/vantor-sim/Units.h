// Unit conversions and constants shared by the simulator's commands.
#pragma once

#include <numbers>

// Radians in one degree, and degrees in one radian.
inline constexpr double kDegree = std::numbers::pi / 180.0;
inline constexpr double kDegrees = 180.0 / std::numbers::pi;
// Standard gravity, m/s^2.
inline constexpr double kGravity = 9.80665;
