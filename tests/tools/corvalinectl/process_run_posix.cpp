// ToolSandbox::Run on POSIX systems: through the shell, with env.
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>

#include "process_runner.h"

namespace corvaline::testing_support {
namespace {

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

}  // namespace

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

bool MakeFifo(const std::filesystem::path& file) { return mkfifo(file.c_str(), 0600) == 0; }

}  // namespace corvaline::testing_support
