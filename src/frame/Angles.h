// Angle constants. The laws and files work in degrees; the host in radians. PI is kept at the
// precision the control laws were tuned with, not the full double value.
#pragma once

inline constexpr double PI = 3.14159265358979;
inline constexpr double RAD = PI / 180.0;
inline constexpr double DEG = 180.0 / PI;
