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

// The lift table of the airfoil of that orientation: the wing's vertical, the fin's horizontal.
template <bool Vertical>
LiftTable& TableOf(AeroProfile& profile) {
  return Vertical ? profile.vertical : profile.horizontal;
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
// further when the angle lies above the bucket's split. The place grows with the angle (a
// subtraction and a multiplication by a positive scale round monotonically), so an angle's bucket
// is never above the bucket of an upper not below it: the start never passes the answer, and the
// walk up only moves where a bucket holds more than one upper. For places within the limit.
inline int SearchBuckets(const LiftTable& table, double aoa) {
  const int bucket = BucketOf(PlaceOf(table, aoa));
  int index = table.bucketStart[bucket] + (aoa > table.bucketSplit[bucket] ? 1 : 0);
  while (aoa > table.searchUppers[index]) {
    ++index;  // stops at the last segment, whose search upper is +infinity
  }
  return index;
}

// The plain search's answer for any angle.
inline int SearchAnywhere(const LiftTable& table, double aoa) {
  return std::fabs(PlaceOf(table, aoa)) < kSearchLimit ? SearchBuckets(table, aoa)
                                                       : PlainSearch(table, aoa);
}

// Whether segment index is the plain search's answer for aoa: the angle lies above the upper
// angle of the segment before and not above the segment's own. Only for tables in order.
inline bool Serves(const LiftTable& table, int index, double aoa) {
  return table.ordered && (index == 0 || aoa > table.searchUppers[index - 1]) &&
         aoa <= table.searchUppers[index];
}

// One test, so that it stays predictable also for angles at random.
inline bool InWindow(const LiftSegment& segment, double aoa) {
  return std::fabs(aoa - segment.windowMiddle) < segment.windowHalf;
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

// Whether every coefficient the formula gives for angles between above and below is finite.
// The fraction's magnitude there is at most the farther end's distance over the span, and each
// coefficient's at most its start's plus that fraction of its step (rounding is monotonic); a
// wide margin below the largest number keeps the bound free of rounding questions.
bool StaysFinite(const LiftSegment& segment, double above, double below) {
  constexpr double kBound = 1e300;
  if (!(segment.span > 0.0)) {
    return false;
  }
  const double fraction = std::max(segment.angle - above, below - segment.angle) / segment.span;
  auto bounded = [&](double start, double step) {
    return std::fabs(start) + fraction * std::fabs(step) < kBound;
  };
  return bounded(segment.lift, segment.liftStep) && bounded(segment.moment, segment.momentStep) &&
         bounded(segment.drag, segment.dragStep);
}

// Opens the segment's window on angles strictly between above and below, or part of them. The
// window's test rounds monotonically in the angle, and each end lies at least half the window
// from its middle, so no angle outside passes it.
void OpenWindow(LiftSegment& segment, double above, double below) {
  const double middle = above / 2 + below / 2;
  const double half = std::min(middle - above, below - middle);
  if (std::isfinite(middle) && half > 0.0 && half < kInfinity) {
    segment.windowMiddle = middle;
    segment.windowHalf = half;
  }
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

// Searches in a row that find one segment before the table is trusted to drift again.
constexpr int kSearchesToSettle = 4;

// Keeps the segment found for the next evaluation. Drifting angles leave a segment for a
// neighbour; a jump further means they come at random, and then the table is searched every
// time until a few searches in a row find one segment. Counted without a branch, which angles at
// random would mispredict.
inline void NoteFound(LiftTable& table, int index) {
  if (!table.searching) [[likely]] {
    const int jump = index - table.lastIndex;
    table.lastIndex = index;
    if (jump < -1 || jump > 1) [[unlikely]] {
      table.searching = true;
      table.sameRun = 0;
      table.last.windowHalf = 0.0;
      return;
    }
    table.last = table.segments[index];
    return;
  }
  const int sameRun = (table.sameRun + 1) & -static_cast<int>(index == table.lastIndex);
  table.sameRun = sameRun;
  table.lastIndex = index;
  if (sameRun >= kSearchesToSettle) [[unlikely]] {
    table.searching = false;
    table.last = table.segments[index];
  }
}

// The formula for one segment. Checked, as any angle needs; unchecked only in the segment's
// window, where the span is not 0 and every coefficient is finite.
template <bool Vertical, bool Checked>
[[gnu::always_inline]] inline void EvaluateSegment(AeroProfile& profile, const LiftSegment& segment,
                                                   double aoa, double mach, double* cl, double* cm,
                                                   double* cd) {
  const LiftTable& table = TableOf<Vertical>(profile);
  const double t = Checked ? Fraction(segment, aoa) : (aoa - segment.angle) / segment.span;
  const double lift = segment.lift + t * segment.liftStep;
  const double moment = segment.moment + t * segment.momentStep;
  if (!table.userDragOn) {
    HostDrag<Vertical>(profile, aoa, mach, lift, moment, cl, cm, cd);
    return;
  }
  const double drag = segment.drag + t * segment.dragStep;
  if constexpr (Checked) {
    Store(aoa, lift, moment, drag, cl, cm, cd);
  } else {
    *cl = lift;
    *cm = moment;
    *cd = drag;
  }
}

// An angle beyond the open reach, or any angle of a table with a window closed: the segment
// found last when it serves the angle (tables of equal angles at an end come here on every
// call), else the general search; then the formula with every check where the angle lies outside
// the segment's window (no number, in a segment of equal angles, or where the table's figures
// overflow).
template <bool Vertical>
[[gnu::noinline]] void EvaluateAnywhere(AeroProfile& profile, double aoa, double mach, double* cl,
                                        double* cm, double* cd) {
  LiftTable& table = TableOf<Vertical>(profile);
  int index = table.lastIndex;
  if (!Serves(table, index, aoa)) {
    index = SearchAnywhere(table, aoa);
    NoteFound(table, index);
  }
  const LiftSegment& segment = table.segments[index];
  if (InWindow(segment, aoa)) {
    EvaluateSegment<Vertical, false>(profile, segment, aoa, mach, cl, cm, cd);
  } else {
    EvaluateSegment<Vertical, true>(profile, segment, aoa, mach, cl, cm, cd);
  }
}

// One airfoil's coefficients. Successive physics steps change the angle little, so the segment
// of the previous evaluation is tried first.
template <bool Vertical>
[[gnu::always_inline]] inline void EvaluateAirfoil(AeroProfile& profile, double aoa, double mach,
                                                   double* cl, double* cm, double* cd) {
  LiftTable& table = TableOf<Vertical>(profile);
  const LiftSegment* segment = &table.last;
  if (!InWindow(*segment, aoa)) [[unlikely]] {
    if (!(std::fabs(aoa) < table.openReach)) [[unlikely]] {
      EvaluateAnywhere<Vertical>(profile, aoa, mach, cl, cm, cd);
      return;
    }
    const int index = SearchBuckets(table, aoa);
    NoteFound(table, index);
    segment = &table.segments[index];
  }
  EvaluateSegment<Vertical, false>(profile, *segment, aoa, mach, cl, cm, cd);
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

LiftTable::LiftTable() {
  PrepareLiftTable(*this);
}

void PrepareLiftTable(LiftTable& table) {
  const int count = table.count < 0                ? 0
                    : table.count > kMaxLiftPoints ? kMaxLiftPoints
                                                   : table.count;
  auto drag = [&](int i) { return table.userDragOn ? table.userDrag[i] : 0.0; };
  table.segmentCount = count < 2 ? 1 : count - 1;
  const int innerCount = table.segmentCount - 1;
  // Windows and the segment found last assume the search's order; a table out of it is searched
  // and evaluated with every check.
  bool ordered = true;
  for (int i = 0; i + 1 < count; ++i) {
    ordered = ordered && table.points[i].angle <= table.points[i + 1].angle;
  }
  table.ordered = ordered;
  if (count < 2) {
    // No segment to interpolate along: the one point (or nothing) holds at every angle. Its
    // window stays empty: the formula has no span to divide by.
    LiftSegment& only = table.segments[0];
    only = LiftSegment{};
    if (count == 1) {
      const LiftPoint& p = table.points[0];
      only.angle = p.angle;
      only.lift = p.lift;
      only.moment = p.moment;
      only.drag = drag(0);
    }
  } else {
    for (int i = 0; i < table.segmentCount; ++i) {
      const LiftPoint& p = table.points[i];
      const LiftPoint& q = table.points[i + 1];
      // The end segments also serve every angle beyond the table; their windows reach beyond
      // any angle of attack.
      const double above = i == 0 ? std::min(p.angle, -kEndWindowReach) : p.angle;
      const double below = i == innerCount
                               ? std::max(std::nextafter(q.angle, kInfinity), kEndWindowReach)
                               : std::nextafter(q.angle, kInfinity);
      LiftSegment& segment = table.segments[i];
      segment = LiftSegment{0.0,      0.0,
                            p.angle,  q.angle - p.angle,
                            p.lift,   q.lift - p.lift,
                            p.moment, q.moment - p.moment,
                            drag(i),  drag(i + 1) - drag(i)};
      if (ordered && StaysFinite(segment, above, below)) {
        OpenWindow(segment, above, below);
      }
    }
  }
  // The last segment also serves every angle above the table: its search upper is +infinity.
  for (int k = 0; k < kMaxLiftSegments; ++k) {
    table.searchUppers[k] = k < innerCount ? table.points[k + 1].angle : kInfinity;
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
  // Within the end windows' reach the search needs no limit and the formula no check, unless a
  // segment that serves some angle (all but the inner ones of equal angles) has a closed window.
  bool open = true;
  for (int k = 0; k < table.segmentCount; ++k) {
    const LiftSegment& segment = table.segments[k];
    const bool neverFound = k > 0 && k < innerCount && segment.span == 0.0;
    open = open && (neverFound || segment.windowHalf > 0.0);
  }
  open = open && std::fabs(PlaceOf(table, -kEndWindowReach)) < kSearchLimit &&
         std::fabs(PlaceOf(table, kEndWindowReach)) < kSearchLimit;
  table.openReach = open ? kEndWindowReach : 0.0;
  table.last = table.segments[0];
  table.lastIndex = 0;
  table.searching = false;
  table.sameRun = 0;
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
