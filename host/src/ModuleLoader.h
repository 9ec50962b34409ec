// Loads vessel modules by class name and resolves their eight exports. The platform's library
// calls live in ModuleLoader.cpp and nowhere else.
#pragma once

#include <string>

#include "vantor/ModuleExports.h"

namespace vantor {

struct ModuleBinding {
  std::string path;  // the library file the module came from
  vvcInitFunc init = nullptr;
  vvcExitFunc exit = nullptr;
  vvcSetClassCapsFunc setClassCaps = nullptr;
  vvcTimestepFunc timestep = nullptr;
  vvcLoadStateExFunc loadStateEx = nullptr;
  vvcSaveStateFunc saveState = nullptr;
  vvcConsumeKeyFunc consumeKey = nullptr;
  vvcConsumeBufferedKeyFunc consumeBufferedKey = nullptr;
};

// The module of the class in the folder, loaded once and kept for the process. Null when there
// is no library file of that name (the class is then a plain vessel), and for a class name
// that is not a plain file name. Throws std::runtime_error when the library exists but cannot
// be loaded or lacks an export; the message names the library and the export.
const ModuleBinding* LoadModule(const std::string& folder, const std::string& className);

// The file a module of the class would be loaded from.
std::string ModuleLibraryPath(const std::string& folder, const std::string& className);

}  // namespace vantor
