// The module-wide table of aerodynamic profiles. The host's coefficient callback carries no user
// argument, so each aircraft's lift tables live in one of nine slots, keyed by vessel name, and
// each slot has its own pair of fixed callbacks (one per airfoil orientation).
#pragma once

#include <string>

#include "frame/Host.h"

inline constexpr int kProfileSlotCount = 9;
inline constexpr int kMaxLiftPoints = 19;      // keys PT0 to PT18
inline constexpr int kLiftTableCapacity = 50;  // room in a table; only kMaxLiftPoints are filled
inline constexpr int kMaxLiftSegments = kMaxLiftPoints - 1;
inline constexpr int kSearchBuckets = 64;
// Angles of attack lie within half a turn either way; the windows of the end segments, which
// serve every angle beyond the table, reach beyond that, in radians.
inline constexpr double kEndWindowReach = 4.0;

struct LiftPoint {
  double angle;  // angle of attack, radians
  double lift;
  double moment;
};

// One stretch of a table between two consecutive points, prepared at load so that an
// evaluation only searches and does one multiply-add per coefficient.
struct alignas(16) LiftSegment {
  // The window: angles less than windowHalf from windowMiddle are served by this segment, and
  // its coefficients there are finite, so an evaluation in the window needs no check. It may be
  // a little narrower than the angles the segment serves within kEndWindowReach of zero, where
  // an open window's segment gives finite coefficients for all of them; windowHalf 0 closes it.
  double windowMiddle = 0.0;
  double windowHalf = 0.0;
  double angle = 0.0;  // the first point's angle
  double span = 0.0;   // the second point's angle less the first's; 0 for two of equal angle
  double lift = 0.0, liftStep = 0.0;
  double moment = 0.0, momentStep = 0.0;
  double drag = 0.0, dragStep = 0.0;  // from the table's drag column; 0 without table drag
};

struct LiftTable {
  // An empty table, prepared: its search ends inside the arrays even before any file is read.
  LiftTable();

  int count = 0;
  LiftPoint points[kLiftTableCapacity] = {};
  double userDrag[kLiftTableCapacity] = {};
  bool userDragOn = false;  // this table's drag comes from the drag column

  // Prepared from the points by PrepareLiftTable. A table of fewer than two points has one
  // segment of span 0 that yields its point (or zeros when it has none).
  int segmentCount = 0;
  LiftSegment segments[kMaxLiftSegments] = {};
  // The segment search, prepared at load. searchUppers holds the angles between segments
  // (each segment's upper angle but the last's) and +infinity after them. Buckets of equal
  // width spread over the inner uppers: bucketStart[b] counts the uppers in lower buckets,
  // bucketSplit[b] is the first upper in bucket b (+infinity when it holds none).
  double searchUppers[kMaxLiftSegments] = {};
  bool ordered = false;      // the points' angles never fall, as the search assumes
  double searchLow = 0.0;    // the first inner upper
  double searchScale = 0.0;  // buckets per radian above searchLow
  unsigned char bucketStart[kSearchBuckets] = {};
  double bucketSplit[kSearchBuckets] = {};
  // Every angle of smaller magnitude is served by a segment with an open window and has its
  // bucket place within the search's limit; 0 for tables where some are not.
  double openReach = 0.0;
  // A copy of the segment found last, tried first: successive physics steps mostly stay in one
  // segment, and then an evaluation reads only this. While angles jump between segments its
  // window is closed and every evaluation searches, since a window that now holds the angle and
  // now does not would defeat branch prediction.
  LiftSegment last;
  int lastIndex = 0;
  bool searching = false;
  int sameRun = 0;  // while searching: the searches in a row that found lastIndex again
};

// The host's wave drag for the last arguments it was asked with. The host's drag functions are
// functions of their arguments alone, and a physics step asks for the wing and the fin at one
// Mach number: the second answer is the first.
struct WaveDragMemo {
  bool known = false;
  double mach = 0.0;
  VECTOR3 thresholds{};
  double maxDrag = 0.0;
  double drag = 0.0;
};

struct AeroProfile {
  std::string name;  // the owning vessel's whole name, however long
  LiftTable vertical;
  LiftTable horizontal;
  double verticalEfficiency = 0.0;
  double horizontalEfficiency = 0.0;
  double verticalAspectRatio = 0.0;
  double horizontalAspectRatio = 0.0;
  double verticalZeroDrag = 0.0;
  double horizontalZeroDrag = 0.0;
  double waveDrag = 0.0;
  VECTOR3 machNumbers{};
  double wingAngle = 0.0;  // radians; kept for authors, no computation uses it
  WaveDragMemo waveDragMemo;
};

extern AeroProfile aeroProfiles[kProfileSlotCount];
extern int aeroProfileCount;
extern const AirfoilCoeffFunc verticalLiftCallbacks[kProfileSlotCount];
extern const AirfoilCoeffFunc horizontalLiftCallbacks[kProfileSlotCount];

// The slot of this vessel name, matched on the whole name; a new name takes the next free
// slot. -1 when all slots belong to other names (nothing is written then).
int FindProfileSlot(const char* vesselName);

// Fills the table from section PT0..PT18 of the file and prepares it for evaluation. With
// table drag on, each point's fourth element is its drag coefficient (0 when absent).
void LoadLiftTable(const char* path, const char* section, LiftTable& table, bool userDrag);
// Builds the evaluation segments from the table's points; LoadLiftTable calls it.
void PrepareLiftTable(LiftTable& table);

// Lift, moment and drag coefficients of slot's wing (vertical) or fin (horizontal) airfoil.
// The Reynolds number is accepted for the host's signature and not used.
void VerticalLiftCoefficients(int slot, double aoa, double mach, double reynolds, double* cl,
                              double* cm, double* cd);
void HorizontalLiftCoefficients(int slot, double aoa, double mach, double reynolds, double* cl,
                                double* cm, double* cd);

// Forgets every slot. The module never releases a slot; tests start afresh with this.
void ResetAeroProfiles();
