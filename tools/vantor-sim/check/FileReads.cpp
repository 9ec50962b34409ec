#include "check/FileReads.h"

#include <utility>

namespace check {
namespace {

std::string Folded(std::string_view name) {
  std::size_t begin = 0;
  std::size_t end = name.size();
  // The lookup's blanks; names compare without them and without regard to case.
  auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
  };
  while (begin < end && blank(name[begin])) {
    ++begin;
  }
  while (end > begin && blank(name[end - 1])) {
    --end;
  }
  std::string folded;
  for (std::size_t i = begin; i < end; ++i) {
    const char c = name[i];
    folded += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return folded;
}

}  // namespace

std::string ReadKey(std::string_view section, std::string_view key, ProfileValueKind kind) {
  return Folded(section) + '\n' + Folded(key) + '\n' + std::to_string(static_cast<int>(kind));
}

FileReads::FileReads(std::shared_ptr<const ProfileIndex> file, std::vector<ProfileRead> reads,
                     Report& report)
    : file_(std::move(file)), reads_(std::move(reads)), report_(report) {
  for (std::size_t i = 0; i < reads_.size(); ++i) {
    firstRead_.emplace(ReadKey(reads_[i].section, reads_[i].key, reads_[i].kind), i);
  }
}

bool FileReads::HasSection(std::string_view section) const {
  return file_->FindSection(section) != nullptr;
}

const ProfileIndex::Entry* FileReads::Entry(std::string_view section, std::string_view key) const {
  return file_->Find(section, key);
}

bool FileReads::Given(std::string_view section, std::string_view key) const {
  const ProfileIndex::Entry* entry = Entry(section, key);
  return entry != nullptr && !entry->value.empty();
}

int FileReads::LineOf(std::string_view section, std::string_view key) const {
  if (const ProfileIndex::Entry* entry = Entry(section, key)) {
    return entry->line;
  }
  return SectionLine(section);
}

int FileReads::SectionLine(std::string_view section) const {
  const ProfileIndex::Section* found = file_->FindSection(section);
  return found != nullptr ? found->line : 0;
}

const ProfileRead* FileReads::Read(std::string_view section, std::string_view key,
                                   ProfileValueKind kind) const {
  const auto found = firstRead_.find(ReadKey(section, key, kind));
  return found != firstRead_.end() ? &reads_[found->second] : nullptr;
}

const ProfileRead* FileReads::NumberRead(std::string_view section, std::string_view key) const {
  const ProfileRead* read = Read(section, key, ProfileValueKind::Number);
  return read != nullptr ? read : Read(section, key, ProfileValueKind::Vector);
}

const ProfileRead* FileReads::InheritedFrom(const ProfileRead& read) const {
  if (!read.defaultStayed || read.destination == nullptr) {
    return nullptr;
  }
  for (std::size_t i = static_cast<std::size_t>(&read - reads_.data()); i-- > 0;) {
    if (reads_[i].destination == read.destination && !reads_[i].defaultStayed) {
      return &reads_[i];
    }
  }
  return nullptr;
}

std::optional<double> FileReads::Scalar(std::string_view section, std::string_view key) const {
  const ProfileRead* read = Read(section, key, ProfileValueKind::Number);
  if (read == nullptr || read->defaultStayed) {
    return std::nullopt;
  }
  return read->numbers[0];
}

std::optional<long long> FileReads::Integer(std::string_view section, std::string_view key) const {
  const ProfileRead* read = Read(section, key, ProfileValueKind::Integer);
  if (read == nullptr || read->defaultStayed) {
    return std::nullopt;
  }
  return read->integer;
}

bool FileReads::Vector(std::string_view section, std::string_view key, Vec3& value) const {
  if (!Given(section, key)) {
    return false;
  }
  if (const ProfileRead* read = Read(section, key, ProfileValueKind::Vector)) {
    for (std::size_t i = 0; i < 3; ++i) {
      if (read->parts[i].supplied) {
        value[i] = read->numbers[i];
      }
    }
  }
  return true;
}

std::optional<std::string> FileReads::Text(std::string_view section, std::string_view key) const {
  if (const ProfileRead* read = Read(section, key, ProfileValueKind::Text); read && read->found) {
    return read->text;
  }
  if (const ProfileIndex::Entry* entry = Entry(section, key)) {
    return std::string(entry->value.substr(0, 254));
  }
  return std::nullopt;
}

}  // namespace check
