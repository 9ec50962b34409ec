#include "flight/AeroProfiles.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "config/ProfileReaders.h"
#include "frame/Angles.h"

AeroProfile aeroProfiles[kProfileSlotCount];
int aeroProfileCount = 0;

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

template <bool Vertical>
[[gnu::always_inline]] inline void EvaluateAirfoil(AeroProfile& profile, double aoa, double mach,
                                                   double* cl, double* cm, double* cd);

// Each slot's callbacks are their own code, so the slot's data is found at a fixed address.
template <int Slot>
void VerticalLiftCallback(double aoa, double mach, double /*reynolds*/, double* cl, double* cm,
                          double* cd) {
  EvaluateAirfoil<true>(aeroProfiles[Slot], aoa, mach, cl, cm, cd);
}

template <int Slot>
void HorizontalLiftCallback(double aoa, double mach, double /*reynolds*/, double* cl, double* cm,
                            double* cd) {
  EvaluateAirfoil<false>(aeroProfiles[Slot], aoa, mach, cl, cm, cd);
}

// Bucket places this large (and those that are no number) take the plain search: they would not
// fit an integer, and no physics step gives them.
constexpr double kSearchLimit = 1e15;

// The first segment whose upper angle is not below aoa, or the last: the plain linear search.
int PlainSearch(const LiftTable& table, double aoa) {
  const int last = table.segmentCount - 1;
  int index = 0;
  while (index < last && !(aoa <= table.searchUppers[index])) {
    ++index;
  }
  return index;
}

// The bucket of a place, clamped to the buckets on integers, which compilers do without
// branches: angles beyond the table come at random and would defeat branch prediction.
inline int BucketOf(double place) {
  long long bucket = static_cast<long long>(place);
  bucket = bucket < 0 ? 0 : bucket;
  bucket = bucket > kSearchBuckets - 1 ? kSearchBuckets - 1 : bucket;
  return static_cast<int>(bucket);
}

inline double PlaceOf(const LiftTable& table, double aoa) {
  return (aoa - table.searchLow) * table.searchScale;
}

// The same answer as the plain search, from the angle's bucket: its first segment, one step
// further when the angle lies above the bucket's split. The two walks only move where a bucket
// holds more than one upper or rounding put the angle in a neighbouring bucket.
inline int SearchSegment(const LiftTable& table, double aoa) {
  const double place = PlaceOf(table, aoa);
  if (!(std::fabs(place) < kSearchLimit)) {
    return PlainSearch(table, aoa);
  }
  const int bucket = BucketOf(place);
  int index = table.bucketStart[bucket] + (aoa > table.bucketSplit[bucket] ? 1 : 0);
  while (aoa > table.searchUppers[index]) {
    ++index;  // stops at the last segment, whose search upper is +infinity
  }
  while (aoa <= table.servesAbove[index]) {
    --index;  // stops at the first segment, which serves everything above -infinity
  }
  return index;
}

// Successive physics steps change the angle little, so the previous call's segment is tried
// first. Inside it both distances to its ends are positive (the upper end is stored one step up,
// so that the angle of the upper point itself is inside); a single test keeps it predictable
// also for angles at random.
inline const LiftSegment& FindSegment(LiftTable& table, double aoa) {
  const LastSegment& last = table.last;
  if (std::min(aoa - last.above, last.below - aoa) > 0.0) [[likely]] {
    return last.segment;
  }
  const int index = SearchSegment(table, aoa);
  table.last =
      LastSegment{table.servesAbove[index], table.servesBelow[index], table.segments[index]};
  return table.segments[index];
}

// Where the segment's two angles are equal there is no fraction: an angle short of the segment
// takes its first point, any other its second (an angle equal to a point's belongs to the
// segment ending there).
inline double Fraction(const LiftSegment& segment, double aoa) {
  if (segment.span != 0.0) [[likely]] {
    return (aoa - segment.angle) / segment.span;
  }
  return aoa < segment.angle ? 0.0 : 1.0;
}

// Tables of extreme figures overflow in the differences or the drag sum; the host would spread an
// infinity through the whole vessel, so such a coefficient gives no force. (What an angle that is
// no number gives is left to the formula: the host's own fault.) Stored last, so that the
// coefficients are computed without rereading what the stores might have changed.
inline void Store(double aoa, double lift, double moment, double drag, double* cl, double* cm,
                  double* cd) {
  if (!std::isfinite(lift + moment + drag) && std::isfinite(aoa)) [[unlikely]] {
    lift = std::isfinite(lift) ? lift : 0.0;
    moment = std::isfinite(moment) ? moment : 0.0;
    drag = std::isfinite(drag) ? drag : 0.0;
  }
  *cl = lift;
  *cm = moment;
  *cd = drag;
}

