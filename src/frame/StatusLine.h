// Messages to the pilot: the host's one-line status display, replaced by each write.
#pragma once

#include <cstdarg>
#include <cstdio>

#include "frame/Host.h"
#include "frame/Text.h"

AIRCRAFT_PRINTF_FORMAT(1, 2) inline void WriteStatusLine(const char* format, ...) {
  char* line = vapiDebugString();
  if (line == nullptr) {
    return;
  }
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, VAPI_DEBUG_STRING_SIZE, format, args);
  va_end(args);
}
