// Scratch folders and captured messages for the settings tests.
#pragma once

#include <filesystem>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/system/messages.h"

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

class CapturedMessages : public MessageSink {
 public:
  CapturedMessages() { SetMessageSink(this); }
  ~CapturedMessages() override { SetMessageSink(nullptr); }
  void ShowMessage(std::string_view text, std::string_view caption) override {
    messages.emplace_back(std::string(text), std::string(caption));
  }
  std::vector<std::pair<std::string, std::string>> messages;
};

}  // namespace corvaline::testing_support
