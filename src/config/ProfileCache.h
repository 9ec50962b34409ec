// The files the profile lookup has read, kept while a read scope is open. The platform keeps the
// profile file it last read in memory; the module opens a scope around each class set-up and
// each flight-plan load, so a file is read and indexed once per set-up or load, and a file that
// changed in between is always read afresh. Outside any scope every lookup reads the file.
#pragma once

#include <memory>

#include "config/ProfileIndex.h"

class ProfileReadScope {
 public:
  ProfileReadScope();
  ~ProfileReadScope();
  ProfileReadScope(const ProfileReadScope&) = delete;
  ProfileReadScope& operator=(const ProfileReadScope&) = delete;
};

// The file at path as the lookup sees it; null when it cannot be read.
std::shared_ptr<const ProfileIndex> ProfileFile(const char* path);
