#include "flight/AeroProfiles.h"

#include <cstdio>
#include <limits>

#include "config/ProfileReaders.h"
#include "frame/Angles.h"

AeroProfile aeroProfiles[kProfileSlotCount];
int aeroProfileCount = 0;

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

template <int Slot>
void VerticalLiftCallback(double aoa, double mach, double reynolds, double* cl, double* cm,
                          double* cd) {
  VerticalLiftCoefficients(Slot, aoa, mach, reynolds, cl, cm, cd);
}

template <int Slot>
void HorizontalLiftCallback(double aoa, double mach, double reynolds, double* cl, double* cm,
                            double* cd) {
  HorizontalLiftCoefficients(Slot, aoa, mach, reynolds, cl, cm, cd);
}

// The segment that serves aoa: the first whose upper angle is not below aoa, or the last.
// Successive physics steps change the angle little, so the previous segment is tried first;
// otherwise the uppers below aoa are counted without branches (the uppers rise).
inline const LiftSegment& FindSegment(LiftTable& table, double aoa) {
  const LiftSegment& last = table.segments[table.lastSegment];
  const bool stillInside = (table.lastSegment == 0 || aoa > last.angle) &&
                           (table.lastSegment == table.segmentCount - 1 || aoa <= last.upper);
  if (stillInside) {
    return last;
  }
  int index = 0;
  for (int k = 0; k < kMaxLiftSegments; ++k) {
    index += aoa > table.searchUppers[k] ? 1 : 0;
  }
  table.lastSegment = index;
  return table.segments[index];
}

// Where the segment's two angles are equal there is no fraction: an angle short of the segment
// takes its first point, any other its second (an angle equal to a point's belongs to the
// segment ending there).
inline double Fraction(const LiftSegment& segment, double aoa) {
  if (segment.span != 0.0) {
    return (aoa - segment.angle) / segment.span;
  }
  return aoa < segment.angle ? 0.0 : 1.0;
}

inline void EvaluateTable(LiftTable& table, double aoa, double& lift, double& moment,
                          double& tableDrag) {
  const LiftSegment& segment = FindSegment(table, aoa);
  const double t = Fraction(segment, aoa);
  lift = segment.lift + t * segment.liftStep;
  moment = segment.moment + t * segment.momentStep;
  tableDrag = segment.drag + t * segment.dragStep;
}

void EvaluateAirfoil(LiftTable& table, double aspectRatio, double efficiency, double zeroDrag,
                     const AeroProfile& profile, double aoa, double mach, double* cl, double* cm,
                     double* cd) {
  double lift = 0.0;
  double moment = 0.0;
  double tableDrag = 0.0;
  EvaluateTable(table, aoa, lift, moment, tableDrag);
  *cl = lift;
  *cm = moment;
  if (table.userDragOn) {
    *cd = tableDrag;
    return;
  }
  const VECTOR3& m = profile.machNumbers;
  const double wave = vapiGetWaveDrag(mach, m.x, m.y, m.z, profile.waveDrag);
  const double induced = vapiGetInducedDrag(lift, aspectRatio, efficiency);
  *cd = induced + wave + zeroDrag;
}

}  // namespace

const AirfoilCoeffFunc verticalLiftCallbacks[kProfileSlotCount] = {
    VerticalLiftCallback<0>, VerticalLiftCallback<1>, VerticalLiftCallback<2>,
    VerticalLiftCallback<3>, VerticalLiftCallback<4>, VerticalLiftCallback<5>,
    VerticalLiftCallback<6>, VerticalLiftCallback<7>, VerticalLiftCallback<8>,
};

const AirfoilCoeffFunc horizontalLiftCallbacks[kProfileSlotCount] = {
    HorizontalLiftCallback<0>, HorizontalLiftCallback<1>, HorizontalLiftCallback<2>,
    HorizontalLiftCallback<3>, HorizontalLiftCallback<4>, HorizontalLiftCallback<5>,
    HorizontalLiftCallback<6>, HorizontalLiftCallback<7>, HorizontalLiftCallback<8>,
};

