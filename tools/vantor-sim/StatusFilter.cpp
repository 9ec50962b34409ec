#include "StatusFilter.h"

#include <cstdio>

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

// Digits as the C locale has them, without the call per character: this runs every frame.
bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string StatusFilter::Shape(const std::string& text) {
  std::string shape;
  shape.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool signedNumber = (c == '-' || c == '+') && i + 1 < text.size() &&
                              IsDigit(static_cast<unsigned char>(text[i + 1]));
    if (IsDigit(c) || signedNumber) {
      ++i;
      while (i < text.size() && (IsDigit(static_cast<unsigned char>(text[i])) || text[i] == '.')) {
        ++i;
      }
      shape += '#';
    } else {
      shape += text[i];
      ++i;
    }
  }
  return shape;
}

bool StatusFilter::Admit(const std::string& text, double simt) {
  if (text == printed_) {
    held_.clear();
    return false;
  }
  std::string shape = Shape(text);
  if (shape == printedShape_ && simt < printedTime_ + interval_ - 1e-9) {
    held_ = text;
    heldTime_ = simt;
    return false;
  }
  printed_ = text;
  printedShape_ = std::move(shape);
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
