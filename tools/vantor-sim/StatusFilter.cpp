#include "StatusFilter.h"

#include <cstdio>

#include "status/TextShape.h"

#if defined(_WIN32)
#include <io.h>
#define VANTOR_ISATTY _isatty
#define VANTOR_FILENO _fileno
#else
#include <unistd.h>
#define VANTOR_ISATTY isatty
#define VANTOR_FILENO fileno
#endif

namespace {

// Reads the text one shape character at a time: a number (digits and points, after a sign that
// is followed by a digit) reads as one '#'.
class ShapeReader {
 public:
  explicit ShapeReader(std::string_view text) : text_(text) {}
  bool Done() const { return i_ >= text_.size(); }
  char Next() {
    const char c = text_[i_];
    const bool signedNumber =
        (c == '-' || c == '+') && i_ + 1 < text_.size() && IsAsciiDigit(text_[i_ + 1]);
    ++i_;
    if (!IsAsciiDigit(c) && !signedNumber) {
      return c;
    }
    while (i_ < text_.size() && (IsAsciiDigit(text_[i_]) || text_[i_] == '.')) {
      ++i_;
    }
    return '#';
  }

 private:
  std::string_view text_;
  std::size_t i_ = 0;
};

}  // namespace

// The shape of the printed text is kept, so that each frame reads only the new text.
bool StatusFilter::HasPrintedShape(std::string_view text) const {
  // The usual frame: like the text of the frame before, which was held back for having the
  // printed shape, or like the printed text itself.
  if ((!held_.empty() && DigitsAloneDiffer(text, held_)) || DigitsAloneDiffer(text, printed_)) {
    return true;
  }
  ShapeReader reader(text);
  for (const char expected : printedShape_) {
    if (reader.Done() || reader.Next() != expected) {
      return false;
    }
  }
  return reader.Done();
}

bool StatusFilter::Admit(std::string_view text, double simt) {
  if (text == printed_) {
    held_.clear();
    return false;
  }
  // The time first: once the interval is over, the shape does not matter.
  if (simt < printedTime_ + interval_ - 1e-9 && HasPrintedShape(text)) {
    held_ = text;
    heldTime_ = simt;
    return false;
  }
  printed_ = text;
  printedShape_.clear();
  for (ShapeReader reader(printed_); !reader.Done();) {
    printedShape_ += reader.Next();
  }
  printedTime_ = simt;
  held_.clear();
  return true;
}

ProgressLine::ProgressLine(double end)
    : enabled_(VANTOR_ISATTY(VANTOR_FILENO(stderr)) != 0), end_(end) {}

ProgressLine::~ProgressLine() {
  Clear();
}

void ProgressLine::Update(double simt) {
  if (!enabled_ || !(end_ > 0.0)) {
    return;
  }
  const int percent = static_cast<int>(100.0 * simt / end_);
  if (percent == lastPercent_) {
    return;
  }
  lastPercent_ = percent;
  std::fprintf(stderr, "\r  flying: %.0f of %.0f s (%d %%)\x1b[K", simt, end_, percent);
  std::fflush(stderr);
  shown_ = true;
}

void ProgressLine::Clear() {
  if (shown_) {
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
    shown_ = false;
    lastPercent_ = -1;
  }
}
