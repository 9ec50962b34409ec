// The built module exports the eight callbacks and nothing else: the host resolves exactly
// these by name, and anything more would leak the module's internals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "vantor/ModuleExports.h"

namespace {

#if defined(__linux__)
std::string ModuleLibrary() {
  return (std::filesystem::path(AIRCRAFT_MODULE_DIR) / "aircraft.so").string();
}

// Names of the defined dynamic symbols, as the dynamic linker sees them.
std::vector<std::string> DefinedDynamicSymbols(const std::string& library, int& status) {
  std::vector<std::string> symbols;
  const std::string command = "nm -D --defined-only '" + library + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    status = -1;
    return symbols;
  }
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    // "ADDRESS TYPE NAME"
    char address[128], type[8], name[256];
    if (std::sscanf(line, "%127s %7s %255s", address, type, name) == 3) {
      symbols.emplace_back(name);
    }
  }
  status = pclose(pipe);
  return symbols;
}

TEST(ExportTableTest, TheModuleExportsExactlyTheEightCallbacks) {
  int status = 0;
  const std::vector<std::string> symbols = DefinedDynamicSymbols(ModuleLibrary(), status);
  ASSERT_EQ(status, 0) << "nm could not read " << ModuleLibrary();
  std::vector<std::string> exported = symbols;
  std::vector<std::string> expected(std::begin(kModuleExportNames), std::end(kModuleExportNames));
  std::sort(exported.begin(), exported.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(exported, expected);
}
#endif

}  // namespace
