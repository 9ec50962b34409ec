#include "autopilot/FiniteProfileValues.h"

#include <cmath>

#include "config/ProfileReaders.h"

bool ReadFiniteProfileDouble(const char* path, const char* section, const char* key, double& field,
                             bool (*accept)(double)) {
  double value = field;
  ReadProfileDouble(path, section, key, value);
  if (!std::isfinite(value) || (accept != nullptr && !accept(value))) {
    return false;
  }
  field = value;
  return true;
}

void ReadFiniteProfileVector(const char* path, const char* section, const char* key,
                             VECTOR3& field) {
  VECTOR3 value = field;
  ReadProfileVector(path, section, key, value);
  if (std::isfinite(value.x)) {
    field.x = value.x;
  }
  if (std::isfinite(value.y)) {
    field.y = value.y;
  }
  if (std::isfinite(value.z)) {
    field.z = value.z;
  }
}
