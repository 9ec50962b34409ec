// Profile readers for values that the laws divide by or send to the host: a value that is not a
// finite number (nan, inf, 1e400) is bad input and leaves the field as it was.
#pragma once

#include "frame/Host.h"

// Reads a scalar into field. A value that is not finite, or that accept (when given) refuses,
// leaves field unchanged. Returns whether field took the file's value.
bool ReadFiniteProfileDouble(const char* path, const char* section, const char* key, double& field,
                             bool (*accept)(double) = nullptr);

// Reads a vector into field; each component that is not finite keeps its value.
void ReadFiniteProfileVector(const char* path, const char* section, const char* key,
                             VECTOR3& field);
