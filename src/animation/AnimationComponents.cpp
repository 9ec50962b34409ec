// Animation components: mesh-group transforms attached to a sub-range of a sequence's state.
#include <cstring>
#include <new>

#include "config/ProfileReaders.h"
#include "frame/Aircraft.h"
#include "frame/Angles.h"
#include "frame/Text.h"

namespace {

inline constexpr int kTransformTypeSize = 16;

// Values a component leaves out are taken from the component before it, so the working
// values live across the whole list.
struct ComponentWorkingValues {
  double angle = 0.0;
  VECTOR3 reference{};
  VECTOR3 axis{};
  VECTOR3 shift{};
  VECTOR3 scale{};
  char type[kTransformTypeSize] = "";
};

// The transform on mesh 0 with the component's groups; the TYPE text compares exactly.
MGROUP_TRANSFORM* BuildTransform(const ComponentWorkingValues& values, const UINT* groups,
                                 UINT groupCount) {
  if (std::strcmp(values.type, "TRANSLATE") == 0) {
    return new (std::nothrow) MGROUP_TRANSLATE(0, groups, groupCount, values.shift);
  }
  if (std::strcmp(values.type, "SCALE") == 0) {
    return new (std::nothrow) MGROUP_SCALE(0, groups, groupCount, values.reference, values.scale);
  }
  return new (std::nothrow) MGROUP_ROTATE(0, groups, groupCount, values.reference, values.axis,
                                          static_cast<float>(values.angle * RAD));
}

}  // namespace

void Aircraft::ReadComponents() {
  const char* path = vessel.configPath;
  ComponentWorkingValues values;
  animations.componentCount = 0;
  for (int n = 0; n < kMaxComponents; ++n) {
    char section[16];
    FormatText(section, "ANIM_COMP_%d", n);
    AnimationComponent& comp = animations.components[n];

    int groups[kMaxComponentGroups] = {};
    const int groupCount = ReadProfileIntList(path, section, "GROUPS", groups, kMaxComponentGroups);
    if (groupCount <= 0) {
      break;  // an empty list ends the components
    }
    comp.groupCount = groupCount;
    for (int g = 0; g < groupCount; ++g) {
      comp.groups[g] = static_cast<UINT>(groups[g]);
    }

    comp.sequence = -1;
    ReadProfileInt(path, section, "SEQ", comp.sequence);
    ReadProfileDouble(path, section, "ANGLE", values.angle);
    ReadProfileVector(path, section, "ROT_PNT", values.reference);
    ReadProfileVector(path, section, "ROT_AXIS", values.axis);
    ReadProfileVector(path, section, "SHIFT", values.shift);
    ReadProfileVector(path, section, "SCALE", values.scale);
    ReadProfileString(path, section, "TYPE", values.type);

    comp.range.x = 0.0;
    comp.range.y = 1.0;
    ReadProfileVector(path, section, "RANGE", comp.range);

    if (std::strcmp(values.type, "SCALE") == 0) {
      ReadProfileVector(path, section, "REF", values.reference);
    }
    comp.transform.reset(BuildTransform(values, comp.groups, static_cast<UINT>(comp.groupCount)));

    double initState = 0.0;  // read for completeness; it has no effect
    ReadProfileDouble(path, section, "INIT_STATE", initState);

    // A component of a sequence that does not exist stays in the list but is never attached.
    AnimationSequence* seq = animations.Find(comp.sequence);
    if (seq != nullptr && comp.transform != nullptr) {
      AddAnimationComponent(seq->animation, comp.range.x, comp.range.y, comp.transform.get());
      if (seq->componentCount < kMaxComponentsPerSequence) {
        seq->componentIndices[seq->componentCount++] = n;
      }
    }
    animations.componentCount = n + 1;
  }
}
