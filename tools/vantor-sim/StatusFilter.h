// Keeps `vantor-sim fly` readable: a status line that changes every frame only in its numbers
// (the flight status, the steering figures) is printed at most once per interval of simulation
// time; a line with other words is printed at once.
#pragma once

#include <string>
#include <string_view>

class StatusFilter {
 public:
  explicit StatusFilter(double interval) : interval_(interval) {}

  // Whether to print the status text seen at simt. A text equal to the last one printed (at
  // first the empty text) is not printed again.
  bool Admit(std::string_view text, double simt);

  // The last text held back, if it differs from the last one printed (for the end of a run).
  bool HasHeld() const { return !held_.empty() && held_ != printed_; }
  const std::string& held() const { return held_; }
  double heldTime() const { return heldTime_; }

 private:
  bool HasPrintedShape(std::string_view text) const;

  double interval_;
  std::string printed_;
  std::string printedShape_;  // printed_ with each number as '#'

  double printedTime_ = -1e300;
  std::string held_;
  double heldTime_ = 0.0;
};

// Progress of a long run on a terminal: one line on standard error, rewritten in place, and
// nothing at all when standard error is not a terminal.
class ProgressLine {
 public:
  explicit ProgressLine(double end);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void Update(double simt);
  // Removes the line, so that other output starts on a clean line.
  void Clear();

 private:
  bool enabled_ = false;
  bool shown_ = false;
  double end_;
  int lastPercent_ = -1;
};
