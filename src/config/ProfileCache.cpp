#include "config/ProfileCache.h"

#include <string>
#include <unordered_map>

namespace {

// The host calls the module from one thread; scopes nest (a set-up may load a flight plan).
struct Cache {
  int depth = 0;
  std::unordered_map<std::string, std::shared_ptr<const ProfileIndex>> files;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

}  // namespace

ProfileReadScope::ProfileReadScope() {
  ++TheCache().depth;
}

ProfileReadScope::~ProfileReadScope() {
  Cache& cache = TheCache();
  if (--cache.depth == 0) {
    cache.files.clear();
  }
}

std::shared_ptr<const ProfileIndex> ProfileFile(const char* path) {
  if (path == nullptr) {
    return nullptr;
  }
  Cache& cache = TheCache();
  if (cache.depth == 0) {
    return ProfileIndex::Load(path);
  }
  const auto found = cache.files.find(path);
  if (found != cache.files.end()) {
    return found->second;
  }
  std::shared_ptr<const ProfileIndex> file = ProfileIndex::Load(path);
  cache.files.emplace(path, file);
  return file;
}
