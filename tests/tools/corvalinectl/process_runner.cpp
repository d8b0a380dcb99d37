#include "process_runner.h"

#include <fstream>
#include <random>

namespace corvaline::testing_support {

ToolSandbox::ToolSandbox() {
  std::random_device random;
  dir_ = std::filesystem::temp_directory_path() /
         ("corvalinectl-test-" + std::to_string(random()) + std::to_string(random()));
  std::filesystem::create_directories(dir_ / "runtime");
  std::filesystem::create_directories(dir_ / "config");
}

ToolSandbox::~ToolSandbox() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

std::string ReadFileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace corvaline::testing_support
