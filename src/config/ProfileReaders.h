// Readers of profile (INI) values. Every configuration and flight-plan value is read through
// them. Convention: the caller stores the default in the destination first; a reader leaves the
// destination untouched when the key is absent. Inside a ProfileReadScope (config/ProfileCache.h)
// a file is read once; an installed ProfileObserver hears of every read.
#pragma once

#include <cstddef>

#include "frame/Host.h"

// Lookups copy at most this many characters of a value.
inline constexpr std::size_t kProfileValueSize = 255;

// The key's leading integer; absent: unchanged. Always true.
bool ReadProfileInt(const char* path, const char* section, const char* key, int& value);
// The first blank-separated token's leading number; absent or empty: unchanged. Always true.
bool ReadProfileDouble(const char* path, const char* section, const char* key, double& value);
// "(x,y,z)"; absent: the prior value rounded to nine significant digits. A component the
// value does not supply keeps the prior value. Always true.
bool ReadProfileVector(const char* path, const char* section, const char* key, VECTOR3& value);
// The fourth element of "(a,b,c,d)"; absent or without a fourth element: unchanged.
bool ReadProfileFourthElement(const char* path, const char* section, const char* key,
                              double& value);
// The value text, cut to fit; absent: the buffer keeps its text. Returns the length now in the
// buffer (the lookup's count).
int ReadProfileString(const char* path, const char* section, const char* key, char* buffer,
                      std::size_t size);
template <std::size_t N>
int ReadProfileString(const char* path, const char* section, const char* key, char (&buffer)[N]) {
  return ReadProfileString(path, section, key, buffer, N);
}
// Integers separated by any run of parentheses, blanks, commas, tabs or newlines, stored from
// element 0; tokens beyond capacity are dropped. Returns the number stored.
int ReadProfileIntList(const char* path, const char* section, const char* key, int* values,
                       int capacity);

// Host key code of a letter A to Z (first character only); -1 for "*"; 0 for anything else.
int KeyCodeFromLetter(const char* text);
