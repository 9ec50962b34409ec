#include "ModuleLoader.h"

#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vantor {
namespace {

#if defined(_WIN32)
constexpr const char* kLibrarySuffix = ".dll";

void* OpenLibrary(const std::string& path, std::string& error) {
  HMODULE library = LoadLibraryA(path.c_str());
  if (library == nullptr) {
    error = "error " + std::to_string(GetLastError());
  }
  return reinterpret_cast<void*>(library);
}

void* FindSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
#else
constexpr const char* kLibrarySuffix = ".so";

void* OpenLibrary(const std::string& path, std::string& error) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* message = dlerror();
    error = message != nullptr ? message : "unknown error";
  }
  return library;
}

void* FindSymbol(void* library, const char* name) {
  return dlsym(library, name);
}
#endif

// A class name is used as a file name, so one that could reach another folder names no module.
bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\:") == std::string::npos && name.find('\0') == std::string::npos;
}

template <typename Function>
void Resolve(void* library, const std::string& path, const char* name, Function& function) {
  void* symbol = FindSymbol(library, name);
  if (symbol == nullptr) {
    throw std::runtime_error("module " + path + " does not export " + name);
  }
  function = reinterpret_cast<Function>(symbol);
}

// Libraries stay loaded for the process: module code may still be referenced (airfoil
// callbacks, vessels a test keeps).
std::map<std::string, std::unique_ptr<ModuleBinding>>& Bindings() {
  static std::map<std::string, std::unique_ptr<ModuleBinding>> bindings;
  return bindings;
}

}  // namespace

std::string ModuleLibraryPath(const std::string& folder, const std::string& className) {
  return (std::filesystem::path(folder) / (className + kLibrarySuffix)).string();
}

const ModuleBinding* LoadModule(const std::string& folder, const std::string& className) {
  if (!IsPlainFileName(className)) {
    return nullptr;
  }
  const std::string path = ModuleLibraryPath(folder, className);
  auto cached = Bindings().find(path);
  if (cached != Bindings().end()) {
    return cached->second.get();
  }
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(path, ignored)) {
    return nullptr;
  }
  std::string error;
  void* library = OpenLibrary(path, error);
  if (library == nullptr) {
    throw std::runtime_error("cannot load module " + path + ": " + error);
  }
  auto binding = std::make_unique<ModuleBinding>();
  binding->path = path;
  Resolve(library, path, kModuleExportNames[0], binding->init);
  Resolve(library, path, kModuleExportNames[1], binding->exit);
  Resolve(library, path, kModuleExportNames[2], binding->setClassCaps);
  Resolve(library, path, kModuleExportNames[3], binding->timestep);
  Resolve(library, path, kModuleExportNames[4], binding->loadStateEx);
  Resolve(library, path, kModuleExportNames[5], binding->saveState);
  Resolve(library, path, kModuleExportNames[6], binding->consumeKey);
  Resolve(library, path, kModuleExportNames[7], binding->consumeBufferedKey);
  return Bindings().emplace(path, std::move(binding)).first->second.get();
}

}  // namespace vantor
