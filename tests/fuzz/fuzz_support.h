// Shared pieces of the fuzz targets: a scratch folder on a memory file system
// (every iteration writes files), messages swallowed, and a stop that names
// the broken rule before the fuzzer records the input.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace corvaline::fuzz {

// One folder per process, made on first use and reused by every iteration.
inline const std::filesystem::path& ScratchDir() {
  static const std::filesystem::path dir = [] {
    std::error_code ec;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
    std::filesystem::path d = base / ("corvaline-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d, ec);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchDir(), ignored);
    });
    return d;
  }();
  return dir;
}

inline void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
  std::FILE* f = std::fopen(file.c_str(), "wb");
  if (!f) std::abort();
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

[[noreturn]] inline void Broken(const char* rule) {
  std::fprintf(stderr, "broken rule: %s\n", rule);
  std::abort();
}

#define FUZZ_CHECK(cond) \
  do {                   \
    if (!(cond)) ::corvaline::fuzz::Broken(#cond); \
  } while (0)

}  // namespace corvaline::fuzz
