// Scratch record.ini files and captured messages for the macro tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/system/messages.h"

namespace corvaline::macro_testing {

class ScratchDir {
 public:
  ScratchDir() {
    // ctest runs cases as parallel processes: the folder name must not collide.
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("corvaline-macros-" + std::to_string(random()) + "-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// A macro as record.ini holds it.
struct MacroText {
  std::string name;
  std::vector<std::string> items;
};

// Writes a UTF-8 record.ini with the macros in order, as a hand-edited or
// previously saved file would look.
inline void WriteRecordIni(const std::filesystem::path& file, const std::vector<MacroText>& macros) {
  std::ofstream out(file, std::ios::binary);
  for (const MacroText& m : macros) {
    out << "[" << m.name << "]\r\nItemCount=" << m.items.size() << "\r\n";
    for (std::size_t i = 0; i < m.items.size(); ++i) out << "Item" << i << "=" << m.items[i] << "\r\n";
  }
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

inline std::vector<std::uint8_t> Bytes(const std::uint8_t* data, std::size_t n) {
  return std::vector<std::uint8_t>(data, data + n);
}

}  // namespace corvaline::macro_testing
