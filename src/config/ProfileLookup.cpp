// The portable profile lookup, answered from the indexed file.
#include "config/ProfileLookup.h"

#if !defined(_WIN32) || defined(AIRCRAFT_PORTABLE_PROFILE_LOOKUP)

#include <cstring>

#include "config/NumberText.h"
#include "config/ProfileCache.h"
#include "config/ProfileReaders.h"

namespace {

DWORD CopyValue(std::string_view value, char* buffer, std::size_t size) {
  const std::size_t count = value.size() < size - 1 ? value.size() : size - 1;
  std::memmove(buffer, value.data(), count);
  buffer[count] = '\0';
  return static_cast<DWORD>(count);
}

DWORD CopyDefault(const char* defaultText, char* buffer, std::size_t size) {
  std::size_t length = 0;
  if (defaultText != nullptr) {
    while (length + 1 < size && defaultText[length] != '\0') {
      ++length;
    }
    // The platform drops trailing blanks of the default.
    while (length > 0 && defaultText[length - 1] == ' ') {
      --length;
    }
    std::memmove(buffer, defaultText, length);
  }
  buffer[length] = '\0';
  return static_cast<DWORD>(length);
}

}  // namespace

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultText,
                               char* buffer, DWORD size, const char* path) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  if (section == nullptr || key == nullptr || path == nullptr) {
    return CopyDefault(defaultText, buffer, size);
  }
  const std::shared_ptr<const ProfileIndex> file = ProfileFile(path);
  const ProfileIndex::Entry* entry = file != nullptr ? file->Find(section, key) : nullptr;
  return entry != nullptr ? CopyValue(entry->value, buffer, size)
                          : CopyDefault(defaultText, buffer, size);
}

UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                           const char* path) {
  char value[kProfileValueSize];
  if (GetPrivateProfileStringA(section, key, "", value, sizeof value, path) == 0) {
    return static_cast<UINT>(defaultValue);
  }
  return static_cast<UINT>(ScanProfileInteger(value).value);
}

#endif
