#include "process_runner.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <random>

namespace corvaline::testing_support {
namespace {

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

}  // namespace

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

ProcessResult ToolSandbox::Run(const std::vector<std::string>& args) const {
  std::string command = "env HOME=" + Quote(dir_.string()) +
                        " XDG_CONFIG_HOME=" + Quote((dir_ / "config").string()) +
                        " XDG_RUNTIME_DIR=" + Quote((dir_ / "runtime").string()) + " " +
                        Quote(CORVALINECTL_PATH);
  for (const std::string& a : args) command += " " + Quote(a);
  command += " >" + Quote((dir_ / "stdout").string()) + " 2>" + Quote((dir_ / "stderr").string()) +
             " </dev/null";
  const int raw = std::system(command.c_str());
  ProcessResult r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = ReadFileBytes(dir_ / "stdout");
  r.err = ReadFileBytes(dir_ / "stderr");
  return r;
}

std::string ReadFileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace corvaline::testing_support
