// Text for fixed buffers built piece by piece, without the printf family: the status line is
// written every frame, and formatting it through vsnprintf cost more than the rest of the frame.
// Every piece gives exactly the characters snprintf gives for its conversion in the C locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Precisions above this are taken as this.
inline constexpr int kMaxFixedPrecision = 17;
// Room for the longest fixed text: a sign, the 309 integer digits of the largest double, the
// point and the decimals.
inline constexpr std::size_t kFixedTextSize = 1 + 309 + 1 + kMaxFixedPrecision;

// Room for the text of the exact path, which serves flight figures: a sign, up to 19 digits, a
// zero before the point when they are all decimals, and the point.
inline constexpr std::size_t kExactTextSize = 24;

// The last text of a figure that moves little from one line to the next (a bearing, a target),
// and the magnitudes that print the same: within them the text is copied, not worked out again.
struct FigureMemo {
  double above = 0.0;  // the magnitudes strictly between above and below; none at first
  double below = 0.0;
  bool negative = false;
  std::size_t length = 0;
  char text[kExactTextSize] = {};

  bool Holds(double value) const;
  // Keeps the text written for value, whose magnitude * 10^Precision rounds to scaled.
  template <int Precision>
  void Keep(double value, std::uint64_t scaled, const char* written, std::size_t writtenLength);
};

// Writes value as "%.Nf" does for precision N (ties to even, "-0.00" for negative values that
// round to zero, "inf", "-nan") into text, which has kFixedTextSize characters; the text is not
// terminated. Returns its length.
std::size_t FormatFixed(double value, int precision, char* text);

// Appends to a buffer of the given size, cutting at its end as snprintf does; the buffer is
// terminated after every piece. A null buffer or size 0 takes nothing.
class TextBuilder {
 public:
  TextBuilder(char* buffer, std::size_t size);
  template <std::size_t N>
  explicit TextBuilder(char (&buffer)[N]) : TextBuilder(buffer, N) {}

  // %s; null is taken as no text
  TextBuilder& Text(const char* text) {
    if (text != nullptr) {
      Append(text, std::strlen(text));
    }
    return *this;
  }
  // Text whose length the compiler knows: a string literal.
  template <std::size_t N>
  TextBuilder& Literal(const char (&text)[N]) {
    if (N > 1 && Room() >= N - 1) {
      // A copy of known length, which the compiler writes inline; room means a buffer.
      std::memcpy(end_, text, N - 1);
      Advance(N - 1);
    } else {
      Append(text, N - 1);
    }
    return *this;
  }
  // %.Nf. Inline, so that a precision known when compiling goes straight to its own body (there
  // is one for each precision up to 4).
  TextBuilder& Fixed(double value, int precision) {
    switch (precision) {
      case 0:
        return FixedTo<0>(value);
      case 1:
        return FixedTo<1>(value);
      case 2:
        return FixedTo<2>(value);
      case 3:
        return FixedTo<3>(value);
      case 4:
        return FixedTo<4>(value);
      default:
        return FixedAside(value, precision);
    }
  }
  // %.Nf through the figure's memo, which keeps its text for the next call.
  template <int Precision>
  TextBuilder& Fixed(double value, FigureMemo& memo) {
    return FixedTo<Precision>(value, &memo);
  }
  TextBuilder& Unsigned(unsigned value);  // %u

 private:
  template <int Precision>
  TextBuilder& FixedTo(double value, FigureMemo* memo = nullptr);
  TextBuilder& FixedAside(double value, int precision);
  void Append(const char* text, std::size_t length) {
    if (end_ == nullptr) {
      return;
    }
    const std::size_t room = Room();
    const std::size_t taken = length < room ? length : room;
    std::memcpy(end_, text, taken);
    Advance(taken);
  }
  // Takes the next count characters, already written, and terminates after them.
  void Advance(std::size_t count) {
    end_ += count;
    *end_ = '\0';
  }
  // Characters that still fit before the terminator.
  std::size_t Room() const { return static_cast<std::size_t>(last_ - end_); }

  char* end_;   // where the next character goes, at the terminator; null without a buffer
  char* last_;  // the buffer's last character, kept for the terminator; null without a buffer
};
