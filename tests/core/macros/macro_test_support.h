// Scratch record.ini files for the macro tests, and what a step would show.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "../settings/test_support.h"
#include "core/outcome.h"

namespace corvaline::macro_testing {

// Shared with the settings tests.
using testing_support::ScratchDir;

// The text and caption the window would show for a step; empty when done.
using Message = std::pair<std::string, std::string>;
inline Message Shown(const Outcome& outcome) {
  return outcome.Ok() ? Message{} : Message{outcome.Reason(), outcome.Caption()};
}

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

inline std::vector<std::uint8_t> Bytes(const std::uint8_t* data, std::size_t n) {
  return std::vector<std::uint8_t>(data, data + n);
}

}  // namespace corvaline::macro_testing
