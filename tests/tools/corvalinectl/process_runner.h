// Runs corvalinectl as a process, in scratch folders of its own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace corvaline::testing_support {

// The source tree, with the delivered files the tests read.
inline const std::filesystem::path kSource = CORVALINE_SOURCE_DIR;

struct ProcessResult {
  int status = -1;
  std::string out, err;
};

class ToolSandbox {
 public:
  ToolSandbox();
  ~ToolSandbox();
  const std::filesystem::path& dir() const { return dir_; }
  std::filesystem::path operator/(const std::string& name) const { return dir_ / name; }
  // Runs corvalinectl with the arguments; HOME, XDG_CONFIG_HOME,
  // XDG_RUNTIME_DIR (and on Windows APPDATA) point into the sandbox so no
  // real settings or virtual mice of the machine are touched.
  ProcessResult Run(const std::vector<std::string>& args) const;

 private:
  std::filesystem::path dir_;
};

std::string ReadFileBytes(const std::filesystem::path& file);
void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes);
// Makes a FIFO; false where the system has none (Windows), so the tests
// that need /dev/zero and FIFOs skip there.
bool MakeFifo(const std::filesystem::path& file);

}  // namespace corvaline::testing_support
