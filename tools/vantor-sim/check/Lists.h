// Numbered sections ("EX_MAIN_%u", ...) are read from index 0 upward until the first entry that
// fails its stop rule, and never beyond a capacity. These helpers report what such a list leaves
// unread.
#pragma once

#include <string>

#include "check/FileReads.h"

namespace check {

std::string Numbered(const char* prefix, int index);

// Reports the entry that ended the list (when its section exists: it holds content that fails the
// stop rule) and every later section of the family, which the module never reads.
// count: the number of entries read; stopLine and reason: where and why the list ended.
void ReportListEnd(const FileReads& reader, const char* prefix, int capacity, const char* listOf,
                   int count, int stopLine, const std::string& reason, bool reportEnder = true);

// Reports every section of the family as never read, for a list the module skips entirely.
void ReportListUnread(const FileReads& reader, const char* prefix, const std::string& reason);

}  // namespace check
