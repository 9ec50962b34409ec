// Profile (INI) lookup. On Windows the module uses the platform's own functions; elsewhere it uses
// the replacement declared here, which keeps their signatures and observable behaviour, because
// aircraft files are written for the platform's reader.
//
// Contract of the replacement (what the platform's reader does):
//
// The file format's rules are those of config/ProfileIndex.h, which reads the file.
//
// GetPrivateProfileStringA(section, key, default, buffer, size, path):
//   copies the value into buffer, at most size - 1 characters, terminated, and returns the count
//   copied. An empty value is an empty text (count 0), not the default. When the file, the
//   section or the key does not exist, or section or key is null, it copies the default instead
//   (null reads as the empty text; trailing spaces of the default are dropped, as the platform
//   does). With a null buffer or size 0 nothing is written and 0 is returned. No value holds a
//   line end, so a default of "\n" tells an absent key from any value.
//
// GetPrivateProfileIntA(section, key, default, path):
//   the value's optional sign and leading decimal digits (after leading blanks), or after a
//   lower-case prefix 0x, 0o or 0b its hexadecimal, octal or binary digits, wrapped modulo 2^32
//   and returned as the bit pattern of a 32-bit signed integer: "12.5" is 12, "42abc" is 42,
//   "0x1f" is 31, "abc" is 0. An absent key or an empty value gives the default. Only the first
//   254 characters of the value are looked at.
//
// Cost. A call reads and indexes the file (time and memory linear in its size), unless a
// ProfileReadScope is open and the file was read in it (config/ProfileCache.h): then the call is
// a hash probe.
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
