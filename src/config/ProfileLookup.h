// Profile (INI) lookup. On Windows the module uses the platform's own functions; elsewhere it uses
// the replacement declared here, which keeps their signatures and observable behaviour, because
// aircraft files are written for the platform's reader.
//
// Contract of the replacement (what the platform's reader does):
//
// Lines. LF, CR and CRLF all end a line; so does a NUL byte. A UTF-8 byte-order mark at the very
// start is skipped. Blanks, tabs, vertical tabs, form feeds and Ctrl-Z at both ends of every
// line are ignored; "blanks" below means all of them.
//
// Sections. A line whose first character is '[' and that holds a ']' starts a section. Its name
// is the text up to the line's last ']', trimmed of blanks; text after that ']' is ignored. A
// line starting with '[' without any ']' starts no section (nor is it a key we can look up).
// Keys before the first section belong to the section with the empty name. Only the first
// section of a given name is searched: a later section of the same name is not merged.
//
// Keys. A line whose first character is ';' is a comment. Any other line that holds '=' is a key:
// its name is the text before the first '=', trimmed; its value is the text after it, trimmed,
// and then one pair of matching surrounding quotes ("..." or '...') is removed. There are no
// comments after a value: "KEY=1 ; note" has the value "1 ; note". A line without '=' is no key.
// The first key of the name in the section wins.
//
// Names. Section and key names, in the file and in the call, are trimmed of blanks and
// compared without regard to ASCII case.
//
// GetPrivateProfileStringA(section, key, default, buffer, size, path):
//   copies the value into buffer, at most size - 1 characters, terminated, and returns the count
//   copied. An empty value is an empty text (count 0), not the default. When the file, the
//   section or the key does not exist, or section or key is null, it copies the default instead
//   (null reads as the empty text; trailing spaces of the default are dropped, as the platform
//   does). With a null buffer or size 0 nothing is written and 0 is returned.
//
// GetPrivateProfileIntA(section, key, default, path):
//   the value's optional sign and leading decimal digits (after leading blanks), or after a
//   lower-case prefix 0x, 0o or 0b its hexadecimal, octal or binary digits, wrapped modulo 2^32
//   and returned as the bit pattern of a 32-bit signed integer: "12.5" is 12, "42abc" is 42,
//   "0x1f" is 31, "abc" is 0. An absent key or an empty value gives the default. Only the first
//   254 characters of the value are looked at.
//
// Cost. Each call opens the file, streams through it once with a fixed buffer, stops at the end
// of the section it wants, and closes it: time linear in the file's size, memory constant,
// whatever the file holds (binary data, endless lines). Nothing is cached between calls.
#pragma once

#include "frame/Host.h"

// AIRCRAFT_PORTABLE_PROFILE_LOOKUP builds the replacement on Windows too, under names the
// including file chooses, so a test can compare it with the platform's functions.
#if defined(_WIN32) && !defined(AIRCRAFT_PORTABLE_PROFILE_LOOKUP)
#include <windows.h>
#else
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultText,
                               char* buffer, DWORD size, const char* path);
UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                           const char* path);
#endif
