// Scratch folders and captured messages for the settings tests.
#pragma once

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/settings/durable_io.h"
#include "platform/durable_io.h"

namespace corvaline::testing_support {

class ScratchDir {
 public:
  ScratchDir() {
    // ctest runs test cases as parallel processes: the name must not collide.
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("corvaline-test-" + std::to_string(random()) + "-" + std::to_string(random()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The system's durable-save calls with every call logged ("flush", "replace
// config.bin.tmp-… config.bin", …); the calls named failAt fail with EIO:
// a word names every call of its kind, more words the calls they begin.
class RecordingIo {
 public:
  RecordingIo() {
    current_ = this;
    InstallDurableIo(&table_);
  }
  ~RecordingIo() {
    InstallDurableIo(&platform::SystemDurableIo());
    current_ = nullptr;
  }
  std::vector<std::string> calls;
  std::string failAt;

 private:
  static const DurableIo& Real() { return platform::SystemDurableIo(); }
  static bool Fails(std::string call) {
    const std::string& at = current_->failAt;
    const bool fail = call.substr(0, call.find(' ')) == at ||
                      (at.find(' ') != std::string::npos && call.rfind(at, 0) == 0);
    current_->calls.push_back(std::move(call));
    return fail;
  }
  static Outcome Injected() { return IoFailure(EIO); }
  static std::string Name(const std::filesystem::path& p) { return p.filename().string(); }
  static inline RecordingIo* current_ = nullptr;
  static inline const DurableIo table_{
      [](const std::filesystem::path& f) -> Result<OsFile> {
        return Fails("create " + Name(f)) ? Injected() : Real().createNew(f);
      },
      [](OsFile f, std::string_view b) { return Fails("write") ? Injected() : Real().write(f, b); },
      [](OsFile f) { return Fails("flush") ? Injected() : Real().flush(f); },
      [](OsFile f) {
        const bool injected = Fails("close");
        const Outcome closed = Real().close(f);
        return injected ? Injected() : closed;
      },
      [](const std::filesystem::path& a, const std::filesystem::path& b) {
        return Fails("replace " + Name(a) + " " + Name(b)) ? Injected() : Real().replace(a, b);
      },
      [](const std::filesystem::path& d) { return Fails("flushFolder " + Name(d)) ? Injected() : Real().flushFolder(d); },
      [](const std::filesystem::path& f) { return !Fails("remove " + Name(f)) && Real().remove(f); },
      [](const std::filesystem::path& f) -> Result<OsFile> {
        return Fails("lock " + Name(f)) ? Injected() : Real().tryLock(f);
      },
      [](OsFile l) { Real().unlock(l); },
      [] { return Real().privateFolder(); }};
};

// The names of the folder's files, sorted.
inline std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace corvaline::testing_support
