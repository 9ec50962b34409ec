#include "vantor/sim/OutputFile.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "HostState.h"

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

namespace vantor::sim {
namespace {

int ProcessId() {
#if defined(_WIN32)
  return _getpid();
#else
  return static_cast<int>(getpid());
#endif
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The fault injected in this process, or else the one the environment asks for.
WriteFault FaultFor(const std::string& target) {
  const HostState& host = Host();
  if (host.writeFault != 0) {
    return EndsWith(target, host.writeFaultSuffix) ? static_cast<WriteFault>(host.writeFault)
                                                   : WriteFault::kNone;
  }
  const char* setting = std::getenv("VANTOR_WRITE_FAULT");
  if (setting == nullptr) {
    return WriteFault::kNone;
  }
  const std::string text = setting;
  const std::size_t colon = text.find(':');
  const std::string kind = text.substr(0, colon);
  if (colon != std::string::npos && !EndsWith(target, text.substr(colon + 1))) {
    return WriteFault::kNone;
  }
  if (kind == "short-write") {
    return WriteFault::kShortWrite;
  }
  if (kind == "disk-full") {
    return WriteFault::kDiskFull;
  }
  if (kind == "unwritable-folder") {
    return WriteFault::kUnwritableFolder;
  }
  return kind == "rename" ? WriteFault::kRenameFails : WriteFault::kNone;
}

std::string Reason(int error) {
  return std::strerror(error);
}

// What became of the file a failed write was to replace.
std::string Kept(const std::string& target) {
  std::error_code ignored;
  return std::filesystem::exists(target, ignored) ? "; the file there before is kept" : "";
}

bool ReplaceFile(const std::string& from, const std::string& to) {
#if defined(_WIN32)
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ==
      0) {
    errno = EACCES;
    return false;
  }
  return true;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

OutputFile::OutputFile(std::string target) : target_(std::move(target)) {
  static std::atomic<unsigned> counter{0};
  temporary_ =
      target_ + "." + std::to_string(ProcessId()) + "-" + std::to_string(++counter) + ".tmp";
  fault_ = FaultFor(target_);
  if (fault_ == WriteFault::kUnwritableFolder) {
    errno = EACCES;
  } else {
    file_ = std::fopen(temporary_.c_str(), "wb");
  }
  if (file_ == nullptr) {
    const int error = errno;
    throw std::runtime_error("cannot write " + target_ + ": " + Reason(error) +
                             " (no file can be made in its folder)" + Kept(target_));
  }
}

OutputFile::~OutputFile() {
  if (!committed_) {
    Close();
    std::remove(temporary_.c_str());
  }
}

void OutputFile::Fail(const std::string& reason) {
  if (error_.empty()) {
    error_ = reason;
  }
}

void OutputFile::Write(std::string_view text) {
  if (file_ == nullptr || failed() || text.empty()) {
    return;
  }
  std::size_t size = text.size();
  if (fault_ == WriteFault::kShortWrite) {
    size /= 2;
    errno = EIO;
  }
  if (std::fwrite(text.data(), 1, size, file_) != text.size()) {
    Fail("only part of the text could be written (" + Reason(errno) + ")");
  }
}

bool OutputFile::Close() {
  if (file_ == nullptr) {
    return true;
  }
  bool ok = std::fflush(file_) == 0;
  if (fault_ == WriteFault::kDiskFull) {
    ok = false;
    errno = ENOSPC;
  }
#if !defined(_WIN32)
  // The rename must not reach the disk before the data do.
  ok = ok && fsync(fileno(file_)) == 0;
#endif
  const int error = errno;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (!ok) {
    Fail(Reason(error != 0 ? error : errno));
  }
  return ok;
}

const std::string& OutputFile::HandOver() {
  Close();
  return temporary_;
}

void OutputFile::Commit() {
  if (committed_) {
    return;
  }
  Close();
  if (failed()) {
    throw std::runtime_error("cannot write " + target_ + ": " + error_ + Kept(target_));
  }
  // A file replaced keeps who may read and write it.
  std::error_code ignored;
  const auto before = std::filesystem::status(target_, ignored);
  if (std::filesystem::is_regular_file(before)) {
    std::filesystem::permissions(temporary_, before.permissions(), ignored);
  }
  const bool renamed = fault_ != WriteFault::kRenameFails && ReplaceFile(temporary_, target_);
  if (!renamed) {
    const int error = fault_ == WriteFault::kRenameFails ? EACCES : errno;
    throw std::runtime_error("cannot write " + target_ + ": " + Reason(error) +
                             " (the complete file could not be moved into place)" + Kept(target_));
  }
  committed_ = true;
}

void WriteFileAtomically(const std::string& target, std::string_view text) {
  OutputFile file(target);
  file.Write(text);
  file.Commit();
}

}  // namespace vantor::sim