int FindProfileSlot(const char* vesselName) {
  const char* name = vesselName != nullptr ? vesselName : "";
  for (int i = 0; i < aeroProfileCount; ++i) {
    if (aeroProfiles[i].name == name) {
      return i;
    }
  }
  if (aeroProfileCount >= kProfileSlotCount) {
    return -1;
  }
  aeroProfiles[aeroProfileCount].name = name;
  return aeroProfileCount++;
}

void LoadLiftTable(const char* path, const char* section, LiftTable& table, bool userDrag) {
  table.userDragOn = userDrag;
  table.count = 0;
  while (table.count < kMaxLiftPoints) {
    char key[16];
    std::snprintf(key, sizeof key, "PT%u", static_cast<unsigned>(table.count));
    LiftPoint& point = table.points[table.count];
    VECTOR3 value{0.0, 0.0, 0.0};
    ReadProfileVector(path, section, key, value);
    point = LiftPoint{value.x * RAD, value.y, value.z};
    if (userDrag) {
      table.userDrag[table.count] = 0.0;
      ReadProfileFourthElement(path, section, key, table.userDrag[table.count]);
    }
    if (table.count > 0 && point.angle < table.points[table.count - 1].angle) {
      break;
    }
    ++table.count;
  }
  PrepareLiftTable(table);
}

void PrepareLiftTable(LiftTable& table) {
  const int count = table.count < 0                ? 0
                    : table.count > kMaxLiftPoints ? kMaxLiftPoints
                                                   : table.count;
  auto drag = [&](int i) { return table.userDragOn ? table.userDrag[i] : 0.0; };
  if (count < 2) {
    // No segment to interpolate along: the one point (or nothing) holds at every angle.
    LiftSegment& only = table.segments[0];
    only = LiftSegment{};
    if (count == 1) {
      const LiftPoint& p = table.points[0];
      only.angle = p.angle;
      only.upper = p.angle;
      only.lift = p.lift;
      only.moment = p.moment;
      only.drag = drag(0);
    }
    table.segmentCount = 1;
  } else {
    table.segmentCount = count - 1;
    for (int i = 0; i < table.segmentCount; ++i) {
      const LiftPoint& p = table.points[i];
      const LiftPoint& q = table.points[i + 1];
      table.segments[i] = LiftSegment{p.angle,
                                      q.angle,
                                      q.angle - p.angle,
                                      p.lift,
                                      q.lift - p.lift,
                                      p.moment,
                                      q.moment - p.moment,
                                      drag(i),
                                      drag(i + 1) - drag(i)};
    }
  }
  // The last segment also serves every angle above the table, so its upper takes no part in
  // the search.
  for (int k = 0; k < kMaxLiftSegments + 2; ++k) {
    table.searchUppers[k] = k < table.segmentCount - 1 ? table.segments[k].upper : kInfinity;
  }
  table.lastSegment = 0;
}

void VerticalLiftCoefficients(int slot, double aoa, double mach, double /*reynolds*/, double* cl,
                              double* cm, double* cd) {
  AeroProfile& profile = aeroProfiles[slot];
  EvaluateAirfoil(profile.vertical, profile.verticalAspectRatio, profile.verticalEfficiency,
                  profile.verticalZeroDrag, profile, aoa, mach, cl, cm, cd);
}

void HorizontalLiftCoefficients(int slot, double aoa, double mach, double /*reynolds*/, double* cl,
                                double* cm, double* cd) {
  AeroProfile& profile = aeroProfiles[slot];
  EvaluateAirfoil(profile.horizontal, profile.horizontalAspectRatio, profile.horizontalEfficiency,
                  profile.horizontalZeroDrag, profile, aoa, mach, cl, cm, cd);
}

void ResetAeroProfiles() {
  for (AeroProfile& profile : aeroProfiles) {
    profile = AeroProfile{};
  }
  aeroProfileCount = 0;
}
