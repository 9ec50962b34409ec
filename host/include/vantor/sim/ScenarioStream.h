// What a FILEHANDLE points to while a module reads or writes its block of a scenario.
#pragma once

#include <string>
#include <vector>

namespace vantor {

struct ScenarioStream {
  std::vector<std::string> lines;    // the block's lines, for reading
  std::size_t next = 0;              // next line vapiReadScenario_nextline hands out
  std::string current;               // the line handed out last (the module may modify it)
  std::vector<std::string> written;  // lines written by SaveDefaultState and the module
};

}  // namespace vantor
