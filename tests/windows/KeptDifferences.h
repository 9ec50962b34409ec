// Differences between the platform's profile functions and the portable lookup that we keep on
// purpose; docs/windows.md gives the reason for each.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct Difference {
  const std::string& fileBytes;
  std::string_view key;           // as asked for
  std::size_t size;               // the buffer size of a text lookup; 0 for an integer lookup
  std::string_view platformText;  // text lookups: what each returned
  std::string_view portableText;  // for an integer lookup, the value's text as read portably
};

// The reason this difference is expected, or null when it is not.
const char* KeptDifference(const Difference& difference);
