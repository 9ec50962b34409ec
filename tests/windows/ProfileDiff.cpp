// profile_diff CORPUS_DIR...: compares the module's portable profile lookup with the platform's
// GetPrivateProfileStringA and GetPrivateProfileIntA on every file of the corpus folders. The
// queries come from each file itself (every section and key name it seems to hold, in several
// spellings, and names it does not hold), so any folder of INI files is a corpus. Differences
// that docs/windows.md explains are counted as kept; any other is printed and fails the run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "KeptDifferences.h"
#include "PortableProfileLookup.h"

namespace {

namespace fs = std::filesystem;

// The module's value buffer.
constexpr DWORD kValueSize = 255;
// Names of each kind taken from one file.
constexpr std::size_t kMaxNames = 60;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return std::string(text);
}

std::string SwapCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

// Printable form of a text for a report line.
std::string Escaped(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

struct Queries {
  std::vector<std::string> sections;
  std::vector<std::string> keys;
};

void AddName(std::vector<std::string>& names, const std::string& name) {
  if (std::find(names.begin(), names.end(), name) == names.end()) {
    names.push_back(name);
  }
}

// Every name the file seems to hold, read loosely (first and last ']' of a section line, the
// text before the first '=', whole lines without '='), plus other spellings and absent names.
Queries QueriesFor(const std::string& bytes) {
  Queries queries;
  AddName(queries.sections, "");
  std::string_view text(bytes);
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    text.remove_prefix(3);
  }
  while (!text.empty()) {
    const std::size_t end =
        std::min(text.find_first_of(std::string_view("\r\n\0", 3)), text.size());
    const std::string line = Trim(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty()) {
      continue;
    }
    if (line.front() == '[') {
      AddName(queries.sections, Trim(std::string_view(line).substr(1, line.find(']') - 1)));
      const std::size_t last = line.rfind(']');
      if (last != std::string::npos) {
        AddName(queries.sections, Trim(std::string_view(line).substr(1, last - 1)));
      }
    } else if (line.find('=') != std::string::npos) {
      AddName(queries.keys, Trim(std::string_view(line).substr(0, line.find('='))));
    } else {
      AddName(queries.keys, line);
    }
  }
  for (std::vector<std::string>* names : {&queries.sections, &queries.keys}) {
    std::vector<std::string>& list = *names;
    // Every section is asked for every key: keep a large file's run short.
    if (list.size() > kMaxNames) {
      list.resize(kMaxNames);
    }
    const std::size_t count = list.size();
    for (std::size_t i = 0; i < count; ++i) {
      AddName(list, SwapCase(list[i]));
    }
    if (count > 1) {
      AddName(list, " \t" + list[1] + "\t ");
    }
    AddName(list, "Absent");
  }
  return queries;
}

struct Tally {
  long queries = 0;
  long kept = 0;
  long unexplained = 0;
};

struct Query {
  const std::string& file;
  const std::string& bytes;
  const std::string& section;
  const std::string& key;
};

void Report(const Query& query, const Difference& difference, const std::string& what,
            const std::string& platform, const std::string& portable, bool verbose, Tally& tally) {
  const char* reason = KeptDifference(difference);
  if (reason != nullptr) {
    ++tally.kept;
  } else {
    ++tally.unexplained;
  }
  if (reason == nullptr || verbose) {
    std::printf("%s: [%s] %s %s: platform %s, portable %s%s%s\n", query.file.c_str(),
                Escaped(query.section).c_str(), Escaped(query.key).c_str(), what.c_str(),
                platform.c_str(), portable.c_str(), reason != nullptr ? "; kept: " : "",
                reason != nullptr ? reason : "");
  }
}

// The text up to the terminator, or the whole buffer when there is none.
std::string_view Terminated(const std::vector<char>& buffer) {
  const auto end = std::find(buffer.begin(), buffer.end(), '\0');
  return std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.begin()));
}

