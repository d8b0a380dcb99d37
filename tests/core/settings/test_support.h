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
  static bool Fails(std::string call, int* error) {
    const std::string& at = current_->failAt;
    const bool fail = call.substr(0, call.find(' ')) == at ||
                      (at.find(' ') != std::string::npos && call.rfind(at, 0) == 0);
    current_->calls.push_back(std::move(call));
    if (fail && error) *error = EIO;
    return fail;
  }
  static std::string Name(const std::filesystem::path& p) { return p.filename().string(); }
  static inline RecordingIo* current_ = nullptr;
  static inline const DurableIo table_{
      [](const std::filesystem::path& f, int* e) {
        return Fails("create " + Name(f), e) ? kNoOsFile : Real().createNew(f, e);
      },
      [](OsFile f, std::string_view b, int* e) { return !Fails("write", e) && Real().write(f, b, e); },
      [](OsFile f, int* e) { return !Fails("flush", e) && Real().flush(f, e); },
      [](OsFile f, int* e) {
        const bool injected = Fails("close", e);
        return Real().close(f, e) && !injected;
      },
      [](const std::filesystem::path& a, const std::filesystem::path& b, int* e) {
        return !Fails("replace " + Name(a) + " " + Name(b), e) && Real().replace(a, b, e);
      },
      [](const std::filesystem::path& d, int* e) {
        return !Fails("flushFolder " + Name(d), e) && Real().flushFolder(d, e);
      },
      [](const std::filesystem::path& f) { return !Fails("remove " + Name(f), nullptr) && Real().remove(f); },
      [](const std::filesystem::path& f, int* e) {
        return Fails("lock " + Name(f), e) ? kNoOsFile : Real().tryLock(f, e);
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
