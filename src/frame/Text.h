// Bounded text helpers: every fixed character buffer of the module is written through these.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>

// Copies src into dst of the given size, cutting it to fit; dst is always terminated.
// Returns the number of characters copied.
inline std::size_t CopyText(char* dst, std::size_t size, const char* src) {
  if (size == 0) {
    return 0;
  }
  std::size_t n = 0;
  if (src != nullptr) {
    while (n + 1 < size && src[n] != '\0') {
      ++n;
    }
    std::memmove(dst, src, n);
  }
  dst[n] = '\0';
  return n;
}

template <std::size_t N>
std::size_t CopyText(char (&dst)[N], const char* src) {
  return CopyText(dst, N, src);
}

// snprintf into a fixed buffer; output that does not fit is cut.
#if defined(__GNUC__)
#define AIRCRAFT_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define AIRCRAFT_PRINTF_FORMAT(fmt, args)
#endif

template <std::size_t N>
AIRCRAFT_PRINTF_FORMAT(2, 3)
void FormatText(char (&dst)[N], const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(dst, N, format, args);
  va_end(args);
}