// One text lookup through both. What the buffer holds after the terminator is unspecified, but
// nothing may be written past its size: the bytes after it are checked against their fill.
void CompareText(const Query& query, const std::string& path, const char* defaultText, DWORD size,
                 bool verbose, Tally& tally) {
  ++tally.queries;
  constexpr std::size_t kGuard = 8;
  std::vector<char> platform(size + kGuard, '\x7E');
  std::vector<char> portable(size + kGuard, '\x7E');
  const DWORD platformCount = GetPrivateProfileStringA(
      query.section.c_str(), query.key.c_str(), defaultText, platform.data(), size, path.c_str());
  const DWORD portableCount = PortableGetPrivateProfileStringA(
      query.section.c_str(), query.key.c_str(), defaultText, portable.data(), size, path.c_str());
  const auto overrun = [size](const std::vector<char>& buffer) {
    return std::any_of(buffer.begin() + size, buffer.end(), [](char c) { return c != '\x7E'; });
  };
  if (overrun(portable)) {
    std::printf("%s: [%s] %s: the portable lookup wrote past a buffer of %lu\n", query.file.c_str(),
                Escaped(query.section).c_str(), Escaped(query.key).c_str(),
                static_cast<unsigned long>(size));
    ++tally.unexplained;
  }
  if (platformCount == portableCount && Terminated(platform) == Terminated(portable)) {
    return;
  }
  const auto describe = [](DWORD count, const std::vector<char>& buffer) {
    return std::to_string(count) + " " + Escaped(Terminated(buffer));
  };
  const Difference difference{query.bytes, query.key, size, Terminated(platform),
                              Terminated(portable)};
  Report(query, difference,
         "text(size " + std::to_string(size) + ", default " + Escaped(defaultText) + ")",
         describe(platformCount, platform), describe(portableCount, portable), verbose, tally);
}

void CompareInt(const Query& query, const std::string& path, bool verbose, Tally& tally) {
  ++tally.queries;
  const int platform = static_cast<int>(
      GetPrivateProfileIntA(query.section.c_str(), query.key.c_str(), -7, path.c_str()));
  const int portable = static_cast<int>(
      PortableGetPrivateProfileIntA(query.section.c_str(), query.key.c_str(), -7, path.c_str()));
  if (platform != portable) {
    std::vector<char> value(kValueSize, '\0');
    PortableGetPrivateProfileStringA(query.section.c_str(), query.key.c_str(), "", value.data(),
                                     kValueSize, path.c_str());
    const Difference difference{query.bytes, query.key, 0, "", Terminated(value)};
    Report(query, difference, "int(default -7)", std::to_string(platform), std::to_string(portable),
           verbose, tally);
  }
}

void CompareFile(const fs::path& file, bool verbose, Tally& tally) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string path = fs::absolute(file).string();
  const std::string name = file.filename().string();
  const Queries queries = QueriesFor(bytes);
  for (const std::string& section : queries.sections) {
    for (const std::string& key : queries.keys) {
      const Query query{name, bytes, section, key};
      CompareText(query, path, "dflt", kValueSize, verbose, tally);
      CompareText(query, path, "dflt", 4, verbose, tally);
      CompareText(query, path, "dflt", 1, verbose, tally);
      CompareInt(query, path, verbose, tally);
    }
  }
  const std::string& someSection = queries.sections.back();
  const Query absent{name, bytes, someSection, queries.keys.back()};
  CompareText(absent, path, " d \t ", kValueSize, verbose, tally);
  CompareText(absent, path, "", kValueSize, verbose, tally);
}

}  // namespace

int main(int argc, char** argv) {
  bool verbose = false;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--verbose") {
      verbose = true;
      continue;
    }
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(argument, error)) {
      if (entry.is_regular_file()) {
        files.push_back(entry.path());
      }
    }
    if (error) {
      std::fprintf(stderr, "profile_diff: cannot read folder %s\n", argument.c_str());
      return 2;
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "usage: profile_diff [--verbose] CORPUS_DIR...\n");
    return 2;
  }
  std::sort(files.begin(), files.end());
  Tally tally;
  for (const fs::path& file : files) {
    CompareFile(file, verbose, tally);
  }
  std::printf("profile_diff: %zu files, %ld lookups, %ld kept differences, %ld unexplained\n",
              files.size(), tally.queries, tally.kept, tally.unexplained);
  return tally.unexplained == 0 ? 0 : 1;
}