// The same argument bit for bit: a function of its arguments alone gives the same answer.
inline bool Same(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

[[gnu::noinline]] double AskWaveDrag(AeroProfile& profile, double mach) {
  const VECTOR3& m = profile.machNumbers;
  profile.waveDragMemo = WaveDragMemo{true, mach, m, profile.waveDrag,
                                      vapiGetWaveDrag(mach, m.x, m.y, m.z, profile.waveDrag)};
  return profile.waveDragMemo.drag;
}

inline double WaveDrag(AeroProfile& profile, double mach) {
  const VECTOR3& m = profile.machNumbers;
  const WaveDragMemo& memo = profile.waveDragMemo;
  if (memo.known && Same(memo.mach, mach) && Same(memo.thresholds.x, m.x) &&
      Same(memo.thresholds.y, m.y) && Same(memo.thresholds.z, m.z) &&
      Same(memo.maxDrag, profile.waveDrag)) {
    return memo.drag;
  }
  return AskWaveDrag(profile, mach);
}

// Induced, wave and zero-lift drag; the host computes the first two. Kept out of line so that
// evaluations with table drag need no stack frame.
template <bool Vertical>
[[gnu::noinline]] void HostDrag(AeroProfile& profile, double aoa, double mach, double lift,
                                double moment, double* cl, double* cm, double* cd) {
  // A lift the table overflowed to gives no force (below), so the host is asked for the
  // induced drag of no lift rather than of an infinity.
  const double dragLift = std::isfinite(lift) || !std::isfinite(aoa) ? lift : 0.0;
  const double wave = WaveDrag(profile, mach);
  const double induced = Vertical ? vapiGetInducedDrag(dragLift, profile.verticalAspectRatio,
                                                       profile.verticalEfficiency)
                                  : vapiGetInducedDrag(dragLift, profile.horizontalAspectRatio,
                                                       profile.horizontalEfficiency);
  const double zeroDrag = Vertical ? profile.verticalZeroDrag : profile.horizontalZeroDrag;
  Store(aoa, lift, moment, induced + wave + zeroDrag, cl, cm, cd);
}

// One airfoil's coefficients.
template <bool Vertical>
[[gnu::always_inline]] inline void EvaluateAirfoil(AeroProfile& profile, double aoa, double mach,
                                                   double* cl, double* cm, double* cd) {
  LiftTable& table = Vertical ? profile.vertical : profile.horizontal;
  const LiftSegment& segment = FindSegment(table, aoa);
  const double t = Fraction(segment, aoa);
  const double lift = segment.lift + t * segment.liftStep;
  const double moment = segment.moment + t * segment.momentStep;
  if (!table.userDragOn) {
    HostDrag<Vertical>(profile, aoa, mach, lift, moment, cl, cm, cd);
    return;
  }
  Store(aoa, lift, moment, segment.drag + t * segment.dragStep, cl, cm, cd);
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
  // The last segment also serves every angle above the table: its search upper is +infinity.
  const int innerCount = table.segmentCount - 1;
  for (int k = 0; k < kMaxLiftSegments; ++k) {
    table.searchUppers[k] = k < innerCount ? table.segments[k].upper : kInfinity;
    table.servesAbove[k] = k == 0 ? -kInfinity : table.segments[k].angle;
    table.servesBelow[k] =
        k < innerCount ? std::nextafter(table.segments[k].upper, kInfinity) : kInfinity;
  }
  // The buckets span the inner uppers; a table without finite ones gets one bucket for all.
  table.searchLow = innerCount > 0 ? table.searchUppers[0] : 0.0;
  bool finite = true;
  for (int k = 0; k < innerCount; ++k) {
    finite = finite && std::isfinite(table.searchUppers[k]);
  }
  const double range = innerCount > 0 ? table.searchUppers[innerCount - 1] - table.searchLow : 0.0;
  const double scale = finite && range > 0.0 ? kSearchBuckets / range : 0.0;
  table.searchScale = std::isfinite(scale) ? scale : 0.0;
  for (int b = 0; b < kSearchBuckets; ++b) {
    table.bucketStart[b] = 0;
    table.bucketSplit[b] = kInfinity;
  }
  for (int k = 0; k < innerCount; ++k) {
    const double place = PlaceOf(table, table.searchUppers[k]);
    const int bucket = std::fabs(place) < kSearchLimit ? BucketOf(place) : 0;
    if (table.bucketSplit[bucket] == kInfinity) {
      table.bucketSplit[bucket] = table.searchUppers[k];
    }
    for (int b = bucket + 1; b < kSearchBuckets; ++b) {
      ++table.bucketStart[b];
    }
  }
  table.last = LastSegment{table.servesAbove[0], table.servesBelow[0], table.segments[0]};
}

void VerticalLiftCoefficients(int slot, double aoa, double mach, double /*reynolds*/, double* cl,
                              double* cm, double* cd) {
  EvaluateAirfoil<true>(aeroProfiles[slot], aoa, mach, cl, cm, cd);
}

void HorizontalLiftCoefficients(int slot, double aoa, double mach, double /*reynolds*/, double* cl,
                                double* cm, double* cd) {
  EvaluateAirfoil<false>(aeroProfiles[slot], aoa, mach, cl, cm, cd);
}

void ResetAeroProfiles() {
  for (AeroProfile& profile : aeroProfiles) {
    profile = AeroProfile{};
  }
  aeroProfileCount = 0;
}
